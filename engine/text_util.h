// Small byte-string helpers shared by every conversion step. Text is handled as bytes: case
// folding touches only ASCII letters, which is exact for the ASCII patterns the steps look for.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace tavkonv40 {

constexpr char asciiUpper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c; }

bool equalsNoCase(std::string_view a, std::string_view b);

inline bool startsWithNoCase(std::string_view s, std::string_view prefix) {
    return s.size() >= prefix.size() && equalsNoCase(s.substr(0, prefix.size()), prefix);
}

inline bool endsWithNoCase(std::string_view s, std::string_view suffix) {
    return s.size() >= suffix.size() && equalsNoCase(s.substr(s.size() - suffix.size()), suffix);
}

// 1-based position of the first occurrence of `find` in `text` at or after `start`, comparing
// letters without regard to case; 0 when there is none. An empty `find` is found at `start`.
std::size_t InStrNoCase(std::size_t start, std::string_view text, std::string_view find);

// Convenience: true when `find` occurs anywhere in `text`, ignoring case.
inline bool containsNoCase(std::string_view text, std::string_view find) { return InStrNoCase(1, text, find) != 0; }

inline bool contains(std::string_view text, std::string_view find) { return text.find(find) != std::string_view::npos; }

// Cuts `s` at its first NUL character and returns it.
std::string& StripNull(std::string& s);

// The upper-cased last three characters of a name (all of it when shorter).
std::string lastThreeUpper(std::string_view name);

// True when some line contains `find`, ignoring case.
bool anyLineContainsNoCase(const std::vector<std::string_view>& lines, std::string_view find);

// The one order in which a folder's entries are met, listed and reported, whatever the file system
// lists first: names compared after upper-casing ASCII letters, byte by byte (bytes unsigned, a
// name before any longer name it begins), and names equal that way by their own bytes. It is the
// order in which the original program met a folder's entries on its home platform.
bool listingOrder(std::string_view a, std::string_view b);
void sortInListingOrder(std::vector<std::string>& names);

// Path separators: "/" everywhere, and "\\" too on Windows, where users type either.
#ifdef _WIN32
inline constexpr std::string_view kPathSeparators = "/\\";
inline constexpr char kPreferredSeparator = '\\';
#else
inline constexpr std::string_view kPathSeparators = "/";
inline constexpr char kPreferredSeparator = '/';
#endif
constexpr bool isPathSeparator(char c) { return kPathSeparators.find(c) != std::string_view::npos; }
// Index of the last separator in `path`, or npos.
inline std::size_t lastPathSeparator(std::string_view path) { return path.find_last_of(kPathSeparators); }
// The part of `path` after its last separator.
inline std::string_view fileNameOf(std::string_view path) {
    const auto slash = lastPathSeparator(path);
    return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

// Drops trailing separators, but keeps a root ("/", or "C:\\" on Windows) whole.
std::string withoutTrailingSlash(std::string path);
// `path` lies below `folder` (not the folder itself).
bool isInsideFolder(std::string_view path, std::string_view folder);

// A name as a command shell takes it back as one word when a suggested command is copied: as it
// is when no character in it means something to a shell, in double quotes when none of those
// does inside them (what a Windows console takes too), else in single quotes.
std::string shellQuoted(std::string_view name);

}  // namespace tavkonv40
