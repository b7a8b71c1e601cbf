#include "controls/suite/tavGFX40.h"

#include "controls/suite/memory_dc.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>

namespace tavGFX40 {
namespace {

// The classic system colours, by index.  One fixed table keeps pictures the
// same on every desktop and in every test run.
constexpr std::array<COLORREF, 31> kSystemColours = {
    gdi::RGB(212, 208, 200),  //  0 scroll bar
    gdi::RGB(58, 110, 165),   //  1 desktop
    gdi::RGB(10, 36, 106),    //  2 active caption
    gdi::RGB(128, 128, 128),  //  3 inactive caption
    gdi::RGB(212, 208, 200),  //  4 menu
    gdi::RGB(255, 255, 255),  //  5 window
    gdi::RGB(0, 0, 0),        //  6 window frame
    gdi::RGB(0, 0, 0),        //  7 menu text
    gdi::RGB(0, 0, 0),        //  8 window text
    gdi::RGB(255, 255, 255),  //  9 caption text
    gdi::RGB(212, 208, 200),  // 10 active border
    gdi::RGB(212, 208, 200),  // 11 inactive border
    gdi::RGB(128, 128, 128),  // 12 application workspace
    gdi::RGB(10, 36, 106),    // 13 highlight
    gdi::RGB(255, 255, 255),  // 14 highlight text
    gdi::RGB(212, 208, 200),  // 15 button face
    gdi::RGB(128, 128, 128),  // 16 button shadow
    gdi::RGB(128, 128, 128),  // 17 grey text
    gdi::RGB(0, 0, 0),        // 18 button text
    gdi::RGB(212, 208, 200),  // 19 inactive caption text
    gdi::RGB(255, 255, 255),  // 20 button highlight
    gdi::RGB(64, 64, 64),     // 21 3D dark shadow
    gdi::RGB(212, 208, 200),  // 22 3D light
    gdi::RGB(0, 0, 0),        // 23 tooltip text
    gdi::RGB(255, 255, 225),  // 24 tooltip background
    gdi::RGB(181, 181, 181),  // 25 (unused)
    gdi::RGB(0, 0, 128),      // 26 hot-tracked item
    gdi::RGB(166, 202, 240),  // 27 active caption gradient
    gdi::RGB(192, 192, 192),  // 28 inactive caption gradient
    gdi::RGB(49, 106, 197),   // 29 menu highlight
    gdi::RGB(236, 233, 216),  // 30 menu bar
};

// Fills `target` from the source piece (sx, sy, sw, sh), stretched or
// tiled, leaving out the mask colour.
bool fill(HDC dst, HDC src, int sx, int sy, int sw, int sh, const RECT& target, bool tile, COLORREF mask) {
    if (!tile) {
        return gdi::TransparentBlt(dst, target.Left, target.Top, target.Right - target.Left, target.Bottom - target.Top,
                                   src, sx, sy, sw, sh, mask);
    }
    bool drawn = true;
    for (int y = target.Top; y < target.Bottom; y += sh) {
        const int h = std::min(sh, target.Bottom - y);
        for (int x = target.Left; x < target.Right; x += sw) {
            const int w = std::min(sw, target.Right - x);
            drawn = gdi::TransparentBlt(dst, x, y, w, h, src, sx, sy, w, h, mask) && drawn;
        }
    }
    return drawn;
}

// Draws `picture` at (x, y) by its alpha, or leaving out `mask` when it is one.
bool drawPicture(HDC dst, const Image& picture, int x, int y, COLORREF mask) {
    tavSCls40::MemoryDC source;
    if (!source.Create(picture)) return false;
    const int w = picture.width, h = picture.height;
    return mask > 0x00FFFFFFu ? gdi::AlphaBlend(dst, x, y, w, h, source.hDC(), 0, 0, w, h)
                              : gdi::TransparentBlt(dst, x, y, w, h, source.hDC(), 0, 0, w, h, mask);
}

}  // namespace

COLORREF gfxTranslateColor(OLE_COLOR colour, std::uint32_t) {
    if (colour & 0x80000000u) {
        const std::uint32_t index = colour & 0x00FFFFFFu;
        return index < kSystemColours.size() ? kSystemColours[index] : 0;
    }
    return colour & 0x00FFFFFFu;
}

Image MaskedImage(Image source, COLORREF maskColour) {
    gdi::MaskPixels(source.pixels.data(), source.pixels.size(), maskColour);
    return source;
}

bool gfxDrawSkin(HDC dst, HDC src, int frame, const RECT& m, int left, int top, int right, int bottom, int frameHeight,
                 int frameWidth, COLORREF maskColour, bool rgn1LeftTile, bool rgn2TopTile, bool rgn3RightTile,
                 bool rgn4BottomTile, std::int16_t rgn5Centre) {
    const gdi::SIZE strip = gdi::GetBitmapSize(gdi::GetCurrentBitmap(src));
    if (strip.cx <= 0 || frameHeight <= 0 || frameWidth <= 0 || frame < 0) return false;
    if (right <= left || bottom <= top) return false;
    const int fw = std::min(frameWidth, strip.cx), fh = frameHeight, y0 = frame * frameHeight;
    if (y0 + fh > strip.cy) return false;

    // Margins larger than the frame would make negative middles: clamp them.
    const int ml = std::clamp(m.Left, 0, fw), mr = std::clamp(m.Right, 0, fw - ml);
    const int mt = std::clamp(m.Top, 0, fh), mb = std::clamp(m.Bottom, 0, fh - mt);
    const int w = right - left, h = bottom - top;
    const int sx[3] = {0, ml, fw - mr}, sw[3] = {ml, fw - ml - mr, mr};
    const int sy[3] = {0, mt, fh - mb}, sh[3] = {mt, fh - mt - mb, mb};
    const int dx[3] = {left, left + ml, right - mr}, dw[3] = {ml, w - ml - mr, mr};
    const int dy[3] = {top, top + mt, bottom - mb}, dh[3] = {mt, h - mt - mb, mb};

    bool drawn = true;
    for (int row = 0; row < 3; ++row) {
        for (int col = 0; col < 3; ++col) {
            if (sw[col] <= 0 || sh[row] <= 0 || dw[col] <= 0 || dh[row] <= 0) continue;
            bool tile = false;
            if (row == 1 && col == 1) {
                if (rgn5Centre == CentreNone) continue;
                tile = rgn5Centre == CentreTile;
            } else if (row == 1) {
                tile = col == 0 ? rgn1LeftTile : rgn3RightTile;
            } else if (col == 1) {
                tile = row == 0 ? rgn2TopTile : rgn4BottomTile;
            }
            const RECT target{dx[col], dy[row], dx[col] + dw[col], dy[row] + dh[row]};
            drawn = fill(dst, src, sx[col], y0 + sy[row], sw[col], sh[row], target, tile, maskColour) && drawn;
        }
    }
    return drawn;
}

bool gfxDrawTransparentDC(HDC dst, HDC src, int x, int y, int width, int height, int, int, int srcX, int srcY,
                          int srcWidth, int srcHeight, COLORREF maskColour) {
    return gdi::TransparentBlt(dst, x, y, width, height, src, srcX, srcY, srcWidth, srcHeight, maskColour);
}

bool gfxDrawTransparentBitmap(HDC dst, const Image& picture, int x, int y, COLORREF maskColour) {
    return drawPicture(dst, picture, x, y, maskColour);
}

bool gfxDrawDisabledPicture(HDC dst, const Image& picture, PictureKind kind, int x, int y, COLORREF maskColour) {
    if (picture.IsNull()) return false;
    const Image masked = kind == PictureKind::Bitmap ? MaskedImage(picture, maskColour) : picture;
    auto shape = [&](OLE_COLOR colour) {
        const std::uint32_t ink = gdi::ArgbOf(gfxTranslateColor(colour));
        Image out(picture.width, picture.height);
        for (std::size_t i = 0; i < out.pixels.size(); ++i) {
            const std::uint32_t px = masked.pixels[i];
            const std::uint32_t alpha = px >> 24;
            const std::uint32_t gray = (((px >> 16) & 0xFF) * 11 + ((px >> 8) & 0xFF) * 16 + (px & 0xFF) * 5) / 32;
            const bool inside = kind == PictureKind::Icon ? alpha > 127 : alpha > 0 && gray < 192;
            if (inside) out.pixels[i] = ink;
        }
        return out;
    };
    // The shapes are opaque where they are anything: blending draws just them.
    const bool light = drawPicture(dst, shape(SystemColor(COLOR_BTNHIGHLIGHT)), x + 1, y + 1, 0xFFFFFFFFu);
    return drawPicture(dst, shape(SystemColor(COLOR_BTNSHADOW)), x, y, 0xFFFFFFFFu) && light;
}

bool gfxDrawRect(HDC dc, const RECT& r, OLE_COLOR colour, int) {
    return gdi::FillRect(dc, r, gfxTranslateColor(colour));
}

bool gfxDrawRect2(HDC dc, int left, int top, int right, int bottom, OLE_COLOR colour) {
    if (right <= left || bottom <= top) return false;
    const COLORREF c = gfxTranslateColor(colour);
    return gdi::FillRect(dc, RECT{left, top, right, top + 1}, c) &&
           gdi::FillRect(dc, RECT{left, bottom - 1, right, bottom}, c) &&
           gdi::FillRect(dc, RECT{left, top, left + 1, bottom}, c) &&
           gdi::FillRect(dc, RECT{right - 1, top, right, bottom}, c);
}

bool gfxDrawLine(HDC dc, int x1, int y1, int x2, int y2, OLE_COLOR colour) {
    const COLORREF c = gfxTranslateColor(colour);
    if (y1 == y2) {
        const int from = std::min(x1, x2 + 1);
        return gdi::FillRect(dc, RECT{from, y1, from + std::abs(x2 - x1), y1 + 1}, c);
    }
    if (x1 == x2) {
        const int from = std::min(y1, y2 + 1);
        return gdi::FillRect(dc, RECT{x1, from, x1 + 1, from + std::abs(y2 - y1)}, c);
    }
    // Slanted: one pixel per step along the longer axis, the end excluded.
    const int steps = std::max(std::abs(x2 - x1), std::abs(y2 - y1));
    bool drawn = true;
    for (int i = 0; i < steps && drawn; ++i) {
        const int x = x1 + static_cast<int>(std::lround(static_cast<double>((x2 - x1) * i) / steps));
        const int y = y1 + static_cast<int>(std::lround(static_cast<double>((y2 - y1) * i) / steps));
        drawn = gdi::FillRect(dc, RECT{x, y, x + 1, y + 1}, c);
    }
    return drawn;
}

void gfxDrawFocusRect(HDC dc, const RECT& r) {
    if (r.Right - r.Left < 2 || r.Bottom - r.Top < 2) return;
    // Every other pixel, starting on the corner, as the classic focus
    // rectangle does; black on light backgrounds.
    const auto dot = [dc](int x, int y) { gdi::FillRect(dc, gdi::RECT{x, y, x + 1, y + 1}, gdi::RGB(0, 0, 0)); };
    for (int x = r.Left; x < r.Right; x += 2) {
        dot(x, r.Top);
        dot(x, r.Bottom - 1);
    }
    for (int y = r.Top; y < r.Bottom; y += 2) {
        dot(r.Left, y);
        dot(r.Right - 1, y);
    }
}

}  // namespace tavGFX40
