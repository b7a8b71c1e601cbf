#include "engine/text_util.h"

#include <algorithm>
#include <cctype>

namespace tavkonv40 {

bool equalsNoCase(std::string_view a, std::string_view b) {
    // Names compared are mostly spelled alike: a byte that matches as it stands needs no folding.
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [](char x, char y) { return x == y || asciiUpper(x) == asciiUpper(y); });
}

std::size_t InStrNoCase(std::size_t start, std::string_view text, std::string_view find) {
    if (start == 0) start = 1;
    if (start > text.size() + 1) return 0;
    if (find.empty()) return start;
    if (find.size() > text.size() - (start - 1)) return 0;
    const char first = asciiUpper(find.front());
    const char firstLower = (first >= 'A' && first <= 'Z') ? static_cast<char>(first + 32) : first;
    const std::size_t last = text.size() - find.size();
    for (std::size_t i = start - 1; i <= last; ++i) {
        const char c = text[i];
        if (c != first && c != firstLower) continue;
        std::size_t k = 1;
        while (k < find.size() && asciiUpper(text[i + k]) == asciiUpper(find[k])) ++k;
        if (k == find.size()) return i + 1;
    }
    return 0;
}

std::string& StripNull(std::string& s) {
    const auto nul = s.find('\0');
    if (nul != std::string::npos) s.erase(nul);
    return s;
}

bool anyLineContainsNoCase(const std::vector<std::string_view>& lines, std::string_view find) {
    for (const auto line : lines)
        if (InStrNoCase(1, line, find) != 0) return true;
    return false;
}

bool listingOrder(std::string_view a, std::string_view b) {
    const auto upper = [](char c) { return static_cast<unsigned char>(asciiUpper(c)); };
    const bool less = std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                                   [&](char x, char y) { return upper(x) < upper(y); });
    if (less || !equalsNoCase(a, b)) return less;
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return static_cast<unsigned char>(x) < static_cast<unsigned char>(y);
    });
}

void sortInListingOrder(std::vector<std::string>& names) {
    std::sort(names.begin(), names.end(),
              [](const std::string& a, const std::string& b) { return listingOrder(a, b); });
}

std::string withoutTrailingSlash(std::string path) {
    const auto isDriveRoot = [&path] { return kPathSeparators.size() > 1 && path.size() == 3 && path[1] == ':'; };
    while (path.size() > 1 && isPathSeparator(path.back()) && !isDriveRoot()) path.pop_back();
    return path;
}

bool isInsideFolder(std::string_view path, std::string_view folder) {
    return path.size() > folder.size() && path.substr(0, folder.size()) == folder &&
           isPathSeparator(path[folder.size()]);
}

std::string lastThreeUpper(std::string_view name) {
    std::string_view tail = name.size() > 3 ? name.substr(name.size() - 3) : name;
    std::string out(tail);
    for (char& c : out) c = asciiUpper(c);
    return out;
}

std::string shellQuoted(std::string_view name) {
#ifdef _WIN32
    constexpr std::string_view kPlain = "._/-+,:@%=\\";  // a backslash separates folders there
#else
    constexpr std::string_view kPlain = "._/-+,:@%=";
#endif
    const auto plain = [&](unsigned char c) {
        return c >= 0x80 || std::isalnum(c) || kPlain.find(static_cast<char>(c)) != std::string_view::npos;
    };
    if (!name.empty() && std::all_of(name.begin(), name.end(), plain)) return std::string(name);
#ifndef _WIN32
    if (name.find_first_of("\"$`\\!") != std::string_view::npos) {
        std::string quoted = "'";
        for (const char c : name) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
        return quoted + "'";
    }
#endif
    return '"' + std::string(name) + '"';
}

}  // namespace tavkonv40
