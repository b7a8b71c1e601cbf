// gdi over Qt: bitmaps are QImages (ARGB32, never premultiplied), regions
// QRegions, and drawing goes through a QPainter opened for each call.
//
// A window's bitmap (CreateCompatibleBitmap for a window) holds the window's
// device pixels and carries its device pixel ratio: calls still speak in
// logical units, text is laid out in them and drawn at the device pixels, and
// fills and blits round their edges onto device pixels (device_pixels.h).
// Everything at ratio 1 is drawn exactly as before ratios were known.
#include "controls/suite/qt/gdi_qt.h"

#include "controls/suite/handle_table.h"
#include "controls/suite/qt/device_pixels.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPointer>
#include <QWidget>

#include <algorithm>
#include <cstring>

namespace gdi {
namespace {

struct BitmapObject {
    QImage image;
};

struct DcObject {
    HBITMAP selected = 0;      // memory DC
    QPointer<QWidget> window;  // window DC
    bool isWindowDc = false;
    QFont font;
    COLORREF textColour = 0;
    BkMode bkMode = BkMode::Opaque;
};

struct RegionObject {
    QRegion region;
};

detail::HandleTable<DcObject, BitmapObject, RegionObject>& table() {
    static detail::HandleTable<DcObject, BitmapObject, RegionObject> t;
    return t;
}

QImage* bitmapImage(HBITMAP bitmap) {
    auto* b = table().get<BitmapObject>(bitmap);
    return b ? &b->image : nullptr;
}

// Device pixels per logical unit of what the DC draws on; 0 for nothing.
qreal ratioOf(const DcObject& d) {
    if (d.isWindowDc) return d.window ? d.window->devicePixelRatioF() : 0;
    const QImage* image = bitmapImage(d.selected);
    return image ? image->devicePixelRatio() : 0;
}

// Runs `paint` with a QPainter open on the DC's surface; false (and nothing
// done) for a stale handle or a DC with nothing to draw on.
template <typename Fn>
bool withPainter(HDC dc, Fn&& paint) {
    auto* d = table().get<DcObject>(dc);
    if (d == nullptr) return false;
    QPaintDevice* device = d->isWindowDc ? static_cast<QPaintDevice*>(d->window.data()) : bitmapImage(d->selected);
    if (device == nullptr) return false;
    QPainter painter(device);
    if (!painter.isActive()) return false;
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    paint(painter);
    return true;
}

// As withPainter, with the painter in the surface's device pixels: `paint`
// gets the ratio and places what it draws by DeviceRect.
template <typename Fn>
bool withDevicePainter(HDC dc, Fn&& paint) {
    auto* d = table().get<DcObject>(dc);
    const qreal ratio = d ? ratioOf(*d) : 0;
    if (ratio <= 0) return false;
    return withPainter(dc, [&](QPainter& p) {
        if (ratio != 1.0) p.scale(1 / ratio, 1 / ratio);
        paint(p, ratio);
    });
}

bool atRatioOne(HDC dc) {
    auto* d = table().get<DcObject>(dc);
    return d == nullptr || ratioOf(*d) == 1.0;
}

// The source rectangle of a blit; parts outside the source are transparent.
QImage sourcePart(HDC src, int srcX, int srcY, int width, int height) {
    const QImage* source = qt::DcImage(src);
    if (source == nullptr || width <= 0 || height <= 0) return {};
    return source->copy(srcX, srcY, width, height);
}

bool drawPart(HDC dst, const QRect& target, const QImage& part, QPainter::CompositionMode mode) {
    if (part.isNull() || target.isEmpty()) return false;
    return withPainter(dst, [&](QPainter& p) {
        p.setCompositionMode(mode);
        p.drawImage(target, part);
    });
}

void mask(QImage& part, COLORREF transparent) {
    if (transparent > 0x00FFFFFFu) return;  // no mask colour
    for (int row = 0; row < part.height(); ++row)
        MaskPixels(reinterpret_cast<std::uint32_t*>(part.scanLine(row)), static_cast<std::size_t>(part.width()),
                   transparent);
}

// A blit between surfaces of which one is not at ratio 1: the source's device
// pixels of `from`, masked, brought to the device pixels of `to` (resampled
// and kept when the sizes differ) and drawn there one to one.
bool blitAtRatio(HDC dst, const QRect& to, HDC src, const QRect& from, QPainter::CompositionMode mode,
                 COLORREF transparent) {
    const QImage* source = qt::DcImage(src);
    if (source == nullptr || from.isEmpty() || to.isEmpty()) return false;
    QImage part = source->copy(qt::DeviceRect(from, source->devicePixelRatio()));
    part.setDevicePixelRatio(1);
    mask(part, transparent);
    return withDevicePainter(dst, [&](QPainter& p, qreal ratio) {
        const QRect place = qt::DeviceRect(to, ratio);
        if (place.isEmpty()) return;
        const QImage drawn =
            part.size() == place.size() ? part : qt::Resampled(part, place.size(), qt::ResampleAt(ratio));
        p.setCompositionMode(mode);
        p.drawImage(place.topLeft(), drawn);
    });
}

bool blit(HDC dst, const QRect& to, HDC src, const QRect& from, QPainter::CompositionMode mode,
          COLORREF transparent = CLR_INVALID) {
    if (!atRatioOne(dst) || !atRatioOne(src)) return blitAtRatio(dst, to, src, from, mode, transparent);
    QImage part = sourcePart(src, from.x(), from.y(), from.width(), from.height());
    mask(part, transparent);
    return drawPart(dst, to, part, mode);
}

}  // namespace

std::size_t LiveHandleCount(ObjectKind kind) { return table().count(kind); }
std::size_t LiveHandleCount() { return table().objects.size(); }

HBITMAP CreateBitmap(const Image& image) {
    if (image.IsNull()) return 0;
    return table().add(BitmapObject{qt::ToQImage(image)});
}

HBITMAP CreateCompatibleBitmap(int width, int height) {
    if (width <= 0 || height <= 0) return 0;
    QImage img(width, height, QImage::Format_ARGB32);
    img.fill(Qt::black);
    return table().add(BitmapObject{std::move(img)});
}

HBITMAP CreateCompatibleBitmap(HWND window, int width, int height) {
    const qreal ratio = DeviceScale(window);
    if (ratio == 1.0) return CreateCompatibleBitmap(width, height);
    if (width <= 0 || height <= 0) return 0;
    QImage img(qt::DeviceCoordinate(width, ratio), qt::DeviceCoordinate(height, ratio), QImage::Format_ARGB32);
    img.fill(Qt::black);
    img.setDevicePixelRatio(ratio);
    return table().add(BitmapObject{std::move(img)});
}

double DeviceScale(HWND window) {
    const QWidget* widget = qt::Widget(window);
    return widget != nullptr ? widget->devicePixelRatioF() : 1.0;
}

bool DeleteBitmap(HBITMAP bitmap) { return table().erase<BitmapObject>(bitmap); }

SIZE GetBitmapSize(HBITMAP bitmap) {
    const QImage* image = bitmapImage(bitmap);
    if (image == nullptr) return SIZE{};
    const QSizeF logical = image->deviceIndependentSize();
    return SIZE{qRound(logical.width()), qRound(logical.height())};
}

HDC CreateCompatibleDC() { return table().add(DcObject{}); }

HBITMAP SelectBitmap(HDC dc, HBITMAP bitmap) {
    auto* d = table().get<DcObject>(dc);
    if (d == nullptr || d->isWindowDc) return 0;
    HBITMAP old = d->selected;
    d->selected = bitmap;
    return old;
}

HBITMAP GetCurrentBitmap(HDC dc) {
    auto* d = table().get<DcObject>(dc);
    return d != nullptr && !d->isWindowDc && bitmapImage(d->selected) != nullptr ? d->selected : 0;
}

bool DeleteDC(HDC dc) {
    auto* d = table().get<DcObject>(dc);
    if (d == nullptr || d->isWindowDc) return false;
    return table().erase<DcObject>(dc);
}

HDC GetDC(HWND window) {
    QWidget* widget = qt::Widget(window);
    if (widget == nullptr) return 0;
    DcObject dc;
    dc.isWindowDc = true;
    dc.window = widget;
    dc.font = widget->font();
    return table().add(std::move(dc));
}

bool ReleaseDC(HWND window, HDC dc) {
    auto* d = table().get<DcObject>(dc);
    if (d == nullptr || !d->isWindowDc || d->window != qt::Widget(window)) return false;
    return table().erase<DcObject>(dc);
}

void SelectFont(HDC dc, const Font& font) {
    if (auto* d = table().get<DcObject>(dc)) d->font = qt::ToQFont(font);
}

COLORREF SetTextColor(HDC dc, COLORREF colour) {
    auto* d = table().get<DcObject>(dc);
    if (d == nullptr) return 0;
    return std::exchange(d->textColour, colour);
}

BkMode SetBkMode(HDC dc, BkMode mode) {
    auto* d = table().get<DcObject>(dc);
    if (d == nullptr) return BkMode::Opaque;
    return std::exchange(d->bkMode, mode);
}

bool BitBlt(HDC dst, int x, int y, int width, int height, HDC src, int srcX, int srcY, RasterOp) {
    return blit(dst, QRect(x, y, width, height), src, QRect(srcX, srcY, width, height),
                QPainter::CompositionMode_Source);
}

bool StretchBlt(HDC dst, int x, int y, int width, int height, HDC src, int srcX, int srcY, int srcWidth, int srcHeight,
                RasterOp) {
    return blit(dst, QRect(x, y, width, height), src, QRect(srcX, srcY, srcWidth, srcHeight),
                QPainter::CompositionMode_Source);
}

bool TransparentBlt(HDC dst, int x, int y, int width, int height, HDC src, int srcX, int srcY, int srcWidth,
                    int srcHeight, COLORREF transparent) {
    return blit(dst, QRect(x, y, width, height), src, QRect(srcX, srcY, srcWidth, srcHeight),
                QPainter::CompositionMode_SourceOver, transparent);
}

bool AlphaBlend(HDC dst, int x, int y, int width, int height, HDC src, int srcX, int srcY, int srcWidth,
                int srcHeight) {
    return blit(dst, QRect(x, y, width, height), src, QRect(srcX, srcY, srcWidth, srcHeight),
                QPainter::CompositionMode_SourceOver);
}

bool FillRect(HDC dc, const RECT& rect, COLORREF colour) {
    return withDevicePainter(dc, [&](QPainter& p, qreal ratio) {
        p.fillRect(qt::DeviceRect(qt::ToQRect(rect), ratio), qt::ToQColor(colour));
    });
}

bool GradientFillV(HDC dc, const RECT& rect, COLORREF top, COLORREF bottom) {
    if (qt::ToQRect(rect).isEmpty()) return false;
    return withDevicePainter(dc, [&](QPainter& p, qreal ratio) {
        const QRect r = qt::DeviceRect(qt::ToQRect(rect), ratio);
        QLinearGradient g(r.topLeft(), r.bottomLeft());
        g.setColorAt(0, qt::ToQColor(top));
        g.setColorAt(1, qt::ToQColor(bottom));
        p.fillRect(r, g);
    });
}

bool DrawDottedRect(HDC dc, const RECT& rect, COLORREF colour) {
    if (qt::ToQRect(rect).isEmpty()) return false;
    return withDevicePainter(dc, [&](QPainter& p, qreal ratio) {
        // One device pixel wide at every ratio, as the system's focus marks are.
        p.setPen(QPen(qt::ToQColor(colour), 1, Qt::DotLine));
        p.drawRect(qt::DeviceRect(qt::ToQRect(rect), ratio).adjusted(0, 0, -1, -1));
    });
}

COLORREF GetPixel(HDC dc, int x, int y) {
    const QImage* image = qt::DcImage(dc);
    if (image == nullptr) return CLR_INVALID;
    const qreal ratio = image->devicePixelRatio();
    const QPoint at(qt::DeviceCoordinate(x, ratio), qt::DeviceCoordinate(y, ratio));
    if (!image->valid(at)) return CLR_INVALID;
    return ColorRefOf(image->pixel(at));
}

namespace {
int qtTextFlags(std::uint32_t flags) {
    int f = 0;
    if (flags & DT_CENTER)
        f |= Qt::AlignHCenter;
    else if (flags & DT_RIGHT)
        f |= Qt::AlignRight;
    else
        f |= Qt::AlignLeft;
    if (flags & DT_VCENTER)
        f |= Qt::AlignVCenter;
    else if (flags & DT_BOTTOM)
        f |= Qt::AlignBottom;
    else
        f |= Qt::AlignTop;
    if ((flags & DT_WORDBREAK) && !(flags & DT_SINGLELINE)) f |= Qt::TextWordWrap;
    if (flags & DT_SINGLELINE) f |= Qt::TextSingleLine;
    f |= (flags & DT_NOPREFIX) ? 0 : Qt::TextShowMnemonic;
    return f;
}
}  // namespace

int DrawText(HDC dc, const std::u16string& text16, RECT& rect, std::uint32_t flags) {
    auto* d = table().get<DcObject>(dc);
    if (d == nullptr) return 0;
    const QString text = qt::ToQString(text16);
    const QRect r = qt::ToQRect(rect);
    const int qflags = qtTextFlags(flags);
    if (flags & DT_CALCRECT) {
        const QFontMetrics fm(d->font);
        // Measure within the given width like the platform call: the rectangle
        // keeps its top-left corner and takes the text's extent.
        const QRect bounds =
            fm.boundingRect(QRect(r.left(), r.top(), std::max(r.width(), 1), 100000),
                            qflags & ~(Qt::AlignHCenter | Qt::AlignRight | Qt::AlignVCenter | Qt::AlignBottom), text);
        rect.Right = rect.Left + bounds.width();
        rect.Bottom = rect.Top + bounds.height();
        return bounds.height();
    }
    int height = 0;
    const QFont font = d->font;
    const QColor ink = qt::ToQColor(d->textColour);
    withPainter(dc, [&](QPainter& p) {
        p.setFont(font);
        p.setPen(ink);
        QRect drawn;
        p.drawText(r, qflags, text, &drawn);
        height = drawn.height();
    });
    return height;
}

HRGN CreateRectRgn(int left, int top, int right, int bottom) {
    return table().add(RegionObject{QRegion(QRect(QPoint(left, top), QPoint(right - 1, bottom - 1)))});
}

bool CombineRgn(HRGN dst, HRGN a, HRGN b, CombineMode mode) {
    auto* d = table().get<RegionObject>(dst);
    auto* ra = table().get<RegionObject>(a);
    auto* rb = table().get<RegionObject>(b);
    if (d == nullptr || ra == nullptr) return false;
    if (mode != CombineMode::Copy && rb == nullptr) return false;
    switch (mode) {
        case CombineMode::And: d->region = ra->region.intersected(rb->region); break;
        case CombineMode::Or: d->region = ra->region.united(rb->region); break;
        case CombineMode::Xor: d->region = ra->region.xored(rb->region); break;
        case CombineMode::Diff: d->region = ra->region.subtracted(rb->region); break;
        case CombineMode::Copy: d->region = ra->region; break;
    }
    return true;
}

bool PtInRegion(HRGN region, int x, int y) {
    const QRegion* r = qt::RegionOf(region);
    return r != nullptr && r->contains(QPoint(x, y));
}

bool DeleteRegion(HRGN region) { return table().erase<RegionObject>(region); }

bool DeleteObject(Handle object) { return DeleteBitmap(object) || DeleteRegion(object); }

namespace qt {

Image FromQImage(const QImage& source) {
    if (source.isNull()) return {};
    const QImage image = source.convertToFormat(QImage::Format_ARGB32);
    Image out(image.width(), image.height());
    for (int y = 0; y < image.height(); ++y)
        std::memcpy(&out.at(0, y), image.constScanLine(y), static_cast<std::size_t>(image.width()) * 4);
    return out;
}

QImage ToQImage(const Image& source) {
    if (source.IsNull()) return {};
    QImage out(source.width, source.height, QImage::Format_ARGB32);
    for (int y = 0; y < source.height; ++y)
        std::memcpy(out.scanLine(y),
                    source.pixels.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(source.width),
                    static_cast<std::size_t>(source.width) * 4);
    return out;
}

Font FontOf(const QFont& font) {
    Font f;
    f.family = Text(font.family());
    f.pointSize = std::max(font.pointSizeF(), 0.0);
    f.pixelSize = std::max(font.pixelSize(), 0);
    f.weight = font.weight();
    f.italic = font.italic();
    f.underline = font.underline();
    f.strikeout = font.strikeOut();
    return f;
}

QFont ToQFont(const Font& font) {
    QFont f(ToQString(font.family));
    if (font.pixelSize > 0)
        f.setPixelSize(font.pixelSize);
    else if (font.pointSize > 0)
        f.setPointSizeF(font.pointSize);
    f.setWeight(static_cast<QFont::Weight>(std::clamp(font.weight, 1, 1000)));
    f.setItalic(font.italic);
    f.setUnderline(font.underline);
    f.setStrikeOut(font.strikeout);
    return f;
}

QImage* DcImage(HDC dc) {
    auto* d = table().get<DcObject>(dc);
    if (d == nullptr || d->isWindowDc) return nullptr;
    return bitmapImage(d->selected);
}

const QRegion* RegionOf(HRGN region) {
    auto* r = table().get<RegionObject>(region);
    return r ? &r->region : nullptr;
}

}  // namespace qt
}  // namespace gdi
