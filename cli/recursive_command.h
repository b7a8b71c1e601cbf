// `--recursive`: one command (a run, a check, or check --fix) for every folder of a tree that holds
// forms, user controls or projects directly, each folder on its own (its own backup and log
// section), then one summary over all of them.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "cli/cli.h"
#include "cli/command_support.h"

namespace tavkonv40::cli {

// The folders of the tree (the root included) that hold a form, user control or project directly,
// parents before their subfolders, subfolders in name order. Backups, the hidden staging folders
// of runs, anything below a folder named ".git", and links to folders are not entered. Folders
// that cannot be listed are named in `unlisted`. Throws FileError when the root cannot be listed.
std::vector<std::string> projectFolders(FileReader& fs, const std::string& root, std::vector<std::string>& unlisted);

enum class WalkKind { Run, Check, CheckJson, Fix };

// Runs `command` for each project folder, k of n announced before each one, until all are done
// or a cancel request has ended one. Exit status: the worst of the folders'.
using FolderCommand = std::function<int(const std::string& folder, FolderOutcome& outcome)>;
int runRecursive(const std::string& root, WalkKind kind, const std::string& reportPath, Services& services,
                 const FolderCommand& command);

}  // namespace tavkonv40::cli
