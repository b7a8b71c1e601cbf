#include "controls/suite/pixel_resample.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace gdi {
namespace {

std::size_t At(int x, int y, int width) {
    return static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x);
}

// Where the centre of target pixel `i` falls among `from` source pixels: the
// lower neighbour and the weight of the upper one.
struct Tap {
    int low = 0, high = 0;
    double weight = 0;
};
Tap TapFor(int i, int from, int to) {
    const double at = std::clamp((i + 0.5) * from / to - 0.5, 0.0, from - 1.0);
    const int low = static_cast<int>(std::floor(at));
    return {low, std::min(low + 1, from - 1), at - low};
}

std::uint32_t Mix(std::uint32_t a, std::uint32_t b, double weight) {
    std::uint32_t mixed = 0;
    for (int shift = 0; shift < 32; shift += 8) {
        const double ca = (a >> shift) & 0xFF, cb = (b >> shift) & 0xFF;
        mixed |= static_cast<std::uint32_t>(std::lround(ca + (cb - ca) * weight)) << shift;
    }
    return mixed;
}

}  // namespace

std::vector<std::uint32_t> Resample(const std::vector<std::uint32_t>& pixels, int width, int height, int toWidth,
                                    int toHeight) {
    if (width <= 0 || height <= 0 || toWidth <= 0 || toHeight <= 0) return {};
    std::vector<std::uint32_t> out(At(0, toHeight, toWidth));
    const bool blocks = toWidth % width == 0 && toHeight % height == 0;
    for (int y = 0; y < toHeight; ++y) {
        const Tap ty = TapFor(y, height, toHeight);
        for (int x = 0; x < toWidth; ++x) {
            if (blocks) {
                out[At(x, y, toWidth)] = pixels[At(x * width / toWidth, y * height / toHeight, width)];
                continue;
            }
            const Tap tx = TapFor(x, width, toWidth);
            const std::uint32_t top =
                Mix(pixels[At(tx.low, ty.low, width)], pixels[At(tx.high, ty.low, width)], tx.weight);
            const std::uint32_t bottom =
                Mix(pixels[At(tx.low, ty.high, width)], pixels[At(tx.high, ty.high, width)], tx.weight);
            out[At(x, y, toWidth)] = Mix(top, bottom, ty.weight);
        }
    }
    return out;
}

}  // namespace gdi
