// Leftovers that Visual Basic tolerates or that only clutter: a control file referenced twice in
// one file, and the empty lines every run adds after "VERSION 5.00" and after a project's last
// reference line.
#include <unordered_map>

#include "engine/check_model.h"
#include "engine/text_util.h"

namespace tavkonv40::check {

namespace {

void repeatedReferences(const CheckedFile& file, FileFindings& out) {
    std::unordered_map<std::string_view, std::size_t, NoCaseHash, NoCaseEqual> first;
    for (const auto& r : file.references) {
        const auto placed = first.emplace(r.file, r.line);
        if (placed.second) continue;
        const std::size_t firstLine = placed.first->second;
        out.add(
            r.line, Severity::Warning, FindingKind::RepeatedReference,
            [&] {
                return std::string(r.file) + " is referenced again (first on line " + std::to_string(firstLine) + ")";
            },
            [] { return std::string("Delete this line."); });
    }
}

void emptyRun(std::size_t first, std::size_t count, std::string_view where, FileFindings& out) {
    out.add(
        first, Severity::Note, FindingKind::EmptyLines,
        [&] {
            std::string message = count == 1 ? "an empty line " : std::to_string(count) + " empty lines ";
            message += where;
            return message;
        },
        [] { return std::string("Harmless (every conversion run adds one); delete them to tidy the file."); });
}

void headerEmptyLines(const CheckedFile& file, FileFindings& out) {
    const auto& lines = *file.lines;
    for (std::size_t i = 0; i < file.headerLines;) {
        if (!lines[i].empty()) {
            ++i;
            continue;
        }
        std::size_t j = i;
        while (j < file.headerLines && lines[j].empty()) ++j;
        emptyRun(i + 1, j - i, "in the header", out);
        i = j;
    }
}

void projectEmptyLines(const CheckedFile& file, FileFindings& out) {
    const auto& lines = *file.lines;
    const std::size_t anchor = projectInsertionLine(file);
    if (!anchor) return;
    std::size_t j = anchor;
    while (j < lines.size() && lines[j].empty()) ++j;
    if (j > anchor) emptyRun(anchor + 1, j - anchor, "after the last reference line", out);
}

}  // namespace

void checkTidiness(const CheckedFile& file, FileFindings& out) {
    repeatedReferences(file, out);
    file.kind == FileKind::Project ? projectEmptyLines(file, out) : headerEmptyLines(file, out);
}

}  // namespace tavkonv40::check
