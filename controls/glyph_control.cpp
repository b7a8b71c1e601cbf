#include "controls/glyph_control.h"

namespace glyph_control {

GlyphState GlyphStateOf(const GlyphInput& in) {
    if (!in.enabled) return GlyphState::Disabled;
    if (in.spaceDown) return GlyphState::SpaceDown;
    if (!in.mouseOver) return GlyphState::Normal;
    return in.pressed ? GlyphState::Pressed : GlyphState::Hover;
}

int GlyphFrame(GlyphState state, bool value) {
    for (const auto& row : kGlyphFrames)
        if (row.state == state) return value ? row.valueTrue : row.valueFalse;
    return 0;
}

void LoadBuiltInGlyph(SkinMapInfo& piece, int resource) {
    clsSkin::ReleasePiece(piece);
    clsSkin::LoadStaticPiece(piece, resource, 0);
}

void DrawFocusRect(gdi::HDC dc, const gdi::RECT& r) {
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

}  // namespace glyph_control
