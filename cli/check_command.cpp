#include "check_command.h"

#include <nlohmann/json.hpp>

#include <ostream>

#include "project_check.h"

namespace tavkonv40::cli {

namespace {

std::string location(const Finding& f) {
    return f.line == 0 ? f.file : f.file + ":" + std::to_string(f.line);
}

void printText(const std::vector<Finding>& findings, std::ostream& out) {
    std::size_t counts[3] = {};
    const std::string* previousFile = nullptr;
    for (const auto& f : findings) {
        if (previousFile && *previousFile != f.file) out << '\n';
        previousFile = &f.file;
        out << location(f) << ": " << severityName(f.severity) << ": " << f.message << " \xE2\x80\x94 " << f.advice
            << '\n';
        ++counts[static_cast<int>(f.severity)];
    }
    if (!findings.empty()) out << '\n';
    if (findings.empty()) {
        out << "check: no findings\n";
        return;
    }
    out << "check: " << counts[0] << (counts[0] == 1 ? " error, " : " errors, ") << counts[1]
        << (counts[1] == 1 ? " warning, " : " warnings, ") << counts[2] << (counts[2] == 1 ? " note\n" : " notes\n");
}

void printJson(const std::string& folder, const std::vector<Finding>& findings, std::ostream& out) {
    nlohmann::json list = nlohmann::json::array();
    nlohmann::json counts = {{"error", 0}, {"warning", 0}, {"note", 0}};
    for (const auto& f : findings) {
        // Files are bytes; names and lines that are not UTF-8 are passed on with U+FFFD.
        list.push_back({{"file", f.file},
                        {"line", f.line},
                        {"severity", severityName(f.severity)},
                        {"kind", kindName(f.kind)},
                        {"message", f.message},
                        {"advice", f.advice}});
        counts[std::string(severityName(f.severity))] = counts[std::string(severityName(f.severity))].get<int>() + 1;
    }
    const nlohmann::json doc = {{"folder", folder}, {"findings", list}, {"counts", counts}};
    out << doc.dump(2, ' ', false, nlohmann::json::error_handler_t::replace) << '\n';
}

}  // namespace

int runCheck(const std::string& folder, bool json, Services& s) {
    std::vector<Finding> findings;
    try {
        findings = checkProject(s.fs, folder);
    } catch (const FileError& e) {
        s.err << "tavkonv40: cannot list " << e.path() << ": " << e.cause() << '\n';
        return kUsage;
    }
    if (json)
        printJson(folder, findings, s.out);
    else
        printText(findings, s.out);
    return countAboveNotes(findings) > 0 ? 1 : 0;
}

}  // namespace tavkonv40::cli
