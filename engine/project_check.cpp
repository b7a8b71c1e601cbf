#include "project_check.h"

#include <algorithm>
#include <array>
#include <map>

#include "check_model.h"
#include "text_util.h"

namespace tavkonv40 {

namespace {

using check::Check;

// Every check the folder goes through; each appends its own kinds of finding.
constexpr std::array<Check, 4> kChecks = {{
    {"suite names", check::checkNames},
    {"reference lines", check::checkReferences},
    {"project lists", check::checkProjectLists},
    {"tidiness", check::checkTidiness},
}};

bool kindOf(std::string_view name, check::FileKind& kind) {
    const auto ext = lastThreeUpper(name);
    if (ext == "FRM") kind = check::FileKind::Form;
    else if (ext == "CTL") kind = check::FileKind::UserControl;
    else if (ext == "VBP") kind = check::FileKind::Project;
    else return false;
    return true;
}

}  // namespace

std::string_view severityName(Severity s) {
    switch (s) {
        case Severity::Error: return "error";
        case Severity::Warning: return "warning";
        case Severity::Note: return "note";
    }
    return "?";
}

std::string_view kindName(FindingKind k) {
    switch (k) {
        case FindingKind::UnknownName: return "unknown-name";
        case FindingKind::MissingReference: return "missing-reference";
        case FindingKind::WrongGuid: return "wrong-guid";
        case FindingKind::NotInProject: return "not-in-project";
        case FindingKind::UnusedInProject: return "unused-in-project";
        case FindingKind::OldName: return "old-name";
        case FindingKind::RepeatedReference: return "repeated-reference";
        case FindingKind::EmptyLines: return "empty-lines";
        case FindingKind::Unreadable: return "unreadable";
    }
    return "?";
}

std::vector<Finding> checkProject(FileSystem& fs, const std::string& folderPath) {
    const std::string base = withoutTrailingSlash(folderPath);
    auto names = fs.listFolder(base);
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        const auto la = check::lower(a), lb = check::lower(b);
        return la != lb ? la < lb : a < b;
    });

    std::vector<Finding> findings;
    check::CheckedFolder folder;
    for (const auto& name : names) {
        check::FileKind kind;
        if (!kindOf(name, kind)) continue;
        try {
            folder.files.push_back(check::parseFile(name, kind, fs.readFile(base + "/" + name)));
        } catch (const FileError& e) {
            findings.push_back({name, 0, Severity::Error, FindingKind::Unreadable, "cannot be read: " + e.cause(),
                                "Make the file readable and check again."});
        }
    }
    for (const auto& c : kChecks) c.run(folder, findings);

    std::map<std::string, std::size_t> order;
    for (std::size_t i = 0; i < names.size(); ++i) order.emplace(names[i], i);
    std::stable_sort(findings.begin(), findings.end(), [&](const Finding& a, const Finding& b) {
        const auto fa = order[a.file], fb = order[b.file];
        if (fa != fb) return fa < fb;
        return a.line < b.line;
    });
    return findings;
}

std::size_t countAboveNotes(const std::vector<Finding>& findings) {
    return static_cast<std::size_t>(std::count_if(findings.begin(), findings.end(),
                                                  [](const Finding& f) { return f.severity != Severity::Note; }));
}

std::string checkHintLine(FileSystem& fs, const std::string& folder) {
    std::vector<Finding> findings;
    try {
        findings = checkProject(fs, folder);
    } catch (const FileError&) {
        return {};
    }
    if (findings.empty()) return "check: no findings";
    std::string line = "check: " + std::to_string(findings.size()) + (findings.size() == 1 ? " finding (" : " findings (");
    line += std::to_string(countAboveNotes(findings)) + " above note level); run 'tavkonv40 check " + folder +
            "' to see them";
    return line;
}

}  // namespace tavkonv40
