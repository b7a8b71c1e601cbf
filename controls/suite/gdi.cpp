#include "controls/suite/gdi.h"

#include <QFontMetrics>
#include <QPointer>
#include <QWidget>

#include <memory>
#include <unordered_map>
#include <variant>

namespace gdi {
namespace {

struct BitmapObject {
    QImage image;
};

struct DcObject {
    HBITMAP selected = 0;      // memory DC
    QPointer<QWidget> window;  // window DC
    bool isWindowDc = false;
    detail::TextState text;
};

struct RegionObject {
    QRegion region;
};

using Object = std::variant<DcObject, BitmapObject, RegionObject>;

// The controls run on the UI thread only, like the window system they stand
// in for, so the table needs no lock.
struct Table {
    std::unordered_map<Handle, Object> objects;
    Handle next = 0x100;

    Handle add(Object o) {
        Handle h = next++;
        if (next <= 0) next = 0x100;  // wrapped: handles stay positive
        objects.emplace(h, std::move(o));
        return h;
    }
    template <typename T>
    T* get(Handle h) {
        auto it = objects.find(h);
        if (it == objects.end()) return nullptr;
        return std::get_if<T>(&it->second);
    }
    template <typename T>
    bool erase(Handle h) {
        auto it = objects.find(h);
        if (it == objects.end() || !std::holds_alternative<T>(it->second)) return false;
        objects.erase(it);
        return true;
    }
};

Table& table() {
    static Table t;
    return t;
}

}  // namespace

QColor ToQColor(COLORREF c) { return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF); }

std::size_t LiveHandleCount(ObjectKind kind) {
    std::size_t n = 0;
    for (const auto& [h, o] : table().objects) {
        if (static_cast<std::size_t>(kind) == o.index()) ++n;
    }
    return n;
}

std::size_t LiveHandleCount() { return table().objects.size(); }

HBITMAP CreateBitmap(const QImage& image) {
    if (image.isNull()) return 0;
    return table().add(BitmapObject{image.convertToFormat(QImage::Format_ARGB32)});
}

HBITMAP CreateCompatibleBitmap(int width, int height) {
    if (width <= 0 || height <= 0) return 0;
    QImage img(width, height, QImage::Format_ARGB32);
    img.fill(Qt::black);
    return table().add(BitmapObject{std::move(img)});
}

bool DeleteBitmap(HBITMAP bitmap) { return table().erase<BitmapObject>(bitmap); }

QImage* BitmapImage(HBITMAP bitmap) {
    auto* b = table().get<BitmapObject>(bitmap);
    return b ? &b->image : nullptr;
}

HDC CreateCompatibleDC() {
    DcObject dc;
    dc.text.font = QFont();
    return table().add(std::move(dc));
}

HBITMAP SelectBitmap(HDC dc, HBITMAP bitmap) {
    auto* d = table().get<DcObject>(dc);
    if (d == nullptr || d->isWindowDc) return 0;
    HBITMAP old = d->selected;
    d->selected = bitmap;
    return old;
}

bool DeleteDC(HDC dc) {
    auto* d = table().get<DcObject>(dc);
    if (d == nullptr || d->isWindowDc) return false;
    return table().erase<DcObject>(dc);
}

HDC GetDC(HWND window) {
    if (window == nullptr) return 0;
    DcObject dc;
    dc.isWindowDc = true;
    dc.window = window;
    dc.text.font = window->font();
    return table().add(std::move(dc));
}

bool ReleaseDC(HWND window, HDC dc) {
    auto* d = table().get<DcObject>(dc);
    if (d == nullptr || !d->isWindowDc || d->window != window) return false;
    return table().erase<DcObject>(dc);
}

QImage* DcImage(HDC dc) {
    auto* d = table().get<DcObject>(dc);
    if (d == nullptr || d->isWindowDc) return nullptr;
    return BitmapImage(d->selected);
}

void SelectFont(HDC dc, const QFont& font) {
    if (auto* t = detail::TextStateOf(dc)) t->font = font;
}

COLORREF SetTextColor(HDC dc, COLORREF colour) {
    auto* t = detail::TextStateOf(dc);
    if (t == nullptr) return 0;
    COLORREF old = t->textColour;
    t->textColour = colour;
    return old;
}

BkMode SetBkMode(HDC dc, BkMode mode) {
    auto* t = detail::TextStateOf(dc);
    if (t == nullptr) return BkMode::Opaque;
    BkMode old = t->bkMode;
    t->bkMode = mode;
    return old;
}

bool BitBlt(HDC dst, int x, int y, int width, int height, HDC src, int srcX, int srcY, RasterOp) {
    QImage* source = DcImage(src);
    if (source == nullptr || width <= 0 || height <= 0) return false;
    const QImage part = source->copy(srcX, srcY, width, height);
    return WithPainter(dst, [&](QPainter& p) {
        p.setCompositionMode(QPainter::CompositionMode_Source);
        p.drawImage(x, y, part);
    });
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

int DrawText(HDC dc, const QString& text, RECT& rect, std::uint32_t flags) {
    auto* t = detail::TextStateOf(dc);
    if (t == nullptr) return 0;
    const QRect r(rect.Left, rect.Top, rect.Right - rect.Left, rect.Bottom - rect.Top);
    const int qflags = qtTextFlags(flags);
    if (flags & DT_CALCRECT) {
        const QFontMetrics fm(t->font);
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
    WithPainter(dc, [&](QPainter& p) {
        p.setFont(t->font);
        p.setPen(ToQColor(t->textColour));
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

bool DeleteRegion(HRGN region) { return table().erase<RegionObject>(region); }

const QRegion* RegionOf(HRGN region) {
    auto* r = table().get<RegionObject>(region);
    return r ? &r->region : nullptr;
}

bool DeleteObject(Handle object) { return DeleteBitmap(object) || DeleteRegion(object); }

namespace detail {

QPaintDevice* PaintDevice(HDC dc) {
    auto* d = table().get<DcObject>(dc);
    if (d == nullptr) return nullptr;
    if (d->isWindowDc) return d->window.data();
    return BitmapImage(d->selected);
}

TextState* TextStateOf(HDC dc) {
    auto* d = table().get<DcObject>(dc);
    return d ? &d->text : nullptr;
}

}  // namespace detail
}  // namespace gdi
