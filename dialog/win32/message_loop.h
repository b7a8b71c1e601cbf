// The dialog's own message handling on Win32: the modal loop it shows itself in, the one-shot
// yield a run makes between its steps, the host's window put out of reach meanwhile, and the
// screen's own resolution for the dialog's windows.
#pragma once

#include <windows.h>

#include <functional>

namespace dialog::win32 {

// Dispatches the thread's messages until `window` no longer exists. A WM_QUIT ends it too and
// is posted again, so that the host's own loop still sees it and ends. `focusMoved` hears of the
// window that has the keyboard's focus each time a message has moved it (Tab, a click).
void RunModalLoop(HWND window, const std::function<void(HWND focused)>& focusMoved = {});

// Dispatches the messages waiting now (clicks, paints, timers), then returns without waiting
// for more. A WM_QUIT among them is posted again and ends the yield.
void YieldOnce();

// While it lives, the window that was active when it was made (the host's) takes no input; when
// it goes, that window is enabled and made active again.
class HostWindowDisabled {
  public:
    HostWindowDisabled();
    ~HostWindowDisabled() { restore(); }
    HostWindowDisabled(const HostWindowDisabled&) = delete;
    HostWindowDisabled& operator=(const HostWindowDisabled&) = delete;

    // Enables the host's window; call before the dialog's window goes, or the system hands
    // the activation to some other program's window.
    void enable();
    // Enables it and makes it active again.
    void restore();

  private:
    HWND m_host = nullptr;
};

// While it lives, the windows the thread makes are told the screen's resolution and drawn at its
// pixels, instead of a 96-DPI picture the system stretches; the thread's setting before it comes
// back when it goes. (The system's resolution, not each monitor's: on a monitor of another
// scale the system stretches the window, which then keeps the places it was laid out at.)
// Systems without the call keep the stretched window.
class ScreenResolutionAware {
  public:
    ScreenResolutionAware();
    ~ScreenResolutionAware();
    ScreenResolutionAware(const ScreenResolutionAware&) = delete;
    ScreenResolutionAware& operator=(const ScreenResolutionAware&) = delete;

  private:
    void* m_previous = nullptr;
};

}  // namespace dialog::win32
