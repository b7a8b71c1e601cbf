#include "controls/frame_throttle.h"

#include <QWidget>

// ---- repaint throttle ------------------------------------------------------------------

void FrameThrottle::Request(bool timers, std::int64_t now) {
    if (!timers) {
        m_window->update();
        return;
    }
    if (m_deferred) return;  // the frame's timer will repaint
    const std::int64_t since = now - m_last;
    if (m_last < 0 || since < 0 || since >= kFrameMs) {
        m_last = now;
        m_window->update();
        return;
    }
    m_deferred = true;
    winmsg::SetTimer(m_window, m_timerId, static_cast<int>(kFrameMs - since));
}

bool FrameThrottle::OnTimer(std::uintptr_t id, std::int64_t now) {
    if (id != m_timerId) return false;
    Flush(now);
    return true;
}

void FrameThrottle::Flush(std::int64_t now) {
    winmsg::KillTimer(m_window, m_timerId);
    if (!m_deferred) return;
    m_deferred = false;
    m_last = now;
    m_window->update();
}
