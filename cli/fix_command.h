// `tavkonv40 check --fix [--dry-run] [--report FILE] FOLDER`: applies the findings whose advice
// leaves no choice, with a run's backup and atomic writes; the log of fixes on standard output,
// a summary on standard error.
#pragma once

#include <string>

#include "cli/cli.h"
#include "cli/command_support.h"
#include "cli/run_summary.h"
#include "cli/unified_diff.h"

namespace tavkonv40::cli {

struct FixRequest {
    std::string folder;
    RunMode mode = RunMode::Real;
    bool quiet = false;
    std::string reportPath;  // empty: no report
    DiffColor color = DiffColor::Plain;
    std::string version;
};

// Exit status: 0 the fixes were made (or nothing needed one), 1 a file could not be written or no
// backup could be made (then nothing was written), 2 the folder cannot be listed, 3 cancelled.
int runFixCommand(const FixRequest& request, Services& services, FolderOutcome* outcome = nullptr);

}  // namespace tavkonv40::cli
