// button_layout: where the command button (BTN) puts its picture and
// caption, and which skin frame it shows, free of widgets.  Rectangles are
// gdi's (right and bottom edges exclusive).
#pragma once

#include "controls/suite/gdi.h"

#include <optional>

namespace button_layout {

// Insets of the drawing area from the button's edges.
struct Insets {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

// The standard inset of the drawing area and the gap between picture and caption.
constexpr int kInset = 4;
constexpr int kGap = 4;

enum PicturePosition : int { picAbove = 0, picLeft = 1, picRight = 2, picBelow = 3 };

// How picture and caption share the area: as one block centred in it, or
// the picture kept to its edge and the caption centred in the rest.
enum class Arrangement { Block, PictureAtEdge };

// The drawing area of a `button`-sized button: (4, 4, W - 4 - dropWidth,
// H - 4), or the custom layout's `drawingSpace` insets; a left or top edge
// beyond its far edge is moved back onto it.
gdi::RECT DrawingArea(gdi::SIZE button, int dropWidth, const std::optional<Insets>& drawingSpace);

struct Layout {
    gdi::RECT picture;  // empty: no picture drawn
    gdi::RECT caption;
};

// Places a picture of `picture` size and a caption measuring `text` in
// `area`.  No picture: the caption takes the area.  A picture without
// caption is centred.  Both: placed per `position` (other values place
// nothing) and `arrangement`, kGap apart.
Layout layoutButton(const gdi::RECT& area, gdi::SIZE text, bool hasCaption, gdi::SIZE picture, int position,
                    Arrangement arrangement);

// The extent picture and caption need together (for a custom layout's auto size).
gdi::SIZE ContentExtent(gdi::SIZE text, gdi::SIZE picture, int position);

// A rectangle from its corner and size, its size, and whether it holds no pixel.
constexpr gdi::RECT Box(int x, int y, int width, int height) { return {x, y, x + width, y + height}; }
constexpr int Width(const gdi::RECT& r) { return r.Right - r.Left; }
constexpr int Height(const gdi::RECT& r) { return r.Bottom - r.Top; }
constexpr bool IsEmpty(const gdi::RECT& r) { return r.Right <= r.Left || r.Bottom <= r.Top; }
constexpr bool IsEmpty(gdi::SIZE s) { return s.cx <= 0 || s.cy <= 0; }

// ---- frames ---------------------------------------------------------------------------------

enum ButtonStyle : int { styleClassic = 0, styleXP = 1, styleFlat = 2 };

// What the frame rules look at.
struct State {
    bool enabled = true;
    bool pressed = false;
    bool dropPressed = false;
    bool mouseOver = false;
    bool spaceDown = false;
    bool grouped = false;
    bool togglePressed = false;
    bool focused = false;
    bool isDefault = false;
};

// Frame of the body strip.
int BodyFrame(int style, const State& s);
// Frame of the drop part and of its arrow (styles 0 and 2).
int DropFrame(const State& s);

}  // namespace button_layout
