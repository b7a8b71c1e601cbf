// repeat_timer: the auto-repeat of a scroll bar's held arrow or track, shared
// by LBVScroll and VSC.
#pragma once

#include "controls/ControlSite.h"

#include <cstdint>

namespace scroll_bar {

// Window-timer ids the bars use.
constexpr std::uintptr_t kTimerScrlEnable = 2;  // delay before repeating
constexpr std::uintptr_t kTimerScrl = 3;        // repeat
constexpr std::uintptr_t kTimerPaint = 4;       // the repaint throttle
constexpr int kRepeatDelayMs = 350;
constexpr int kFirstRepeatMs = 100;
constexpr int kRepeatMs = 50;

// The auto-repeat of a held arrow or track: tScrlEnable fires once, turns
// itself off and turns tScrl on.  At most one of the two runs at a time.
class RepeatTimer {
  public:
    enum class Tick { NotMine, DelayOver, Step };
    explicit RepeatTimer(ControlSite& site) : m_site(site) {}
    void Start();  // enables tScrlEnable
    void Stop();   // disables both
    // Handles a WM_TIMER id.  DelayOver: tScrl has just been enabled.
    // Step: a tScrl tick, which sets its interval to the repeat interval.
    Tick OnTimer(std::uintptr_t id);
    // Disables tScrl only (the track repeat reached the pointer).
    void StopRepeat();

  private:
    ControlSite& m_site;
    bool m_delay = false;
    bool m_repeat = false;
    int m_interval = 0;
};

}  // namespace scroll_bar
