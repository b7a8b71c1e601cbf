// The command-line front end over the engine, callable in process for tests.
#pragma once

#include <atomic>
#include <functional>
#include <iosfwd>
#include <string>
#include <vector>

#include "engine/file_system.h"
#include "cli/progress_display.h"
#include "engine/options.h"
#include "engine/run_host.h"

namespace tavkonv40::cli {

enum ExitStatus : int {
    kCompleted = 0,
    kCompletedWithErrors = 1,
    kUsage = 2,
    kCancelled = 3,
};

struct Services {
    FileSystem& fs;
    Clock& clock;
    std::ostream& out;
    std::ostream& err;
    // Set by SIGINT / SIGTERM (or a test) to cancel the run.
    const std::atomic<bool>& cancel;
    // Set by a second request to stop: the backup copy stops too (nothing is converted yet).
    const std::atomic<bool>* stop = nullptr;
    // Called once per log line after it is handed to `out` (which a file or a pipe gets in large
    // writes); tests use it to cancel at a chosen point.
    std::function<void(const std::string& line)> onLine{};
    // Whether standard output / standard error are terminals (colour, progress display).
    Terminal outTerminal = Terminal::No;
    Terminal errTerminal = Terminal::No;
};

// Parses `args` (without the program name) and does what they ask. Never throws.
int runCommandLine(const std::vector<std::string>& args, Services& services);

// Parses "LABEL[:EDITION]" style values; exposed for tests.
bool parseEdition(const std::string& text, Edition& edition);
// A Microsoft option by caption (letter case, "/" and blanks ignored) or index; -1 if unknown.
int findMicrosoftOption(const std::string& name);

}  // namespace tavkonv40::cli
