// The backup's folder copy on a POSIX disk (used by DiskFileSystem).
#pragma once

#include <string>

#include "engine/file_system.h"

namespace tavkonv40::posix {

CopyOutcome copyTree(const std::string& from, const std::string& to, const FolderCopy& how);
void checkTreeCopy(const std::string& from, const std::string& to, const FolderCopy& how);

}  // namespace tavkonv40::posix
