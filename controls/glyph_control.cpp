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

}  // namespace glyph_control
