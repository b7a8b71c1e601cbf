#include <signal.h>

#include "platform/cancel_signals.h"

namespace tavkonv40 {

namespace {

CancelRequests g_requests;
std::atomic<int> g_count{0};

static_assert(std::atomic<bool>::is_always_lock_free && std::atomic<int>::is_always_lock_free,
              "set from a signal handler");

extern "C" void onCancelSignal(int) {
    if (g_count.fetch_add(1) > 0) g_requests.stop.store(true);
    g_requests.cancel.store(true);
}

}  // namespace

CancelRequests& installCancelSignals() {
    struct sigaction sa {};
    sa.sa_handler = onCancelSignal;
    sigemptyset(&sa.sa_mask);
    // A closed terminal (SIGHUP) is a request to stop like any other: the run still ends
    // through its cancelled ending and leaves its backup in place.
    for (int sig : {SIGINT, SIGTERM, SIGHUP}) sigaction(sig, &sa, nullptr);
    struct sigaction ignore {};
    ignore.sa_handler = SIG_IGN;
    sigemptyset(&ignore.sa_mask);
    sigaction(SIGPIPE, &ignore, nullptr);
    return g_requests;
}

}  // namespace tavkonv40
