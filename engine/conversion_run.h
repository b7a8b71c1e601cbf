// The conversion run: backs the folder up, then converts its form, user-control and project
// files in three passes, logging every step.
#pragma once

#include <string>

#include "engine/file_system.h"
#include "engine/options.h"
#include "engine/run_guard.h"
#include "engine/run_host.h"
#include "engine/step_context.h"

namespace tavkonv40 {

// NotStarted: the run was refused or could make no complete backup, so nothing was converted
// (a cancel during the backup copy still ends Cancelled).
enum class RunEnding { Completed, Cancelled, NotStarted };

struct RunResult {
    RunEnding ending = RunEnding::Completed;
    int fileErrors = 0;      // files that could not be converted
    std::string backupPath;  // where the backup was (or would have been) placed; empty when no copy was made
    bool backupPlaced = false;
    // Why the run changed nothing at all, when it did not get as far as converting: another run
    // holds the folder, an interrupted run's backup is there, or no complete backup could be
    // made. The log's error lines say it in words.
    RunRefusal refusal = RunRefusal::None;
};

struct RunEnvironment {
    FileSystem& fs;
    RunHost& host;
    const OptionsSource& options;
    Clock& clock;
};

// `folder` is the folder box's text. Every entry of the folder is met; a file's name decides which
// pass converts it.
RunResult RunConversion(RunEnvironment& env, const std::string& folder);

// The same run with the per-run state supplied by the caller (the dialog keeps it across calls
// of its public steps).
RunResult RunConversion(RunEnvironment& env, RunState& state, const std::string& folder);

}  // namespace tavkonv40
