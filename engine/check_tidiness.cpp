// Leftovers that Visual Basic tolerates or that only clutter: a control file referenced twice in
// one file, and the empty lines every run adds after "VERSION 5.00" and after a project's last
// reference line.
#include <map>

#include "check_model.h"
#include "text_util.h"

namespace tavkonv40::check {

namespace {

void repeatedReferences(const CheckedFile& file, Findings& out) {
    std::map<std::string, std::size_t> first;
    for (const auto& r : file.references) {
        const auto [it, isNew] = first.emplace(lower(r.file), r.line);
        if (isNew) continue;
        out.push_back({file.name, r.line, Severity::Warning, FindingKind::RepeatedReference,
                       r.file + " is referenced again (first on line " + std::to_string(it->second) + ")",
                       "Delete this line."});
    }
}

void emptyRun(const CheckedFile& file, std::size_t first, std::size_t count, std::string_view where,
              Findings& out) {
    std::string message = count == 1 ? "an empty line " : std::to_string(count) + " empty lines ";
    message += where;
    out.push_back({file.name, first, Severity::Note, FindingKind::EmptyLines, std::move(message),
                   "Harmless (every conversion run adds one); delete them to tidy the file."});
}

void headerEmptyLines(const CheckedFile& file, Findings& out) {
    for (std::size_t i = 0; i < file.headerLines;) {
        if (!file.lines[i].empty()) {
            ++i;
            continue;
        }
        std::size_t j = i;
        while (j < file.headerLines && file.lines[j].empty()) ++j;
        emptyRun(file, i + 1, j - i, "in the header", out);
        i = j;
    }
}

// Where the project step inserts: after the last "Object={" line, else the last "Reference=" line.
void projectEmptyLines(const CheckedFile& file, Findings& out) {
    std::size_t anchor = 0;
    for (std::string_view key : {"Object={", "Reference="}) {
        for (std::size_t i = 0; i < file.lines.size(); ++i)
            if (containsNoCase(file.lines[i], key)) anchor = i + 1;
        if (anchor) break;
    }
    if (!anchor) return;
    std::size_t j = anchor;
    while (j < file.lines.size() && file.lines[j].empty()) ++j;
    if (j > anchor) emptyRun(file, anchor + 1, j - anchor, "after the last reference line", out);
}

}  // namespace

void checkTidiness(const CheckedFolder& folder, Findings& out) {
    for (const auto& file : folder.files) {
        repeatedReferences(file, out);
        file.kind == FileKind::Project ? projectEmptyLines(file, out) : headerEmptyLines(file, out);
    }
}

}  // namespace tavkonv40::check
