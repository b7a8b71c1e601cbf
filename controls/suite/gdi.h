// Handle layer under the suite libraries.
//
// The skinned controls are written in the style of a classic window system:
// they draw through device contexts (DCs), bitmaps and regions that they hold
// as small integer handles, and they must give every handle back in the same
// routine that took it.  This layer owns the objects behind those handles and
// counts them, so that a test can prove a control leaves nothing behind.
//
// The interface is the same for every window system; each build links one
// backend behind it (qt/gdi_qt.cpp: images, painters and regions of the Qt
// toolkit; win32/gdi_win32.cpp: the system's own GDI).  There:
//   - a bitmap is a 32-bit top-down ARGB surface;
//   - a memory DC has one bitmap selected into it, plus a font, a text colour
//     and a background mode;
//   - a window DC paints onto a window and is valid only while that window
//     is handling its paint message (see GetDC);
//   - a region is a set of pixels built from rectangles.
//
// Colours given to this layer are COLORREF values (0x00BBGGRR); OLE and system
// colours are translated by tavGFX40::gfxTranslateColor first.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace gdi {

using Handle = std::int32_t;  // 0 is "no object"
using HDC = Handle;
using HBITMAP = Handle;
using HRGN = Handle;
using COLORREF = std::uint32_t;  // 0x00BBGGRR
// A window of the host's window system; only its backend knows what it is.
struct OpaqueWindow;
using HWND = OpaqueWindow*;

struct RECT {
    std::int32_t Left = 0;
    std::int32_t Top = 0;
    std::int32_t Right = 0;
    std::int32_t Bottom = 0;
    friend bool operator==(const RECT&, const RECT&) = default;
};
struct POINT {
    std::int32_t x = 0;
    std::int32_t y = 0;
    friend bool operator==(const POINT&, const POINT&) = default;
};
struct SIZE {
    std::int32_t cx = 0;
    std::int32_t cy = 0;
    friend bool operator==(const SIZE&, const SIZE&) = default;
};

constexpr COLORREF RGB(int r, int g, int b) {
    return static_cast<COLORREF>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}
constexpr COLORREF CLR_INVALID = 0xFFFFFFFFu;

// A picture handed in or read back: width x height pixels, row by row from
// the top, each 0xAARRGGBB (not premultiplied).
struct Image {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;

    Image() = default;
    Image(int w, int h, std::uint32_t fill = 0);
    bool IsNull() const { return width <= 0 || height <= 0; }
    std::uint32_t& at(int x, int y) { return pixels[static_cast<std::size_t>(y * width + x)]; }
    std::uint32_t at(int x, int y) const { return pixels[static_cast<std::size_t>(y * width + x)]; }
    friend bool operator==(const Image&, const Image&) = default;
};
constexpr std::uint32_t ArgbOf(COLORREF c, std::uint32_t alpha = 0xFF) {
    return (alpha << 24) | ((c & 0xFFu) << 16) | (c & 0xFF00u) | ((c >> 16) & 0xFFu);
}
constexpr COLORREF ColorRefOf(std::uint32_t argb) { return ArgbOf(argb & 0xFFFFFFu, 0); }
// Turns every opaque pixel of `maskColour` in `pixels` into full
// transparency; a value above 0x00FFFFFF (such as -1) masks nothing.
void MaskPixels(std::uint32_t* pixels, std::size_t count, COLORREF maskColour);

// What a control's font is: the family, the size (in points, or in pixels
// when pixelSize is set), the weight (100..900, 400 normal, 700 bold) and the
// styles.
struct Font {
    std::u16string family;
    double pointSize = 0;
    int pixelSize = 0;
    int weight = 400;
    bool italic = false;
    bool underline = false;
    bool strikeout = false;
    friend bool operator==(const Font&, const Font&) = default;
};

enum class ObjectKind { DeviceContext, Bitmap, Region };

// Number of live objects of one kind, or of all kinds.
std::size_t LiveHandleCount(ObjectKind kind);
std::size_t LiveHandleCount();

// ---- bitmaps -------------------------------------------------------------
HBITMAP CreateBitmap(const Image& image);               // copies the pixels; 0 for an empty image
HBITMAP CreateCompatibleBitmap(int width, int height);  // opaque black
// A bitmap of width x height logical units to be copied onto `window`, opaque
// black: it holds the window's device pixels (DeviceScale of them per unit),
// and a DC drawing into it still speaks in logical units while its text,
// fills and pictures land on those device pixels.  A picture drawn into it
// from a bitmap at another scale is resampled once per size and kept.
HBITMAP CreateCompatibleBitmap(HWND window, int width, int height);
// The window's device pixels per logical unit: 1 on a plain screen, 1.5 at
// 150 %, 2 at 200 %.
double DeviceScale(HWND window);
bool DeleteBitmap(HBITMAP bitmap);
SIZE GetBitmapSize(HBITMAP bitmap);  // in logical units; 0 x 0 for a stale handle

// ---- device contexts -------------------------------------------------------
HDC CreateCompatibleDC();  // a memory DC with no bitmap yet
// Selects a bitmap into a memory DC and returns the previously selected one.
// The DC never owns the bitmap: whoever created it deletes it.
HBITMAP SelectBitmap(HDC dc, HBITMAP bitmap);
HBITMAP GetCurrentBitmap(HDC dc);  // 0 for a window DC or stale handle
bool DeleteDC(HDC dc);

// A window DC for `window`, with the window's font; only usable while the
// window handles its paint message.
HDC GetDC(HWND window);
bool ReleaseDC(HWND window, HDC dc);

// Text state of a DC.
enum class BkMode { Transparent = 1, Opaque = 2 };
void SelectFont(HDC dc, const Font& font);
COLORREF SetTextColor(HDC dc, COLORREF colour);
BkMode SetBkMode(HDC dc, BkMode mode);

// ---- drawing primitives -------------------------------------------------------
// The blits return false (and draw nothing) for stale handles, a source that
// is not a memory DC with a bitmap, or an empty size.
enum RasterOp : std::uint32_t { SRCCOPY = 0x00CC0020 };
bool BitBlt(HDC dst, int x, int y, int width, int height, HDC src, int srcX, int srcY, RasterOp op = SRCCOPY);
// Copies, scaling to the destination's size by repeating or dropping pixels.
bool StretchBlt(HDC dst, int x, int y, int width, int height, HDC src, int srcX, int srcY, int srcWidth, int srcHeight,
                RasterOp op = SRCCOPY);
// As StretchBlt, leaving out the source's pixels of `transparent`.
bool TransparentBlt(HDC dst, int x, int y, int width, int height, HDC src, int srcX, int srcY, int srcWidth,
                    int srcHeight, COLORREF transparent);
// As StretchBlt, blending the source over the destination by its alpha.
bool AlphaBlend(HDC dst, int x, int y, int width, int height, HDC src, int srcX, int srcY, int srcWidth, int srcHeight);
// Fills `rect` (right and bottom exclusive) with a solid colour.
bool FillRect(HDC dc, const RECT& rect, COLORREF colour);
// Fills `rect` with a vertical gradient from `top` (its first row) to `bottom` (its last row).
bool GradientFillV(HDC dc, const RECT& rect, COLORREF top, COLORREF bottom);
// Outlines `rect` (right and bottom exclusive) with dots, about one pixel in three (where each
// dot falls is the backend's): the keyboard's place on a control that has no other mark.
bool DrawDottedRect(HDC dc, const RECT& rect, COLORREF colour);
// The colour at logical (x, y) of a memory DC's bitmap (the first of its device
// pixels there); CLR_INVALID outside it.
COLORREF GetPixel(HDC dc, int x, int y);

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
// given, "&x" underlines x and "&&" is a literal ampersand.  DT_VCENTER
// centres wrapped text too, not only a single line.
int DrawText(HDC dc, const std::u16string& text, RECT& rect, std::uint32_t flags);

// ---- regions ---------------------------------------------------------------------
HRGN CreateRectRgn(int left, int top, int right, int bottom);
enum class CombineMode { And = 1, Or = 2, Xor = 3, Diff = 4, Copy = 5 };
// dst = a <mode> b; returns false for stale handles.
bool CombineRgn(HRGN dst, HRGN a, HRGN b, CombineMode mode);
bool PtInRegion(HRGN region, int x, int y);
bool DeleteRegion(HRGN region);

// Deletes a bitmap or a region, whatever it is (like the platform call of the
// same name); false for a DC or a stale handle.
bool DeleteObject(Handle object);

}  // namespace gdi
