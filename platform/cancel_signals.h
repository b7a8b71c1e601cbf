// How a user's request to stop reaches a command-line run, whatever the operating system calls
// it (Ctrl-C, a termination request, a closed terminal). The run only polls the flags below;
// installing what sets them is the platform's business.
#pragma once

#include <atomic>

namespace tavkonv40 {

struct CancelRequests {
    // Set by the first request: the run ends through its cancelled ending at its next check.
    std::atomic<bool> cancel{false};
    // Set by a second request: even the backup copy stops (nothing has been converted yet
    // while it runs, so the partial copy is simply removed).
    std::atomic<bool> stop{false};
};

// Installs the handlers once and returns the flags they set. A write to a closed pipe no longer
// ends the process; it shows as a failed write instead.
CancelRequests& installCancelSignals();

}  // namespace tavkonv40
