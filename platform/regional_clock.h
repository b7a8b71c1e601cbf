// The clock a command-line run reads: the log's time of day in the user's regional format, as
// the operating system defines it (the locale's LC_TIME on Linux, the regional settings'
// time format on Windows, "5:49:20 PM" in a United States setting).
#pragma once

#include "engine/run_host.h"

namespace tavkonv40 {

class RegionalClock : public SystemClock {
  public:
    RegionalClock();
    std::string timeOfDay() override;
};

}  // namespace tavkonv40
