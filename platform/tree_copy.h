// The backup's folder copy on a POSIX disk (used by DiskFileSystem).
#pragma once

#include <string>
#include <vector>

#include "engine/file_system.h"

namespace tavkonv40::posix {

// Adds to `warnings` a line for each entry whose extended attributes the copy's file system refused.
CopyOutcome copyTree(const std::string& from, const std::string& to, const FolderCopy& how,
                     std::vector<std::string>& warnings);
void checkTreeCopy(const std::string& from, const std::string& to, const FolderCopy& how);
// Removes the tree, also where the copy kept a folder read-only: only ever a copy this program
// made, which the user expects gone however its folders were marked.
void removeTree(const std::string& path);

}  // namespace tavkonv40::posix
