// A project must list every control file its forms and user controls reference, and a suite
// control file it lists should be referenced by one of them. Which files a project owns, and what
// they reference, the folder context knows: the files are checked one at a time.
#include "engine/check_model.h"
#include "engine/check_names.h"
#include "engine/text_util.h"

namespace tavkonv40::check {

namespace {

std::string projectLineFor(std::string_view file) {
    static const ReferenceTables tables = BuildReferenceTables();
    const auto v = judgeControlFile(file);
    if (v.status == NameStatus::Current) return "Add this line to it: " + tables.project(v.family->slot, v.edition);
    return "Add an Object= line for " + std::string(file) + " to it.";
}

void notInProject(const CheckedFile& member, const ProjectSummary& project, FileFindings& out) {
    NoCaseViewSet reported;
    for (const auto& r : member.references) {
        if (project.listed.count(r.file) || !reported.insert(r.file).second) continue;
        out.add(
            r.line, Severity::Warning, FindingKind::NotInProject,
            [&] { return std::string(r.file) + " is referenced here but not listed in " + project.name; },
            [&] { return projectLineFor(r.file); });
    }
}

// NeedsConverting: an older edition's name is still there, which a run on its folder converts.
// NeedsChecking: converted, yet a name still needs fixing or a person's eye.
enum class MemberState { Unreadable, Settled, NeedsConverting, NeedsChecking };

// Reads a member as a form and judges its suite names: settled when none needs converting or
// fixing. The control files its header references count as used by the project.
MemberState readMemberNames(std::string_view path, FileKind kind, FolderContext& folder, NoCaseStringSet& used) {
    auto bytes = folder.readMember(path);
    if (!bytes) return MemberState::Unreadable;
    const TextFile text(std::move(*bytes));
    CheckedFile member;
    member.name = path;
    parseFile(text, kind, member);
    for (const auto& r : member.references) used.emplace(r.file);
    FileFindings names(member.name, FindingDetail::CountsOnly);
    checkNames(member, names);
    if (names.counts().aboveNotes() == 0) return MemberState::Settled;
    return names.has(FindingKind::OldName) ? MemberState::NeedsConverting : MemberState::NeedsChecking;
}

// How a member in another folder stands: settled when it can be read there and holds no suite
// name that still needs converting or fixing.
MemberState memberElsewhere(const ProjectMember& m, FolderContext& folder, NoCaseStringSet& used) {
    const auto kind = fileKindOfName(m.path);
    if (!kind || *kind == FileKind::Project) return MemberState::NeedsConverting;
    return readMemberNames(m.path, *kind, folder, used);
}

// Property pages and user documents read like forms, but a run converts none of them.
void unconvertedPages(const CheckedFile& project, FolderContext& folder, NoCaseStringSet& used, FileFindings& out) {
    for (const auto& m : project.pages) {
        const auto state = readMemberNames(m.path, FileKind::Form, folder, used);
        if (state == MemberState::Unreadable || state == MemberState::Settled) continue;
        out.add(
            m.line, Severity::Warning, FindingKind::UnconvertedMember,
            [&] {
                return "member " + std::string(m.path) +
                       " names suite controls that need converting, and no run converts property pages or user "
                       "documents";
            },
            [] {
                return std::string(
                    "Replace its older suite names by hand, as a run does in forms (header lines, Begin lines and "
                    "code).");
            });
    }
}

// A run converts only the files directly in the folder it is given: a member elsewhere keeps its
// older names while the project's lines change, until its own folder is converted too. Returns
// whether the project has such a member that is not settled.
bool membersElsewhere(const CheckedFile& project, FolderContext& folder, NoCaseStringSet& used, FileFindings& out) {
    bool any = false;
    for (const auto& m : project.members) {
        if (!memberHere(m.path).empty()) continue;
        const auto state = memberElsewhere(m, folder, used);
        if (state == MemberState::Settled) continue;
        any = true;
        // Another run would convert nothing there: what is left, that folder's own check shows.
        if (state == MemberState::NeedsChecking) {
            out.add(
                m.line, Severity::Warning, FindingKind::MemberElsewhere,
                [&] { return "member " + std::string(m.path) + " lies in another folder and has findings of its own"; },
                [&] { return "Check that folder: tavkonv40 check " + shellQuoted(folder.memberFolder(m.path)); });
            continue;
        }
        out.add(
            m.line, Severity::Warning, FindingKind::MemberElsewhere,
            [&] {
                return "member " + std::string(m.path) +
                       " lies in another folder, which a run on this folder does not convert";
            },
            [] {
                return std::string(
                    "Convert that folder too, with the same options (--recursive on a folder above both converts "
                    "every folder of the tree).");
            });
    }
    return any;
}

void unusedInProject(const CheckedFile& project, const NoCaseStringSet& used, FileFindings& out) {
    for (const auto& r : project.references) {
        if (!looksLikeSuiteName(r.file) || used.count(r.file)) continue;
        out.add(
            r.line, Severity::Warning, FindingKind::UnusedInProject,
            [&] { return "no form or user control of the project references " + std::string(r.file); },
            [] { return std::string("Remove the line unless the project's code needs the library."); });
    }
}

}  // namespace

void checkProjectLists(const CheckedFile& file, FolderContext& folder, FileFindings& out) {
    if (file.kind == FileKind::Project) {
        const auto* usedHere = folder.usedBy(file.name);
        NoCaseStringSet used = usedHere ? *usedHere : NoCaseStringSet{};
        unconvertedPages(file, folder, used, out);
        // What unsettled members elsewhere reference is not known here: no line is judged unused.
        if (membersElsewhere(file, folder, used, out)) return;
        if (usedHere) unusedInProject(file, used, out);
        return;
    }
    for (const auto& project : folder.projects())
        if (folder.isMember(project, file.name)) notInProject(file, project, out);
}

}  // namespace tavkonv40::check
