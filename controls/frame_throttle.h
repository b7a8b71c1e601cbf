// frame_throttle: caps a control's repaints at one per frame (the list box
// and both scroll bars).
#pragma once

#include "controls/tick_clock.h"

#include <cstdint>

// Caps a control's repaints at one per frame.  A request a frame or more
// after the last one is passed on at once (Invalidate); a request inside the
// frame arms a one-shot window timer, and that timer's WM_TIMER passes on one
// repaint for all requests of the frame.  Without subclassing (design mode)
// there is no WM_TIMER, so every request is passed on.
//
// `Host` is what the control repaints through: Invalidate(), SetTimer(id,
// milliseconds) and KillTimer(id), as a ControlSite has them.
template <class Host>
class FrameThrottle {
  public:
    static constexpr int kFrameMs = 16;
    FrameThrottle(Host& host, std::uintptr_t timerId) : m_host(host), m_timerId(timerId) {}
    // `timers`: whether WM_TIMER reaches the control; `now`: milliseconds.
    void Request(bool timers, std::int64_t now) {
        if (!timers) {
            m_host.Invalidate();
            return;
        }
        if (m_deferred) return;  // the frame's timer will repaint
        const std::int64_t since = now - m_last;
        if (m_last < 0 || since < 0 || since >= kFrameMs) {
            m_last = now;
            m_host.Invalidate();
            return;
        }
        m_deferred = true;
        m_host.SetTimer(m_timerId, static_cast<int>(kFrameMs - since));
    }
    // True when `id` was the throttle's timer (the repaint has been passed on).
    bool OnTimer(std::uintptr_t id, std::int64_t now) {
        if (id != m_timerId) return false;
        Flush(now);
        return true;
    }
    // Passes on a deferred repaint now (for hide).
    void Flush(std::int64_t now) {
        m_host.KillTimer(m_timerId);
        if (!m_deferred) return;
        m_deferred = false;
        m_last = now;
        m_host.Invalidate();
    }
    // A millisecond clock for `now`.
    static std::int64_t NowMs() { return tick_clock::NowMs(); }

  private:
    Host& m_host;
    std::uintptr_t m_timerId;
    bool m_deferred = false;
    std::int64_t m_last = -1;
};
