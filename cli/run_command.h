// A conversion run or dry run from the command line: the log on standard output, the progress
// display and the summary on standard error, the diff of a dry run after its log, the JSON
// report.
#pragma once

#include <string>
#include <vector>

#include "cli/cli.h"
#include "cli/run_summary.h"
#include "cli/unified_diff.h"

namespace tavkonv40::cli {

enum class SummaryOutput { Shown, Quiet };

struct RunRequest {
    std::string folder;
    const OptionsSource& options;
    RunMode mode = RunMode::Real;
    SummaryOutput summary = SummaryOutput::Shown;
    std::string reportPath;  // empty: no report
    DiffColor color = DiffColor::Plain;
    std::string version;
};

struct FolderOutcome;

// `outcome`, when given, receives what the run did (for a walk over many folders).
int runConversionCommand(const RunRequest& request, Services& services, FolderOutcome* outcome = nullptr);

}  // namespace tavkonv40::cli
