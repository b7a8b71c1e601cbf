// The list box's row arithmetic, without widgets.
#include "controls/list_rows.h"

#include <gtest/gtest.h>

namespace list_rows {
namespace {

// Rows of 15 pixels in an area at (1, 1), 180 x 100: 6 whole rows and a part.
Page page(long top, long count) { return Page{gdi::RECT{1, 1, 181, 101}, 15, top, ItemsVisible(100, 15), count, {}}; }

TEST(Page, ItemRectsOnlyForItemsOnThePage) {
    const Page p = page(10, 40);
    EXPECT_EQ(p.itemsVisible, 6);
    EXPECT_EQ(p.itemRect(10), (gdi::RECT{1, 1, 181, 16}));
    EXPECT_EQ(p.itemRect(15), (gdi::RECT{1, 76, 181, 91}));
    EXPECT_EQ(p.itemRect(9), gdi::RECT{});
    EXPECT_EQ(p.itemRect(16), gdi::RECT{});
    EXPECT_EQ(page(0, 3).itemRect(3), gdi::RECT{});  // past the last item
    Page moved = p;
    moved.itemOffset = gdi::POINT{2, 3};
    EXPECT_EQ(moved.itemRect(10), (gdi::RECT{3, 4, 183, 19}));
}

TEST(Page, ItemAtAPoint) {
    const struct {
        gdi::POINT point;
        long top, count, expected;
    } cases[] = {
        {{5, 1}, 0, 40, 0},     {{5, 15}, 0, 40, 0},    {{5, 16}, 0, 40, 1},
        {{5, 90}, 10, 40, 15},  {{5, 91}, 10, 40, -1},   // below the last visible row: the part row shows no item
        {{5, 100}, 10, 40, -1}, {{5, 101}, 10, 40, -1},  // the area's last row, then outside it
        {{5, 46}, 0, 3, -1},                             // below the last item of a short list
        {{5, 45}, 0, 3, 2},     {{0, 5}, 0, 40, -1},    {{181, 5}, 0, 40, -1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(page(c.top, c.count).itemAt(c.point), c.expected) << c.point.x << "," << c.point.y;
}

TEST(Page, VisibleRowsAndScrollingIntoView) {
    EXPECT_EQ(ItemsVisible(100, 15), 6);
    EXPECT_EQ(ItemsVisible(14, 15), 0);
    EXPECT_EQ(ItemsVisible(100, 0), 0);
    EXPECT_EQ(TopShowing(10, 12, 6), 10);  // on the page
    EXPECT_EQ(TopShowing(10, 3, 6), 3);    // above: becomes the first
    EXPECT_EQ(TopShowing(10, 16, 6), 11);  // below: becomes the last
    EXPECT_EQ(TopShowing(10, 15, 6), 10);
}

TEST(Keyboard, MovesWithinTheList) {
    // 20 items, 6 a page.
    const struct {
        int key;
        long index, expected;
    } cases[] = {
        {vbKeyPageUp, 10, 4},    {vbKeyPageUp, 3, 0}, {vbKeyPageDown, 10, 16},
        {vbKeyPageDown, 17, 19}, {vbKeyEnd, 4, 19},   {vbKeyHome, 4, 0},
        {vbKeyUp, 4, 3},         {vbKeyUp, 0, 0},     {vbKeyDown, 4, 5},
        {vbKeyDown, 19, 19},     {65, 4, 4},
    };
    for (const auto& c : cases) EXPECT_EQ(KeyTarget(c.key, c.index, 20, 6), c.expected) << c.key << " at " << c.index;
}

TEST(Wheel, NotchesTimesLinesHeldWithinTheScrollRange) {
    const struct {
        long top;
        int delta, lines;
        long expected;
    } cases[] = {
        {10, -120, 3, 13}, {10, 120, 3, 7}, {10, -240, 3, 16}, {10, -120, 0, 11},  // 0 lines count as one
        {10, -40, 3, 11},  {10, 40, 3, 9},  {18, -120, 3, 20}, {1, 120, 3, 0},    {10, 0, 3, 10},
    };
    for (const auto& c : cases) EXPECT_EQ(WheelTop(c.top, c.delta, c.lines, 20), c.expected) << c.delta;
}

TEST(DragAutoScroll, FasterTheFurtherOutsideTheList) {
    for (const auto& [y, interval] : {std::pair{-1, 480}, {-10, 300}, {-100, 40}, {101, 500}, {111, 300}, {400, 40}})
        EXPECT_EQ(DragStepInterval(y, 100), interval) << y;
}

TEST(SelectionBox, OutlineStaysClearOfTheInkWhereItFits) {
    const struct {
        const char* what;
        int rowHeight;
        LineMetrics line;
        gdi::RECT box;
        int inkTop, inkBottom;  // rows the ink covers after the shift
    } cases[] = {
        // A 15-pixel line (ascent 12, descent 3) whose ink covers 13 rows: the outline
        // moves onto the row's edges and the ink fills what lies between.
        {"tight row", 15, {12, 3, 10, 3}, gdi::RECT{1, 0, 99, 15}, 1, 13},
        // A taller row leaves room for the outline's usual inset.
        {"tall row", 21, {12, 3, 10, 3}, gdi::RECT{1, 1, 99, 20}, 4, 16},
        // Ink taller than the row: the outline on the edges, the ink centred.
        {"ink taller than the row", 12, {10, 3, 10, 4}, gdi::RECT{1, 0, 99, 12}, -1, 12},
    };
    for (const auto& c : cases) {
        const gdi::RECT row{0, 0, 100, c.rowHeight};
        const RowDrawing d = DrawRow(row, c.line, 1, 1);
        EXPECT_EQ(d.box, c.box) << c.what;
        const int baseline = (c.rowHeight - c.line.ascent - c.line.descent) / 2 + c.line.ascent + d.textShift;
        EXPECT_EQ(baseline - c.line.inkAbove, c.inkTop) << c.what;
        EXPECT_EQ(baseline + c.line.inkBelow - 1, c.inkBottom) << c.what;
    }
}

}  // namespace
}  // namespace list_rows
