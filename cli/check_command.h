// `tavkonv40 check FOLDER [--json]`: prints what the project check finds.
#pragma once

#include <string>

#include "cli.h"

namespace tavkonv40::cli {

// Exit status: 0 nothing above note level, 1 errors or warnings, 2 the folder cannot be listed.
int runCheck(const std::string& folder, bool json, Services& services);

}  // namespace tavkonv40::cli
