#include "cli/command_support.h"

#include <algorithm>
#include <ostream>

#include "engine/conversion_run.h"
#include "cli/terminal_text.h"
#include "engine/text_util.h"

namespace tavkonv40::cli {

namespace {

// How much of the log a file or a pipe gets per write.
constexpr std::size_t kLogChunk = 64 * 1024;

}  // namespace

// The log goes to standard output: raw when that is a file or a pipe (the log's exact text), with
// names quoted on a terminal. Standard error always gets quoted names.
void CliHost::appendLog(std::string_view line, LogLineKind kind) {
    progress_.beforeLogLine();
    if (s_.outTerminal == Terminal::Yes) {
        pending_ += terminalLine(line, names_);
    } else {
        pending_ += line;
    }
    pending_ += '\n';
    if (s_.outTerminal == Terminal::Yes || !anyWritten_ || pending_.size() >= kLogChunk) flushLog();
    if (kind == LogLineKind::Error) {
        flushLog();
        errors.emplace_back(line);
        s_.err << terminalLine(line, names_) << '\n';
        s_.err.flush();
    }
    progress_.afterLogLine(line);
    if (s_.onLine) s_.onLine(std::string(line));
}

void CliHost::flushLog() {
    if (pending_.empty()) return;
    s_.out << pending_;
    s_.out.flush();
    pending_.clear();
    anyWritten_ = true;
    // A log nobody can read any more (a closed pipe, a full device) is a request to stop: the run
    // ends through its cancelled ending, its backup in place.
    if (!s_.out) outputLost = true;
}

void printDryRunDiffs(const std::map<std::string, std::string>& writes, DiffColor color, Services& s) {
    // Every write went to the in-memory store; the disk still holds each file as it was.
    std::vector<const std::pair<const std::string, std::string>*> inOrder;
    for (const auto& w : writes) inOrder.push_back(&w);
    std::stable_sort(inOrder.begin(), inOrder.end(), [](auto* a, auto* b) { return listingOrder(a->first, b->first); });
    const DiffStyle style{color};
    for (const auto* w : inOrder) {
        const auto& [path, bytes] = *w;
        std::string before;
        try {
            before = s.fs.readFile(path);
        } catch (const FileError&) {}
        s.out << unifiedDiff(std::string(fileNameOf(path)), before, bytes, style);
    }
    s.out.flush();
}

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

std::optional<FindingCounts> countFindingsIfListed(FileReader& fs, const std::string& folder, FolderFacts* known) {
    try {
        return known ? countFindings(fs, folder, *known) : countFindings(fs, folder);
    } catch (const FileError&) {
        return std::nullopt;
    }
}

}  // namespace tavkonv40::cli
