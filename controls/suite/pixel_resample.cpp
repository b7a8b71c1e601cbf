#include "controls/suite/pixel_resample.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <functional>
#include <string_view>
#include <unordered_map>

namespace gdi {
namespace {

std::size_t At(int x, int y, int width) {
    return static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x);
}

// Where the centre of target pixel `i` falls among `from` source pixels: the
// lower neighbour, the upper one and the upper one's weight in 256ths.
struct Tap {
    int low = 0, high = 0;
    std::uint32_t weight = 0;
};
std::vector<Tap> Taps(int from, int to) {
    std::vector<Tap> taps(static_cast<std::size_t>(to));
    for (int i = 0; i < to; ++i) {
        const double at = std::clamp((i + 0.5) * from / to - 0.5, 0.0, from - 1.0);
        const int low = static_cast<int>(at);
        taps[static_cast<std::size_t>(i)] = {low, std::min(low + 1, from - 1),
                                             static_cast<std::uint32_t>(std::lround((at - low) * 256))};
    }
    return taps;
}

std::uint32_t Mix(std::uint32_t a, std::uint32_t b, std::uint32_t weight) {
    const std::uint32_t ag = (a >> 8) & 0x00FF00FFu, ar = a & 0x00FF00FFu;
    const std::uint32_t bg = (b >> 8) & 0x00FF00FFu, br = b & 0x00FF00FFu;
    const std::uint32_t g = ((ag * (256 - weight) + bg * weight) >> 8) & 0x00FF00FFu;
    const std::uint32_t r = ((ar * (256 - weight) + br * weight) >> 8) & 0x00FF00FFu;
    return (g << 8) | r;
}

std::vector<std::uint32_t> Resampled(const std::vector<std::uint32_t>& pixels, int width, int height, int toWidth,
                                     int toHeight) {
    std::vector<std::uint32_t> out(At(0, toHeight, toWidth));
    const bool blocks = toWidth % width == 0 && toHeight % height == 0;
    const std::vector<Tap> columns = Taps(width, toWidth), rows = Taps(height, toHeight);
    for (int y = 0; y < toHeight; ++y) {
        const Tap& ty = rows[static_cast<std::size_t>(y)];
        for (int x = 0; x < toWidth; ++x) {
            if (blocks) {
                out[At(x, y, toWidth)] = pixels[At(x * width / toWidth, y * height / toHeight, width)];
                continue;
            }
            const Tap& tx = columns[static_cast<std::size_t>(x)];
            const std::uint32_t top =
                Mix(pixels[At(tx.low, ty.low, width)], pixels[At(tx.high, ty.low, width)], tx.weight);
            const std::uint32_t bottom =
                Mix(pixels[At(tx.low, ty.high, width)], pixels[At(tx.high, ty.high, width)], tx.weight);
            out[At(x, y, toWidth)] = Mix(top, bottom, ty.weight);
        }
    }
    return out;
}

struct Key {
    std::size_t pixels = 0;
    int width = 0, height = 0, toWidth = 0, toHeight = 0;
    bool operator==(const Key&) const = default;
};
struct KeyHash {
    std::size_t operator()(const Key& k) const {
        return k.pixels ^ std::hash<long long>()((static_cast<long long>(k.toWidth) << 32) ^ k.toHeight);
    }
};

// The pictures made, kept until they pass the budget, then dropped together
// and made again as they are drawn: a skin is drawn again and again at one
// size (each control of a panel paints the panel's picture behind it).
constexpr std::size_t kKeptPixels = 12 * 1024 * 1024;
struct Kept {
    std::unordered_map<Key, std::vector<std::uint32_t>, KeyHash> pictures;
    std::size_t pixels = 0;
};

}  // namespace

std::vector<std::uint32_t> Resample(const std::vector<std::uint32_t>& pixels, int width, int height, int toWidth,
                                    int toHeight) {
    if (width <= 0 || height <= 0 || toWidth <= 0 || toHeight <= 0) return {};
    const std::string_view bytes(reinterpret_cast<const char*>(pixels.data()), pixels.size() * sizeof(std::uint32_t));
    const Key key{std::hash<std::string_view>()(bytes), width, height, toWidth, toHeight};
    static Kept kept;
    if (const auto found = kept.pictures.find(key); found != kept.pictures.end()) return found->second;
    std::vector<std::uint32_t> made = Resampled(pixels, width, height, toWidth, toHeight);
    if (kept.pixels + made.size() > kKeptPixels) {
        kept.pictures.clear();
        kept.pixels = 0;
    }
    kept.pixels += made.size();
    kept.pictures.emplace(key, made);
    return made;
}

}  // namespace gdi
