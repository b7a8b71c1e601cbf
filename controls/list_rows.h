// list_rows: the list box's (LB) row arithmetic, free of widgets: which item
// a row shows, where a row lies, which item a point falls on, how the page
// moves for the keyboard, the wheel and the drag auto-scroll, and where the
// selection box and the row text go.
#pragma once

#include "controls/suite/gdi.h"

namespace list_rows {

// The rows on the page.
struct Page {
    gdi::RECT area;      // the rows' area: inside the border, left of the scroll bar
    int itemHeight = 1;  // pixels per row
    long top = 0;        // first visible item (the scroll bar's Value)
    long itemsVisible = 0;
    long count = 0;         // items in the list
    gdi::POINT itemOffset;  // moves every row (ApplyItemOffset's ItemLeftOffset, ItemTopOffset)

    // The row that shows item `index`; empty when it is not on the page.
    gdi::RECT itemRect(long index) const;
    // The item shown at `point`, or -1 (outside the rows, or below the last shown item).
    long itemAt(gdi::POINT point) const;
    // One past the last item shown.
    long end() const;
};

// Whole rows that fit into `innerHeight`.
long ItemsVisible(int innerHeight, int itemHeight);

// The first visible item that brings `index` into view: unchanged when it
// is on the page, `index` when above it, else the page ending at `index`.
long TopShowing(long top, long index, long itemsVisible);

// Key codes of the list's keyboard moves.
enum KeyCode : int {
    vbKeyPageUp = 33,
    vbKeyPageDown = 34,
    vbKeyEnd = 35,
    vbKeyHome = 36,
    vbKeyUp = 38,
    vbKeyDown = 40
};
// The selection a key moves `index` to in a list of `count` items, `page` rows
// a page; `index` itself when the key moves nothing.
long KeyTarget(int keyCode, long index, long count, long page);

// The first visible item after a wheel turn of `delta` (120 a notch; below
// zero towards the user, which moves the list on), `linesPerNotch` items a
// notch, at least one item in the turn's direction, held within 0..maxTop.
long WheelTop(long top, int delta, int linesPerNotch, long maxTop);

// Milliseconds between two drag auto-scroll steps with the pointer at row
// `y` of a list `innerHeight` high (only meaningful outside the list).
int DragStepInterval(int y, int innerHeight);

// Where the selected row's outline and every row's text go.
struct RowDrawing {
    gdi::RECT box;  // the selection outline's outer edge
    int textShift;  // pixels to move the text down (negative: up)
};
// The font's line: its ascent and descent, and how far its ink reaches above
// (inkAbove) and below (inkBelow) the baseline.
struct LineMetrics {
    int ascent = 0;
    int descent = 0;
    int inkAbove = 0;
    int inkBelow = 0;
};
// The outline sits `boxOffset` pixels inside the row at the sides; at the top
// and bottom it moves outwards, up to the row's edge, where the text's ink
// would cross it.  The text is centred in the row, then moved by whole pixels
// so that its ink stays between the outline's horizontal edges when it fits.
RowDrawing DrawRow(const gdi::RECT& row, const LineMetrics& line, int boxOffset, int boxBorderWidth);

}  // namespace list_rows
