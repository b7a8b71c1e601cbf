#include "controls/clsSkin.h"

#include "controls/suite/tavResSrv40.h"

namespace clsSkin {

bool LoadStaticPiece(SkinMapInfo& piece, int number, int theme) {
    const auto res = tavResSrv40::FindStaticResource(number);
    if (!res) return false;
    piece.MemDC = tavResSrv40::GetStaticResDc(number, theme);
    piece.ImageName.clear();
    piece.DCWidth = res->frameWidth;
    piece.DCHeight = res->stripHeight();
    piece.IMGWidth = res->frameWidth;
    piece.IMGHeight = res->frameHeight;
    piece.MapMargin = res->margins;
    piece.MaskColor = static_cast<std::int32_t>(tavResSrv40::kSkinMaskColour);
    piece.RGN1BltMode = piece.RGN2BltMode = piece.RGN3BltMode = piece.RGN4BltMode = false;
    piece.RGN5BltMode = 0;
    return piece.MemDC != 0;
}

bool LoadCustomPiece(SkinMapInfo& piece, const SkinSource& source, int frames) {
    int width = 0, height = 0;
    piece.MemDC = tavResSrv40::GetCustomResDc(source.picture, piece.ImageName, width, height);
    if (piece.MemDC == 0) return false;
    piece.DCWidth = width;
    piece.DCHeight = height;
    piece.IMGWidth = width;
    piece.IMGHeight = frames > 0 ? height / frames : height;
    return true;
}

void ReleasePiece(SkinMapInfo& piece) {
    if (piece.MemDC != 0) {
        if (!piece.ImageName.empty())
            tavResSrv40::ReleaseCustomResDc(piece.ImageName);
        else
            tavResSrv40::ReleaseStaticResDc(piece.MemDC);
    }
    piece.MemDC = 0;
    piece.ImageName.clear();
    piece.MaskColor = -1;
    piece.RGN1BltMode = piece.RGN2BltMode = piece.RGN3BltMode = piece.RGN4BltMode = false;
    piece.RGN5BltMode = 0;
}

bool DrawPiece(gdi::HDC dst, const SkinMapInfo& piece, int frame, int left, int top, int right, int bottom) {
    if (piece.MemDC == 0) return false;
    return tavGFX40::gfxDrawSkin(dst, piece.MemDC, frame, piece.MapMargin, left, top, right, bottom, piece.IMGHeight,
                                 piece.IMGWidth, static_cast<gdi::COLORREF>(piece.MaskColor), piece.RGN1BltMode,
                                 piece.RGN2BltMode, piece.RGN3BltMode, piece.RGN4BltMode, piece.RGN5BltMode);
}

bool DrawPieceFrame(gdi::HDC dst, const SkinMapInfo& piece, int frame, int x, int y) {
    if (piece.MemDC == 0) return false;
    return tavGFX40::gfxDrawTransparentDC(dst, piece.MemDC, x, y, piece.IMGWidth, piece.IMGHeight, 0, 0, 0,
                                          frame * piece.IMGHeight, piece.IMGWidth, piece.IMGHeight,
                                          static_cast<gdi::COLORREF>(piece.MaskColor));
}

}  // namespace clsSkin
