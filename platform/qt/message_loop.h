// Lets the event loop run once: pending clicks, paints and timers are handled
// and control comes back at once.
#pragma once

namespace platform_qt {

void YieldOnce();

}  // namespace platform_qt
