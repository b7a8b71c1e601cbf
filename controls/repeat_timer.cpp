#include "controls/repeat_timer.h"

namespace scroll_bar {

// ---- repeat ----------------------------------------------------------------------------

void RepeatTimer::Start() {
    m_site.KillTimer(kTimerScrl);
    m_repeat = false;
    m_site.SetTimer(kTimerScrlEnable, kRepeatDelayMs);
    m_delay = true;
}

void RepeatTimer::Stop() {
    if (m_delay) m_site.KillTimer(kTimerScrlEnable);
    if (m_repeat) m_site.KillTimer(kTimerScrl);
    m_delay = m_repeat = false;
}

void RepeatTimer::StopRepeat() {
    if (m_repeat) m_site.KillTimer(kTimerScrl);
    m_repeat = false;
}

RepeatTimer::Tick RepeatTimer::OnTimer(std::uintptr_t id) {
    if (id == kTimerScrlEnable && m_delay) {
        m_site.KillTimer(kTimerScrlEnable);
        m_delay = false;
        m_interval = kFirstRepeatMs;
        m_site.SetTimer(kTimerScrl, m_interval);
        m_repeat = true;
        return Tick::DelayOver;
    }
    if (id == kTimerScrl && m_repeat) {
        if (m_interval != kRepeatMs) {
            m_interval = kRepeatMs;
            m_site.SetTimer(kTimerScrl, m_interval);
        }
        return Tick::Step;
    }
    return Tick::NotMine;
}

}  // namespace scroll_bar
