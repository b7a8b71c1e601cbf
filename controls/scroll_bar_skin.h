// scroll_bar_skin: how both skinned vertical scroll bars (the list box's
// LBVScroll and the stand-alone VSC) look: their five skin strips and the
// drawing of arrows, track and thumb.  Where the parts lie is scroll_range.h.
#pragma once

#include "controls/clsSkin.h"
#include "controls/scroll_range.h"
#include "controls/suite/gdi.h"

#include <array>
#include <functional>

namespace scroll_bar {

// The minimum thumb length that comes with the built-in pieces.
constexpr double kBuiltInMinThumb = 240.0;

// The five skin strips, in the order they are loaded and asked for.
enum Piece : int { pieceButtons = 0, pieceThumb, pieceGripper, pieceGlyphs, pieceShaft, kPieceCount };

struct PieceInfo {
    Piece piece;
    int resource;
    int frames;  // a custom strip is cut into this many frames
};
extern const std::array<PieceInfo, kPieceCount> kPieces;

// Frame of a part per state; the button and glyph strips hold four states per
// direction (up 0-3, down 4-7).
enum PartState : int { stateNormal = 0, stateHover = 1, statePressed = 2, stateDisabled = 3 };
constexpr int kDownFrameOffset = 4;

// The five skin pieces of one bar.
class SkinSet {
  public:
    // Asked for each piece by ApplyCustom: fill the record and the source,
    // or leave either empty to keep the built-in piece.
    using Asker = std::function<void(long resource, SkinMapInfo& skin, SkinSource& source)>;

    SkinSet() = default;
    ~SkinSet() { Release(); }
    SkinSet(const SkinSet&) = delete;
    SkinSet& operator=(const SkinSet&) = delete;

    // Releases everything and loads the built-in pieces in `theme`.
    void LoadDefault(int theme);
    // Releases everything and asks for each piece; unanswered pieces (and
    // custom ones that cannot be loaded) get their built-in strip.
    void LoadCustom(int theme, const Asker& ask);
    void Release();

    const SkinMapInfo& operator[](Piece p) const { return m_pieces[static_cast<std::size_t>(p)]; }
    bool IsCustom(Piece p) const { return !m_pieces[static_cast<std::size_t>(p)].ImageName.empty(); }
    // The minimum thumb length these pieces need, in twips.
    double MinThumb() const { return m_minThumb; }
    // Height of one arrow button frame, in pixels.
    int ButtonHeight() const;

  private:
    void UpdateMinThumb();
    std::array<SkinMapInfo, kPieceCount> m_pieces{};
    double m_minThumb = kBuiltInMinThumb;
};

// What a bar looks like at one moment; Draw reads it and nothing else.
struct Look {
    int width = 0;
    int height = 0;
    bool enabled = true;
    bool showGripper = true;
    PartState up = stateNormal;
    PartState down = stateNormal;
    PartState thumb = stateNormal;
    PartState track = stateNormal;
};

// Composes the bar on a MemoryDC and copies it to `window` in one transfer.
void Paint(gdi::HWND window, const SkinSet& skins, const scroll_range::Track& t, const Look& look);

}  // namespace scroll_bar
