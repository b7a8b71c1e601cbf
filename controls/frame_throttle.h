// frame_throttle: caps a control's repaints at one per frame (the list box
// and both scroll bars).
#pragma once

#include "controls/suite/winmsg.h"
#include "controls/tick_clock.h"

#include <cstdint>

// Caps a control's repaints at one per frame.  A request a frame or more
// after the last one is passed on at once (QWidget::update); a request inside
// the frame arms a one-shot window timer, and that timer's WM_TIMER passes on
// one repaint for all requests of the frame.  Without subclassing (design
// mode) there is no WM_TIMER, so every request is passed on.
class FrameThrottle {
  public:
    static constexpr int kFrameMs = 16;
    FrameThrottle(winmsg::HWND window, std::uintptr_t timerId) : m_window(window), m_timerId(timerId) {}
    // `timers`: whether WM_TIMER reaches the control; `now`: milliseconds.
    void Request(bool timers, std::int64_t now);
    // True when `id` was the throttle's timer (the repaint has been passed on).
    bool OnTimer(std::uintptr_t id, std::int64_t now);
    // Passes on a deferred repaint now (for hide).
    void Flush(std::int64_t now);
    // A millisecond clock for `now`.
    static std::int64_t NowMs() { return tick_clock::NowMs(); }

  private:
    winmsg::HWND m_window;
    std::uintptr_t m_timerId;
    bool m_deferred = false;
    std::int64_t m_last = -1;
};
