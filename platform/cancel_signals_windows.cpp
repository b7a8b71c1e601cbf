#include <windows.h>

#include "platform/cancel_signals.h"

namespace tavkonv40 {

namespace {

CancelRequests g_requests;
std::atomic<int> g_count{0};

// Ctrl-C, Ctrl-Break, a closed console window, logoff and shutdown. The system calls the
// handler on a thread of its own. For the last three it ends the process once the handler
// returns, so the handler waits there (within the few seconds the system grants) for the run
// to reach its cancelled ending, which ends the process itself.
BOOL WINAPI onConsoleControl(DWORD event) {
    if (g_count.fetch_add(1) > 0) g_requests.stop.store(true);
    g_requests.cancel.store(true);
    if (event == CTRL_CLOSE_EVENT || event == CTRL_LOGOFF_EVENT || event == CTRL_SHUTDOWN_EVENT) ::Sleep(INFINITE);
    return TRUE;
}

}  // namespace

CancelRequests& installCancelSignals() {
    ::SetConsoleCtrlHandler(onConsoleControl, TRUE);
    return g_requests;
}

}  // namespace tavkonv40
