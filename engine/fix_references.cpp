// A form's or user control's header gains the reference line of every current suite library its
// body uses without one, and a reference line for a 4.0 or 4.0L control file with another GUID
// becomes the catalogue's line.
#include "check_names.h"
#include "fix_model.h"
#include "text_util.h"

namespace tavkonv40::fix {

namespace {

using check::NameSite;
using check::NameStatus;

const ReferenceTables& tables() {
    static const ReferenceTables t = BuildReferenceTables();
    return t;
}

// New header lines go after the last reference line, else after "VERSION 5.00", else first.
std::size_t headerInsertionPoint(const check::CheckedFile& file) {
    if (!file.references.empty()) return file.references.back().line;
    const auto& lines = *file.lines;
    return !lines.empty() && startsWithNoCase(lines[0], "VERSION") ? 1 : 0;
}

void missingReferences(const check::CheckedFile& file, FileFixes& out) {
    check::NoCaseStringSet referenced;
    for (const auto& r : file.references) referenced.emplace(r.file);
    const std::size_t at = headerInsertionPoint(file);
    for (const auto& n : file.names) {
        if (n.site != NameSite::BeginLine) continue;
        const auto v = check::judgeLibrary(n.library);
        if (v.status != NameStatus::Current) continue;
        const std::string& needed = check::currentControlFile(*v.family, v.edition);
        if (!referenced.insert(needed).second) continue;
        out.insertAfter(at, tables().header(v.family->slot, v.edition), FindingKind::MissingReference,
                        "added the reference line for " + needed);
    }
}

void wrongGuids(const check::CheckedFile& file, FileFixes& out) {
    for (const auto& r : file.references) {
        const auto v = check::judgeControlFile(r.file);
        if (v.status != NameStatus::Current) continue;
        const auto expected = v.edition == Edition::V40 ? v.family->guid40 : v.family->guid40L;
        if (equalsNoCase(r.guid, expected)) continue;
        const auto& line = file.kind == FileKind::Project ? tables().project(v.family->slot, v.edition)
                                                          : tables().header(v.family->slot, v.edition);
        out.replace(r.line, line, FindingKind::WrongGuid,
                    "gave the reference line for " + std::string(r.file) + " the GUID {" + std::string(expected) + "}");
    }
}

}  // namespace

void fixReferences(const check::CheckedFile& file, check::FolderContext&, FileFixes& out) {
    if (file.kind != FileKind::Project) missingReferences(file, out);
    wrongGuids(file, out);
}

}  // namespace tavkonv40::fix
