// tavGFX40: the suite's drawing library.
//
// Skin strips are bitmaps of equally sized frames stacked vertically (frame k
// starts at row k * frameHeight).  Pixels of a strip's mask colour are never
// drawn, so a skin can have round corners or holes.  Colours given to these
// functions are OLE colours: a plain 0x00BBGGRR value, or a system colour
// 0x80000000 + index that is looked up in one fixed table of the classic
// system colours, so that a control looks the same on every desktop.
//
// Everything here draws through gdi only, so it is the same on every window
// system; composing what lies behind a window needs the host's windows and
// lives with the host (qt/transparent_background.h).
#pragma once

#include "controls/suite/gdi.h"

#include <cstdint>

namespace tavGFX40 {

using gdi::COLORREF;
using gdi::HDC;
using gdi::Image;
using gdi::RECT;
using OLE_COLOR = std::uint32_t;

// System colour indexes (add 0x80000000 for the OLE colour).
enum SystemColorIndex : std::uint32_t {
    COLOR_SCROLLBAR = 0,
    COLOR_WINDOW = 5,
    COLOR_WINDOWTEXT = 8,
    COLOR_HIGHLIGHT = 13,
    COLOR_HIGHLIGHTTEXT = 14,
    COLOR_BTNFACE = 15,
    COLOR_BTNSHADOW = 16,
    COLOR_GRAYTEXT = 17,
    COLOR_BTNTEXT = 18,
    COLOR_BTNHIGHLIGHT = 20,
    COLOR_3DDKSHADOW = 21,
    COLOR_INFOBK = 24,
};
constexpr OLE_COLOR SystemColor(std::uint32_t index) { return 0x80000000u | index; }
constexpr OLE_COLOR kNoColor = 0xFFFFFFFFu;  // -1: "not set"

// OLE colour -> COLORREF.  System colours outside the table and kNoColor give 0
// (black); a palette-relative colour (0x01xxxxxx) keeps its low 24 bits.
// `palette` is accepted for call compatibility and ignored.
COLORREF gfxTranslateColor(OLE_COLOR colour, std::uint32_t palette = 0);

// How the edges and the middle of a skin frame fill the space between the
// margins.  Edge modes (left, top, right, bottom edge) are booleans:
// false = stretch, true = tile.  The middle mode is a number, see CentreMode.
enum CentreMode : std::int16_t { CentreStretch = 0, CentreTile = 1, CentreNone = 2 };

// Draws frame `frame` of the strip in `src` over (left, top)-(right, bottom) of
// `dst`.  The four corners keep their size; edges and middle fill as the
// region modes say.  Pixels equal to `maskColour` leave `dst` unchanged.
// Returns false when a handle is stale or nothing could be drawn.
bool gfxDrawSkin(HDC dst, HDC src, int frame, const RECT& margins, int left, int top, int right, int bottom,
                 int frameHeight, int frameWidth, COLORREF maskColour, bool rgn1LeftTile = false,
                 bool rgn2TopTile = false, bool rgn3RightTile = false, bool rgn4BottomTile = false,
                 std::int16_t rgn5Centre = CentreStretch);

// Copies src (srcX, srcY, srcWidth, srcHeight) to dst (x, y, width, height),
// scaling when the sizes differ, leaving out pixels of `maskColour`.
// (The two zero arguments of the classic call are kept for its shape.)
bool gfxDrawTransparentDC(HDC dst, HDC src, int x, int y, int width, int height, int reserved1, int reserved2, int srcX,
                          int srcY, int srcWidth, int srcHeight, COLORREF maskColour);

// The same for a picture held as an image (its own size is used).  Without a
// mask colour (a value above 0x00FFFFFF) the picture's own transparency is kept.
bool gfxDrawTransparentBitmap(HDC dst, const Image& picture, int x, int y, COLORREF maskColour);

// Draws a picture in the disabled look: its shape embossed, once in the
// 3D highlight colour one pixel down and right, then in the shadow colour.
// For a bitmap the shape is every pixel not of `maskColour` that is darker
// than light grey; for an icon every pixel that is not transparent.
enum class PictureKind { Bitmap, Icon };
bool gfxDrawDisabledPicture(HDC dst, const Image& picture, PictureKind kind, int x, int y, COLORREF maskColour);

// Fills `rect` with `colour` (an OLE colour); `mode` 1 = solid fill.
bool gfxDrawRect(HDC dc, const RECT& rect, OLE_COLOR colour, int mode = 1);
// One-pixel outline of (left, top)-(right, bottom), right/bottom exclusive.
bool gfxDrawRect2(HDC dc, int left, int top, int right, int bottom, OLE_COLOR colour);
// One-pixel line from (x1, y1) towards (x2, y2), the end point excluded.
bool gfxDrawLine(HDC dc, int x1, int y1, int x2, int y2, OLE_COLOR colour);
// A dotted focus rectangle along the inside of (left, top)-(right, bottom).
void gfxDrawFocusRect(HDC dc, const RECT& rect);

// `source` with every opaque pixel of `maskColour` turned fully transparent,
// for a host that shows skin pictures itself; a value above 0x00FFFFFF (such
// as -1) masks nothing.
Image MaskedImage(Image source, COLORREF maskColour);

}  // namespace tavGFX40
