// A suite library used in a form body needs its control file's reference line in the header, and
// a reference line for a 4.0 or 4.0L control file must carry that file's GUID.
#include <array>

#include "engine/check_model.h"
#include "engine/check_names.h"
#include "engine/text_util.h"

namespace tavkonv40::check {

namespace {

const ReferenceTables& tables() {
    static const ReferenceTables t = BuildReferenceTables();
    return t;
}

void missingReferences(const CheckedFile& file, FileFindings& out) {
    NoCaseViewSet referenced;
    for (const auto& r : file.references) referenced.insert(r.file);
    NoCaseViewSet reported;
    // A form has hundreds of Begin lines and a few libraries: each family's edition is looked
    // up once, at its first Begin line, which is the one a finding names.
    std::array<bool, 2 * kFamilyCount> looked{};
    for (const auto& n : file.names) {
        if (n.site != NameSite::BeginLine) continue;
        const auto v = judgeLibrary(n.library);
        if (v.status != NameStatus::Current) continue;
        bool& seen = looked[static_cast<std::size_t>(v.family->slot) * 2 + (v.edition == Edition::V40L ? 1 : 0)];
        if (seen) continue;
        seen = true;
        const std::string& needed = currentControlFile(*v.family, v.edition);
        if (referenced.count(needed) || !reported.insert(needed).second) continue;
        out.add(
            n.line, Severity::Error, FindingKind::MissingReference,
            [&] {
                return "library " + std::string(n.library) + " is used, but the header has no reference line for " +
                       needed;
            },
            [&] { return "Add this line to the header: " + tables().header(v.family->slot, v.edition); });
    }
}

void wrongGuids(const CheckedFile& file, FileFindings& out) {
    for (const auto& r : file.references) {
        const auto v = judgeControlFile(r.file);
        if (v.status != NameStatus::Current) continue;
        const auto expected = v.edition == Edition::V40 ? v.family->guid40 : v.family->guid40L;
        if (equalsNoCase(r.guid, expected)) continue;
        out.add(
            r.line, Severity::Error, FindingKind::WrongGuid,
            [&] {
                return "the reference line for " + std::string(r.file) + " carries the GUID {" + std::string(r.guid) +
                       "}, not the control file's {" + std::string(expected) + "}";
            },
            [&] {
                const auto& line = file.kind == FileKind::Project ? tables().project(v.family->slot, v.edition)
                                                                  : tables().header(v.family->slot, v.edition);
                return "Replace the line with: " + line;
            });
    }
}

}  // namespace

void checkReferences(const CheckedFile& file, FileFindings& out) {
    if (file.kind != FileKind::Project) missingReferences(file, out);
    wrongGuids(file, out);
}

}  // namespace tavkonv40::check
