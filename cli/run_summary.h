// What a run or dry run did, for people (a few lines on standard error) and for scripts (a JSON
// report).
#pragma once

#include <string>
#include <vector>

#include "engine/options.h"
#include "engine/run_statistics.h"

namespace tavkonv40::cli {

enum class RunMode { Real, DryRun };

struct RunReport {
    std::string version;
    RunMode mode = RunMode::Real;
    std::string folder;
    std::string backupPath;  // where the backup went (or would go); empty when none was named
    bool backupPlaced = false;
    bool cancelled = false;
    const OptionsSource* options = nullptr;
    const RunStatistics* statistics = nullptr;
    std::vector<std::string> errors;  // the run's error lines
};

// The summary, one line per entry. Callers may append lines of their own before printing.
std::vector<std::string> summaryLines(const RunReport& report);

// After a real run that changed files and had errors: how to try again without converting the
// changed files twice. Empty otherwise.
std::string retryAdviceLine(const RunReport& report);

// The same as a JSON document (indented, ending with a line break).
std::string reportJson(const RunReport& report);

}  // namespace tavkonv40::cli
