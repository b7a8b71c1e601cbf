// Folders the dialog never converts: the root folder, and a backup an earlier
// run left (or a folder inside one) - converting a backup would leave nothing
// to restore the project from.
#pragma once

#include <optional>
#include <string>

namespace dialog {

// Why `folder` must not be converted, as the text of an error line; nothing when it may be.
// Symbolic links and "." / ".." are resolved first, as far as the path exists.
std::optional<std::string> RefusedFolder(const std::string& folder);

// Whether a folder's own name is that of a backup a run makes
// ("Nexaria Conversion Backup mm.dd.yyyy hh.mm.ss").
bool IsBackupName(const std::string& name);

}  // namespace dialog
