#include "cli/recursive_command.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <ostream>

#include "engine/backup.h"
#include "engine/file_kind.h"
#include "engine/text_util.h"

namespace tavkonv40::cli {

namespace {

// Folders a walk never enters: what runs leave (dated backups, hidden staging copies, temporary
// files) and version-control data.
bool skipped(const std::string& name) {
    return name == ".git" || hasBackupPrefix(name) || name.rfind(".tavkonv40", 0) == 0;
}

void walk(FileReader& fs, const std::string& folder, std::vector<std::string>& found,
          std::vector<std::string>& unlisted, bool root) {
    std::vector<std::string> names;
    try {
        names = fs.listFolder(folder);
    } catch (const FileError& e) {
        if (root) throw;
        unlisted.push_back(folder + ": " + e.cause());
        return;
    }
    sortInListingOrder(names);
    bool holdsProjectFiles = false;
    std::vector<std::string> subfolders;
    for (const auto& name : names) {
        const std::string path = folder + "/" + name;
        if (fs.isFolder(path)) {
            if (!skipped(name)) subfolders.push_back(path);
        } else if (fileKindOfName(name)) {
            holdsProjectFiles = true;
        }
    }
    if (holdsProjectFiles) found.push_back(folder);
    for (const auto& sub : subfolders) walk(fs, sub, found, unlisted, false);
}

std::string findingsText(const FindingCounts& c) {
    return std::to_string(c.total()) + (c.total() == 1 ? " finding (" : " findings (") +
           std::to_string(c.aboveNotes()) + " above note level)";
}

// A check changes no file: its lines count findings only.
bool changesFiles(WalkKind kind) { return kind == WalkKind::Run || kind == WalkKind::Fix; }

std::string folderLine(WalkKind kind, const std::string& folder, const FolderOutcome& o) {
    std::string line = "  " + folder + ": ";
    if (changesFiles(kind)) {
        line += std::to_string(o.filesChanged) + (o.filesChanged == 1 ? " file changed, " : " files changed, ");
        line += std::to_string(o.errors) + (o.errors == 1 ? " error, " : " errors, ");
    }
    return line + findingsText(o.findings.value_or(FindingCounts{})) + (o.status == kCancelled ? ", cancelled" : "");
}

struct Done {
    std::string folder;
    FolderOutcome outcome;
};

// A project lists members in its subfolders, which the walk reaches after it: what a run or fix
// leaves is counted once every folder is done, each folder once.
void countAtTheEnd(FileReader& fs, std::vector<Done>& done) {
    for (auto& d : done)
        if (!d.outcome.findings) d.outcome.findings = countFindingsIfListed(fs, d.folder);
}

// A fix's report says what it left; in a walk that is known only at the end.
nlohmann::ordered_json folderReport(WalkKind kind, const Done& d) {
    auto report = nlohmann::ordered_json::parse(d.outcome.reportJson, nullptr, false);
    if (kind == WalkKind::Fix && report.is_object() && d.outcome.findings) {
        const FindingCounts& c = *d.outcome.findings;
        report["findings_left"] = {{"error", c.errors}, {"warning", c.warnings}, {"note", c.notes}};
    }
    return {{"folder", d.folder}, {"status", d.outcome.status}, {"report", report}};
}

struct Totals {
    std::size_t done = 0, filesChanged = 0, errors = 0;
    FindingCounts findings;
    int status = kCompleted;
    std::vector<std::string> problems;  // folders not searched, the walk cancelled
};

void add(Totals& t, const FolderOutcome& o) {
    ++t.done;
    t.filesChanged += o.filesChanged;
    t.errors += o.errors;
    const FindingCounts f = o.findings.value_or(FindingCounts{});
    t.findings.errors += f.errors;
    t.findings.warnings += f.warnings;
    t.findings.notes += f.notes;
    t.status = std::max(t.status, o.status);
}

void printSummary(WalkKind kind, std::size_t total, const Totals& t, const std::vector<std::string>& lines,
                  std::ostream& out) {
    constexpr const char* kTitles[] = {"Recursive run", "Recursive check", "Recursive check", "Recursive fix"};
    std::string head = std::string(kTitles[static_cast<int>(kind)]) + ": " + std::to_string(t.done) + " of " +
                       std::to_string(total) + (total == 1 ? " folder" : " folders") + "; ";
    if (changesFiles(kind))
        head += std::to_string(t.filesChanged) + (t.filesChanged == 1 ? " file changed, " : " files changed, ") +
                std::to_string(t.errors) + (t.errors == 1 ? " error; " : " errors; ");
    out << head << "check: " << findingsText(t.findings) << '\n';
    for (const auto& l : lines) out << l << '\n';
    out.flush();
}

// Runs the command on each folder until all are done or a cancel request has ended one.
std::vector<Done> walkFolders(const std::vector<std::string>& folders, WalkKind kind, Services& s,
                              const FolderCommand& command) {
    const bool json = kind == WalkKind::CheckJson;
    std::vector<Done> done;
    if (json) s.out << "[";
    for (std::size_t k = 0; k < folders.size() && !s.cancel.load(); ++k) {
        if (json)
            s.out << (k ? ",\n" : "\n");
        else
            s.out << "== Folder " << k + 1 << " of " << folders.size() << ": " << folders[k] << '\n';
        s.out.flush();
        done.push_back({folders[k], {}});
        done.back().outcome.status = command(folders[k], done.back().outcome);
    }
    if (json) s.out << "]\n";
    return done;
}

}  // namespace

std::vector<std::string> projectFolders(FileReader& fs, const std::string& root, std::vector<std::string>& unlisted) {
    std::vector<std::string> found;
    walk(fs, withoutTrailingSlash(root), found, unlisted, true);
    return found;
}

int runRecursive(const std::string& root, WalkKind kind, const std::string& reportPath, Services& s,
                 const FolderCommand& command) {
    std::vector<std::string> unlisted, folders;
    try {
        folders = projectFolders(s.fs, root, unlisted);
    } catch (const FileError& e) {
        s.err << "tavkonv40: cannot list " << e.path() << ": " << e.cause() << '\n';
        return kUsage;
    }
    Totals t;
    std::vector<std::string> lines;
    for (const auto& u : unlisted) {
        t.problems.push_back("not searched: " + u);
        lines.push_back("  " + t.problems.back());
        t.status = std::max<int>(t.status, kCompletedWithErrors);
    }
    std::vector<Done> done = walkFolders(folders, kind, s, command);
    countAtTheEnd(s.fs, done);
    nlohmann::ordered_json reports = nlohmann::ordered_json::array();
    for (const auto& d : done) {
        add(t, d.outcome);
        lines.push_back(folderLine(kind, d.folder, d.outcome));
        if (!reportPath.empty()) reports.push_back(folderReport(kind, d));
    }
    if (t.done < folders.size()) {
        t.problems.push_back("cancelled: " + std::to_string(folders.size() - t.done) + " folders not started");
        lines.push_back("  " + t.problems.back());
        t.status = std::max<int>(t.status, kCancelled);
    }
    const bool json = kind == WalkKind::CheckJson;
    // Standard output holds the JSON alone; standard error only what went wrong.
    if (json)
        for (const auto& p : t.problems) s.err << "tavkonv40: " << p << '\n';
    else
        printSummary(kind, folders.size(), t, lines, kind == WalkKind::Check ? s.out : s.err);
    if (!reportPath.empty()) {
        const nlohmann::ordered_json report = {
            {"tool", "tavkonv40"}, {"root", root}, {"status", t.status}, {"folders", reports}};
        if (!writeReport(s.fs, reportPath, report.dump(2, ' ', false, nlohmann::json::error_handler_t::replace) + "\n",
                         s))
            t.status = std::max<int>(t.status, kCompletedWithErrors);
    }
    return t.status;
}

}  // namespace tavkonv40::cli
