// The room a backup copy needs and the room there is, in words both platforms use.
#pragma once

#include <cstdint>
#include <string>

namespace tavkonv40 {

enum class Rounding { Up, Down };

// "620 KB", "1.4 MB", "3.2 GB": whole kilobytes below a megabyte, one decimal above. Rounded up for
// what is needed and down for what is free, so that both numbers stay true.
inline std::string sizeText(std::uintmax_t bytes, Rounding rounding) {
    const auto divide = [rounding](std::uintmax_t n, std::uintmax_t d) {
        return rounding == Rounding::Up ? (n + d - 1) / d : n / d;
    };
    constexpr std::uintmax_t kKB = 1024, kMB = kKB << 10, kGB = kMB << 10;
    if (bytes < kMB) return std::to_string(divide(bytes, kKB)) + " KB";
    const bool giga = bytes >= kGB;
    const std::uintmax_t tenths = divide(bytes * 10, giga ? kGB : kMB);
    return std::to_string(tenths / 10) + "." + std::to_string(tenths % 10) + (giga ? " GB" : " MB");
}

// "(the backup copy needs about 620 KB, 404 KB are free)"
inline std::string roomText(std::uintmax_t needed, std::uintmax_t free) {
    return "(the backup copy needs about " + sizeText(needed, Rounding::Up) + ", " + sizeText(free, Rounding::Down) +
           " are free)";
}

}  // namespace tavkonv40
