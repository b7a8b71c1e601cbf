// What the commands that change a folder share: the log host that prints to standard output, the
// dry run's diff, the JSON report file, and what one folder's command
// reports to a walk over many folders.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "cli/cli.h"
#include "cli/progress_display.h"
#include "engine/check_facts.h"
#include "engine/project_check.h"
#include "cli/unified_diff.h"

namespace tavkonv40::cli {

// Prints every log line on standard output; error lines also go to standard error. A terminal
// gets each line as it is written. A file or a pipe gets the first line at once (a log nobody can
// read stops the run before any file is converted) and the rest in large writes, with whatever is
// pending written out before anything goes to standard error, so that the two keep their order
// when they share a file. The progress display is erased around each line.
class CliHost : public RunHost {
  public:
    // `names` are the folder's entries and the folder itself: on a terminal, those of them that hold
    // control characters are shown quoted.
    CliHost(Services& s, ProgressDisplay& progress, const std::vector<std::string>& names)
        : s_(s), progress_(progress), names_(names) {}
    ~CliHost() override { flushLog(); }
    CliHost(const CliHost&) = delete;
    CliHost& operator=(const CliHost&) = delete;

    void appendLog(std::string_view line, LogLineKind kind) override;
    // Writes out the lines not yet written; call it before writing anything else.
    void flushLog();
    bool cancelRequested() const override { return s_.cancel.load() || outputLost; }
    bool stopRequested() const override { return s_.stop && s_.stop->load(); }

    std::vector<std::string> errors;
    bool outputLost = false;

  private:
    Services& s_;
    ProgressDisplay& progress_;
    const std::vector<std::string>& names_;
    std::string pending_;  // lines not yet written
    bool anyWritten_ = false;
};

// Prints, in listing order, the diff of every file a dry run wrote to its in-memory store against
// the file on disk.
void printDryRunDiffs(const std::map<std::string, std::string>& writes, DiffColor color, Services& s);

// Returns false when the report could not be written (the message is printed).
bool writeReport(FileSystem& fs, const std::string& path, const std::string& json, Services& s);

// What a check of the folder finds; nothing when the folder cannot be listed. The files `known`
// still describes are taken from it instead of being read.
std::optional<FindingCounts> countFindingsIfListed(FileReader& fs, const std::string& folder,
                                                   FolderFacts* known = nullptr);

// What one folder's command did, for the summary of a walk over many folders.
struct FolderOutcome {
    int status = kCompleted;
    std::size_t filesChanged = 0;
    std::size_t errors = 0;
    // What a check of the folder finds afterwards. Left empty by a real run or fix in a walk: a
    // project may list members in a folder the walk reaches later, so the walk counts every
    // folder once, when all are done.
    std::optional<FindingCounts> findings;
    std::string reportJson;  // the folder's report, when one was asked for
};

}  // namespace tavkonv40::cli
