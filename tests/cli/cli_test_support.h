// Runs the command line in process, against any file system, and keeps what it printed.
#pragma once

#include <atomic>
#include <sstream>
#include <string>
#include <vector>

#include "cli/cli.h"

namespace tavkonv40::test {

struct Invocation {
    int status;
    std::string out;
    std::string err;
};

// `onLine` (with `context`) sees every log line after it is printed, e.g. to cancel at a chosen one.
inline Invocation invoke(FileSystem& fs, Clock& clock, const std::atomic<bool>& cancel,
                         const std::vector<std::string>& args, void (*onLine)(const std::string&, void*) = nullptr,
                         void* context = nullptr) {
    std::ostringstream out, err;
    cli::Services s{fs, clock, out, err, cancel};
    s.onLine = onLine;
    s.onLineContext = context;
    const int status = cli::runCommandLine(args, s);
    return {status, out.str(), err.str()};
}

}  // namespace tavkonv40::test
