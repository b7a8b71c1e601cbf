// A project gains an Object= line for every control file its forms and user controls reference
// but it does not list: the catalogue's line for a 4.0 or 4.0L suite file, else the members' own
// header line in the project's form. Members that disagree about a file's line leave it alone.
#include <map>
#include <optional>

#include "engine/check_names.h"
#include "engine/fix_model.h"
#include "engine/text_util.h"

namespace tavkonv40::fix {

namespace {

using check::NameStatus;

// Object = "{GUID}#1.0#0"; "file"  gives  Object={GUID}#1.0#0; file
std::optional<std::string> projectFormOf(std::string_view headerLine) {
    const auto eq = headerLine.find('=');
    const auto open = headerLine.find('"', eq);
    if (eq == std::string_view::npos || open == std::string_view::npos) return std::nullopt;
    const auto close = headerLine.find('"', open + 1);
    const auto fileClose = headerLine.rfind('"');
    const auto fileOpen = fileClose == std::string_view::npos || fileClose == 0 ? std::string_view::npos
                                                                                : headerLine.rfind('"', fileClose - 1);
    if (close == std::string_view::npos || fileOpen == std::string_view::npos || fileOpen <= close) return std::nullopt;
    return "Object=" + std::string(headerLine.substr(open + 1, close - open - 1)) + "; " +
           std::string(headerLine.substr(fileOpen + 1, fileClose - fileOpen - 1));
}

std::optional<std::string> projectLineFor(const check::MemberReference& r) {
    static const ReferenceTables tables = BuildReferenceTables();
    const auto v = check::judgeControlFile(r.file);
    if (v.status == NameStatus::Current) return tables.project(v.family->slot, v.edition);
    return projectFormOf(r.line);
}

// After the last Object= line, else after the last Reference= line, else after the first line.
std::size_t insertionPoint(const check::CheckedFile& project) {
    if (!project.references.empty()) return project.references.back().line;
    const auto& lines = *project.lines;
    std::size_t at = lines.empty() ? 0 : 1;
    for (std::size_t i = 0; i < lines.size(); ++i)
        if (startsWithNoCase(lines[i], "Reference=")) at = i + 1;
    return at;
}

}  // namespace

void fixProjectLists(const check::CheckedFile& file, check::FolderContext& folder, FileFixes& out) {
    if (file.kind != FileKind::Project) return;
    check::NoCaseStringSet listed;
    for (const auto& r : file.references) listed.emplace(r.file);
    // Per missing file, the line to add; none when two members disagree.
    std::map<std::string, std::optional<std::string>> wanted;
    std::vector<std::string> order;
    for (const auto& r : folder.memberReferences(file.name)) {
        if (listed.count(r.file)) continue;
        std::string key(r.file);
        for (char& c : key) c = asciiUpper(c);
        const auto line = projectLineFor(r);
        const auto [it, added] = wanted.emplace(key, line);
        if (added)
            order.push_back(key);
        else if (it->second && (!line || !equalsNoCase(*it->second, *line)))
            it->second.reset();
    }
    const std::size_t at = insertionPoint(file);
    for (const auto& key : order)
        if (const auto& line = wanted[key])
            out.insertAfter(at, *line, FindingKind::NotInProject,
                            "added the Object= line for " + line->substr(line->rfind("; ") + 2));
}

}  // namespace tavkonv40::fix
