// A form's or user control's header gains the reference line of every current suite library its
// body uses without one; a reference line for a 4.0 or 4.0L control file with another GUID, and
// one naming a control file no edition has where the family and edition are plain (the 4.0L file
// of a family that exists only as 4.0, say), become the catalogue's line.
#include <optional>

#include "engine/check_names.h"
#include "engine/fix_model.h"
#include "engine/text_util.h"

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

const std::string& catalogueLine(const check::CheckedFile& file, const FamilyRecord& f, Edition e) {
    return file.kind == FileKind::Project ? tables().project(f.slot, e) : tables().header(f.slot, e);
}

struct Meant {
    const FamilyRecord* family;
    Edition edition;
    FindingKind kind;
};

// The control file a reference line means, when no conversion rule would still rewrite it and the
// name leaves no choice of family or edition.
std::optional<Meant> meantControlFile(const check::CheckedFile& file, std::string_view name) {
    const auto v = check::judgeControlFile(name);
    if (v.status == NameStatus::Current) return std::nullopt;
    if (file.kind == FileKind::Project ? check::projectLineRule(name) : check::headerLineRule(name))
        return std::nullopt;
    if (v.status == NameStatus::MissingEdition) return Meant{v.family, Edition::V40, FindingKind::UnknownName};
    if (v.status == NameStatus::Older)
        return v.family->offers40L == Offers40L::No ? std::optional(Meant{v.family, Edition::V40, FindingKind::OldName})
                                                    : std::nullopt;
    if (!endsWithNoCase(name, ".ocx")) return std::nullopt;
    const auto split = check::splitAtStem(name.substr(0, name.size() - 4));
    if (!split.family) return std::nullopt;
    const bool light = split.token == "40L" && split.family->offers40L == Offers40L::Yes;
    if (split.token != "40" && split.token != "40L") return std::nullopt;
    return Meant{split.family, light ? Edition::V40L : Edition::V40, FindingKind::UnknownName};
}

void unknownControlFiles(const check::CheckedFile& file, FileFixes& out) {
    for (const auto& r : file.references)
        if (const auto meant = meantControlFile(file, r.file)) {
            const auto& line = catalogueLine(file, *meant->family, meant->edition);
            out.replace(r.line, line, meant->kind,
                        "replaced the reference line for " + std::string(r.file) + " by the one for " +
                            check::currentControlFile(*meant->family, meant->edition));
        }
}

void wrongGuids(const check::CheckedFile& file, FileFixes& out) {
    for (const auto& r : file.references) {
        const auto v = check::judgeControlFile(r.file);
        if (v.status != NameStatus::Current) continue;
        const auto expected = v.edition == Edition::V40 ? v.family->guid40 : v.family->guid40L;
        if (equalsNoCase(r.guid, expected)) continue;
        out.replace(r.line, catalogueLine(file, *v.family, v.edition), FindingKind::WrongGuid,
                    "gave the reference line for " + std::string(r.file) + " the GUID {" + std::string(expected) + "}");
    }
}

}  // namespace

void fixReferences(const check::CheckedFile& file, check::FolderContext&, FileFixes& out) {
    if (file.kind != FileKind::Project) missingReferences(file, out);
    wrongGuids(file, out);
    unknownControlFiles(file, out);
}

}  // namespace tavkonv40::fix
