// Where the form's parts go for a window size, and the option panel's
// scrolling: the scroll bar is needed exactly when the shown panel is taller
// than the space below the panel title, and its range, page and thumb come
// from those two heights.
#pragma once

#include "dialog/form_arrangement.h"
#include "dialog/form_view.h"
#include "dialog/panel_scroll.h"

namespace dialog {

// A box of the shared arrangement as the widgets take it.
inline QRect ToQRect(const Box& b) { return {b.x, b.y, b.width, b.height}; }

// The smallest window that shows every part whole (the panel then scrolls).
QSize MinimumFormSize(const FormView& f);

// Sizes the window and centres it on the screen under the cursor (see PlaceFormWindow).
void PlaceWindow(FormView& f);

// Places everything for the window's size (the explanatory texts re-wrap to its width).
void LayoutForm(FormView& f);
// Places the tab strip, title, panels and scroll bar inside the panel frame.
void LayoutPanelFrame(FormView& f, Panel shown);
// Sets the scroll bar from the shown panel's height and the space for it, then moves the panel.
PanelScroll LayoutPanels(FormView& f, Panel shown);
// Moves the shown panel to the scroll bar's position.
void ScrollPanel(FormView& f, Panel shown);
// Both panels back at the top (a tab was pressed).
void ResetPanels(FormView& f);
// The height the shown panel has below the panel title.
int PanelSpace(const FormView& f);

}  // namespace dialog
