// Extended attributes on a POSIX disk: every name a file or folder carries (user.*, the POSIX ACLs
// in system.posix_acl_access and system.posix_acl_default, security.* and trusted.* where this
// process may set them), kept when a file is rewritten, copied or put back, as `cp -a` keeps them.
#pragma once

#include <string>
#include <vector>

namespace tavkonv40::posix {

// Where the attributes are read from: an open file, or else a path.
struct AttributeSource {
    int fd = -1;
    const char* path = nullptr;
};

// Gives the open file `to` every extended attribute of `from`. Call it after the owner and mode are
// set: a mode change rewrites an ACL's mask, and the ACL must have the last word. Names this
// process may not set (trusted.* for an ordinary user) are left out, as `cp -a` leaves them out.
// Returns the names the file system holding `to` refused (it has no extended attributes, or no
// ACLs); a failure of the device or of its room throws FileError naming `toPath` (`fromPath` for a
// read).
// A source without attributes costs one listing call.
std::vector<std::string> copyExtendedAttributes(AttributeSource from, const std::string& fromPath, int to,
                                                const std::string& toPath);

// The warning for the names copyExtendedAttributes returned (empty when there are none).
std::string attributesNotKept(const std::string& path, const std::vector<std::string>& names);

}  // namespace tavkonv40::posix
