#include "cli/run_command.h"

#include <algorithm>
#include <array>
#include <optional>
#include <ostream>

#include "cli/command_support.h"
#include "engine/check_facts.h"
#include "engine/conversion_run.h"
#include "engine/file_kind.h"
#include "engine/overlay_file_system.h"
#include "cli/progress_display.h"
#include "engine/project_check.h"
#include "engine/run_statistics.h"
#include "cli/terminal_text.h"
#include "engine/text_util.h"

namespace tavkonv40::cli {

namespace {

// The folder's entries (empty when it cannot be listed).
std::vector<std::string> entriesOf(FileSystem& fs, const std::string& folder) {
    try {
        return fs.listFolder(folder);
    } catch (const FileError&) {
        return {};
    }
}

// Forms, user controls and projects directly in the folder: the progress display's total.
std::size_t filesToConvert(const std::vector<std::string>& names) {
    return static_cast<std::size_t>(
        std::count_if(names.begin(), names.end(), [](const std::string& n) { return fileKindOfName(n).has_value(); }));
}

// The run takes any name ending in the three letters ("deploy_frm", "kubectl"); the command line
// says so, once per entry, before the run starts.
void warnAboutSuffixesWithoutDot(std::vector<std::string> names, Services& s) {
    sortInListingOrder(names);
    constexpr std::array<const char*, kFileKindCount> kKind{"a form", "a user control", "a project"};
    for (const auto& n : names) {
        const auto kind = fileKindOfName(n);
        if (!kind || (n.size() > 3 && n[n.size() - 4] == '.')) continue;
        s.err << "tavkonv40: warning: " << quotedName(n) << " will be converted as "
              << kKind[static_cast<std::size_t>(*kind)] << ": its name ends in '"
              << n.substr(n.size() < 3 ? 0 : n.size() - 3) << "' without a dot before it\n";
    }
}

// The exit status of a run, with the line that says why a refused run changed nothing.
int exitStatus(const RunResult& result, CliHost& host, bool reportWritten, RunMode mode, Services& s) {
    const int status = result.ending == RunEnding::Cancelled  ? kCancelled
                       : host.errors.empty() && reportWritten ? kCompleted
                                                              : kCompletedWithErrors;
    switch (result.refusal) {
        case RunRefusal::None: break;
        case RunRefusal::FolderBusy:
        case RunRefusal::InterruptedRun:
            s.err << "tavkonv40: the run did not start; nothing was changed\n";
            return kUsage;
        case RunRefusal::NoBackup:
            if (host.stopRequested()) {
                s.err << "tavkonv40: the backup copy was stopped; nothing was changed\n";
                return kCancelled;
            }
            s.err << (mode == RunMode::DryRun
                          ? "tavkonv40: a real run could make no complete backup and would change nothing\n"
                          : "tavkonv40: no complete backup could be made; nothing was changed\n");
            return kCompletedWithErrors;
    }
    return status;
}

}  // namespace

int runConversionCommand(const RunRequest& request, Services& s, FolderOutcome* outcome) {
    const bool dry = request.mode == RunMode::DryRun;
    const bool quiet = request.summary == SummaryOutput::Quiet;
    std::vector<std::string> names = entriesOf(s.fs, request.folder);
    warnAboutSuffixesWithoutDot(names, s);
    ProgressDisplay progress(s.err, quiet ? Terminal::No : s.errTerminal, filesToConvert(names));
    names.push_back(request.folder);
    CliHost host(s, progress, names);
    OverlayFileSystem overlay(s.fs);
    RunStatistics statistics;
    RunState state;
    state.statistics = &statistics;
    // What a check of the folder as the run left it (in memory, for a dry run) would find, for
    // the summary or the walk; a real run in a walk leaves the count to the walk's end. The run
    // keeps what the check needs of every file it finishes, so the check reads none of them again.
    const bool countAfter = outcome ? dry : !quiet;
    FolderFacts facts;
    if (countAfter) state.finished = &facts;
    RunEnvironment env{dry ? static_cast<FileSystem&>(overlay) : s.fs, host, request.options, s.clock};
    const RunResult result = RunConversion(env, state, request.folder);
    host.flushLog();
    progress.finish();

    if (dry) printDryRunDiffs(overlay.writes(), request.color, s);

    RunReport report;
    report.version = request.version;
    report.mode = request.mode;
    report.folder = request.folder;
    report.backupPath = result.backupPath;
    report.backupPlaced = result.backupPlaced && !dry;
    report.cancelled = result.ending == RunEnding::Cancelled;
    report.options = &request.options;
    report.statistics = &statistics;
    report.errors = host.errors;
    std::optional<FindingCounts> after;
    if (countAfter) after = countFindingsIfListed(env.fs, request.folder, &facts);
    if (!quiet) {
        std::vector<std::string> lines = summaryLines(report);
        if (after) lines.push_back(checkHintLine(*after, request.folder));
        if (const std::string advice = retryAdviceLine(report); !advice.empty()) lines.push_back(advice);
        for (const auto& l : lines) s.err << terminalLine(l, names) << '\n';
        s.err.flush();
    }
    // The report file and a recursive run's summary want the same document.
    const std::string json = !request.reportPath.empty() || outcome ? reportJson(report) : std::string();
    const bool reportWritten = request.reportPath.empty() || writeReport(s.fs, request.reportPath, json, s);

    const int status = exitStatus(result, host, reportWritten, request.mode, s);
    if (outcome) *outcome = {status, statistics.filesChanged(), host.errors.size(), after, json};
    return status;
}

}  // namespace tavkonv40::cli
