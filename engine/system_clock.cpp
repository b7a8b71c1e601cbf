#include <chrono>

#include "engine/run_host.h"

namespace tavkonv40 {

std::int64_t Clock::instant() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::system_clock::now().time_since_epoch())
        .count();
}

std::tm SystemClock::now() {
    const std::time_t t = std::time(nullptr);
    return *std::localtime(&t);
}

std::string SystemClock::timeOfDay() {
    const std::tm tm = now();
    char buf[128];
    const auto n = std::strftime(buf, sizeof buf, "%X", &tm);
    return std::string(buf, n);
}

}  // namespace tavkonv40
