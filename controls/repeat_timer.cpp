#include "controls/repeat_timer.h"

namespace scroll_bar {

// ---- repeat ----------------------------------------------------------------------------

void RepeatTimer::Start() {
    winmsg::KillTimer(m_window, kTimerScrl);
    m_repeat = false;
    m_delay = winmsg::SetTimer(m_window, kTimerScrlEnable, kRepeatDelayMs);
}

void RepeatTimer::Stop() {
    if (m_delay) winmsg::KillTimer(m_window, kTimerScrlEnable);
    if (m_repeat) winmsg::KillTimer(m_window, kTimerScrl);
    m_delay = m_repeat = false;
}

void RepeatTimer::StopRepeat() {
    if (m_repeat) winmsg::KillTimer(m_window, kTimerScrl);
    m_repeat = false;
}

RepeatTimer::Tick RepeatTimer::OnTimer(std::uintptr_t id) {
    if (id == kTimerScrlEnable && m_delay) {
        winmsg::KillTimer(m_window, kTimerScrlEnable);
        m_delay = false;
        m_interval = kFirstRepeatMs;
        m_repeat = winmsg::SetTimer(m_window, kTimerScrl, m_interval);
        return Tick::DelayOver;
    }
    if (id == kTimerScrl && m_repeat) {
        if (m_interval != kRepeatMs) {
            m_interval = kRepeatMs;
            winmsg::SetTimer(m_window, kTimerScrl, m_interval);
        }
        return Tick::Step;
    }
    return Tick::NotMine;
}

}  // namespace scroll_bar
