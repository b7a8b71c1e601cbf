// The folders the command line refuses to work on before it touches anything.
#pragma once

#include <optional>
#include <string>

#include "engine/file_system.h"

namespace tavkonv40::cli {

// ConvertTree: the top of a tree whose project folders are converted or fixed one by one
// (--recursive); it need not hold project files itself.
enum class FolderUse { Convert, ConvertTree, Fix, Restore, Check };

// Why the command must not work on `folder` (a message naming it), or nothing: a folder that
// cannot be listed; for a command that writes also "/" and a backup folder or a folder inside
// one; for a run, its fixes and a check of one folder also a folder that holds no form, user
// control or project directly.
std::optional<std::string> folderRefusal(FileReader& fs, const std::string& folder, FolderUse use);

// Why the JSON report cannot be written at `path` (a message naming it and the cause), or
// nothing: asked before anything is touched, so that a run or its fixes are not done only to end
// with "cannot write the report". Its folder must exist and take a new file; a file already there
// must be a regular file (or a link to one) that may be written.
std::optional<std::string> reportRefusal(FileSystem& fs, const std::string& path);

// Whether `path` (which need not exist) lies inside `folder` or is it, links resolved.
bool liesInside(FileReader& fs, const std::string& path, const std::string& folder);

}  // namespace tavkonv40::cli
