#include <windows.h>
// After windows.h.
#include <io.h>

#include "platform/terminal.h"

namespace tavkonv40 {

// _isatty is also true for NUL; only a console answers GetConsoleMode.
bool isTerminal(std::FILE* stream) {
    DWORD mode = 0;
    const auto h = reinterpret_cast<HANDLE>(::_get_osfhandle(::_fileno(stream)));
    return h != INVALID_HANDLE_VALUE && ::GetConsoleMode(h, &mode) != 0;
}

}  // namespace tavkonv40
