// Window messages, as the skinned controls receive them.
//
// The controls are written against classic window messages: a message number
// with two parameters, wParam and lParam, packed as the window system packs
// them.  tavSCls40 turns Qt events into these messages; this header holds the
// numbers, the packing helpers and the window timers that deliver WM_TIMER.
#pragma once

#include "controls/suite/window_messages.h"

#include <cstdint>

class QWidget;

namespace winmsg {

using HWND = QWidget*;
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
