// Window messages, as the skinned controls receive them: the numbers and the
// wParam / lParam packing of a classic window system, free of any toolkit.
// A host turns its own events into these (tavSCls40 and controls/qt/ for Qt;
// on Windows they are the system's own messages).  On Windows include it
// before <windows.h>, whose macros have the same names.
#pragma once

#include <cstdint>

namespace winmsg {

using UINT = std::uint32_t;
using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;

enum Message : UINT {
    WM_CREATE = 0x0001,
    WM_DESTROY = 0x0002,
    WM_MOVE = 0x0003,
    WM_SIZE = 0x0005,
    WM_SETFOCUS = 0x0007,
    WM_KILLFOCUS = 0x0008,
    WM_ENABLE = 0x000A,
    WM_PAINT = 0x000F,
    WM_SHOWWINDOW = 0x0018,
    WM_KEYDOWN = 0x0100,
    WM_KEYUP = 0x0101,
    WM_CHAR = 0x0102,
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

// Bit 30 of a WM_KEYDOWN's lParam: the key was already down (a repeat).
constexpr LPARAM kKeyRepeatFlag = LPARAM{1} << 30;

// Mouse buttons and shift state as the controls' events report them.
enum MouseButton : int { vbLeftButton = 1, vbRightButton = 2, vbMiddleButton = 4 };
enum ShiftState : int { vbShiftMask = 1, vbCtrlMask = 2, vbAltMask = 4 };

// A mouse message unpacked: the button (vbLeftButton, ... for button
// messages, the held buttons for others), the shift state and the signed
// client coordinates.  The Alt key is not in a mouse message: `altDown` adds it.
struct MouseParameters {
    int button = 0;
    int shift = 0;
    int x = 0;
    int y = 0;
};
MouseParameters UnpackMouse(UINT message, WPARAM wParam, LPARAM lParam, bool altDown);

// ---- the mouse wheel ----
// A WM_MOUSEWHEEL unpacked: the turn (WHEEL_DELTA a notch; below zero towards
// the user), and the held buttons, shift state and pointer as UnpackMouse
// gives them (without the Alt key), the pointer in screen coordinates.
constexpr int WHEEL_DELTA = 120;
struct WheelParameters {
    int delta = 0;
    MouseParameters mouse;
};
WheelParameters UnpackWheel(WPARAM wParam, LPARAM lParam);

}  // namespace winmsg
