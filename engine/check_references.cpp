// A suite library used in a form body needs its control file's reference line in the header, and
// a reference line for a 4.0 or 4.0L control file must carry that file's GUID.
#include <set>

#include "check_model.h"
#include "check_names.h"
#include "text_util.h"

namespace tavkonv40::check {

namespace {

const ReferenceTables& tables() {
    static const ReferenceTables t = BuildReferenceTables();
    return t;
}

void missingReferences(const CheckedFile& file, Findings& out) {
    std::set<std::string> referenced;
    for (const auto& r : file.references) referenced.insert(lower(r.file));
    std::set<std::string> reported;
    for (const auto& n : file.names) {
        if (n.site != NameSite::BeginLine) continue;
        const auto v = judgeLibrary(n.library);
        if (v.status != NameStatus::Current) continue;
        const std::string needed = currentControlFile(*v.family, v.edition);
        if (referenced.count(lower(needed)) || !reported.insert(lower(needed)).second) continue;
        out.push_back({file.name, n.line, Severity::Error, FindingKind::MissingReference,
                       "library " + n.library + " is used, but the header has no reference line for " + needed,
                       "Add this line to the header: " + tables().header(v.family->slot, v.edition)});
    }
}

void wrongGuids(const CheckedFile& file, Findings& out) {
    for (const auto& r : file.references) {
        const auto v = judgeControlFile(r.file);
        if (v.status != NameStatus::Current) continue;
        const auto expected = v.edition == Edition::V40 ? v.family->guid40 : v.family->guid40L;
        if (equalsNoCase(r.guid, expected)) continue;
        const auto& line = file.kind == FileKind::Project ? tables().project(v.family->slot, v.edition)
                                                          : tables().header(v.family->slot, v.edition);
        out.push_back({file.name, r.line, Severity::Error, FindingKind::WrongGuid,
                       "the reference line for " + r.file + " carries the GUID {" + r.guid +
                           "}, not the control file's {" + std::string(expected) + "}",
                       "Replace the line with: " + line});
    }
}

}  // namespace

void checkReferences(const CheckedFolder& folder, Findings& out) {
    for (const auto& file : folder.files) {
        if (file.kind != FileKind::Project) missingReferences(file, out);
        wrongGuids(file, out);
    }
}

}  // namespace tavkonv40::check
