#ifdef _WIN32
#include <windows.h>
#else
#include <signal.h>
#endif

#include <atomic>
#include <clocale>
#include <iostream>

#include "cli.h"
#include "console.h"
#include "disk_file_system.h"
#include "memory_tuning.h"

namespace {

std::atomic<bool> g_cancel{false};

#ifdef _WIN32
// Ctrl-C, Ctrl-Break and closing the console: the run ends through its cancelled ending. The
// handler runs on a thread of its own; for a closing console, returning TRUE lets the run
// finish its ending in the seconds the system allows.
BOOL WINAPI onConsoleControl(DWORD) {
    g_cancel.store(true);
    return TRUE;
}

void catchInterrupts() { ::SetConsoleCtrlHandler(onConsoleControl, TRUE); }
#else
extern "C" void onSignal(int) { g_cancel.store(true); }

void catchInterrupts() {
    struct sigaction sa {};
    sa.sa_handler = onSignal;
    sigemptyset(&sa.sa_mask);
    sigaction(SIGINT, &sa, nullptr);
    sigaction(SIGTERM, &sa, nullptr);
}
#endif

}  // namespace

int main(int argc, char** argv) {
#ifndef _WIN32
    // The log's time of day follows the user's locale. On Windows the C library would take the
    // Windows regional format instead; the C locale's 24-hour time is what Linux prints there.
    std::setlocale(LC_TIME, "");
#endif
    tavkonv40::keepFreedMemoryForReuse();
    tavkonv40::prepareStandardStreams();
    catchInterrupts();

    const std::vector<std::string> args = tavkonv40::commandLineArguments(argc, argv);
    tavkonv40::DiskFileSystem fs;
    tavkonv40::SystemClock clock;
    tavkonv40::cli::Services services{fs, clock, std::cout, std::cerr, g_cancel};
    using tavkonv40::StandardStream;
    using tavkonv40::cli::Terminal;
    services.outTerminal = tavkonv40::isTerminal(StandardStream::Output) ? Terminal::Yes : Terminal::No;
    services.errTerminal = tavkonv40::isTerminal(StandardStream::Error) ? Terminal::Yes : Terminal::No;
    return tavkonv40::cli::runCommandLine(args, services);
}
