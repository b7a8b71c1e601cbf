// The Windows build's text boundary: the program works in UTF-8, the system calls take UTF-16.
#pragma once

#include <string>

namespace tavkonv40::windows {

// UTF-8 to UTF-16; bytes that are not UTF-8 become U+FFFD.
std::wstring widen(const std::string& utf8);
// UTF-16 to UTF-8.
std::string narrow(const std::wstring& utf16);

// The system's text for an error code, without the final full stop and line end, so that it
// reads like the POSIX build's messages ("Access is denied").
std::string systemMessage(unsigned long error);

}  // namespace tavkonv40::windows
