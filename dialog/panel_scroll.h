// How the option panel's scroll bar follows the panel and the space it has:
// plain arithmetic on pixel heights, kept apart from the widgets.
#pragma once

#include "dialog/dialog_model.h"

namespace dialog {

// The shown panel's height, the step of one of its rows, and its top in the panel body at the
// scroll position `value` (just below the panel title at 0).
int PanelHeight(Panel shown);
int PanelRowPitch(Panel shown);
int PanelTop(long value);

struct PanelScroll {
    bool enabled = false;  // the panel is taller than its space
    long max = 0;          // the hidden part of the panel, in pixels
    long page = 1;         // a press on the track: one space's worth, never more than max
    long visible = 0;      // the thumb's share of the track is visible / (visible + max)
    long value = 0;        // the scroll position kept, within 0..max (0 when not enabled)
};

// `content`: the panel's height; `available`: the height shown; `value`: the current position.
PanelScroll ScrollFor(int content, int available, long value);

// The position after a mouse wheel turn of `angleDelta` (120 per notch, positive away from the
// user), three rows of `rowPitch` pixels per notch, kept within the scroll range.
long WheelScroll(const PanelScroll& scroll, int angleDelta, int rowPitch);

// The position that shows the panel's pixel rows top..bottom (exclusive) in a space of
// `available` pixels, moving as little as it can (a part taller than the space shows its top),
// kept within the scroll range: the keyboard's focus never goes out of sight.
long ScrollToShow(const PanelScroll& scroll, int top, int bottom, int available);

}  // namespace dialog
