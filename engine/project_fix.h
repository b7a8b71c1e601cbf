// `tavkonv40 check --fix`: applies the findings of the project check whose advice leaves no choice
// (suite names the catalogue's naming rule settles, missing and wrong reference lines, a project's
// missing Object= lines, repeated reference lines, the empty lines every run adds). A separate,
// opt-in step after a run: the run itself keeps its written rules. Writing goes through the same
// backup and atomic writes as a run.
#pragma once

#include <cstddef>
#include <map>
#include <string>
#include <vector>

#include "engine/backup_record.h"
#include "engine/file_system.h"
#include "engine/project_check.h"
#include "engine/run_guard.h"
#include "engine/run_host.h"

namespace tavkonv40 {

struct AppliedFix {
    std::string file;  // name within the folder
    std::size_t line;  // in the file as the earlier fixes left it
    FindingKind kind;  // the kind of finding it answers
    std::string description;
};

struct FixPlan {
    std::vector<AppliedFix> fixes;                // round by round, files in name order
    std::map<std::string, std::string> files;     // name -> bytes after every fix, for each file that changes
    std::map<std::string, EntryInfo> readAs;      // name -> the file as the fixes read it, for the same files
    std::map<std::string, FileStamp> readStamps;  // name -> the stamp of the bytes read, for the same files
};

// Works out every fix, reading through `fs` and writing nothing: the fixes of each file are
// applied in memory and the folder is checked and fixed again until no fix applies. Throws
// FileError when the folder cannot be listed.
FixPlan planFixes(FileReader& fs, const std::string& folder);

// The names of the files the plan changes, in the order the folder's files are met (as the log
// and the diff show them): the order they are written in and reported.
std::vector<std::string> plannedFiles(const FixPlan& plan);

enum class FixEnding { Completed, NothingToFix, Cancelled, NoBackup, Refused };

struct FixResult {
    FixEnding ending = FixEnding::Completed;
    FixPlan plan;
    std::size_t filesWritten = 0;
    std::size_t fileErrors = 0;  // files that could not be written
    std::string backupPath;      // where the backup was (or would have been) placed; empty without one
    bool backupPlaced = false;
    RunRefusal refusal = RunRefusal::None;  // why nothing was written, when the guard or the backup refused
};

// Takes the folder as a run does (its lock; refused while another run works on it or an
// interrupted run's backup is there), plans the fixes, logs each one, backs the folder up as a
// run does, writes each changed file atomically and gives the backup its dated name. Nothing is
// written when nothing needs fixing, or when no complete backup could be made. A cancel request stops before the next file; the
// backup is still placed. Throws FileError when the folder cannot be listed (nothing is logged).
FixResult RunFixes(FileSystem& fs, RunHost& host, Clock& clock, const std::string& folder);

}  // namespace tavkonv40
