#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <clocale>
#include <iostream>

#include "cli.h"
#include "disk_file_system.h"
#include "memory_tuning.h"

namespace {

std::atomic<bool> g_cancel{false};

extern "C" void onSignal(int) { g_cancel.store(true); }

}  // namespace

int main(int argc, char** argv) {
    // The log's time of day follows the user's locale.
    std::setlocale(LC_TIME, "");
    tavkonv40::keepFreedMemoryForReuse();

    struct sigaction sa {};
    sa.sa_handler = onSignal;
    sigemptyset(&sa.sa_mask);
    sigaction(SIGINT, &sa, nullptr);
    sigaction(SIGTERM, &sa, nullptr);

    std::vector<std::string> args(argv + 1, argv + argc);
    tavkonv40::DiskFileSystem fs;
    tavkonv40::SystemClock clock;
    tavkonv40::cli::Services services{fs, clock, std::cout, std::cerr, g_cancel};
    using tavkonv40::cli::Terminal;
    services.outTerminal = ::isatty(STDOUT_FILENO) ? Terminal::Yes : Terminal::No;
    services.errTerminal = ::isatty(STDERR_FILENO) ? Terminal::Yes : Terminal::No;
    return tavkonv40::cli::runCommandLine(args, services);
}
