// A project must list every control file its forms and user controls reference, and a suite
// control file it lists should be referenced by one of them.
#include <set>

#include "check_model.h"
#include "check_names.h"
#include "text_util.h"

namespace tavkonv40::check {

namespace {

// The forms and user controls of the folder that the project names; all of them when it names
// none of those present (a project whose member lines point elsewhere still owns this folder).
std::vector<const CheckedFile*> membersOf(const CheckedFile& project, const CheckedFolder& folder) {
    std::vector<const CheckedFile*> named, all;
    for (const auto& f : folder.files) {
        if (f.kind == FileKind::Project) continue;
        all.push_back(&f);
        for (const auto& m : project.members)
            if (equalsNoCase(m, f.name)) {
                named.push_back(&f);
                break;
            }
    }
    return named.empty() ? all : named;
}

std::string projectLineFor(const std::string& file) {
    static const ReferenceTables tables = BuildReferenceTables();
    const auto v = judgeControlFile(file);
    if (v.status == NameStatus::Current) return "Add this line to it: " + tables.project(v.family->slot, v.edition);
    return "Add an Object= line for " + file + " to it.";
}

void checkProject(const CheckedFile& project, const CheckedFolder& folder, Findings& out) {
    std::set<std::string> listed;
    for (const auto& r : project.references) listed.insert(lower(r.file));
    std::set<std::string> used;
    for (const auto* member : membersOf(project, folder)) {
        std::set<std::string> reported;
        for (const auto& r : member->references) {
            const auto key = lower(r.file);
            used.insert(key);
            if (listed.count(key) || !reported.insert(key).second) continue;
            out.push_back({member->name, r.line, Severity::Warning, FindingKind::NotInProject,
                           r.file + " is referenced here but not listed in " + project.name,
                           projectLineFor(r.file)});
        }
    }
    for (const auto& r : project.references) {
        if (!looksLikeSuiteName(r.file) || used.count(lower(r.file))) continue;
        out.push_back({project.name, r.line, Severity::Warning, FindingKind::UnusedInProject,
                       "no form or user control of the project references " + r.file,
                       "Remove the line unless the project's code needs the library."});
    }
}

}  // namespace

void checkProjectLists(const CheckedFolder& folder, Findings& out) {
    for (const auto& f : folder.files)
        if (f.kind == FileKind::Project) checkProject(f, folder, out);
}

}  // namespace tavkonv40::check
