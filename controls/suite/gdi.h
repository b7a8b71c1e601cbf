// Handle layer under the suite libraries.
//
// The skinned controls are written in the style of a classic window system:
// they draw through device contexts (DCs), bitmaps and regions that they hold
// as small integer handles, and they must give every handle back in the same
// routine that took it.  This layer owns the objects behind those handles and
// counts them, so that a test can prove a control leaves nothing behind.
//
//   - a bitmap is a QImage (ARGB32, premultiplied is never used);
//   - a memory DC has one bitmap selected into it, plus a font, a text colour
//     and a background mode;
//   - a window DC paints onto a widget and is valid only while that widget is
//     handling its paint event (see GetDC);
//   - a region is a QRegion.
//
// Colours given to this layer are COLORREF values (0x00BBGGRR); OLE and system
// colours are translated by tavGFX40::gfxTranslateColor first.
#pragma once

#include <QFont>
#include <QImage>
#include <QRect>
#include <QRegion>
#include <QString>

#include <cstddef>
#include <cstdint>

class QPaintDevice;
class QWidget;

namespace gdi {

using Handle = std::int32_t;  // 0 is "no object"
using HDC = Handle;
using HBITMAP = Handle;
using HRGN = Handle;
using HWND = QWidget*;
using COLORREF = std::uint32_t;  // 0x00BBGGRR

struct RECT {
    std::int32_t Left = 0;
    std::int32_t Top = 0;
    std::int32_t Right = 0;
    std::int32_t Bottom = 0;
    friend bool operator==(const RECT&, const RECT&) = default;
};

constexpr COLORREF RGB(int r, int g, int b) {
    return static_cast<COLORREF>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}
QColor ToQColor(COLORREF c);

enum class ObjectKind { DeviceContext, Bitmap, Region };

// Number of live objects of one kind, or of all kinds.
std::size_t LiveHandleCount(ObjectKind kind);
std::size_t LiveHandleCount();

// ---- bitmaps -------------------------------------------------------------
HBITMAP CreateBitmap(const QImage& image);  // copies the image (as ARGB32)
HBITMAP CreateCompatibleBitmap(int width, int height);
bool DeleteBitmap(HBITMAP bitmap);
QImage* BitmapImage(HBITMAP bitmap);  // nullptr for a stale handle

// ---- device contexts -------------------------------------------------------
HDC CreateCompatibleDC();  // a memory DC with no bitmap yet
// Selects a bitmap into a memory DC and returns the previously selected one.
// The DC never owns the bitmap: whoever created it deletes it.
HBITMAP SelectBitmap(HDC dc, HBITMAP bitmap);
bool DeleteDC(HDC dc);

// A window DC for `window`; only usable while `window` handles a paint event.
HDC GetDC(HWND window);
bool ReleaseDC(HWND window, HDC dc);

// The image a memory DC draws into (nullptr for a window DC or stale handle).
QImage* DcImage(HDC dc);

// Text state of a DC.
enum class BkMode { Transparent = 1, Opaque = 2 };
void SelectFont(HDC dc, const QFont& font);
COLORREF SetTextColor(HDC dc, COLORREF colour);
BkMode SetBkMode(HDC dc, BkMode mode);

// Runs `paint` with a QPainter open on the DC's surface.  Returns false (and
// does nothing) for a stale handle or a DC with nothing to draw on.
template <typename Fn>
bool WithPainter(HDC dc, Fn&& paint);

// ---- drawing primitives -------------------------------------------------------
enum RasterOp : std::uint32_t { SRCCOPY = 0x00CC0020 };
bool BitBlt(HDC dst, int x, int y, int width, int height, HDC src, int srcX, int srcY, RasterOp op = SRCCOPY);

enum DrawTextFlags : std::uint32_t {
    DT_LEFT = 0x0000,
    DT_CENTER = 0x0001,
    DT_RIGHT = 0x0002,
    DT_VCENTER = 0x0004,
    DT_BOTTOM = 0x0008,
    DT_WORDBREAK = 0x0010,
    DT_SINGLELINE = 0x0020,
    DT_CALCRECT = 0x0400,
    DT_NOPREFIX = 0x0800,
};
// Draws (or with DT_CALCRECT only measures, shrinking/growing `rect` to the
// text's extent) text in the DC's font and text colour.  Unless DT_NOPREFIX is
// given, "&x" underlines x and "&&" is a literal ampersand.
int DrawText(HDC dc, const QString& text, RECT& rect, std::uint32_t flags);

// ---- regions ---------------------------------------------------------------------
HRGN CreateRectRgn(int left, int top, int right, int bottom);
enum class CombineMode { And = 1, Or = 2, Xor = 3, Diff = 4, Copy = 5 };
// dst = a <mode> b; returns false for stale handles.
bool CombineRgn(HRGN dst, HRGN a, HRGN b, CombineMode mode);
bool DeleteRegion(HRGN region);
const QRegion* RegionOf(HRGN region);

// Deletes a bitmap or a region, whatever it is (like the platform call of the
// same name); false for a DC or a stale handle.
bool DeleteObject(Handle object);

// ---- internals used by WithPainter -----------------------------------------------
namespace detail {
QPaintDevice* PaintDevice(HDC dc);
struct TextState {
    QFont font;
    COLORREF textColour = 0;
    BkMode bkMode = BkMode::Opaque;
};
TextState* TextStateOf(HDC dc);
}  // namespace detail

}  // namespace gdi

#include <QPainter>

template <typename Fn>
bool gdi::WithPainter(HDC dc, Fn&& paint) {
    QPaintDevice* device = detail::PaintDevice(dc);
    if (device == nullptr) return false;
    QPainter painter(device);
    if (!painter.isActive()) return false;
    paint(painter);
    return true;
}
