// Suite names no edition has, names an edition lacks, and older editions' names that remain:
// in Begin lines, in code, and in header and project reference lines.
#include "engine/check_model.h"
#include "engine/check_names.h"
#include "engine/text_util.h"

namespace tavkonv40::check {

namespace {

std::string bothEditions(const FamilyRecord& f, const std::string& (*compose)(const FamilyRecord&, Edition)) {
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
    const auto& classes = currentClasses(f, Edition::V40);
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
    std::string s(n.library);
    if (!n.className.empty()) s.append(".").append(n.className);
    return s;
}

// Names are compared and judged as views into the file; text is composed only for the message.
std::string str(std::string_view s) { return std::string(s); }

template <typename Message, typename Advice>
void add(FileFindings& out, std::size_t line, FindingKind kind, Message&& message, Advice&& advice) {
    const Severity s = kind == FindingKind::OldName ? Severity::Warning : Severity::Error;
    out.add(line, s, kind, std::forward<Message>(message), std::forward<Advice>(advice));
}

void unknownLibrary(const SuiteName& n, const NameVerdict& v, FileFindings& out) {
    if (v.status == NameStatus::MissingEdition) {
        add(
            out, n.line, FindingKind::UnknownName,
            [&] {
                return "edition 4.0L has no library " + str(n.library) + ": " + str(v.family->label) +
                       " exists only as 4.0";
            },
            [&] { return "Replace it with " + replacementFor(*v.family) + "."; });
        return;
    }
    add(
        out, n.line, FindingKind::UnknownName,
        [&] {
            std::string message = "no edition has the suite library " + str(n.library);
            if (v.family)
                message += " (" + str(v.family->label) + "'s are " + bothEditions(*v.family, currentLibrary) + ")";
            return message;
        },
        [&] {
            return v.family ? "Replace " + quoted(n) + " by hand with " + replacementFor(*v.family) + "."
                            : std::string("Check the name against 'tavkonv40 catalogue'.");
        });
}

// A name with an edition token ("QVButton20", "ProgressBar40") or beginning like one of the
// family's classes is meant as a class; anything else after "As" may be one of the library's enum
// or user-defined types, which the catalogue does not list.
bool meantAsClass(const FamilyRecord& f, std::string_view name) {
    if (withoutEditionToken(name) != name) return true;
    for (const Edition e : {Edition::V40, Edition::V40L})
        for (const auto& c : currentClasses(f, e))
            if (startsWithNoCase(name, withoutEditionToken(c))) return true;
    return false;
}

void wrongClass(const SuiteName& n, const NameVerdict& v, FileFindings& out) {
    if (n.className.empty() || isCurrentClass(*v.family, v.edition, n.className)) return;
    const auto message = [&] { return "library " + str(n.library) + " has no class " + str(n.className); };
    const auto advice = [&] {
        return "Change the class to " + joined(currentClasses(*v.family, v.edition), " or ") + ".";
    };
    if (n.follower == NameFollower::ClassOrType && !meantAsClass(*v.family, n.className)) {
        out.add(
            n.line, Severity::Note, FindingKind::UnknownName,
            [&] { return message() + "; harmless if it is one of the library's enum or user-defined types"; },
            [&] { return "If it is meant as a class: " + advice(); });
        return;
    }
    add(out, n.line, FindingKind::UnknownName, message, advice);
}

// Classes that come as a vertical and a horizontal pair, by their names without an edition token.
struct OrientedPair {
    std::string_view vertical, horizontal;
};
constexpr OrientedPair kOrientedPairs[] = {
    {"QVVUpDn", "QVHUpDn"},
    {"QVVSpin", "QVHSpin"},
    {"QVVSpinAlpha", "QVHSpinAlpha"},
    {"ProgressVBar", "ProgressHBar"},
    {"ProgressVWait", "ProgressHWait"},
    {"QVVScroll", "QVHScroll"},
    {"tavVSlider", "tavHSlider"},
};

// The conversion gives every older single-class up-down and spin one orientation, and a slider the
// vertical class when "Orientation" follows it anywhere: a class at odds with the control's own
// height and width is worth a look.
void orientation(const CheckedFile& file, const SuiteName& n, FileFindings& out) {
    const auto stem = withoutEditionToken(n.className);
    for (const auto& pair : kOrientedPairs) {
        const bool vertical = equalsNoCase(stem, pair.vertical);
        if (!vertical && !equalsNoCase(stem, pair.horizontal)) continue;
        if (shapeOf(*file.lines, n.line - 1) != (vertical ? Shape::Wide : Shape::Tall)) return;
        out.add(
            n.line, Severity::Warning, FindingKind::Orientation,
            [&] {
                return "class " + str(n.className) +
                       (vertical ? " is vertical, but the control is wider than tall"
                                 : " is horizontal, but the control is taller than wide");
            },
            [&] {
                const std::string other(vertical ? pair.horizontal : pair.vertical);
                return "If the control is meant to lie " + std::string(vertical ? "horizontally" : "vertically") +
                       ", change the class to " + other + str(n.className.substr(stem.size())) + ".";
            });
        return;
    }
}

void beginLine(const CheckedFile& file, const SuiteName& n, FileFindings& out) {
    const auto v = judgeLibrary(n.library);
    if (v.status == NameStatus::Current) {
        if (!n.className.empty() && isCurrentClass(*v.family, v.edition, n.className)) orientation(file, n, out);
        return wrongClass(n, v, out);
    }
    if (v.status != NameStatus::MissingEdition) {
        if (const auto* rule = beginLineRule(n.library, n.className)) {
            add(
                out, n.line, FindingKind::OldName, [&] { return "older-edition control " + quoted(n) + " remains"; },
                [&] { return convertWith(*rule); });
            return;
        }
        if (v.status == NameStatus::Older) {
            add(
                out, n.line, FindingKind::OldName,
                [&] { return "older-edition control " + quoted(n) + " remains, and no conversion rule recognises it"; },
                [&] { return "Replace it by hand with " + replacementFor(*v.family) + "."; });
            return;
        }
    }
    unknownLibrary(n, v, out);
}

void codeName(const SuiteName& n, FileFindings& out) {
    const auto v = judgeLibrary(n.library);
    if (v.status == NameStatus::Current) {
        if (n.follower != NameFollower::AnyMember) wrongClass(n, v, out);
        return;
    }
    if (v.status != NameStatus::Older) return unknownLibrary(n, v, out);
    const auto rule = n.blankBefore ? codeLineRule(n.library) : std::nullopt;
    if (rule && judgeLibrary(rule->writes40).status == NameStatus::Current &&
        judgeLibrary(rule->writes40L).status == NameStatus::Current) {
        add(
            out, n.line, FindingKind::OldName, [&] { return "older-edition library " + str(n.library) + " remains"; },
            [&] { return convertWith(*rule->family) + " Its class keeps its old name: change that by hand."; });
        return;
    }
    add(
        out, n.line, FindingKind::OldName,
        [&] {
            std::string message = "older-edition library " + str(n.library) + " remains";
            if (rule) {
                message += "; the " + str(rule->family->label) + " conversion would write " + rule->writes40;
                if (rule->writes40L != rule->writes40) message += " (4.0) or " + rule->writes40L + " (4.0L)";
                message += ", which no edition has";
            } else if (codeLineRule(n.library)) {
                message += ": the conversion only sees library names that follow a blank";
            } else {
                message += ", and no conversion rule recognises it";
            }
            return message;
        },
        [&] { return "Replace " + quoted(n) + " by hand with " + replacementFor(*v.family) + "."; });
}

// Only a string whose library belongs to a family is judged: other text may merely begin alike.
void progId(const SuiteName& n, FileFindings& out) {
    const auto v = judgeLibrary(n.library);
    if (!v.family) return;
    if (v.status == NameStatus::Current) return wrongClass(n, v, out);
    if (v.status != NameStatus::Older) return unknownLibrary(n, v, out);
    add(
        out, n.line, FindingKind::OldName,
        [&] { return "older-edition ProgID \"" + quoted(n) + "\" remains in a string, which no conversion changes"; },
        [&] { return "Replace it by hand with " + replacementFor(*v.family) + ", in the edition the project uses."; });
}

void referenceLine(const CheckedFile& file, const ReferenceLine& r, FileFindings& out) {
    const auto v = judgeControlFile(r.file);
    const FamilyRecord* rule = file.kind == FileKind::Project ? projectLineRule(r.file) : headerLineRule(r.file);
    if (v.status == NameStatus::Current || (!rule && !looksLikeSuiteName(r.file))) return;
    if (v.status == NameStatus::MissingEdition) {
        add(
            out, r.line, FindingKind::UnknownName,
            [&] {
                return "edition 4.0L has no control file " + str(r.file) + ": " + str(v.family->label) +
                       " exists only as 4.0";
            },
            [&] {
                return rule ? convertWith(*rule)
                            : "Reference " + currentControlFile(*v.family, Edition::V40) + " instead.";
            });
    } else if (rule) {
        add(
            out, r.line, FindingKind::OldName, [&] { return "older-edition control file " + str(r.file) + " remains"; },
            [&] { return convertWith(*rule); });
    } else if (v.status == NameStatus::Older) {
        add(
            out, r.line, FindingKind::OldName,
            [&] {
                return "older-edition control file " + str(r.file) + " remains, and no conversion rule recognises it";
            },
            [&] { return "Reference " + bothEditions(*v.family, currentControlFile) + " by hand instead."; });
    } else {
        add(
            out, r.line, FindingKind::UnknownName,
            [&] { return "no edition has the suite control file " + str(r.file); },
            [&] {
                return v.family ? "Reference " + bothEditions(*v.family, currentControlFile) + " instead."
                                : std::string("Check the name against 'tavkonv40 catalogue'.");
            });
    }
}

}  // namespace

void checkNames(const CheckedFile& file, FileFindings& out) {
    for (const auto& r : file.references) referenceLine(file, r, out);
    for (const auto& n : file.names) {
        switch (n.site) {
            case NameSite::BeginLine: beginLine(file, n, out); break;
            case NameSite::Code: codeName(n, out); break;
            case NameSite::ProgId: progId(n, out); break;
        }
    }
}

}  // namespace tavkonv40::check
