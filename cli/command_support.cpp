#include "command_support.h"

#include <ostream>

namespace tavkonv40::cli {

void CliHost::appendLog(std::string_view line, LogLineKind kind) {
    progress_.beforeLogLine();
    s_.out << line << '\n';
    s_.out.flush();
    // A log nobody can read any more (a closed pipe, a full device) is a request to stop: the run
    // ends through its cancelled ending, its backup in place.
    if (!s_.out) outputLost = true;
    if (kind == LogLineKind::Error) {
        errors.emplace_back(line);
        s_.err << line << '\n';
        s_.err.flush();
    }
    progress_.afterLogLine(line);
    if (s_.onLine) s_.onLine(std::string(line), s_.onLineContext);
}

void printDryRunDiffs(const std::map<std::string, std::string>& writes, DiffColor color, Services& s) {
    // Every write went to the in-memory store; the disk still holds each file as it was.
    const DiffStyle style{color};
    for (const auto& [path, bytes] : writes) {
        std::string before;
        try {
            before = s.fs.readFile(path);
        } catch (const FileError&) {
        }
        s.out << unifiedDiff(path.substr(path.find_last_of('/') + 1), before, bytes, style);
    }
    s.out.flush();
}

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

}  // namespace tavkonv40::cli
