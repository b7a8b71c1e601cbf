#include <clocale>
#include <cstdio>
#include <iostream>

#include "platform/cancel_signals.h"
#include "cli/cli.h"
#include "platform/console.h"
#include "platform/disk_file_system.h"
#include "platform/memory_tuning.h"
#include "platform/terminal.h"

int main(int argc, char** argv) {
#ifndef _WIN32
    // The log's time of day follows the user's locale. On Windows the C library would take the
    // Windows regional format instead; the C locale's 24-hour time is what Linux prints there.
    std::setlocale(LC_TIME, "");
#endif
    tavkonv40::keepFreedMemoryForReuse();
    tavkonv40::prepareStandardStreams();
    tavkonv40::CancelRequests& requests = tavkonv40::installCancelSignals();

    const std::vector<std::string> args = tavkonv40::commandLineArguments(argc, argv);
    tavkonv40::DiskFileSystem fs;
    tavkonv40::SystemClock clock;
    tavkonv40::cli::Services services{fs, clock, std::cout, std::cerr, requests.cancel};
    services.stop = &requests.stop;
    using tavkonv40::cli::Terminal;
    services.outTerminal = tavkonv40::isTerminal(stdout) ? Terminal::Yes : Terminal::No;
    services.errTerminal = tavkonv40::isTerminal(stderr) ? Terminal::Yes : Terminal::No;
    return tavkonv40::cli::runCommandLine(args, services);
}
