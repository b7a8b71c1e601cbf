// `tavkonv40 check FOLDER [--json]`: prints what the project check finds.
#pragma once

#include <string>

#include "cli/cli.h"

namespace tavkonv40::cli {

struct FolderOutcome;

// Exit status: 0 nothing above note level, 1 errors or warnings, 2 the folder cannot be listed.
// `outcome`, when given, receives the counts (for a walk over many folders).
int runCheck(const std::string& folder, bool json, Services& services, FolderOutcome* outcome = nullptr);

// A check refused before it starts (a folder that cannot be listed or holds nothing to check):
// the message on standard error and, for --json, the JSON error object {"error", "folder"} on
// standard output. Returns the usage error's exit status.
int refuseCheck(const std::string& folder, const std::string& message, bool json, Services& services);

}  // namespace tavkonv40::cli
