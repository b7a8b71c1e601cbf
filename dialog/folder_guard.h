// Folders the dialog never converts: the root folder, and a backup an earlier
// run left, dated or staged (or a folder inside one) - converting a backup would leave nothing
// to restore the project from.
#pragma once

#include <optional>
#include <string>

#include "engine/file_system.h"

namespace dialog {

// Why `folder` must not be converted, as the text of an error line; nothing when it may be.
// Symbolic links and "." / ".." are resolved through the file store first, as far as the path
// exists.
std::optional<std::string> RefusedFolder(tavkonv40::FileSystem& fs, const std::string& folder);

}  // namespace dialog
