#include "run_command.h"

#include <optional>
#include <ostream>

#include "command_support.h"
#include "conversion_run.h"
#include "file_kind.h"
#include "overlay_file_system.h"
#include "progress_display.h"
#include "project_check.h"
#include "run_statistics.h"

namespace tavkonv40::cli {

namespace {

// Forms, user controls and projects directly in the folder: the progress display's total.
std::size_t filesToConvert(FileSystem& fs, const std::string& folder) {
    try {
        std::size_t n = 0;
        for (const auto& name : fs.listFolder(folder))
            if (fileKindOfName(name)) ++n;
        return n;
    } catch (const FileError&) {
        return 0;
    }
}

}  // namespace

int runConversionCommand(const RunRequest& request, Services& s, FolderOutcome* outcome) {
    const bool dry = request.mode == RunMode::DryRun;
    const bool quiet = request.summary == SummaryOutput::Quiet;
    ProgressDisplay progress(s.err, quiet ? Terminal::No : s.errTerminal,
                             filesToConvert(s.fs, request.folder));
    CliHost host(s, progress);
    OverlayFileSystem overlay(s.fs);
    RunStatistics statistics;
    RunState state;
    state.statistics = &statistics;
    RunEnvironment env{dry ? static_cast<FileSystem&>(overlay) : s.fs, host, request.options, s.clock};
    const RunResult result = RunConversion(env, state, request.folder);
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
    // What a check of the folder as the run left it (in memory, for a dry run) would find.
    std::optional<FindingCounts> after;
    try {
        after = countFindings(env.fs, request.folder);
    } catch (const FileError&) {
    }
    if (!quiet) {
        std::vector<std::string> lines = summaryLines(report);
        if (after) lines.push_back(checkHintLine(*after, request.folder));
        for (const auto& l : lines) s.err << l << '\n';
        s.err.flush();
    }
    const bool reportWritten =
        request.reportPath.empty() || writeReport(s.fs, request.reportPath, reportJson(report), s);

    int status = result.ending == RunEnding::Cancelled ? kCancelled
                 : host.errors.empty() && reportWritten ? kCompleted
                                                         : kCompletedWithErrors;
    switch (result.refusal) {
    case RunRefusal::None:
        break;
    case RunRefusal::FolderBusy:
    case RunRefusal::InterruptedRun:
        s.err << "tavkonv40: the run did not start; nothing was changed\n";
        status = kUsage;
        break;
    case RunRefusal::NoBackup:
        if (host.stopRequested()) {
            s.err << "tavkonv40: the backup copy was stopped; nothing was changed\n";
            status = kCancelled;
            break;
        }
        s.err << (dry ? "tavkonv40: a real run could make no complete backup and would change nothing\n"
                      : "tavkonv40: no complete backup could be made; nothing was changed\n");
        status = kCompletedWithErrors;
        break;
    }
    if (outcome) *outcome = {status, statistics.filesChanged(), host.errors.size(), after.value_or(FindingCounts{}),
                             reportJson(report)};
    return status;
}

}  // namespace tavkonv40::cli
