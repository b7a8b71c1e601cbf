#include "run_command.h"

#include <algorithm>
#include <array>
#include <ostream>

#include "conversion_run.h"
#include "file_kind.h"
#include "overlay_file_system.h"
#include "progress_display.h"
#include "project_check.h"
#include "run_statistics.h"
#include "terminal_text.h"
#include "text_util.h"

namespace tavkonv40::cli {

namespace {

// The log goes to standard output as the run writes it: raw when that is a file or a pipe (the
// log's exact text), with names quoted on a terminal. Standard error always gets quoted names.
class CliHost : public RunHost {
public:
    CliHost(Services& s, ProgressDisplay& progress, const std::vector<std::string>& names)
        : s_(s), progress_(progress), names_(names) {}

    void appendLog(std::string_view line, LogLineKind kind) override {
        progress_.beforeLogLine();
        s_.out << (s_.outTerminal == Terminal::Yes ? terminalLine(line, names_) : std::string(line)) << '\n';
        s_.out.flush();
        // A log nobody can read any more (a closed pipe, a full device) is a request to stop:
        // the run ends through its cancelled ending, its backup in place.
        if (!s_.out) outputLost = true;
        if (kind == LogLineKind::Error) {
            errors.emplace_back(line);
            s_.err << terminalLine(line, names_) << '\n';
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
    const std::vector<std::string>& names_;
};

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
        s.err << "tavkonv40: warning: " << quotedName(n) << " will be converted as " << kKind[static_cast<std::size_t>(*kind)]
              << ": its name ends in '" << n.substr(n.size() < 3 ? 0 : n.size() - 3) << "' without a dot before it\n";
    }
}

// Returns false when the report could not be written (the message is printed).
bool writeReport(FileSystem& fs, const std::string& path, const std::string& json, Services& s) {
    try {
        if (fs.entryInfo(path).type == EntryType::Missing)
            fs.createFile(path, json);
        else
            fs.writeFile(path, json);
        return true;
    } catch (const FileError& e) {
        s.err << "tavkonv40: cannot write the report " << quotedName(e.path()) << ": " << e.cause() << '\n';
        return false;
    }
}

// The dry run's diffs, files in listing order.
void printDiffs(const OverlayFileSystem& overlay, FileSystem& disk, DiffColor color, std::ostream& out) {
    std::vector<const std::pair<const std::string, std::string>*> writes;
    for (const auto& w : overlay.writes()) writes.push_back(&w);
    std::stable_sort(writes.begin(), writes.end(), [](auto* a, auto* b) { return listingOrder(a->first, b->first); });
    const DiffStyle style{color};
    for (const auto* w : writes) {
        const auto& [path, bytes] = *w;
        std::string before;
        try {
            before = disk.readFile(path);
        } catch (const FileError&) {
        }
        out << unifiedDiff(path.substr(path.find_last_of('/') + 1), before, bytes, style);
    }
    out.flush();
}

}  // namespace

int runConversionCommand(const RunRequest& request, Services& s) {
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
    RunEnvironment env{dry ? static_cast<FileSystem&>(overlay) : s.fs, host, request.options, s.clock};
    const RunResult result = RunConversion(env, state, request.folder);
    progress.finish();

    // Every write of a dry run went to the overlay; the disk still holds each file as it was.
    if (dry) printDiffs(overlay, s.fs, request.color, s.out);

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
        for (const auto& l : lines) s.err << terminalLine(l, names) << '\n';
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
