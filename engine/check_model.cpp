#include "engine/check_model.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <cstdlib>
#include <optional>
#include <stdexcept>

#include "engine/line_finder.h"
#include "engine/text_util.h"

namespace tavkonv40::check {

namespace {

// Every suite library, class and control file name starts with this mark, in any letter case.
constexpr std::string_view kSuiteMark = "tav";

// A table: code lines are read a byte at a time, and most of their bytes are letters.
constexpr std::array<bool, 256> kIdentifierBytes = [] {
    std::array<bool, 256> t{};
    for (int c = 0; c < 256; ++c)
        t[static_cast<std::size_t>(c)] =
            (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
    return t;
}();

bool isIdentifierChar(char c) { return kIdentifierBytes[static_cast<unsigned char>(c)]; }

std::string_view trimLeft(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    return s;
}

std::string_view trim(std::string_view s) {
    s = trimLeft(s);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    return s;
}

std::string_view guidIn(std::string_view line) {
    const auto open = line.find('{');
    if (open == std::string_view::npos) return {};
    const auto close = line.find('}', open);
    if (close == std::string_view::npos) return {};
    return line.substr(open + 1, close - open - 1);
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
    out = {n, t.substr(open + 1, t.size() - open - 2), guidIn(t)};
    return true;
}

// Object={GUID}#1.0#0; file, or Object=*\A..\Other\Other.vbp for a control project of the same
// group, which the header of a form using it names the same way (Object = "*\A..\Other\Other.vbp").
bool parseProjectReference(std::string_view line, std::size_t n, ReferenceLine& out) {
    constexpr std::string_view key = "Object=";
    const auto t = trim(line);
    if (!startsWithNoCase(t, key)) return false;
    const auto semicolon = t.rfind(';');
    const auto file = trim(semicolon == std::string_view::npos ? t.substr(key.size()) : t.substr(semicolon + 1));
    if (file.empty()) return false;
    out = {n, file, guidIn(t)};
    return true;
}

// The first blank-delimited word after "Begin ", split at its first "."; the word after it is the
// control's name.
void addBeginName(std::string_view line, std::size_t n, std::vector<SuiteName>& names, NoCaseViewSet& controls) {
    auto t = trimLeft(trimLeft(line).substr(6));
    const auto end = t.find_first_of(" \t");
    const auto word = t.substr(0, end);
    if (end != std::string_view::npos) {
        // Only a control named like a suite library can be taken for one in code.
        const auto rest = trimLeft(t.substr(end));
        const auto control = rest.substr(0, rest.find_first_of(" \t"));
        if (looksLikeSuiteName(control)) controls.insert(control);
    }
    const auto dot = word.find('.');
    const auto library = word.substr(0, dot);
    if (!looksLikeSuiteName(library)) return;
    names.push_back({n, NameSite::BeginLine, library,
                     dot == std::string_view::npos ? std::string_view() : word.substr(dot + 1), true,
                     NameFollower::Class});
}

// What the word before `at` (blanks skipped) lets stand at `at`.
NameFollower followerAt(std::string_view line, std::size_t at) {
    std::size_t end = at;
    while (end > 0 && (line[end - 1] == ' ' || line[end - 1] == '\t')) --end;
    if (end == at) return NameFollower::AnyMember;
    std::size_t begin = end;
    while (begin > 0 && isIdentifierChar(line[begin - 1])) --begin;
    const auto word = line.substr(begin, end - begin);
    if (equalsNoCase(word, "As")) return NameFollower::ClassOrType;
    static constexpr std::string_view kClassKeywords[] = {"New", "Implements", "Is"};
    return std::any_of(std::begin(kClassKeywords), std::end(kClassKeywords),
                       [&](std::string_view k) { return equalsNoCase(word, k); })
               ? NameFollower::Class
               : NameFollower::AnyMember;
}

// A file name's extension ("tavQVButton20.ocx", "tavLogo.bmp"): short and in lower case, unlike
// every class of the suite.
bool looksLikeExtension(std::string_view s) {
    return s.size() <= 4 && std::none_of(s.begin(), s.end(), [](char c) { return c >= 'A' && c <= 'Z'; });
}

// A string that holds nothing but "library.class" with a suite library: a ProgID.
void addProgId(std::string_view text, std::size_t n, std::vector<SuiteName>& names) {
    const auto dot = text.find('.');
    if (dot == std::string_view::npos || dot + 1 == text.size()) return;
    const auto library = text.substr(0, dot), className = text.substr(dot + 1);
    if (!looksLikeSuiteName(library) || looksLikeExtension(className) ||
        !std::all_of(library.begin(), library.end(), isIdentifierChar) ||
        !std::all_of(className.begin(), className.end(), isIdentifierChar))
        return;
    names.push_back({n, NameSite::ProgId, library, className, false, NameFollower::Class});
}

// Qualified names "library.class" in a code line, outside comments: in code, and as a string's
// whole text. A control of the file named like a suite library (tavQVButton1) is no library:
// "tavQVButton1.Caption" sets a property.
void addCodeNames(std::string_view line, std::size_t n, std::vector<SuiteName>& names, const NoCaseViewSet& controls) {
    bool inString = false;
    std::size_t stringStart = 0;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (c == '"') {
            inString = !inString;
            if (inString)
                stringStart = i + 1;
            else
                addProgId(line.substr(stringStart, i - stringStart), n, names);
            continue;
        }
        if (inString) continue;
        if (c == '\'') return;
        if (!isIdentifierChar(c) || (i > 0 && (isIdentifierChar(line[i - 1]) || line[i - 1] == '.'))) continue;
        std::size_t j = i;
        while (j < line.size() && isIdentifierChar(line[j])) ++j;
        const auto library = line.substr(i, j - i);
        if (j < line.size() && line[j] == '.' && looksLikeSuiteName(library) && !controls.count(library)) {
            std::size_t k = j + 1;
            while (k < line.size() && isIdentifierChar(line[k])) ++k;
            names.push_back({n, NameSite::Code, library, line.substr(j + 1, k - j - 1), i > 0 && line[i - 1] == ' ',
                             followerAt(line, i)});
            i = k - 1;
        } else {
            i = j - 1;
        }
    }
}

bool isBeginLine(std::string_view line) { return startsWithNoCase(trimLeft(line), "Begin "); }
bool isEndLine(std::string_view line) { return trim(line) == "End"; }

enum class Nesting { Other, Begin, End };

// The number of blanks a line starts with. A body's lines are indented by spaces, three a level:
// eight bytes are compared at once.
std::size_t indentOf(std::string_view line) {
    std::size_t i = 0;
    if constexpr (std::endian::native == std::endian::little) {
        for (; i + 8 <= line.size(); i += 8) {
            std::uint64_t word;
            std::memcpy(&word, line.data() + i, 8);
            if (const std::uint64_t differs = word ^ 0x2020202020202020ull; differs != 0) {
                i += static_cast<std::size_t>(std::countr_zero(differs)) / 8;
                break;
            }
        }
    }
    while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
    return i;
}

// isBeginLine and isEndLine in one look at the line: a body has millions of property lines, and
// only those whose first letter is a B or an E can be either.
Nesting nestingOf(std::string_view line) {
    const auto t = line.substr(indentOf(line));
    if (t.empty()) return Nesting::Other;
    if (t[0] == 'B' || t[0] == 'b') return startsWithNoCase(t, "Begin ") ? Nesting::Begin : Nesting::Other;
    if (t[0] == 'E') return trim(t) == "End" ? Nesting::End : Nesting::Other;
    return Nesting::Other;
}

std::size_t headerReferences(const std::vector<std::string_view>& lines, CheckedFile& f) {
    std::size_t n = 0;
    for (; n < lines.size() && !isBeginLine(lines[n]); ++n) {
        ReferenceLine ref;
        if (parseHeaderReference(lines[n], n + 1, ref)) f.references.push_back(ref);
    }
    return n;
}

void parseFormLike(const TextFile& text, CheckedFile& f) {
    const auto& lines = text.lines();
    std::size_t n = f.headerLines = headerReferences(lines, f);
    // The body: Begin and End lines nest; BeginProperty / EndProperty are neither. The code
    // follows the End that closes the outermost Begin.
    int depth = 0;
    NoCaseViewSet controls;
    for (; n < lines.size(); ++n) {
        const auto line = lines[n];
        const Nesting nesting = nestingOf(line);
        if (nesting == Nesting::Begin) {
            ++depth;
            addBeginName(line, n + 1, f.names, controls);
        } else if (nesting == Nesting::End && --depth == 0) {
            ++n;
            break;
        }
    }
    if (n >= lines.size()) return;
    // Only lines holding the suite mark can hold a suite name; one search over the bytes finds them.
    LineFinder finder(text, kSuiteMark, LetterCase::Ignore);
    finder.startAt(n);
    for (std::size_t found = finder.next(); found != 0; found = finder.next())
        addCodeNames(lines[found - 1], found, f.names, controls);
}

void parseProject(const std::vector<std::string_view>& lines, CheckedFile& f) {
    for (std::size_t n = 0; n < lines.size(); ++n) {
        const auto t = trim(lines[n]);
        ReferenceLine ref;
        if (parseProjectReference(t, n + 1, ref)) {
            f.references.push_back(ref);
            continue;
        }
        for (std::string_view key : {"Form=", "UserControl="})
            if (startsWithNoCase(t, key)) f.members.push_back({n + 1, trim(t.substr(key.size()))});
        for (std::string_view key : {"PropertyPage=", "UserDocument="})
            if (startsWithNoCase(t, key)) f.pages.push_back({n + 1, trim(t.substr(key.size()))});
    }
}

// "Height          =   315": the number, when the line sets the property.
std::optional<double> propertyValue(std::string_view line, std::string_view property) {
    const auto eq = line.find('=');
    if (eq == std::string_view::npos || !equalsNoCase(trim(line.substr(0, eq)), property)) return std::nullopt;
    const std::string value(trim(line.substr(eq + 1)));
    char* end = nullptr;
    const double v = std::strtod(value.c_str(), &end);
    if (end == value.c_str()) return std::nullopt;
    return v;
}

}  // namespace

Shape shapeOf(const std::vector<std::string_view>& lines, std::size_t begin) {
    std::optional<double> height, width;
    int depth = 0, propertyDepth = 0;
    for (std::size_t i = begin + 1; i < lines.size(); ++i) {
        const auto t = trim(lines[i]);
        if (startsWithNoCase(t, "BeginProperty"))
            ++propertyDepth;
        else if (startsWithNoCase(t, "EndProperty"))
            --propertyDepth;
        else if (isBeginLine(t))
            ++depth;
        else if (isEndLine(t) && depth-- == 0)
            break;
        else if (depth == 0 && propertyDepth == 0) {
            if (auto h = propertyValue(t, "Height")) height = h;
            if (auto w = propertyValue(t, "Width")) width = w;
        }
    }
    if (!height || !width || *height == *width) return Shape::Unknown;
    return *height > *width ? Shape::Tall : Shape::Wide;
}

std::size_t projectInsertionLine(const CheckedFile& project) {
    const auto& lines = *project.lines;
    for (std::string_view key : {"Object={", "Reference="}) {
        std::size_t anchor = 0;
        for (std::size_t i = 0; i < lines.size(); ++i)
            if (containsNoCase(lines[i], key)) anchor = i + 1;
        if (anchor) return anchor;
    }
    return 0;
}

bool looksLikeSuiteName(std::string_view name) { return startsWithNoCase(name, kSuiteMark); }

void parseFile(const TextFile& text, FileKind kind, CheckedFile& f) {
    f.kind = kind;
    f.lines = &text.lines();
    if (kind == FileKind::Project)
        parseProject(text.lines(), f);
    else
        parseFormLike(text, f);
}

void parseHeaderReferences(const TextFile& text, CheckedFile& f) {
    f.lines = &text.lines();
    f.headerLines = headerReferences(text.lines(), f);
}

ProjectSummary summariseProject(const CheckedFile& project) {
    ProjectSummary s;
    s.name = project.name;
    for (const auto& r : project.references) {
        s.references.push_back({r.line, std::string(r.file)});
        s.listed.emplace(r.file);
    }
    for (const auto& m : project.members)
        if (const auto here = memberHere(m.path); !here.empty()) s.members.emplace_back(here);
    return s;
}

std::string_view memberHere(std::string_view path) {
    while (path.size() > 2 && path[0] == '.' && (path[1] == '\\' || path[1] == '/')) path.remove_prefix(2);
    return path.find_first_of("\\/") == std::string_view::npos ? path : std::string_view();
}

void FileVisitor::visitKnown(const CheckedFile&, const FindingCounts&, FolderContext&) {
    throw std::logic_error("this pass over a folder cannot take a file from facts");
}

bool NoCaseEqual::operator()(std::string_view a, std::string_view b) const { return equalsNoCase(a, b); }

std::vector<Finding>& FileFindings::sorted() {
    std::stable_sort(items_.begin(), items_.end(), [](const Finding& a, const Finding& b) { return a.line < b.line; });
    return items_;
}

}  // namespace tavkonv40::check
