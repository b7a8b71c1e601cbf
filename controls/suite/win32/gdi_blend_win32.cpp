// gdi's blends over the system's: AlphaBlend and TransparentBlt (msimg32) take
// a converted copy of the source's pixels, and onto a scaled DC one resampled
// to the device pixels it covers.
#include "controls/suite/win32/gdi_win32.h"

#include "controls/suite/pixel_resample.h"

#include <windows.h>

#include "controls/suite/win32/gdi_objects_win32.h"

#include <algorithm>
#include <vector>

namespace gdi {

namespace {

using namespace win32::objects;

// Runs `blit(dc, width, height)` with a memory DC over a copy of the source
// rectangle (its device pixels) whose pixels went through `convert`; outside
// the source is transparent (0).  Given a size, the copy is resampled to it.
template <typename Convert, typename Blit>
bool blitCopy(HDC src, int srcX, int srcY, int srcWidth, int srcHeight, Convert convert, Blit blit, int toWidth = 0,
              int toHeight = 0) {
    const BitmapObject* from = selectedBitmap(src);
    if (from == nullptr || srcWidth <= 0 || srcHeight <= 0) return false;
    const double s = from->scale;
    int width = win32::ToDevice(srcX + srcWidth, s) - win32::ToDevice(srcX, s);
    int height = win32::ToDevice(srcY + srcHeight, s) - win32::ToDevice(srcY, s);
    srcX = win32::ToDevice(srcX, s);
    srcY = win32::ToDevice(srcY, s);
    if (width <= 0 || height <= 0) return false;
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    ::GdiFlush();  // the source's pixels as the system last drew them
    for (int row = 0; row < height; ++row) {
        for (int col = 0; col < width; ++col) {
            const int sx = srcX + col, sy = srcY + row;
            const bool inside = sx >= 0 && sy >= 0 && sx < from->width && sy < from->height;
            const std::size_t at =
                static_cast<std::size_t>(sy) * static_cast<std::size_t>(from->width) + static_cast<std::size_t>(sx);
            pixels[static_cast<std::size_t>(row * width + col)] = convert(inside ? from->bits[at] : 0u);
        }
    }
    if (toWidth > 0 && toHeight > 0 && (toWidth != width || toHeight != height)) {
        pixels = Resample(pixels, width, height, toWidth, toHeight);
        width = toWidth;
        height = toHeight;
    }
    BitmapObject part = makeDib(width, height);
    if (part.native == nullptr) return false;
    std::copy(pixels.begin(), pixels.end(), part.bits);
    ::HDC partDc = ::CreateCompatibleDC(nullptr);
    HGDIOBJ previous = ::SelectObject(partDc, part.native);
    const bool drawn = blit(partDc, width, height);
    ::SelectObject(partDc, previous);
    ::DeleteDC(partDc);
    ::DeleteObject(part.native);
    return drawn;
}

// Onto a scaled DC a picture is brought to the device pixels it covers there,
// made from its premultiplied pixels (a mask colour already transparent, so
// that it fringes no edge), and blended one to one.
template <typename Premultiplied>
bool blendAtDevicePixels(HDC dst, const RECT& logical, HDC src, const RECT& from, Premultiplied premultiplied) {
    auto* d = table().get<DcObject>(dst);
    const RECT at = win32::ToDevice(logical, d->scale);
    const int width = at.Right - at.Left, height = at.Bottom - at.Top;
    if (width <= 0 || height <= 0) return false;
    const BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    const auto draw = [&](::HDC part, int, int) {
        const int saved = ::SaveDC(d->native);
        ::ModifyWorldTransform(d->native, nullptr, MWT_IDENTITY);
        const bool drawn =
            ::GdiAlphaBlend(d->native, at.Left, at.Top, width, height, part, 0, 0, width, height, blend) != FALSE;
        ::RestoreDC(d->native, saved);
        return drawn;
    };
    return blitCopy(src, from.Left, from.Top, from.Right - from.Left, from.Bottom - from.Top, premultiplied, draw,
                    width, height);
}

std::uint32_t premultiply(std::uint32_t px) {
    const std::uint32_t a = px >> 24;
    const auto mul = [a](std::uint32_t c) { return (c * a + 127) / 255; };
    return (a << 24) | (mul((px >> 16) & 0xFF) << 16) | (mul((px >> 8) & 0xFF) << 8) | mul(px & 0xFF);
}

}  // namespace

// The system blends premultiplied pixels; ours are straight.
bool AlphaBlend(HDC dst, int x, int y, int width, int height, HDC src, int srcX, int srcY, int srcWidth,
                int srcHeight) {
    ::HDC to = drawable(dst);
    if (to == nullptr || width <= 0 || height <= 0) return false;
    if (table().get<DcObject>(dst)->scale != 1.0)
        return blendAtDevicePixels(dst, {x, y, x + width, y + height}, src,
                                   {srcX, srcY, srcX + srcWidth, srcY + srcHeight}, premultiply);
    const BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    return blitCopy(src, srcX, srcY, srcWidth, srcHeight, premultiply, [&](::HDC from, int w, int h) {
        return ::GdiAlphaBlend(to, x, y, width, height, from, 0, 0, w, h, blend) != FALSE;
    });
}

// The system compares whole pixels, alpha included: the copy it compares has
// opaque colours without alpha, and fully transparent pixels (and what lies
// outside the source) in the mask colour, so that they are left out too.
bool TransparentBlt(HDC dst, int x, int y, int width, int height, HDC src, int srcX, int srcY, int srcWidth,
                    int srcHeight, COLORREF transparent) {
    // No mask colour: the source's own transparency decides, as in the other backends.
    if (transparent > 0x00FFFFFFu) return AlphaBlend(dst, x, y, width, height, src, srcX, srcY, srcWidth, srcHeight);
    ::HDC to = drawable(dst);
    if (to == nullptr || width <= 0 || height <= 0) return false;
    const std::uint32_t mask = ArgbOf(transparent, 0);
    if (table().get<DcObject>(dst)->scale != 1.0)
        return blendAtDevicePixels(
            dst, {x, y, x + width, y + height}, src, {srcX, srcY, srcX + srcWidth, srcY + srcHeight},
            [mask](std::uint32_t px) { return (px >> 24) == 0 || (px & 0xFFFFFFu) == mask ? 0u : px | 0xFF000000u; });
    const auto opaque = [mask](std::uint32_t px) { return (px >> 24) == 0 ? mask : px & 0x00FFFFFFu; };
    return blitCopy(src, srcX, srcY, srcWidth, srcHeight, opaque, [&](::HDC from, int w, int h) {
        return ::GdiTransparentBlt(to, x, y, width, height, from, 0, 0, w, h, transparent) != FALSE;
    });
}

}  // namespace gdi
