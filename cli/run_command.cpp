#include "run_command.h"

#include <ostream>

#include "conversion_run.h"
#include "file_kind.h"
#include "overlay_file_system.h"
#include "progress_display.h"
#include "project_check.h"
#include "run_statistics.h"
#include "text_util.h"

namespace tavkonv40::cli {

namespace {

class CliHost : public RunHost {
public:
    CliHost(Services& s, ProgressDisplay& progress) : s_(s), progress_(progress) {}

    void appendLog(std::string_view line, LogLineKind kind) override {
        progress_.beforeLogLine();
        s_.out << line << '\n';
        s_.out.flush();
        // A log nobody can read any more (a closed pipe, a full device) is a request to stop:
        // the run ends through its cancelled ending, its backup in place.
        if (!s_.out) outputLost = true;
        if (kind == LogLineKind::Error) {
            errors.emplace_back(line);
            s_.err << line << '\n';
            s_.err.flush();
        }
        progress_.afterLogLine(line);
        if (s_.onLine) s_.onLine(std::string(line), s_.onLineContext);
    }
    bool cancelRequested() const override { return s_.cancel.load() || outputLost; }
    bool stopRequested() const override { return s_.stop && s_.stop->load(); }

    std::vector<std::string> errors;
    bool outputLost = false;

private:
    Services& s_;
    ProgressDisplay& progress_;
};

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

// Returns false when the report could not be written (the message is printed).
bool writeReport(FileSystem& fs, const std::string& path, const std::string& json, Services& s) {
    try {
        try {
            fs.writeFile(path, json);
        } catch (const FileError&) {
            fs.createFile(path, json);
        }
        return true;
    } catch (const FileError& e) {
        s.err << "tavkonv40: cannot write the report " << e.what() << '\n';
        return false;
    }
}

}  // namespace

int runConversionCommand(const RunRequest& request, Services& s) {
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

    if (dry) {
        // Every write went to the overlay; the disk still holds each file as it was.
        const DiffStyle style{request.color};
        for (const auto& [path, bytes] : overlay.writes()) {
            std::string before;
            try {
                before = s.fs.readFile(path);
            } catch (const FileError&) {
            }
            s.out << unifiedDiff(std::string(fileNameOf(path)), before, bytes, style);
        }
        s.out.flush();
    }

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
    if (!quiet) {
        std::vector<std::string> lines = summaryLines(report);
        // What a check of the folder as the run left it (in memory, for a dry run) would find.
        const std::string hint = checkHintLine(env.fs, request.folder);
        if (!hint.empty()) lines.push_back(hint);
        for (const auto& l : lines) s.err << l << '\n';
        s.err.flush();
    }
    const bool reportWritten =
        request.reportPath.empty() || writeReport(s.fs, request.reportPath, reportJson(report), s);

    switch (result.refusal) {
    case RunRefusal::None:
        break;
    case RunRefusal::FolderBusy:
    case RunRefusal::InterruptedRun:
        s.err << "tavkonv40: the run did not start; nothing was changed\n";
        return kUsage;
    case RunRefusal::NoBackup:
        if (host.stopRequested()) {
            s.err << "tavkonv40: the backup copy was stopped; nothing was changed\n";
            return kCancelled;
        }
        s.err << (dry ? "tavkonv40: a real run could make no complete backup and would change nothing\n"
                      : "tavkonv40: no complete backup could be made; nothing was changed\n");
        return kCompletedWithErrors;
    }
    if (result.ending == RunEnding::Cancelled) return kCancelled;
    return host.errors.empty() && reportWritten ? kCompleted : kCompletedWithErrors;
}

}  // namespace tavkonv40::cli
