#include "platform/extended_attributes_posix.h"

#include <sys/xattr.h>

#include <cerrno>
#include <optional>

#include "platform/posix_support.h"

namespace tavkonv40::posix {

namespace {

ssize_t listNames(AttributeSource from, char* buffer, std::size_t size) {
    return from.fd >= 0 ? ::flistxattr(from.fd, buffer, size) : ::listxattr(from.path, buffer, size);
}

ssize_t readValue(AttributeSource from, const char* name, void* buffer, std::size_t size) {
    return from.fd >= 0 ? ::fgetxattr(from.fd, name, buffer, size) : ::getxattr(from.path, name, buffer, size);
}

// A failure that says nothing is wrong with the file, only that this attribute cannot be read or
// set here: gone meanwhile, a namespace this process may not use, or one the file system lacks.
bool notAllowed(int err) { return err == EPERM || err == EACCES; }
bool notThere(int err) { return err == ENODATA || err == ENOTSUP || err == EOPNOTSUPP || notAllowed(err); }
// A failure of the device or of the room on it fails the write or copy like any other; any other
// refusal (ENOTSUP, or EINVAL for a name a network file system lists but does not take back) only
// loses the attribute.
bool deviceFailure(int err) { return err == EIO || err == ENOSPC || err == EDQUOT; }

// Calls `read` with a buffer grown until the whole list or value fits: another program may add to
// it between asking its size and reading it. Nothing when there is none (or none any more).
template <typename Read>
std::optional<std::string> readWhole(Read read, const std::string& path) {
    std::string buffer;
    for (;;) {
        const ssize_t size = read(nullptr, 0);
        if (size < 0 && notThere(errno)) return std::nullopt;
        if (size < 0) fail(path, errno);
        buffer.resize(static_cast<std::size_t>(size));
        const ssize_t n = size == 0 ? 0 : read(buffer.data(), buffer.size());
        if (n >= 0) {
            buffer.resize(static_cast<std::size_t>(n));
            return buffer;
        }
        if (notThere(errno)) return std::nullopt;
        if (errno != ERANGE) fail(path, errno);
    }
}

}  // namespace

std::vector<std::string> copyExtendedAttributes(AttributeSource from, const std::string& fromPath, int to,
                                                const std::string& toPath) {
    std::vector<std::string> refused;
    const std::string names =
        readWhole([&](char* b, std::size_t n) { return listNames(from, b, n); }, fromPath).value_or("");
    for (std::size_t at = 0; at < names.size();) {
        const std::string name = names.c_str() + at;
        at += name.size() + 1;
        const auto value =
            readWhole([&](char* b, std::size_t n) { return readValue(from, name.c_str(), b, n); }, fromPath);
        if (name.empty() || !value) continue;  // removed since the listing, or not ours to read
        if (::fsetxattr(to, name.c_str(), value->data(), value->size(), 0) == 0) continue;
        if (deviceFailure(errno)) fail(toPath, errno);
        if (!notAllowed(errno)) refused.push_back(name);
    }
    return refused;
}

std::string attributesNotKept(const std::string& path, const std::vector<std::string>& names) {
    if (names.empty()) return {};
    std::string list;
    for (const auto& name : names) list += (list.empty() ? "" : ", ") + name;
    return path + ": its extended attributes (" + list + ") were not kept: the file system there does not support them";
}

}  // namespace tavkonv40::posix
