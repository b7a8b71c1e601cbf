#include "controls/suite/window_messages.h"

namespace winmsg {

MouseParameters UnpackMouse(UINT message, WPARAM wParam, LPARAM lParam, bool altDown) {
    MouseParameters p;
    switch (message) {
        case WM_LBUTTONDOWN:
        case WM_LBUTTONUP:
        case WM_LBUTTONDBLCLK: p.button = vbLeftButton; break;
        case WM_RBUTTONDOWN:
        case WM_RBUTTONUP:
        case WM_RBUTTONDBLCLK: p.button = vbRightButton; break;
        case WM_MBUTTONDOWN:
        case WM_MBUTTONUP:
        case WM_MBUTTONDBLCLK: p.button = vbMiddleButton; break;
        default:
            p.button = ((wParam & MK_LBUTTON) ? vbLeftButton : 0) | ((wParam & MK_RBUTTON) ? vbRightButton : 0) |
                       ((wParam & MK_MBUTTON) ? vbMiddleButton : 0);
            break;
    }
    p.shift =
        ((wParam & MK_SHIFT) ? vbShiftMask : 0) | ((wParam & MK_CONTROL) ? vbCtrlMask : 0) | (altDown ? vbAltMask : 0);
    p.x = GET_X_LPARAM(lParam);
    p.y = GET_Y_LPARAM(lParam);
    return p;
}

WheelParameters UnpackWheel(WPARAM wParam, LPARAM lParam) {
    return WheelParameters{static_cast<std::int16_t>(HIWORD(wParam)),
                           UnpackMouse(WM_MOUSEWHEEL, wParam, lParam, false)};
}

}  // namespace winmsg
