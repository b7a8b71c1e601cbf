#include <windows.h>
// After windows.h, which it needs.
#include <fcntl.h>
#include <io.h>
#include <shellapi.h>

#include <cstdio>
#include <cstdlib>

#include "platform/console.h"
#include "platform/windows_text.h"

namespace tavkonv40 {

namespace {

UINT g_outputCodePage = 0;

void restoreCodePage() {
    if (g_outputCodePage != 0) ::SetConsoleOutputCP(g_outputCodePage);
}

}  // namespace

std::vector<std::string> commandLineArguments(int, char**) {
    // main's argv is in the ANSI code page, which cannot hold every file name; the wide
    // command line can.
    int argc = 0;
    wchar_t** argv = ::CommandLineToArgvW(::GetCommandLineW(), &argc);
    std::vector<std::string> args;
    for (int i = 1; argv && i < argc; ++i) args.push_back(windows::narrow(argv[i]));
    if (argv) ::LocalFree(argv);
    return args;
}

void prepareStandardStreams() {
    // The log and the diff are printed byte for byte as on Linux: no CR inserted before LF.
    ::_setmode(::_fileno(stdout), _O_BINARY);
    ::_setmode(::_fileno(stderr), _O_BINARY);
    bool console = false;
    for (DWORD which : {STD_OUTPUT_HANDLE, STD_ERROR_HANDLE}) {
        const HANDLE h = ::GetStdHandle(which);
        DWORD mode = 0;
        if (!::GetConsoleMode(h, &mode)) continue;
        console = true;
        ::SetConsoleMode(h, mode | ENABLE_PROCESSED_OUTPUT | ENABLE_VIRTUAL_TERMINAL_PROCESSING);
    }
    if (console && ::GetConsoleOutputCP() != CP_UTF8) {
        g_outputCodePage = ::GetConsoleOutputCP();
        ::SetConsoleOutputCP(CP_UTF8);
        std::atexit(restoreCodePage);
    }
}

}  // namespace tavkonv40
