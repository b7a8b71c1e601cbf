#include "check_names.h"

#include "check_model.h"

#include <algorithm>
#include <array>
#include <map>
#include <set>

#include "code_declaration_table.h"
#include "form_body_table.h"
#include "form_header_table.h"
#include "project_reference_names.h"
#include "text_util.h"

namespace tavkonv40::check {

namespace {

// Edition tokens that follow a stem, longest first where one ends another.
constexpr std::array<std::string_view, 8> kEditionTokens = {"20T", "21T", "40B", "40L", "20", "21", "30", "40"};
// The tokens of editions before 4.0 (the empty one is the unversioned first release).
constexpr std::array<std::string_view, 7> kOlderTokens = {"", "20", "20T", "21", "21T", "30", "40B"};

bool endsWithNoCase(std::string_view s, std::string_view suffix) {
    return s.size() >= suffix.size() && equalsNoCase(s.substr(s.size() - suffix.size()), suffix);
}

std::string_view withoutEditionToken(std::string_view name) {
    for (auto token : kEditionTokens)
        if (name.size() > token.size() && name.substr(name.size() - token.size()) == token)
            return name.substr(0, name.size() - token.size());
    return name;
}

std::string_view withoutOcx(std::string_view file) {
    return endsWithNoCase(file, ".ocx") ? file.substr(0, file.size() - 4) : file;
}

// Every stem under which a family's libraries and control files have been written: the catalogue's
// own stems and the older ones the conversion tables recognise. Keyed in lower case.
class StemIndex {
public:
    StemIndex() {
        for (const auto& f : families()) {
            add(f.libraryBase, f);
            add(f.ocxBase, f);
        }
        for (const auto& row : formHeaderNameRows()) add(row.stem, *findFamily(row.family));
        for (const auto& bf : formBodyFamilies())
            for (const auto& t : bf.tokens) {
                auto library = t.oldToken.substr(6);  // after "Begin "
                library = library.substr(0, library.find('.'));
                add(withoutEditionToken(library), *findFamily(bf.family));
            }
        for (const auto& df : codeDeclarationFamilies()) {
            add(df.newLibrary, *findFamily(df.family));
            for (auto t : df.tokens)
                if (!t.empty()) add(withoutEditionToken(t), *findFamily(df.family));
        }
        for (const auto& pf : projectFamilyNames())
            for (auto n : pf.names)
                if (!n.empty()) add(withoutEditionToken(withoutOcx(n)), familyBySlot(pf.slot));
    }

    // The longest known stem that begins the name.
    std::pair<const FamilyRecord*, std::size_t> longestPrefix(std::string_view name) const {
        const std::string key = lower(name);
        for (std::size_t len = key.size(); len > 0; --len) {
            const auto it = stems_.find(key.substr(0, len));
            if (it != stems_.end()) return {it->second, len};
        }
        return {nullptr, 0};
    }

private:
    void add(std::string_view stem, const FamilyRecord& f) { stems_.emplace(lower(stem), &f); }
    std::map<std::string, const FamilyRecord*> stems_;
};

const StemIndex& stems() {
    static const StemIndex index;
    return index;
}

// Classes that never carry an edition suffix, as the body step writes them.
const std::set<std::string_view>& classesWithoutSuffix() {
    static const std::set<std::string_view> classes = [] {
        std::set<std::string_view> s;
        for (const auto& bf : formBodyFamilies())
            for (const auto& t : bf.tokens)
                if (t.classSuffix == ClassSuffix::Omit) s.insert(t.newClass);
        return s;
    }();
    return classes;
}

bool offers(const FamilyRecord& f, Edition e) { return e == Edition::V40 || f.offers40L == Offers40L::Yes; }

NameVerdict judgeByStem(std::string_view name) {
    const auto [family, len] = stems().longestPrefix(name);
    if (!family) return {NameStatus::Unknown};
    const auto token = name.substr(len);
    const bool older = std::any_of(kOlderTokens.begin(), kOlderTokens.end(),
                                   [&](std::string_view t) { return equalsNoCase(t, token); });
    return {older ? NameStatus::Older : NameStatus::Unknown, family};
}

template <typename Compose>
std::optional<NameVerdict> judgeCurrent(std::string_view name, Compose compose) {
    for (const auto& f : families())
        for (Edition e : {Edition::V40, Edition::V40L})
            if (equalsNoCase(name, compose(f, e)))
                return NameVerdict{offers(f, e) ? NameStatus::Current : NameStatus::MissingEdition, &f, e};
    return std::nullopt;
}

}  // namespace

std::string currentLibrary(const FamilyRecord& f, Edition e) {
    return std::string(f.libraryBase) + std::string(editionSuffix(e));
}

std::string currentControlFile(const FamilyRecord& f, Edition e) {
    return std::string(f.ocxBase) + std::string(editionSuffix(e)) + ".ocx";
}

NameVerdict judgeLibrary(std::string_view library) {
    if (auto v = judgeCurrent(library, currentLibrary)) return *v;
    return judgeByStem(library);
}

NameVerdict judgeControlFile(std::string_view file) {
    if (auto v = judgeCurrent(file, currentControlFile)) return *v;
    if (!endsWithNoCase(file, ".ocx")) return {NameStatus::Unknown, stems().longestPrefix(file).first};
    return judgeByStem(withoutOcx(file));
}

std::vector<std::string> currentClasses(const FamilyRecord& f, Edition e) {
    const auto& stemsOf = e == Edition::V40L && !f.classes40L[0].empty() ? f.classes40L : f.classes;
    std::vector<std::string> out;
    for (auto c : stemsOf) {
        if (c.empty()) continue;
        std::string name(c);
        if (!classesWithoutSuffix().count(c)) name += editionSuffix(e);
        out.push_back(std::move(name));
    }
    return out;
}

bool isCurrentClass(const FamilyRecord& f, Edition e, std::string_view className) {
    const auto classes = currentClasses(f, e);
    return std::any_of(classes.begin(), classes.end(), [&](const std::string& c) { return equalsNoCase(c, className); });
}

const FamilyRecord* beginLineRule(std::string_view library, std::string_view className) {
    std::string text = "Begin ";
    text += library;
    if (!className.empty()) {
        text += '.';
        text += className;
    }
    for (const auto& bf : formBodyFamilies())
        for (const auto& t : bf.tokens)
            if (std::string_view(text).starts_with(t.oldToken)) return findFamily(bf.family);
    return nullptr;
}

const FamilyRecord* headerLineRule(std::string_view file) {
    for (const auto& row : formHeaderNameRows())
        for (auto edition : row.editions)
            if (!edition.empty() && controlFileName(row.stem, edition) == file) return findFamily(row.family);
    return nullptr;
}

const FamilyRecord* projectLineRule(std::string_view file) {
    for (const auto& pf : projectFamilyNames())
        for (auto n : pf.names)
            if (!n.empty() && n == file) return &familyBySlot(pf.slot);
    return nullptr;
}

std::optional<CodeRule> codeLineRule(std::string_view library) {
    for (const auto& df : codeDeclarationFamilies())
        for (auto t : df.tokens) {
            if (t.empty() || !library.starts_with(t)) continue;
            const auto* f = findFamily(df.family);
            const std::string rest(library.substr(t.size()));
            const std::string base(df.newLibrary);
            return CodeRule{f, base + "40" + rest,
                            base + std::string(editionSuffix(offers(*f, Edition::V40L) ? Edition::V40L : Edition::V40)) + rest};
        }
    return std::nullopt;
}

std::string familyOption(const FamilyRecord& f) {
    return std::string(f.label) + " (" + std::string(f.caption) + ")";
}

}  // namespace tavkonv40::check
