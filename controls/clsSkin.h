// Skin records shared by every skinned control and by the host that answers
// their QuerySkin / QueryLayout requests, and the routines that load, draw
// and release one skin piece.
#pragma once

#include "controls/suite/gdi.h"
#include "controls/suite/tavGFX40.h"

#include <cstdint>
#include <string>

// ---- public enumerations -------------------------------------------------------
enum ctsSkinLayoutModes : int { sknLayoutStandard = 0, sknLayoutSeperates = 1 };
enum ctsSkinAutoSizeModes : int { sknAutoSizeNone = 0, sknAutoSizeH = 1, sknAutoSizeV = 2, sknAutoSizeBoth = 3 };

// One skin piece: a strip of frames in a memory DC.
//  - MemDC: DC of the strip (0 = no piece; nothing is drawn);
//  - ImageName: name of a custom image (empty for a built-in piece, which is
//    how a piece knows which release it needs);
//  - DCWidth x DCHeight: the whole strip; IMGWidth x IMGHeight: one frame;
//  - MapMargin: border widths kept at their size when the frame is drawn
//    over a larger rectangle;
//  - MaskColor: colour left out (-1: none);
//  - RGN1..RGN4BltMode: left, top, right, bottom edge, false = stretch,
//    true = tile; RGN5BltMode: middle, tavGFX40::CentreMode.
struct SkinMapInfo {
    gdi::HDC MemDC = 0;
    std::u16string ImageName;
    std::int32_t DCHeight = 0;
    std::int32_t DCWidth = 0;
    std::int32_t IMGHeight = 0;
    std::int32_t IMGWidth = 0;
    gdi::RECT MapMargin;
    std::int32_t MaskColor = 0;
    tavGFX40::OLE_COLOR BackColor = 0;
    bool RGN1BltMode = false;
    bool RGN2BltMode = false;
    bool RGN3BltMode = false;
    bool RGN4BltMode = false;
    std::int16_t RGN5BltMode = 0;
};

// Layout a host asks of a control that supports custom layout.
struct SkinButtonLayoutInfo {
    ctsSkinLayoutModes LayoutMode = sknLayoutStandard;
    ctsSkinAutoSizeModes AutoSizeMode = sknAutoSizeNone;
    gdi::RECT DrawingSpace;  // insets: Left, Top, Right, Bottom
};

// The source a host hands back with a custom skin piece: the picture the
// named image is loaded from on first use.
struct SkinSource {
    gdi::Image picture;
    bool IsEmpty() const { return picture.IsNull(); }
};

namespace clsSkin {

// Loads built-in resource `number` in `theme` into `piece` (geometry from the
// resource server's table, mask colour magenta, region modes off).  The piece
// must be empty (released) first.  False when the number is unknown.
bool LoadStaticPiece(SkinMapInfo& piece, int number, int theme);

// Loads the custom image named piece.ImageName from `source` (or the already
// registered image of that name) and sets DCWidth/DCHeight, IMGWidth =
// DCWidth and IMGHeight = DCHeight / frames.  Leaves MemDC 0 on failure.
bool LoadCustomPiece(SkinMapInfo& piece, const SkinSource& source, int frames);

// Gives the piece's DC back to the resource server (by name for a custom
// piece) and clears it: DC 0, empty name, mask colour -1, region modes off.
void ReleasePiece(SkinMapInfo& piece);

// Draws frame `frame` of the piece over (left, top)-(right, bottom) of `dst`.
// Nothing happens for an empty piece.
bool DrawPiece(gdi::HDC dst, const SkinMapInfo& piece, int frame, int left, int top, int right, int bottom);

// Draws frame `frame` at its own size at (x, y), without mask-colour pixels.
bool DrawPieceFrame(gdi::HDC dst, const SkinMapInfo& piece, int frame, int x, int y);

}  // namespace clsSkin
