#include "controls/suite/qt/device_pixels.h"

#include <QHash>

#include <cmath>
#include <unordered_map>

namespace gdi::qt {
namespace {

struct Key {
    std::size_t pixels = 0;
    QSize from, to;
    Resample how = Resample::Blocks;
    bool operator==(const Key& o) const { return pixels == o.pixels && from == o.from && to == o.to && how == o.how; }
};

struct KeyHash {
    std::size_t operator()(const Key& k) const {
        return qHashMulti(0, k.pixels, k.from.width(), k.from.height(), k.to.width(), k.to.height(),
                          static_cast<int>(k.how));
    }
};

// The resampled pictures kept; when they pass the budget they are dropped
// together and made again as they are drawn.
constexpr qsizetype kCacheBytes = 48 * 1024 * 1024;

struct Cache {
    std::unordered_map<Key, QImage, KeyHash> pictures;
    qsizetype bytes = 0;
};

Cache& cache() {
    static Cache c;
    return c;
}

std::size_t pixelHash(const QImage& image) {
    std::size_t h = 0;
    const auto rowBytes = static_cast<qsizetype>(image.width()) * 4;
    for (int y = 0; y < image.height(); ++y)
        h = qHashBits(image.constScanLine(y), static_cast<std::size_t>(rowBytes), h);
    return h;
}

QImage resample(const QImage& part, const QSize& size, Resample how) {
    if (how == Resample::Blocks)
        return part.scaled(size, Qt::IgnoreAspectRatio, Qt::FastTransformation).convertToFormat(QImage::Format_ARGB32);
    return part.convertToFormat(QImage::Format_ARGB32_Premultiplied)
        .scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
        .convertToFormat(QImage::Format_ARGB32);
}

}  // namespace

int DeviceCoordinate(int logical, qreal ratio) {
    return ratio == 1.0 ? logical : static_cast<int>(std::lround(logical * ratio));
}

QRect DeviceRect(const QRect& logical, qreal ratio) {
    const int left = DeviceCoordinate(logical.left(), ratio), top = DeviceCoordinate(logical.top(), ratio);
    return QRect(left, top, DeviceCoordinate(logical.left() + logical.width(), ratio) - left,
                 DeviceCoordinate(logical.top() + logical.height(), ratio) - top);
}

Resample ResampleAt(qreal ratio) { return std::floor(ratio) == ratio ? Resample::Blocks : Resample::Smooth; }

QImage Resampled(const QImage& part, const QSize& size, Resample how) {
    if (part.isNull() || size.isEmpty()) return {};
    const QImage source = part.convertToFormat(QImage::Format_ARGB32);
    const Key key{pixelHash(source), source.size(), size, how};
    Cache& c = cache();
    if (const auto found = c.pictures.find(key); found != c.pictures.end()) return found->second;
    QImage made = resample(source, size, how);
    made.setDevicePixelRatio(1);
    if (c.bytes + made.sizeInBytes() > kCacheBytes) {
        c.pictures.clear();
        c.bytes = 0;
    }
    c.bytes += made.sizeInBytes();
    c.pictures.emplace(key, made);
    return made;
}

}  // namespace gdi::qt
