// Window messages, as the skinned controls receive them.
//
// The controls are written against classic window messages: a message number
// with two parameters, wParam and lParam, packed as the window system packs
// them.  tavSCls40 turns Qt events into these messages; this header holds the
// numbers, the packing helpers and the window timers that deliver WM_TIMER.
#pragma once

#include <cstdint>

class QWidget;

namespace winmsg {

using HWND = QWidget*;
using UINT = std::uint32_t;
using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;

enum Message : UINT {
    WM_CREATE = 0x0001,
    WM_DESTROY = 0x0002,
    WM_PAINT = 0x000F,
    WM_TIMER = 0x0113,
    WM_MOUSEMOVE = 0x0200,
    WM_LBUTTONDOWN = 0x0201,
    WM_LBUTTONUP = 0x0202,
    WM_LBUTTONDBLCLK = 0x0203,
    WM_RBUTTONDOWN = 0x0204,
    WM_RBUTTONUP = 0x0205,
    WM_RBUTTONDBLCLK = 0x0206,
    WM_MBUTTONDOWN = 0x0207,
    WM_MBUTTONUP = 0x0208,
    WM_MBUTTONDBLCLK = 0x0209,
    WM_MOUSEWHEEL = 0x020A,
    WM_PARENTNOTIFY = 0x0210,
};

// Key and button state flags in the wParam of mouse messages.
enum MouseKeyFlags : WPARAM {
    MK_LBUTTON = 0x0001,
    MK_RBUTTON = 0x0002,
    MK_SHIFT = 0x0004,
    MK_CONTROL = 0x0008,
    MK_MBUTTON = 0x0010,
};

constexpr LPARAM MAKELPARAM(int low, int high) {
    return static_cast<LPARAM>(static_cast<std::int32_t>((static_cast<std::uint32_t>(low) & 0xFFFFu) |
                                                         ((static_cast<std::uint32_t>(high) & 0xFFFFu) << 16)));
}
constexpr WPARAM MAKEWPARAM(int low, int high) {
    return static_cast<WPARAM>((static_cast<std::uint32_t>(low) & 0xFFFFu) |
                               ((static_cast<std::uint32_t>(high) & 0xFFFFu) << 16));
}
constexpr std::uint16_t LOWORD(std::uintptr_t v) { return static_cast<std::uint16_t>(v & 0xFFFFu); }
constexpr std::uint16_t HIWORD(std::uintptr_t v) { return static_cast<std::uint16_t>((v >> 16) & 0xFFFFu); }
// Signed coordinates packed in an lParam (they can be negative while the
// mouse is captured outside the window).
constexpr int GET_X_LPARAM(LPARAM lp) { return static_cast<std::int16_t>(LOWORD(static_cast<std::uintptr_t>(lp))); }
constexpr int GET_Y_LPARAM(LPARAM lp) { return static_cast<std::int16_t>(HIWORD(static_cast<std::uintptr_t>(lp))); }

// Window timers.  SetTimer starts (or restarts) timer `id` of `window`; each
// tick is delivered to the window as a timer event that a subclasser hands on
// as WM_TIMER with wParam = id.  KillTimer stops it; both return false for a
// null window or an unknown timer.  Timers die with their window.
bool SetTimer(HWND window, std::uintptr_t id, int milliseconds);
bool KillTimer(HWND window, std::uintptr_t id);
bool IsTimerRunning(HWND window, std::uintptr_t id);
// The window-timer id behind a Qt timer id of `window`, or 0.
std::uintptr_t TimerIdFor(HWND window, int qtTimerId);

}  // namespace winmsg
