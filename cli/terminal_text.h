// File names are bytes and may hold control characters: printed raw, a name can move the cursor,
// clear the screen or forge a log line of its own. What goes to a person is quoted the way git
// quotes such names: in double quotes, with C escapes.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tavkonv40::cli {

// Whether the text holds a control character (bytes below 0x20, and 0x7F).
bool hasControlCharacters(std::string_view text);

// The name itself when it holds no control character; else "..." with \n, \t, \" , \\ and the
// like, and \ooo for the rest.
std::string quotedName(std::string_view name);

// The name as a word to paste into a shell command (shellQuoted). A name with a control
// character is quoted as by quotedName instead: a screen must never receive it raw.
std::string shellWord(std::string_view name);

// A line for a terminal: every occurrence of one of `names` that holds a control character is
// replaced by its quoted form, and any control character still left is written as \ooo.
std::string terminalLine(std::string_view line, const std::vector<std::string>& names);

// The longest beginning of `text` of at most `bytes` bytes that does not cut a UTF-8 character.
std::string_view utf8Prefix(std::string_view text, std::size_t bytes);

}  // namespace tavkonv40::cli
