#include "engine/check_names.h"

#include "engine/check_model.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <functional>
#include <tuple>
#include <set>
#include <unordered_map>

#include "engine/code_declaration_table.h"
#include "engine/form_body_table.h"
#include "engine/form_header_table.h"
#include "engine/project_reference_names.h"
#include "engine/text_util.h"

namespace tavkonv40::check {

namespace {

// Edition tokens that follow a stem, longest first where one ends another.
constexpr std::array<std::string_view, 8> kEditionTokens = {"20T", "21T", "40B", "40L", "20", "21", "30", "40"};
// The tokens of editions before 4.0 (the empty one is the unversioned first release).
constexpr std::array<std::string_view, 7> kOlderTokens = {"", "20", "20T", "21", "21T", "30", "40B"};

template <typename Value>
using NoCaseMap = std::unordered_map<std::string, Value, NoCaseHash, NoCaseEqual>;

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
        for (std::size_t len = std::min(name.size(), longest_); len > 0; --len) {
            const auto it = stems_.find(name.substr(0, len));
            if (it != stems_.end()) return {it->second, len};
        }
        return {nullptr, 0};
    }

  private:
    void add(std::string_view stem, const FamilyRecord& f) {
        stems_.emplace(std::string(stem), &f);
        longest_ = std::max(longest_, stem.size());
    }
    NoCaseMap<const FamilyRecord*> stems_;
    std::size_t longest_ = 0;
};

// Texts in table order, of which the first that begins a name is wanted. Only those sharing the
// name's first bytes are compared, so a lookup costs a few comparisons, not one per row.
template <typename Value>
class PrefixTable {
  public:
    explicit PrefixTable(std::size_t keyBytes) : key_(keyBytes) {}

    void add(std::string_view prefix, Value value) {
        rows_.push_back({prefix, std::move(value)});
        const std::size_t index = rows_.size() - 1;
        if (prefix.size() < key_)
            shortRows_.push_back(index);
        else
            buckets_[prefix.substr(0, key_)].push_back(index);
    }

    // The value of the first row (in table order) whose text begins `name`; null when none does.
    const Value* first(std::string_view name) const {
        std::size_t best = rows_.size();
        for (auto i : shortRows_)
            if (name.starts_with(rows_[i].prefix)) {
                best = i;
                break;
            }
        if (name.size() >= key_)
            if (const auto it = buckets_.find(name.substr(0, key_)); it != buckets_.end())
                for (auto i : it->second) {
                    if (i >= best) break;
                    if (name.starts_with(rows_[i].prefix)) {
                        best = i;
                        break;
                    }
                }
        return best == rows_.size() ? nullptr : &rows_[best].value;
    }

  private:
    struct Row {
        std::string_view prefix;
        Value value;
    };
    std::size_t key_;
    std::vector<Row> rows_;
    std::vector<std::size_t> shortRows_;  // rows shorter than the key, in table order
    std::unordered_map<std::string_view, std::vector<std::size_t>> buckets_;  // by their first key bytes
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

// Every current library and control file name, composed once: what each family writes for 4.0
// and 4.0L, with the classes of each library.
class CurrentNames {
  public:
    CurrentNames() {
        for (const auto& f : families())
            for (Edition e : {Edition::V40, Edition::V40L}) {
                auto& n = names_[index(f, e)];
                n.library = std::string(f.libraryBase) + std::string(suffixOfEdition(e));
                n.controlFile = std::string(f.ocxBase) + std::string(suffixOfEdition(e)) + ".ocx";
                const auto& stemsOf = e == Edition::V40L && !f.classes40L[0].empty() ? f.classes40L : f.classes;
                for (auto c : stemsOf) {
                    if (c.empty()) continue;
                    std::string name(c);
                    if (!classesWithoutSuffix().count(c)) name += suffixOfEdition(e);
                    n.classes.push_back(std::move(name));
                }
            }
        // The first family (in slot order, 4.0 before 4.0L) that writes a name is its owner.
        for (const auto& f : families())
            for (Edition e : {Edition::V40, Edition::V40L}) {
                const NameVerdict v{offers(f, e) ? NameStatus::Current : NameStatus::MissingEdition, &f, e};
                libraries_.emplace(names_[index(f, e)].library, v);
                controlFiles_.emplace(names_[index(f, e)].controlFile, v);
            }
    }

    struct Names {
        std::string library, controlFile;
        std::vector<std::string> classes;
    };
    const Names& of(const FamilyRecord& f, Edition e) const { return names_[index(f, e)]; }

    const NameVerdict* library(std::string_view name) const { return find(libraries_, name); }
    const NameVerdict* controlFile(std::string_view name) const { return find(controlFiles_, name); }

  private:
    static std::size_t index(const FamilyRecord& f, Edition e) {
        return static_cast<std::size_t>(f.slot) * 2 + (e == Edition::V40L ? 1 : 0);
    }
    static const NameVerdict* find(const NoCaseMap<NameVerdict>& map, std::string_view name) {
        const auto it = map.find(name);
        return it == map.end() ? nullptr : &it->second;
    }
    std::array<Names, 2 * kFamilyCount> names_;
    NoCaseMap<NameVerdict> libraries_, controlFiles_;
};

const CurrentNames& current() {
    static const CurrentNames names;
    return names;
}

NameVerdict judgeUncached(std::string_view library) {
    if (const auto* v = current().library(library)) return *v;
    return judgeByStem(library);
}

}  // namespace

std::string_view withoutEditionToken(std::string_view name) {
    for (auto token : kEditionTokens)
        if (name.size() > token.size() && name.substr(name.size() - token.size()) == token)
            return name.substr(0, name.size() - token.size());
    return name;
}

StemSplit splitAtStem(std::string_view name) {
    const auto [family, len] = stems().longestPrefix(name);
    return family ? StemSplit{family, name.substr(len)} : StemSplit{};
}

const std::string& currentLibrary(const FamilyRecord& f, Edition e) { return current().of(f, e).library; }

const std::string& currentControlFile(const FamilyRecord& f, Edition e) { return current().of(f, e).controlFile; }

NameVerdict judgeLibrary(std::string_view library) {
    // A file names the same libraries again and again, each spelled the same way every time: the
    // verdicts of recent names are kept by their exact bytes, so that a Begin line's or a code
    // line's name costs a comparison instead of lookups by letter case and stem. One cache per
    // thread, as a run's facts are taken on a thread of their own.
    struct Remembered {
        std::array<char, 38> name;
        std::uint8_t size = 0xff;  // none yet
        NameVerdict verdict{NameStatus::Unknown};
    };
    thread_local std::array<Remembered, 512> recent;
    if (library.size() > std::tuple_size_v<decltype(Remembered::name)>) return judgeUncached(library);
    Remembered& r = recent[std::hash<std::string_view>()(library) % recent.size()];
    if (r.size == library.size() && std::equal(library.begin(), library.end(), r.name.begin())) return r.verdict;
    r.verdict = judgeUncached(library);
    std::copy(library.begin(), library.end(), r.name.begin());
    r.size = static_cast<std::uint8_t>(library.size());
    return r.verdict;
}

NameVerdict judgeControlFile(std::string_view file) {
    if (const auto* v = current().controlFile(file)) return *v;
    if (!endsWithNoCase(file, ".ocx")) return {NameStatus::Unknown, stems().longestPrefix(file).first};
    return judgeByStem(withoutOcx(file));
}

const std::vector<std::string>& currentClasses(const FamilyRecord& f, Edition e) { return current().of(f, e).classes; }

bool isCurrentClass(const FamilyRecord& f, Edition e, std::string_view className) {
    const auto& classes = currentClasses(f, e);
    return std::any_of(classes.begin(), classes.end(),
                       [&](const std::string& c) { return equalsNoCase(c, className); });
}

const FamilyRecord* beginLineRule(std::string_view library, std::string_view className) {
    static const PrefixTable<const FamilyRecord*> tokens = [] {
        PrefixTable<const FamilyRecord*> t(14);  // "Begin tavQV" and three more
        for (const auto& bf : formBodyFamilies())
            for (const auto& token : bf.tokens) t.add(token.oldToken, findFamily(bf.family));
        return t;
    }();
    // The step matches its tokens against the line as it stands: "Begin library.class".
    char buffer[256];
    std::string longer;
    std::string_view text;
    const std::size_t size = 6 + library.size() + (className.empty() ? 0 : 1 + className.size());
    char* out = buffer;
    if (size > sizeof buffer) {
        longer.resize(size);
        out = longer.data();
    }
    char* at = out;
    const auto put = [&](std::string_view part) { at = std::copy(part.begin(), part.end(), at); };
    put("Begin ");
    put(library);
    if (!className.empty()) {
        put(".");
        put(className);
    }
    text = std::string_view(out, size);
    const auto* found = tokens.first(text);
    return found ? *found : nullptr;
}

const FamilyRecord* headerLineRule(std::string_view file) {
    struct Hash {
        using is_transparent = void;
        std::size_t operator()(std::string_view s) const { return std::hash<std::string_view>()(s); }
    };
    using Map = std::unordered_map<std::string, const FamilyRecord*, Hash, std::equal_to<>>;
    static const Map files = [] {
        Map m;
        for (const auto& row : formHeaderNameRows())
            for (auto edition : row.editions)
                if (!edition.empty()) m.emplace(controlFileName(row.stem, edition), findFamily(row.family));
        return m;
    }();
    const auto it = files.find(file);
    return it == files.end() ? nullptr : it->second;
}

const FamilyRecord* projectLineRule(std::string_view file) {
    static const std::unordered_map<std::string_view, const FamilyRecord*> files = [] {
        std::unordered_map<std::string_view, const FamilyRecord*> m;
        for (const auto& pf : projectFamilyNames())
            for (auto n : pf.names)
                if (!n.empty()) m.emplace(n, &familyBySlot(pf.slot));
        return m;
    }();
    const auto it = files.find(file);
    return it == files.end() ? nullptr : it->second;
}

std::optional<CodeRule> codeLineRule(std::string_view library) {
    struct Token {
        std::string_view token;
        const DeclarationFamily* family;
    };
    static const PrefixTable<Token> tokens = [] {
        PrefixTable<Token> t(8);
        for (const auto& df : codeDeclarationFamilies())
            for (auto token : df.tokens)
                if (!token.empty()) t.add(token, {token, &df});
        return t;
    }();
    const auto* found = tokens.first(library);
    if (!found) return std::nullopt;
    const auto& df = *found->family;
    const auto* f = findFamily(df.family);
    const std::string rest(library.substr(found->token.size()));
    const std::string base(df.newLibrary);
    return CodeRule{
        f, base + "40" + rest,
        base + std::string(suffixOfEdition(offers(*f, Edition::V40L) ? Edition::V40L : Edition::V40)) + rest};
}

std::string familyOption(const FamilyRecord& f) { return std::string(f.label) + " (" + std::string(f.caption) + ")"; }

}  // namespace tavkonv40::check
