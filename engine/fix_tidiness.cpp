// A control file referenced a second time in one file loses the later line, and the empty lines
// that every run adds after "VERSION 5.00" and after a project's last reference line go.
#include <unordered_map>

#include "engine/fix_model.h"
#include "engine/text_util.h"

namespace tavkonv40::fix {

namespace {

void repeatedReferences(const check::CheckedFile& file, FileFixes& out) {
    std::unordered_map<std::string_view, std::size_t, check::NoCaseHash, check::NoCaseEqual> first;
    for (const auto& r : file.references) {
        const auto placed = first.emplace(r.file, r.line);
        if (!placed.second)
            out.remove(r.line, FindingKind::RepeatedReference,
                       "deleted the repeated reference line for " + std::string(r.file) + " (first on line " +
                           std::to_string(placed.first->second) + ")");
    }
}

void emptyRun(std::size_t from, std::size_t to, FileFixes& out) {
    for (std::size_t n = from; n < to; ++n)
        out.remove(n, FindingKind::EmptyLines,
                   n == from ? (to - from == 1 ? std::string("deleted an empty line")
                                               : "deleted " + std::to_string(to - from) + " empty lines")
                             : std::string());
}

void headerEmptyLines(const check::CheckedFile& file, FileFixes& out) {
    const auto& lines = *file.lines;
    for (std::size_t i = 0; i < file.headerLines;) {
        std::size_t j = i;
        while (j < file.headerLines && lines[j].empty()) ++j;
        if (j > i) emptyRun(i + 1, j + 1, out);
        i = j + 1;
    }
}

void projectEmptyLines(const check::CheckedFile& file, FileFixes& out) {
    const auto& lines = *file.lines;
    const std::size_t anchor = check::projectInsertionLine(file);
    if (!anchor) return;
    std::size_t j = anchor;
    while (j < lines.size() && lines[j].empty()) ++j;
    if (j > anchor) emptyRun(anchor + 1, j + 1, out);
}

}  // namespace

void fixTidiness(const check::CheckedFile& file, check::FolderContext&, FileFixes& out) {
    repeatedReferences(file, out);
    file.kind == FileKind::Project ? projectEmptyLines(file, out) : headerEmptyLines(file, out);
}

}  // namespace tavkonv40::fix
