#include "check_model.h"

#include "text_file.h"
#include "text_util.h"

namespace tavkonv40::check {

namespace {

// Every suite library, class and control file name starts with this mark, in any letter case.
constexpr std::string_view kSuiteMark = "tav";

bool isIdentifierChar(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
}

std::string_view trimLeft(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    return s;
}

std::string_view trim(std::string_view s) {
    s = trimLeft(s);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    return s;
}

bool startsWithNoCase(std::string_view s, std::string_view prefix) {
    return s.size() >= prefix.size() && equalsNoCase(s.substr(0, prefix.size()), prefix);
}

std::string guidIn(std::string_view line) {
    const auto open = line.find('{');
    if (open == std::string_view::npos) return {};
    const auto close = line.find('}', open);
    if (close == std::string_view::npos) return {};
    return std::string(line.substr(open + 1, close - open - 1));
}

// Object = "{GUID}#1.0#0"; "file": the file is the last quoted text of the line.
bool parseHeaderReference(std::string_view line, std::size_t n, ReferenceLine& out) {
    const auto t = trim(line);
    if (!startsWithNoCase(t, "Object")) return false;
    const auto rest = trimLeft(t.substr(6));
    if (rest.empty() || rest.front() != '=') return false;
    if (t.size() < 2 || t.back() != '"') return false;
    const auto open = t.rfind('"', t.size() - 2);
    if (open == std::string_view::npos) return false;
    out = {n, std::string(t.substr(open + 1, t.size() - open - 2)), guidIn(t)};
    return true;
}

// Object={GUID}#1.0#0; file
bool parseProjectReference(std::string_view line, std::size_t n, ReferenceLine& out) {
    const auto t = trim(line);
    if (!startsWithNoCase(t, "Object=")) return false;
    const auto semicolon = t.rfind(';');
    if (semicolon == std::string_view::npos) return false;
    out = {n, std::string(trim(t.substr(semicolon + 1))), guidIn(t)};
    return true;
}

// The first blank-delimited word after "Begin ", split at its first ".".
void addBeginName(std::string_view line, std::size_t n, std::vector<SuiteName>& names) {
    auto t = trimLeft(trimLeft(line).substr(6));
    const auto end = t.find_first_of(" \t");
    const auto word = t.substr(0, end);
    const auto dot = word.find('.');
    const auto library = word.substr(0, dot);
    if (!looksLikeSuiteName(library)) return;
    names.push_back({n, NameSite::BeginLine, std::string(library),
                     dot == std::string_view::npos ? std::string() : std::string(word.substr(dot + 1)),
                     true});
}

// Qualified names "library.class" in a code line, outside strings and comments.
void addCodeNames(std::string_view line, std::size_t n, std::vector<SuiteName>& names) {
    bool inString = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (c == '"') {
            inString = !inString;
            continue;
        }
        if (inString) continue;
        if (c == '\'') return;
        if (!isIdentifierChar(c) || (i > 0 && (isIdentifierChar(line[i - 1]) || line[i - 1] == '.')))
            continue;
        std::size_t j = i;
        while (j < line.size() && isIdentifierChar(line[j])) ++j;
        const auto library = line.substr(i, j - i);
        if (j < line.size() && line[j] == '.' && looksLikeSuiteName(library)) {
            std::size_t k = j + 1;
            while (k < line.size() && isIdentifierChar(line[k])) ++k;
            names.push_back({n, NameSite::Code, std::string(library),
                             std::string(line.substr(j + 1, k - j - 1)), i > 0 && line[i - 1] == ' '});
            i = k - 1;
        } else {
            i = j - 1;
        }
    }
}

bool isBeginLine(std::string_view line) { return startsWithNoCase(trimLeft(line), "Begin "); }
bool isEndLine(std::string_view line) { return trim(line) == "End"; }

void parseFormLike(CheckedFile& f) {
    std::size_t n = 0;
    for (; n < f.lines.size() && !isBeginLine(f.lines[n]); ++n) {
        ReferenceLine ref;
        if (parseHeaderReference(f.lines[n], n + 1, ref)) f.references.push_back(std::move(ref));
    }
    f.headerLines = n;
    // The body: Begin and End lines nest; BeginProperty / EndProperty are neither. The code
    // follows the End that closes the outermost Begin.
    int depth = 0;
    for (; n < f.lines.size(); ++n) {
        const auto& line = f.lines[n];
        if (isBeginLine(line)) {
            ++depth;
            addBeginName(line, n + 1, f.names);
        } else if (isEndLine(line) && --depth == 0) {
            ++n;
            break;
        }
    }
    for (; n < f.lines.size(); ++n) addCodeNames(f.lines[n], n + 1, f.names);
}

void parseProject(CheckedFile& f) {
    for (std::size_t n = 0; n < f.lines.size(); ++n) {
        const auto t = trim(f.lines[n]);
        ReferenceLine ref;
        if (parseProjectReference(t, n + 1, ref)) {
            f.references.push_back(std::move(ref));
            continue;
        }
        for (std::string_view key : {"Form=", "UserControl="})
            if (startsWithNoCase(t, key)) f.members.emplace_back(trim(t.substr(key.size())));
    }
}

}  // namespace

bool looksLikeSuiteName(std::string_view name) { return startsWithNoCase(name, kSuiteMark); }

std::string lower(std::string_view s) {
    std::string out(s);
    for (auto& c : out)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
    return out;
}

CheckedFile parseFile(std::string name, FileKind kind, const std::string& bytes) {
    CheckedFile f;
    f.name = std::move(name);
    f.kind = kind;
    {
        const TextFile text(bytes);
        f.lines.reserve(text.lineCount());
        for (auto l : text.lines()) f.lines.emplace_back(l);
    }
    if (kind == FileKind::Project)
        parseProject(f);
    else
        parseFormLike(f);
    return f;
}

}  // namespace tavkonv40::check
