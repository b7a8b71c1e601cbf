#include <windows.h>

#include "platform/regional_clock.h"
#include "platform/windows_text.h"

namespace tavkonv40 {

// The C library's locale would give the time in the ANSI code page; the system's own formatting
// gives it in UTF-16, whatever script the regional settings use.
RegionalClock::RegionalClock() = default;

std::string RegionalClock::timeOfDay() {
    wchar_t text[80];
    const int n = ::GetTimeFormatEx(LOCALE_NAME_USER_DEFAULT, 0, nullptr, nullptr, text, 80);
    if (n <= 1) return SystemClock::timeOfDay();
    return windows::narrow(std::wstring(text, static_cast<std::size_t>(n - 1)));
}

}  // namespace tavkonv40
