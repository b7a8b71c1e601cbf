// The controls' one millisecond clock (repaint throttling, the list box's drag timing).
#pragma once

#include <chrono>
#include <cstdint>

namespace tick_clock {

// Milliseconds since the first call in this process; never goes back.
inline std::int64_t NowMs() {
    using Clock = std::chrono::steady_clock;
    static const Clock::time_point start = Clock::now();
    return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
}

}  // namespace tick_clock
