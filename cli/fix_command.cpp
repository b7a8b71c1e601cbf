#include "cli/fix_command.h"

#include <nlohmann/json.hpp>

#include <map>
#include <optional>
#include <ostream>

#include "engine/overlay_file_system.h"
#include "engine/project_fix.h"

namespace tavkonv40::cli {

namespace {

std::string count(std::size_t n, const std::string& one, const std::string& many) {
    return std::to_string(n) + " " + (n == 1 ? one : many);
}

// "missing-reference 1, unknown-name 4": how many fixes answered each kind of finding.
std::string byKind(const FixPlan& plan) {
    std::map<std::string_view, std::size_t> kinds;
    for (const auto& f : plan.fixes) ++kinds[kindName(f.kind)];
    std::string text;
    for (const auto& [kind, n] : kinds)
        text += (text.empty() ? "" : ", ") + std::string(kind) + " " + std::to_string(n);
    return text.empty() ? "none" : text;
}

std::vector<std::string> summaryLines(const FixResult& r, bool dry, const std::vector<std::string>& errors) {
    const auto& plan = r.plan;
    if (r.ending == FixEnding::NothingToFix) return {dry ? "Dry run: nothing to fix" : "Fixes: nothing to fix"};
    std::string head = dry ? "Dry run: " + count(plan.fixes.size(), "fix", "fixes") + " in " +
                                 count(plan.files.size(), "file", "files") + " would be made"
                           : "Fixes" + std::string(r.ending == FixEnding::Cancelled ? " (cancelled)" : "") + ": " +
                                 count(plan.fixes.size(), "fix", "fixes") + " planned; " +
                                 count(r.filesWritten, "file", "files") + " of " + std::to_string(plan.files.size()) +
                                 " written";
    std::vector<std::string> lines{head, "  findings answered: " + byKind(plan),
                                   "  errors: " + std::to_string(errors.size())};
    if (!r.backupPath.empty())
        lines.push_back(std::string(dry              ? "  backup would go to: "
                                    : r.backupPlaced ? "  backup: "
                                                     : "  backup not placed: ") +
                        r.backupPath);
    if (r.ending == FixEnding::NoBackup || r.ending == FixEnding::Refused) lines.push_back("  nothing was changed");
    return lines;
}

std::string reportJson(const FixRequest& q, const FixResult& r, const std::vector<std::string>& errors,
                       const std::optional<FindingCounts>& after) {
    using nlohmann::json;
    const bool dry = q.mode == RunMode::DryRun;
    constexpr const char* kEndings[] = {"completed", "nothing-to-fix", "cancelled", "no-backup", "refused"};
    json j;
    j["tool"] = "tavkonv40";
    j["version"] = q.version;
    j["command"] = "check --fix";
    j["dry_run"] = dry;
    j["folder"] = q.folder;
    j["backup"] = r.backupPath.empty() ? json(nullptr) : json(r.backupPath);
    j["backup_placed"] = r.backupPlaced && !dry;
    j["ending"] = kEndings[static_cast<int>(r.ending)];
    json fixes = json::array();
    for (const auto& f : r.plan.fixes)
        fixes.push_back(
            {{"file", f.file}, {"line", f.line}, {"kind", kindName(f.kind)}, {"description", f.description}});
    j["fixes"] = fixes;
    j["files_planned"] = plannedFiles(r.plan);
    j["files_written"] = r.filesWritten;
    j["errors"] = errors;
    if (after) j["findings_left"] = {{"error", after->errors}, {"warning", after->warnings}, {"note", after->notes}};
    return j.dump(2, ' ', false, json::error_handler_t::replace) + "\n";
}

int exitStatus(const FixResult& r, const std::vector<std::string>& errors, bool reportWritten) {
    if (r.ending == FixEnding::Cancelled) return kCancelled;
    // As for a run: another run at work or an interrupted run's backup is a usage error.
    if (r.refusal == RunRefusal::FolderBusy || r.refusal == RunRefusal::InterruptedRun) return kUsage;
    return errors.empty() && r.ending != FixEnding::NoBackup && reportWritten ? kCompleted : kCompletedWithErrors;
}

}  // namespace

int runFixCommand(const FixRequest& q, Services& s, FolderOutcome* outcome) {
    const bool dry = q.mode == RunMode::DryRun;
    ProgressDisplay progress(s.err, Terminal::No, 0);
    std::vector<std::string> names;
    try {
        names = s.fs.listFolder(q.folder);
    } catch (const FileError&) {}
    names.push_back(q.folder);
    CliHost host(s, progress, names);
    OverlayFileSystem overlay(s.fs);
    FileSystem& fs = dry ? static_cast<FileSystem&>(overlay) : s.fs;
    FixResult result;
    try {
        result = RunFixes(fs, host, s.clock, q.folder);
    } catch (const FileError& e) {
        host.flushLog();
        s.err << "tavkonv40: cannot list " << e.path() << ": " << e.cause() << '\n';
        if (outcome) outcome->status = kUsage;
        return kUsage;
    }
    host.flushLog();
    if (dry) printDryRunDiffs(overlay.writes(), q.color, s);

    // A real fix in a walk leaves the count to the walk's end, as a run does.
    std::optional<FindingCounts> after;
    if (dry || !outcome) after = countFindingsIfListed(fs, q.folder);
    if (!q.quiet) {
        for (const auto& l : summaryLines(result, dry, host.errors)) s.err << l << '\n';
        if (after) s.err << checkHintLine(*after, q.folder) << '\n';
        s.err.flush();
    }
    const std::string json = reportJson(q, result, host.errors, after);
    const bool reportWritten = q.reportPath.empty() || writeReport(s.fs, q.reportPath, json, s);
    // A second Ctrl-C that stopped the backup copy ends the fixes as cancelled, as it ends a run.
    const int status = result.ending == FixEnding::NoBackup && host.stopRequested()
                           ? kCancelled
                           : exitStatus(result, host.errors, reportWritten);
    if (outcome)
        *outcome = {status, dry ? result.plan.files.size() : result.filesWritten, host.errors.size(), after, json};
    return status;
}

}  // namespace tavkonv40::cli
