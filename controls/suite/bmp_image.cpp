#include "controls/suite/bmp_image.h"

#include <cstdint>
#include <cstdlib>

namespace bmp_image {
namespace {

std::uint32_t u32At(std::span<const unsigned char> b, std::size_t at) {
    return static_cast<std::uint32_t>(b[at]) | static_cast<std::uint32_t>(b[at + 1]) << 8 |
           static_cast<std::uint32_t>(b[at + 2]) << 16 | static_cast<std::uint32_t>(b[at + 3]) << 24;
}

std::uint32_t u16At(std::span<const unsigned char> b, std::size_t at) {
    return static_cast<std::uint32_t>(b[at]) | static_cast<std::uint32_t>(b[at + 1]) << 8;
}

constexpr std::size_t kHeadersSize = 14 + 40;  // file header and the smallest info header
constexpr std::uint32_t kUncompressed = 0;
constexpr int kMaxSide = 1 << 15;

}  // namespace

gdi::Image Decode(std::span<const unsigned char> bytes) {
    if (bytes.size() < kHeadersSize || bytes[0] != 'B' || bytes[1] != 'M') return {};
    const std::size_t offset = u32At(bytes, 10);
    const auto width = static_cast<std::int32_t>(u32At(bytes, 18));
    const auto signedHeight = static_cast<std::int32_t>(u32At(bytes, 22));
    const std::uint32_t bits = u16At(bytes, 28);
    if (u32At(bytes, 14) < 40 || u32At(bytes, 30) != kUncompressed || (bits != 24 && bits != 32)) return {};
    const int height = std::abs(signedHeight);
    if (width <= 0 || width > kMaxSide || height == 0 || height > kMaxSide) return {};
    const std::size_t pixelBytes = bits / 8;
    const std::size_t stride = (static_cast<std::size_t>(width) * pixelBytes + 3) / 4 * 4;
    if (offset > bytes.size() || (bytes.size() - offset) / stride < static_cast<std::size_t>(height)) return {};

    gdi::Image image(width, height);
    const bool bottomUp = signedHeight > 0;
    for (int y = 0; y < height; ++y) {
        const std::size_t row = offset + stride * static_cast<std::size_t>(bottomUp ? height - 1 - y : y);
        for (int x = 0; x < width; ++x) {
            const std::size_t at = row + static_cast<std::size_t>(x) * pixelBytes;  // blue, green, red
            image.at(x, y) = 0xFF000000u | static_cast<std::uint32_t>(bytes[at + 2]) << 16 |
                             static_cast<std::uint32_t>(bytes[at + 1]) << 8 | bytes[at];
        }
    }
    return image;
}

}  // namespace bmp_image
