// Suite names no edition has, names an edition lacks, and older editions' names that remain:
// in Begin lines, in code, and in header and project reference lines.
#include "check_model.h"
#include "check_names.h"

namespace tavkonv40::check {

namespace {

std::string bothEditions(const FamilyRecord& f, std::string (*compose)(const FamilyRecord&, Edition)) {
    std::string s = compose(f, Edition::V40);
    if (f.offers40L == Offers40L::Yes) s += " or " + compose(f, Edition::V40L);
    return s;
}

std::string joined(const std::vector<std::string>& items, std::string_view glue) {
    std::string s;
    for (const auto& i : items) {
        if (!s.empty()) s += glue;
        s += i;
    }
    return s;
}

// What to write instead of a name of the family: a whole library.class where the class is clear.
std::string replacementFor(const FamilyRecord& f) {
    const auto classes = currentClasses(f, Edition::V40);
    if (classes.size() == 1) {
        std::string s = currentLibrary(f, Edition::V40) + "." + classes[0];
        if (f.offers40L == Offers40L::Yes)
            s += " or " + currentLibrary(f, Edition::V40L) + "." + currentClasses(f, Edition::V40L)[0];
        return s;
    }
    return bothEditions(f, currentLibrary) + " with one of its classes";
}

std::string convertWith(const FamilyRecord& f) { return "Convert it with --family " + familyOption(f) + "."; }

std::string quoted(const SuiteName& n) {
    return n.className.empty() ? n.library : n.library + "." + n.className;
}

void add(Findings& out, const CheckedFile& file, std::size_t line, FindingKind kind, std::string message,
         std::string advice) {
    const Severity s = kind == FindingKind::OldName ? Severity::Warning : Severity::Error;
    out.push_back({file.name, line, s, kind, std::move(message), std::move(advice)});
}

void unknownLibrary(const CheckedFile& file, const SuiteName& n, const NameVerdict& v, Findings& out) {
    if (v.status == NameStatus::MissingEdition) {
        add(out, file, n.line, FindingKind::UnknownName,
            "edition 4.0L has no library " + n.library + ": " + std::string(v.family->label) +
                " exists only as 4.0",
            "Replace it with " + replacementFor(*v.family) + ".");
        return;
    }
    std::string message = "no edition has the suite library " + n.library;
    if (v.family)
        message += " (" + std::string(v.family->label) + "'s are " + bothEditions(*v.family, currentLibrary) + ")";
    add(out, file, n.line, FindingKind::UnknownName, std::move(message),
        v.family ? "Replace " + quoted(n) + " by hand with " + replacementFor(*v.family) + "."
                 : "Check the name against 'tavkonv40 catalogue'.");
}

void wrongClass(const CheckedFile& file, const SuiteName& n, const NameVerdict& v, Findings& out) {
    if (n.className.empty() || isCurrentClass(*v.family, v.edition, n.className)) return;
    add(out, file, n.line, FindingKind::UnknownName,
        "library " + n.library + " has no class " + n.className,
        "Change the class to " + joined(currentClasses(*v.family, v.edition), " or ") + ".");
}

void beginLine(const CheckedFile& file, const SuiteName& n, Findings& out) {
    const auto v = judgeLibrary(n.library);
    if (v.status == NameStatus::Current) return wrongClass(file, n, v, out);
    if (v.status != NameStatus::MissingEdition) {
        if (const auto* rule = beginLineRule(n.library, n.className)) {
            add(out, file, n.line, FindingKind::OldName, "older-edition control " + quoted(n) + " remains",
                convertWith(*rule));
            return;
        }
        if (v.status == NameStatus::Older) {
            add(out, file, n.line, FindingKind::OldName,
                "older-edition control " + quoted(n) + " remains, and no conversion rule recognises it",
                "Replace it by hand with " + replacementFor(*v.family) + ".");
            return;
        }
    }
    unknownLibrary(file, n, v, out);
}

void codeName(const CheckedFile& file, const SuiteName& n, Findings& out) {
    const auto v = judgeLibrary(n.library);
    if (v.status == NameStatus::Current) return wrongClass(file, n, v, out);
    if (v.status != NameStatus::Older) return unknownLibrary(file, n, v, out);
    const auto rule = n.blankBefore ? codeLineRule(n.library) : std::nullopt;
    if (rule && judgeLibrary(rule->writes40).status == NameStatus::Current &&
        judgeLibrary(rule->writes40L).status == NameStatus::Current) {
        add(out, file, n.line, FindingKind::OldName, "older-edition library " + n.library + " remains",
            convertWith(*rule->family) + " Its class keeps its old name: change that by hand.");
        return;
    }
    std::string message = "older-edition library " + n.library + " remains";
    if (rule) {
        message += "; the " + std::string(rule->family->label) + " conversion would write " + rule->writes40;
        if (rule->writes40L != rule->writes40) message += " (4.0) or " + rule->writes40L + " (4.0L)";
        message += ", which no edition has";
    } else if (codeLineRule(n.library)) {
        message += ": the conversion only sees library names that follow a blank";
    } else {
        message += ", and no conversion rule recognises it";
    }
    add(out, file, n.line, FindingKind::OldName, std::move(message),
        "Replace " + quoted(n) + " by hand with " + replacementFor(*v.family) + ".");
}

void referenceLine(const CheckedFile& file, const ReferenceLine& r, Findings& out) {
    const auto v = judgeControlFile(r.file);
    const FamilyRecord* rule = file.kind == FileKind::Project ? projectLineRule(r.file) : headerLineRule(r.file);
    if (v.status == NameStatus::Current || (!rule && !looksLikeSuiteName(r.file))) return;
    if (v.status == NameStatus::MissingEdition) {
        add(out, file, r.line, FindingKind::UnknownName,
            "edition 4.0L has no control file " + r.file + ": " + std::string(v.family->label) +
                " exists only as 4.0",
            rule ? convertWith(*rule) : "Reference " + currentControlFile(*v.family, Edition::V40) + " instead.");
    } else if (rule) {
        add(out, file, r.line, FindingKind::OldName, "older-edition control file " + r.file + " remains",
            convertWith(*rule));
    } else if (v.status == NameStatus::Older) {
        add(out, file, r.line, FindingKind::OldName,
            "older-edition control file " + r.file + " remains, and no conversion rule recognises it",
            "Reference " + bothEditions(*v.family, currentControlFile) + " by hand instead.");
    } else {
        add(out, file, r.line, FindingKind::UnknownName, "no edition has the suite control file " + r.file,
            v.family ? "Reference " + bothEditions(*v.family, currentControlFile) + " instead."
                     : "Check the name against 'tavkonv40 catalogue'.");
    }
}

}  // namespace

void checkNames(const CheckedFolder& folder, Findings& out) {
    for (const auto& file : folder.files) {
        for (const auto& r : file.references) referenceLine(file, r, out);
        for (const auto& n : file.names) n.site == NameSite::BeginLine ? beginLine(file, n, out) : codeName(file, n, out);
    }
}

}  // namespace tavkonv40::check
