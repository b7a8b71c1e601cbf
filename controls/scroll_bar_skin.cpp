#include "controls/scroll_bar_skin.h"

#include "controls/modSkinConstants.h"
#include "controls/suite/tavGFX40.h"
#include "controls/suite/memory_dc.h"

#include <algorithm>

namespace scroll_bar {

using namespace modSkinConstants;
using namespace scroll_range;

const std::array<PieceInfo, kPieceCount> kPieces = {{
    {pieceButtons, resScrollButtons, 16},
    {pieceThumb, resScrollThumb, 4},
    {pieceGripper, resScrollThumbGripper, 4},
    {pieceGlyphs, resScrollArrowGlyphs, 16},
    {pieceShaft, resScrollShaft, 4},
}};

// ---- skins ---------------------------------------------------------------------------

void SkinSet::Release() {
    for (auto& p : m_pieces) clsSkin::ReleasePiece(p);
}

void SkinSet::LoadDefault(int theme) {
    Release();
    for (const auto& info : kPieces) clsSkin::LoadStaticPiece(m_pieces[info.piece], info.resource, theme);
    m_minThumb = kBuiltInMinThumb;
}

void SkinSet::LoadCustom(int theme, const Asker& ask) {
    Release();
    for (const auto& info : kPieces) {
        SkinMapInfo& piece = m_pieces[info.piece];
        SkinMapInfo answer{};  // the host fills what it knows and leaves the rest at zero
        SkinSource source;
        if (ask) ask(info.resource, answer, source);
        bool loaded = false;
        if (!source.IsEmpty() && !answer.ImageName.empty()) {
            piece = answer;
            loaded = clsSkin::LoadCustomPiece(piece, source, info.frames);
            if (!loaded) piece = SkinMapInfo{};
        }
        if (!loaded) clsSkin::LoadStaticPiece(piece, info.resource, theme);
    }
    UpdateMinThumb();
}

void SkinSet::UpdateMinThumb() {
    // A custom thumb keeps its end caps and its gripper whole.
    const SkinMapInfo& thumb = m_pieces[pieceThumb];
    if (thumb.ImageName.empty()) {
        m_minThumb = kBuiltInMinThumb;
        return;
    }
    const int caps = thumb.MapMargin.Top + thumb.MapMargin.Bottom;
    const int gripper = m_pieces[pieceGripper].IMGHeight;
    m_minThumb = ToTwips(std::max(caps + gripper, caps + 2));
}

int SkinSet::ButtonHeight() const {
    const int h = m_pieces[pieceButtons].IMGHeight;
    return h > 0 ? h : 17;
}

// ---- drawing -------------------------------------------------------------------------

void Paint(gdi::HWND window, const SkinSet& skins, const Track& g, const Look& look) {
    tavSCls40::MemoryDC mem;
    if (!mem.Create(window, look.width, look.height, 0xFFFFFF)) return;
    const gdi::HDC dc = mem.hDC();
    tavGFX40::gfxDrawRect(dc, gdi::RECT{0, 0, look.width, look.height},
                          tavGFX40::SystemColor(tavGFX40::COLOR_SCROLLBAR));

    auto state = [&](PartState s) { return look.enabled ? s : stateDisabled; };
    auto drawIn = [&](Piece piece, int frame, const gdi::RECT& r) {
        if (r.Right <= r.Left || r.Bottom <= r.Top) return;
        clsSkin::DrawPiece(dc, skins[piece], frame, r.Left, r.Top, r.Right, r.Bottom);
    };
    auto glyph = [&](int frame, const gdi::RECT& r) {
        const SkinMapInfo& s = skins[pieceGlyphs];
        clsSkin::DrawPieceFrame(dc, s, frame, r.Left + (r.Right - r.Left - s.IMGWidth) / 2,
                                r.Top + (r.Bottom - r.Top - s.IMGHeight) / 2);
    };

    drawIn(pieceShaft, state(look.track), TrackRect(g, look.width));
    const gdi::RECT up = UpArrowRect(g, look.width), down = DownArrowRect(g, look.width);
    drawIn(pieceButtons, state(look.up), up);
    glyph(state(look.up), up);
    drawIn(pieceButtons, kDownFrameOffset + state(look.down), down);
    glyph(kDownFrameOffset + state(look.down), down);

    const gdi::RECT thumb = ThumbRect(g, look.width);
    const int thumbWidth = thumb.Right - thumb.Left, thumbHeight = thumb.Bottom - thumb.Top;
    drawIn(pieceThumb, state(look.thumb), thumb);
    const SkinMapInfo& grip = skins[pieceGripper];
    const SkinMapInfo& thumbSkin = skins[pieceThumb];
    const int room = thumbHeight - thumbSkin.MapMargin.Top - thumbSkin.MapMargin.Bottom;
    if (look.showGripper && grip.MemDC != 0 && room >= grip.IMGHeight) {
        clsSkin::DrawPieceFrame(dc, grip, state(look.thumb), thumb.Left + (thumbWidth - grip.IMGWidth) / 2,
                                thumb.Top + (thumbHeight - grip.IMGHeight) / 2);
    }

    const gdi::HDC target = gdi::GetDC(window);
    gdi::BitBlt(target, 0, 0, look.width, look.height, dc, 0, 0, gdi::SRCCOPY);
    gdi::ReleaseDC(window, target);
}

}  // namespace scroll_bar
