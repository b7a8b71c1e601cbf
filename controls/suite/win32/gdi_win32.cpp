// gdi over the system's GDI: each handle stands for a real object, bitmaps
// are 32-bit top-down DIB sections, and every call is the GDI call of the same
// name (TransparentBlt and AlphaBlend from msimg32).
//
// windows.h comes after gdi.h and defines some of gdi's names as macros (the
// DT_ flags, SRCCOPY, RGB, DrawText): below, the flags are the system's (the
// same values) and gdi's DrawText is defined before the macro is seen.
#include "controls/suite/win32/gdi_win32.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace gdi {
namespace {
int drawText(HDC dc, const std::u16string& text, RECT& rect, std::uint32_t flags);
}
int DrawText(HDC dc, const std::u16string& text, RECT& rect, std::uint32_t flags) {
    return drawText(dc, text, rect, flags);
}
}  // namespace gdi

#include <windows.h>

#include "controls/suite/win32/gdi_objects_win32.h"

namespace gdi {
namespace {

using namespace win32::objects;

// Logical units land on device pixels through a world transform; at 1 the
// DC is left in the system's default mode, as it always was.
void applyScale(DcObject& d, double scale) {
    if (scale == d.scale) return;
    if (scale != 1.0) {
        ::SetGraphicsMode(d.native, GM_ADVANCED);
        const XFORM xf{static_cast<FLOAT>(scale), 0, 0, static_cast<FLOAT>(scale), 0, 0};
        ::SetWorldTransform(d.native, &xf);
        ::SetStretchBltMode(d.native, COLORONCOLOR);
    } else {
        ::ModifyWorldTransform(d.native, nullptr, MWT_IDENTITY);
        ::SetGraphicsMode(d.native, GM_COMPATIBLE);
    }
    d.scale = scale;
}

void restoreDc(DcObject& d) {
    applyScale(d, 1.0);
    if (d.originalFont != nullptr) ::SelectObject(d.native, d.originalFont);
    if (d.font != nullptr) ::DeleteObject(d.font);
    if (d.originalBitmap != nullptr) ::SelectObject(d.native, d.originalBitmap);
}

}  // namespace

std::size_t LiveHandleCount(ObjectKind kind) { return table().count(kind); }
std::size_t LiveHandleCount() { return table().objects.size(); }

HBITMAP CreateBitmap(const Image& image) {
    if (image.IsNull()) return 0;
    BitmapObject b = makeDib(image.width, image.height);
    if (b.native == nullptr) return 0;
    std::memcpy(b.bits, image.pixels.data(), image.pixels.size() * sizeof(std::uint32_t));
    return table().add(b);
}

HBITMAP CreateCompatibleBitmap(int width, int height) {
    if (width <= 0 || height <= 0) return 0;
    BitmapObject b = makeDib(width, height);
    if (b.native == nullptr) return 0;
    std::fill_n(b.bits, static_cast<std::size_t>(width) * static_cast<std::size_t>(height), 0xFF000000u);
    return table().add(b);
}

HBITMAP CreateCompatibleBitmap(HWND window, int width, int height) {
    const double scale = DeviceScale(window);
    if (scale == 1.0) return CreateCompatibleBitmap(width, height);
    const HBITMAP made = CreateCompatibleBitmap(win32::ToDevice(width, scale), win32::ToDevice(height, scale));
    if (auto* b = table().get<BitmapObject>(made)) b->scale = scale;
    return made;
}

bool DeleteBitmap(HBITMAP bitmap) {
    auto* b = table().get<BitmapObject>(bitmap);
    if (b == nullptr) return false;
    // The system keeps a selected bitmap alive: take it out of its DC first.
    for (auto& [handle, object] : table().objects) {
        auto* d = std::get_if<DcObject>(&object);
        if (d == nullptr || d->selected != bitmap) continue;
        if (d->originalBitmap != nullptr) ::SelectObject(d->native, d->originalBitmap);
        applyScale(*d, 1.0);
        d->selected = 0;
    }
    ::DeleteObject(b->native);
    return table().erase<BitmapObject>(bitmap);
}

SIZE GetBitmapSize(HBITMAP bitmap) {
    const auto* b = table().get<BitmapObject>(bitmap);
    return b ? SIZE{win32::ToLogical(b->width, b->scale), win32::ToLogical(b->height, b->scale)} : SIZE{};
}

HDC CreateCompatibleDC() {
    ::HDC native = ::CreateCompatibleDC(nullptr);
    if (native == nullptr) return 0;
    DcObject d;
    d.native = native;
    return table().add(d);
}

HBITMAP SelectBitmap(HDC dc, HBITMAP bitmap) {
    auto* d = table().get<DcObject>(dc);
    if (d == nullptr || d->window != nullptr) return 0;
    const HBITMAP old = d->selected;
    const auto* b = table().get<BitmapObject>(bitmap);
    if (b != nullptr) {
        HGDIOBJ previous = ::SelectObject(d->native, b->native);
        if (d->originalBitmap == nullptr) d->originalBitmap = previous;
    } else if (d->originalBitmap != nullptr) {
        ::SelectObject(d->native, d->originalBitmap);
    }
    d->selected = b != nullptr ? bitmap : 0;
    applyScale(*d, b != nullptr ? b->scale : 1.0);
    return old;
}

HBITMAP GetCurrentBitmap(HDC dc) { return selectedBitmap(dc) != nullptr ? table().get<DcObject>(dc)->selected : 0; }

bool DeleteDC(HDC dc) {
    auto* d = table().get<DcObject>(dc);
    if (d == nullptr || d->window != nullptr) return false;
    restoreDc(*d);
    ::DeleteDC(d->native);
    return table().erase<DcObject>(dc);
}

HDC GetDC(HWND window) {
    ::HWND native = win32::Native(window);
    if (native == nullptr) return 0;
    ::HDC dc = ::GetDC(native);
    if (dc == nullptr) return 0;
    DcObject d;
    d.native = dc;
    d.window = native;
    if (auto* font = reinterpret_cast<HGDIOBJ>(::SendMessageW(native, WM_GETFONT, 0, 0)))
        d.originalFont = ::SelectObject(dc, font);
    applyScale(d, DeviceScale(window));
    return table().add(d);
}

bool ReleaseDC(HWND window, HDC dc) {
    auto* d = table().get<DcObject>(dc);
    if (d == nullptr || d->window == nullptr || d->window != win32::Native(window)) return false;
    restoreDc(*d);
    ::ReleaseDC(d->window, d->native);
    return table().erase<DcObject>(dc);
}

HFONT__* win32::MakeNativeFont(const Font& font, int dpi) {
    LOGFONTW lf{};
    lf.lfHeight = font.pixelSize > 0 ? -font.pixelSize : -static_cast<LONG>(std::lround(font.pointSize * dpi / 72.0));
    lf.lfWeight = font.weight;
    lf.lfItalic = font.italic;
    lf.lfUnderline = font.underline;
    lf.lfStrikeOut = font.strikeout;
    lf.lfCharSet = DEFAULT_CHARSET;
    const std::size_t n = std::min<std::size_t>(font.family.size(), LF_FACESIZE - 1);
    std::copy_n(font.family.begin(), n, lf.lfFaceName);
    return ::CreateFontIndirectW(&lf);
}

void SelectFont(HDC dc, const Font& font) {
    auto* d = table().get<DcObject>(dc);
    if (d == nullptr) return;
    // Logical units are pixels at 96 dots per inch: text is measured so on
    // every DC, and drawn on a scaled one in a font made for its device pixels.
    ::HFONT made = win32::MakeNativeFont(font, 96);
    if (made == nullptr) return;
    HGDIOBJ previous = ::SelectObject(d->native, made);
    if (d->originalFont == nullptr) d->originalFont = previous;
    if (d->font != nullptr) ::DeleteObject(d->font);
    d->font = made;
    d->selectedFont = font;
}

COLORREF SetTextColor(HDC dc, COLORREF colour) {
    auto* d = table().get<DcObject>(dc);
    return d != nullptr ? ::SetTextColor(d->native, colour) : 0;
}

BkMode SetBkMode(HDC dc, BkMode mode) {
    auto* d = table().get<DcObject>(dc);
    if (d == nullptr) return BkMode::Opaque;
    return static_cast<BkMode>(::SetBkMode(d->native, static_cast<int>(mode)));
}

bool BitBlt(HDC dst, int x, int y, int width, int height, HDC src, int srcX, int srcY, RasterOp op) {
    ::HDC to = drawable(dst);
    if (to == nullptr || selectedBitmap(src) == nullptr || width <= 0 || height <= 0) return false;
    return ::BitBlt(to, x, y, width, height, table().get<DcObject>(src)->native, srcX, srcY, op) != FALSE;
}

bool StretchBlt(HDC dst, int x, int y, int width, int height, HDC src, int srcX, int srcY, int srcWidth, int srcHeight,
                RasterOp op) {
    ::HDC to = drawable(dst);
    if (to == nullptr || selectedBitmap(src) == nullptr || width <= 0 || height <= 0 || srcWidth <= 0 || srcHeight <= 0)
        return false;
    ::SetStretchBltMode(to, COLORONCOLOR);
    return ::StretchBlt(to, x, y, width, height, table().get<DcObject>(src)->native, srcX, srcY, srcWidth, srcHeight,
                        op) != FALSE;
}

bool FillRect(HDC dc, const RECT& rect, COLORREF colour) {
    ::HDC to = drawable(dc);
    if (to == nullptr) return false;
    ::HBRUSH brush = ::CreateSolidBrush(colour);
    const ::RECT r{rect.Left, rect.Top, rect.Right, rect.Bottom};
    const bool filled = ::FillRect(to, &r, brush) != 0;
    ::DeleteObject(brush);
    return filled;
}

bool GradientFillV(HDC dc, const RECT& rect, COLORREF top, COLORREF bottom) {
    ::HDC to = drawable(dc);
    if (to == nullptr || rect.Right <= rect.Left || rect.Bottom <= rect.Top) return false;
    const auto vertex = [](LONG x, LONG y, COLORREF c) {
        return TRIVERTEX{x,
                         y,
                         static_cast<COLOR16>((c & 0xFF) << 8),
                         static_cast<COLOR16>(c & 0xFF00),
                         static_cast<COLOR16>((c >> 8) & 0xFF00),
                         0xFF00};
    };
    TRIVERTEX corners[2] = {vertex(rect.Left, rect.Top, top), vertex(rect.Right, rect.Bottom, bottom)};
    GRADIENT_RECT span{0, 1};
    return ::GdiGradientFill(to, corners, 2, &span, 1, GRADIENT_FILL_RECT_V) != FALSE;
}

// One pixel in three along the outline; the system's dotted pens draw every other one.  On a
// scaled DC the dots are placed on the device's pixels, evenly, as far apart as three logical
// pixels are (at 150 % a dot's place would otherwise fall between pixels, rounded 4 or 5 apart).
bool DrawDottedRect(HDC dc, const RECT& rect, COLORREF colour) {
    ::HDC to = drawable(dc);
    const auto* d = table().get<DcObject>(dc);
    const double scale = d != nullptr ? d->scale : 1.0;
    const RECT at = win32::ToDevice(rect, scale);
    const int w = at.Right - at.Left - 1, h = at.Bottom - at.Top - 1, every = win32::ToDevice(3, scale);
    if (to == nullptr || w < 0 || h < 0) return false;
    const int saved = scale != 1.0 ? ::SaveDC(to) : 0;
    if (scale != 1.0) ::ModifyWorldTransform(to, nullptr, MWT_IDENTITY);
    int step = 0;
    const auto dot = [&](int x, int y) {
        if (step++ % every == 0) ::SetPixelV(to, at.Left + x, at.Top + y, colour);
    };
    for (int x = 0; x < w; ++x) dot(x, 0);
    for (int y = 0; y < h; ++y) dot(w, y);
    for (int x = w; x > 0; --x) dot(x, h);
    for (int y = h; y > 0; --y) dot(0, y);
    if (w == 0 || h == 0) dot(w, h);
    if (saved != 0) ::RestoreDC(to, saved);
    return true;
}

COLORREF GetPixel(HDC dc, int x, int y) {
    const BitmapObject* b = selectedBitmap(dc);
    if (b == nullptr || x < 0 || y < 0 || x >= win32::ToLogical(b->width, b->scale) ||
        y >= win32::ToLogical(b->height, b->scale))
        return CLR_INVALID;
    return ::GetPixel(table().get<DcObject>(dc)->native, x, y);
}

namespace {

// On a scaled DC the text is drawn at device pixels in a font of the height
// the screen's own text has there, not a 96-DPI font under the transform
// (which would come out at heights such as 16.5 px and differ from every
// plain label beside it).  It is measured the same way: a box measured with
// the other font can be narrower than the text drawn in it, which then wraps.
// `r` is logical; with DT_CALCRECT it comes back as the logical box that
// holds the device pixels measured.
int deviceText(DcObject& d, const wchar_t* chars, int length, ::RECT& r, UINT flags) {
    Font font = d.selectedFont;
    if (font.pixelSize > 0) font.pixelSize = win32::ToDevice(font.pixelSize, d.scale);
    ::HFONT made = d.font != nullptr ? win32::MakeNativeFont(font, win32::ToDevice(96, d.scale)) : nullptr;
    const int saved = ::SaveDC(d.native);
    ::ModifyWorldTransform(d.native, nullptr, MWT_IDENTITY);
    if (made != nullptr) ::SelectObject(d.native, made);
    const RECT at = win32::ToDevice(RECT{r.left, r.top, r.right, r.bottom}, d.scale);
    ::RECT device{at.Left, at.Top, at.Right, at.Bottom};
    const int height = ::DrawTextW(d.native, chars, length, &device, flags);
    ::RestoreDC(d.native, saved);
    if (made != nullptr) ::DeleteObject(made);
    if (flags & DT_CALCRECT) {
        const auto covering = [&](LONG pixels) { return static_cast<LONG>(std::ceil(pixels / d.scale)); };
        r.right = r.left + covering(device.right - device.left);
        r.bottom = r.top + covering(device.bottom - device.top);
    }
    return win32::ToLogical(height, d.scale);
}

// The system ignores DT_VCENTER for text that may wrap and clips to the
// rectangle; the controls expect wrapped text centred and no clipping.
int drawText(HDC dc, const std::u16string& text, RECT& rect, std::uint32_t flags) {
    auto* d = table().get<DcObject>(dc);
    if (d == nullptr) return 0;
    const auto* chars = reinterpret_cast<const wchar_t*>(text.c_str());
    const int length = static_cast<int>(text.size());
    const auto system = [&](::RECT& at, UINT how) {
        return d->scale != 1.0 ? deviceText(*d, chars, length, at, how)
                               : ::DrawTextW(d->native, chars, length, &at, how);
    };
    ::RECT r{rect.Left, rect.Top, rect.Right, rect.Bottom};
    if (flags & DT_CALCRECT) {
        const int height =
            system(r, flags & ~static_cast<std::uint32_t>(DT_CENTER | DT_RIGHT | DT_VCENTER | DT_BOTTOM));
        rect.Right = rect.Left + (r.right - r.left);
        rect.Bottom = rect.Top + (r.bottom - r.top);
        return height;
    }
    if (drawable(dc) == nullptr) return 0;
    if ((flags & DT_VCENTER) && !(flags & DT_SINGLELINE)) {
        ::RECT measured = r;
        system(measured, (flags & ~static_cast<std::uint32_t>(DT_VCENTER)) | DT_CALCRECT);
        r.top += ((r.bottom - r.top) - (measured.bottom - measured.top)) / 2;
        flags &= ~static_cast<std::uint32_t>(DT_VCENTER);
    }
    return system(r, flags | DT_NOCLIP);
}

}  // namespace

HRGN CreateRectRgn(int left, int top, int right, int bottom) {
    ::HRGN region = ::CreateRectRgn(left, top, right, bottom);
    return region != nullptr ? table().add(RegionObject{region}) : 0;
}

bool CombineRgn(HRGN dst, HRGN a, HRGN b, CombineMode mode) {
    auto* d = table().get<RegionObject>(dst);
    auto* ra = table().get<RegionObject>(a);
    auto* rb = table().get<RegionObject>(b);
    if (d == nullptr || ra == nullptr || (mode != CombineMode::Copy && rb == nullptr)) return false;
    return ::CombineRgn(d->native, ra->native, rb != nullptr ? rb->native : nullptr, static_cast<int>(mode)) != ERROR;
}

bool PtInRegion(HRGN region, int x, int y) {
    const auto* r = table().get<RegionObject>(region);
    return r != nullptr && ::PtInRegion(r->native, x, y) != FALSE;
}

bool DeleteRegion(HRGN region) {
    auto* r = table().get<RegionObject>(region);
    if (r == nullptr) return false;
    ::DeleteObject(r->native);
    return table().erase<RegionObject>(region);
}

bool DeleteObject(Handle object) { return DeleteBitmap(object) || DeleteRegion(object); }

::HDC win32::NativeDC(HDC dc) {
    const auto* d = table().get<DcObject>(dc);
    return d != nullptr ? d->native : nullptr;
}

::HRGN win32::NativeRegion(HRGN region) {
    const auto* r = table().get<RegionObject>(region);
    return r != nullptr ? r->native : nullptr;
}

}  // namespace gdi
