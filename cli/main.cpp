#include <cstdio>
#include <iostream>

#include "platform/cancel_signals.h"
#include "cli/cli.h"
#include "platform/console.h"
#include "platform/disk_file_system.h"
#include "platform/memory_tuning.h"
#include "platform/regional_clock.h"
#include "platform/terminal.h"

int main(int argc, char** argv) {
    tavkonv40::keepFreedMemoryForReuse();
    tavkonv40::prepareStandardStreams();
    tavkonv40::CancelRequests& requests = tavkonv40::installCancelSignals();

    const std::vector<std::string> args = tavkonv40::commandLineArguments(argc, argv);
    tavkonv40::DiskFileSystem fs;
    tavkonv40::RegionalClock clock;
    tavkonv40::cli::Services services{fs, clock, std::cout, std::cerr, requests.cancel};
    services.stop = &requests.stop;
    using tavkonv40::cli::Terminal;
    services.outTerminal = tavkonv40::isTerminal(stdout) ? Terminal::Yes : Terminal::No;
    services.errTerminal = tavkonv40::isTerminal(stderr) ? Terminal::Yes : Terminal::No;
    return tavkonv40::cli::runCommandLine(args, services);
}
