// Suite names that no edition has, where the family and the edition they mean are plain: a library
// the conversion composed from an older stem (tavQVCombo40 is ComboBox's tavQVComboBox40), what
// the 4.0L conversion makes of a 4.0B name (tavQVSMB40LB), a 4.0L name of a family that exists
// only as 4.0, an older name of a 4.0-only family that no conversion rule recognises, and a class
// the library does not hold. A class that the edition splits by
// orientation is chosen from the control's own height and width; where those do not tell, the
// finding stays with its advice.
#include <array>
#include <optional>

#include "engine/check_model.h"
#include "engine/check_names.h"
#include "engine/fix_model.h"
#include "engine/text_util.h"

namespace tavkonv40::fix {

namespace {

using check::NameSite;
using check::NameStatus;
using check::SuiteName;

// Classes an older edition or a Microsoft control's conversion leaves, which the target edition
// splits by orientation (or names differently).
struct OrientedClass {
    std::string_view family;
    Edition edition;
    std::string_view oldStem;
    std::string_view vertical;
    std::string_view horizontal;
};

constexpr std::array<OrientedClass, 16> kOrientedClasses = {{
    {"Progress", Edition::V40, "ProgressBar", "ProgressVBar", "ProgressHBar"},
    {"Progress", Edition::V40, "ProgressWait", "ProgressVWait", "ProgressHWait"},
    {"Progress", Edition::V40L, "ProgressBar", "QVProgressBar", "QVProgressBar"},
    {"Progress", Edition::V40L, "ProgressVBar", "QVProgressBar", "QVProgressBar"},
    {"Progress", Edition::V40L, "ProgressHBar", "QVProgressBar", "QVProgressBar"},
    {"Progress", Edition::V40L, "ProgressWait", "QVProgressWait", "QVProgressWait"},
    {"Progress", Edition::V40L, "ProgressVWait", "QVProgressWait", "QVProgressWait"},
    {"Progress", Edition::V40L, "ProgressHWait", "QVProgressWait", "QVProgressWait"},
    {"UpDn", Edition::V40, "QVUpDn", "QVVUpDn", "QVHUpDn"},
    {"Spin", Edition::V40, "QVSpin", "QVVSpin", "QVHSpin"},
    {"Spin", Edition::V40L, "QVVSpin", "QVSpin", "QVSpin"},
    {"Spin", Edition::V40L, "QVHSpin", "QVSpin", "QVSpin"},
    {"TimePicker", Edition::V40L, "QVVTP", "QVTP", "QVTP"},
    {"TimePicker", Edition::V40L, "QVHTP", "QVTP", "QVTP"},
    {"UpDn", Edition::V40L, "QVVUpDn", "QVUpDn", "QVUpDn"},
    {"UpDn", Edition::V40L, "QVHUpDn", "QVUpDn", "QVUpDn"},
}};

// What the 4.0L conversion leaves of a 4.0B name ("tavQVSelection40B" becomes
// "tavQVSelection40LB"): a name that can only mean 4.0L.
constexpr std::string_view kLightFrom40B = "40LB";

// A class name without its edition token.
std::string_view classStem(std::string_view cls) {
    if (cls.size() > kLightFrom40B.size() && cls.ends_with(kLightFrom40B))
        return cls.substr(0, cls.size() - kLightFrom40B.size());
    return check::withoutEditionToken(cls);
}

using check::Shape;
using check::shapeOf;

struct Resolved {
    std::string name;
    std::string reason;  // why this one of several, for the log
};

std::optional<Resolved> orientedClass(const FamilyRecord& f, Edition e, std::string_view stem, Shape shape) {
    for (const auto& row : kOrientedClasses) {
        if (row.family != f.label || row.edition != e || !equalsNoCase(row.oldStem, stem)) continue;
        const auto suffix = suffixOfEdition(e);
        if (row.vertical == row.horizontal) return Resolved{std::string(row.vertical).append(suffix), {}};
        if (shape == Shape::Unknown) return std::nullopt;
        const bool tall = shape == Shape::Tall;
        return Resolved{std::string(tall ? row.vertical : row.horizontal).append(suffix),
                        tall ? " (the control is taller than wide)" : " (the control is wider than tall)"};
    }
    return std::nullopt;
}

// Whether the name's class was written as the library's pair ("tavQVCombo40.QVCombo40"): what
// follows a library in code may also be one of its constants, which must keep its name.
bool pairedWithLibrary(const SuiteName& n) {
    const auto split = check::splitAtStem(n.library);
    const auto libraryStem = n.library.substr(0, n.library.size() - split.token.size());
    return startsWithNoCase(libraryStem, "tav") && equalsNoCase(libraryStem.substr(3), classStem(n.className));
}

// The class of the library's edition that an unknown class stands for, when only one fits.
std::optional<Resolved> resolveClass(const SuiteName& n, const FamilyRecord& f, Edition e, Shape shape) {
    const std::string_view cls = n.className;
    const auto& classes = check::currentClasses(f, e);
    for (const auto& c : classes)
        if (equalsNoCase(c, cls)) return Resolved{c, {}};
    if (classes.size() == 1 && (n.site == NameSite::BeginLine || pairedWithLibrary(n))) return Resolved{classes[0], {}};
    const auto stem = classStem(cls);
    for (const auto& c : classes)
        if (equalsNoCase(check::withoutEditionToken(c), stem)) return Resolved{c, {}};
    auto oriented = orientedClass(f, e, stem, shape);
    if (oriented && check::isCurrentClass(f, e, oriented->name)) return oriented;
    return std::nullopt;
}

// Whether a conversion rule of some family would still rewrite the older name (the check then
// advises running it rather than an edit by hand).
bool aRuleConverts(const SuiteName& n) {
    if (n.site == NameSite::BeginLine) return check::beginLineRule(n.library, n.className) != nullptr;
    const auto rule = n.blankBefore ? check::codeLineRule(n.library) : std::nullopt;
    return rule && check::judgeLibrary(rule->writes40).status == NameStatus::Current &&
           check::judgeLibrary(rule->writes40L).status == NameStatus::Current;
}

struct Library {
    const FamilyRecord* family;
    Edition edition;
    FindingKind kind;      // the finding a change answers
    bool current = false;  // the name is right as written (in whatever letter case)
};

// The one edition of the family whose control file the file's header references; none when it
// references none or both.
std::optional<Edition> referencedEdition(const check::CheckedFile& file, const FamilyRecord& f) {
    std::optional<Edition> found;
    for (const auto& r : file.references) {
        const auto v = check::judgeControlFile(r.file);
        if (v.status != NameStatus::Current || v.family != &f) continue;
        if (found && *found != v.edition) return std::nullopt;
        found = v.edition;
    }
    return found;
}

// The family and edition a suite library means, when the name leaves no choice. An older ProgID,
// which no conversion changes, takes the edition the file's header references for its family.
std::optional<Library> resolveLibrary(const SuiteName& n, const check::CheckedFile& file) {
    const auto v = check::judgeLibrary(n.library);
    switch (v.status) {
        case NameStatus::Current: return Library{v.family, v.edition, FindingKind::UnknownName, true};
        case NameStatus::MissingEdition: return Library{v.family, Edition::V40, FindingKind::UnknownName};
        case NameStatus::Older:
            if (v.family->offers40L == Offers40L::No && !aRuleConverts(n))
                return Library{v.family, Edition::V40, FindingKind::OldName};
            if (n.site == NameSite::ProgId)
                if (const auto e = referencedEdition(file, *v.family))
                    return Library{v.family, *e, FindingKind::OldName};
            return std::nullopt;
        case NameStatus::Unknown: break;
    }
    const auto split = check::splitAtStem(n.library);
    if (!split.family) return std::nullopt;
    if (split.token == "40") return Library{split.family, Edition::V40, FindingKind::UnknownName};
    if (split.token == "40L" || split.token == kLightFrom40B)
        return Library{split.family, split.family->offers40L == Offers40L::Yes ? Edition::V40L : Edition::V40,
                       FindingKind::UnknownName};
    return std::nullopt;
}

struct Rewrite {
    std::size_t from, to;  // byte range within the line
    std::string text;
    std::string description;
    FindingKind kind;
};

std::optional<Rewrite> rewriteFor(const SuiteName& n, std::string_view line, const check::CheckedFile& file) {
    const auto& lines = *file.lines;
    const auto library = resolveLibrary(n, file);
    if (!library) return std::nullopt;
    const FamilyRecord& f = *library->family;
    std::string text = library->current ? std::string(n.library) : check::currentLibrary(f, library->edition);
    std::string reason;
    if (!n.className.empty()) {
        const Shape shape = n.site == NameSite::BeginLine ? shapeOf(lines, n.line - 1) : Shape::Unknown;
        const auto cls = resolveClass(n, f, library->edition, shape);
        // A ProgID is one string: half of it changed would help no one.
        if (!cls && n.site == NameSite::ProgId) return std::nullopt;
        text += "." + (cls ? cls->name : std::string(n.className));
        if (cls) reason = cls->reason;
    }
    const std::size_t from = static_cast<std::size_t>(n.library.data() - line.data());
    const auto last = n.className.empty() ? n.library : n.className;
    const std::size_t to = static_cast<std::size_t>(last.data() + last.size() - line.data());
    const auto old = line.substr(from, to - from);
    if (old == text) return std::nullopt;
    return Rewrite{from, to, text, "replaced " + std::string(old) + " by " + text + reason, library->kind};
}

}  // namespace

void fixSuiteNames(const check::CheckedFile& file, check::FolderContext&, FileFixes& out) {
    const auto& lines = *file.lines;
    // Names on one line are rewritten together, from the right so that earlier offsets hold.
    for (std::size_t i = 0; i < file.names.size();) {
        std::size_t j = i;
        std::vector<Rewrite> rewrites;
        const std::string_view line = lines[file.names[i].line - 1];
        for (; j < file.names.size() && file.names[j].line == file.names[i].line; ++j)
            if (auto r = rewriteFor(file.names[j], line, file)) rewrites.push_back(std::move(*r));
        if (!rewrites.empty()) {
            std::string text(line);
            std::string description;
            for (auto r = rewrites.rbegin(); r != rewrites.rend(); ++r) text.replace(r->from, r->to - r->from, r->text);
            for (const auto& r : rewrites) description += (description.empty() ? "" : "; ") + r.description;
            out.replace(file.names[i].line, std::move(text), rewrites.front().kind, std::move(description));
        }
        i = j;
    }
}

}  // namespace tavkonv40::fix
