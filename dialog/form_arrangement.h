// Where every part of the form goes for a window size: pure arithmetic, the same for every
// window system.  Each box is in its parent's coordinates, as the parts nest: the window holds
// the title, the panel frame, the footers, the folder group, the status line and the bottom
// commands; a footer holds its explanation and its three option commands; the folder group holds
// the folder label, box, "..." and the log; the panel frame holds the tab header, the panel body
// and the scroll bar; the panel body holds the panel title and the panels.
#pragma once

#include <array>
#include <functional>

namespace dialog {

struct Box {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    int right() const { return x + width; }    // exclusive
    int bottom() const { return y + height; }  // exclusive
    friend bool operator==(const Box&, const Box&) = default;
};

// The height the explanatory text needs when wrapped to a width (the host measures its font).
using TextHeightForWidth = std::function<int(int width)>;

struct FooterArrangement {
    Box explanation;
    Box selectAll, clearAll, setAll;
};

struct FormArrangement {
    Box title;     // the heading beside the logo
    Box tabFrame;  // the panel frame (tabs, panels, scroll bar)
    Box footer;    // one per panel, both at the same place
    FooterArrangement inFooter;
    Box group;  // the folder and the log
    Box folderLabel, folderBox, browse, log;
    Box status;
    std::array<Box, 3> bottomCommands;  // Start, Close/Cancel, Help
};

struct PanelFrameArrangement {
    Box tabHeader;
    Box body;
    Box panelTitle;  // in the body
    Box scrollBar;
    int panelWidth = 0;  // both panels, at least their content's width
};

// One option row in its panel: the check box (as wide as its glyph, caption and focus room, see
// CheckBoxWidth) and the row's 4.0 and 4.0L buttons.
struct OptionRowArrangement {
    Box check;
    Box to40, to4L;
};
OptionRowArrangement ArrangeSuiteRow(int optionRow, int captionWidth);
OptionRowArrangement ArrangeMicrosoftRow(int option, int captionWidth);
// The "40" and "40L" headings over the column whose rows start at `columnX`.
std::array<Box, 2> ArrangeColumnHeadings(int columnX);
// The left edge of each column of the suite panel (one column on the Microsoft panel).
std::array<int, 2> SuiteColumnXs();
int MicrosoftColumnX();
// A check box paints its own face, so it should not reach into the row beyond its text.
int CheckBoxWidth(int captionWidth);

// The smallest window that shows every part whole (the option panel then scrolls).
int MinimumFormWidth();
int MinimumFormHeight(const TextHeightForWidth& explanationHeight);

// The panel frame grows until it shows every row of the taller panel; the folder group (its log)
// takes the height beyond that.
FormArrangement ArrangeForm(int width, int height, const TextHeightForWidth& explanationHeight);

// Where the form's window opens on a screen whose free area is `available`: at the design size
// when it fits, else at the largest size that fits but never below the minimum, centred; a
// window larger than the area keeps its top left corner (and so its title bar) on the screen.
// `frameWidth` and `frameHeight` are what the window system's frame adds to the client area.
struct WindowPlacement {
    int x = 0, y = 0;  // the frame's top left corner
    int clientWidth = 0, clientHeight = 0;
    friend bool operator==(const WindowPlacement&, const WindowPlacement&) = default;
};
WindowPlacement PlaceFormWindow(const Box& available, int frameWidth, int frameHeight, int minClientWidth,
                                int minClientHeight);
PanelFrameArrangement ArrangePanelFrame(const Box& tabFrame);

}  // namespace dialog
