#include <clocale>

#include "platform/regional_clock.h"

namespace tavkonv40 {

// The C library formats the time of day ("%X") in the locale the environment names.
RegionalClock::RegionalClock() { std::setlocale(LC_TIME, ""); }

std::string RegionalClock::timeOfDay() { return SystemClock::timeOfDay(); }

}  // namespace tavkonv40
