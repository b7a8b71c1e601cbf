// glyph_control: what the two glyph controls, the check box (CHKBOX) and the
// option button (Opt), draw alike: the glyph frame table, glyph skin loading
// and the focus rectangle around the caption.
#pragma once

#include "controls/clsSkin.h"

#include <array>

namespace glyph_control {

// ---- glyph -------------------------------------------------------------------
// Both glyph strips hold 13 x 13 frames, frame k at row 13 * k.
constexpr int kGlyphSize = 13;
// Space between the glyph and the caption.
constexpr int kCaptionGap = 4;

// The look of the glyph apart from its value.  Listed in the order the
// states are tested: the first that applies wins.
enum class GlyphState { Disabled, SpaceDown, Normal, Hover, Pressed };

struct GlyphFrames {
    GlyphState state;
    int valueFalse;
    int valueTrue;
};
inline constexpr std::array<GlyphFrames, 5> kGlyphFrames = {{
    {GlyphState::Disabled, 3, 7},
    {GlyphState::SpaceDown, 2, 6},
    {GlyphState::Normal, 0, 4},   // mouse not over
    {GlyphState::Hover, 1, 5},    // mouse over, not pressed
    {GlyphState::Pressed, 2, 6},  // mouse over and pressed
}};

struct GlyphInput {
    bool enabled = true;
    bool spaceDown = false;
    bool mouseOver = false;
    bool pressed = false;
};
GlyphState GlyphStateOf(const GlyphInput& in);
int GlyphFrame(GlyphState state, bool value);

// Loads built-in strip `resource` (theme 0) into `piece`, releasing what it held.
void LoadBuiltInGlyph(SkinMapInfo& piece, int resource);
// Raises the host's skin request through `query` and loads the named image;
// falls back to the built-in strip when no DC results.
template <typename Query>
void LoadCustomGlyph(SkinMapInfo& piece, int resource, Query&& query) {
    clsSkin::ReleasePiece(piece);
    SkinSource source;
    query(resource, piece, source);
    if (!piece.ImageName.empty() && clsSkin::LoadCustomPiece(piece, source, 0)) {
        piece.IMGHeight = kGlyphSize;  // the strip is cut into 13-row frames
        return;
    }
    piece.ImageName.clear();
    LoadBuiltInGlyph(piece, resource);
}

}  // namespace glyph_control
