// The form's arrangement at sizes from the smallest upwards, with explanatory text that wraps to
// more lines as the window narrows: every part inside its parent, nothing overlapping, the
// explanation given the height it needs.
#include "dialog/form_arrangement.h"
#include "dialog/form_geometry.h"

#include <gtest/gtest.h>

#include <vector>

namespace dialog {
namespace {

// About 1,400 pixels of text in lines of 16 pixels.
int WrappedText(int width) { return 16 * ((1400 + width - 1) / std::max(1, width)); }

bool Inside(const Box& part, int width, int height) {
    return part.x >= 0 && part.y >= 0 && part.right() <= width && part.bottom() <= height && part.width > 0 &&
           part.height > 0;
}
bool Inside(const Box& part, const Box& parent) { return Inside(part, parent.width, parent.height); }
bool Apart(const Box& a, const Box& b) {
    return a.right() <= b.x || b.right() <= a.x || a.bottom() <= b.y || b.bottom() <= a.y;
}

TEST(FormArrangementTest, EveryPartWholeAndApartAtEverySize) {
    const int minWidth = MinimumFormWidth(), minHeight = MinimumFormHeight(WrappedText);
    for (int width : {minWidth, geometry::kDesignWidth, 1200})
        for (int height : {minHeight, 680, geometry::kDesignHeight, 1000}) {
            SCOPED_TRACE(testing::Message() << width << " x " << height);
            const FormArrangement a = ArrangeForm(width, height, WrappedText);
            for (const Box& part : {a.title, a.tabFrame, a.footer, a.group, a.status})
                EXPECT_TRUE(Inside(part, width, std::max(height, minHeight)));
            // Top to bottom: panel frame, footer, folder group, bottom row.
            EXPECT_LE(a.tabFrame.bottom(), a.footer.y);
            EXPECT_LE(a.footer.bottom(), a.group.y);
            EXPECT_LE(a.group.bottom(), a.status.y);
            EXPECT_GE(a.tabFrame.height, geometry::kMinTabCtrlHeight);
            EXPECT_GE(a.inFooter.explanation.height, WrappedText(a.inFooter.explanation.width));
            for (const Box& part :
                 {a.inFooter.explanation, a.inFooter.selectAll, a.inFooter.clearAll, a.inFooter.setAll})
                EXPECT_TRUE(Inside(part, a.footer));
            EXPECT_TRUE(Apart(a.inFooter.clearAll, a.inFooter.setAll));
            for (const Box& part : {a.folderLabel, a.folderBox, a.browse, a.log}) EXPECT_TRUE(Inside(part, a.group));
            EXPECT_TRUE(Apart(a.folderBox, a.browse));
            for (const Box& command : a.bottomCommands) {
                EXPECT_TRUE(Inside(command, width, std::max(height, minHeight)));
                EXPECT_TRUE(Apart(command, a.status));
            }
            const PanelFrameArrangement frame = ArrangePanelFrame(a.tabFrame);
            for (const Box& part : {frame.tabHeader, frame.body, frame.scrollBar})
                EXPECT_TRUE(Inside(part, a.tabFrame));
            EXPECT_GE(frame.panelWidth, geometry::kPanelContentWidth);
        }
}

// Beyond the height that shows every row, the log takes the extra; below it the panel gives.
TEST(FormArrangementTest, TheLogTakesTheHeightThePanelsDoNotNeed) {
    auto wholePanelsShown = [](const FormArrangement& a) {
        const PanelFrameArrangement frame = ArrangePanelFrame(a.tabFrame);
        return frame.body.height - frame.panelTitle.height >= geometry::kSuitePanelHeight;
    };
    const FormArrangement design = ArrangeForm(geometry::kDesignWidth, geometry::kDesignHeight, WrappedText);
    const FormArrangement tall = ArrangeForm(geometry::kDesignWidth, geometry::kDesignHeight + 300, WrappedText);
    const FormArrangement low = ArrangeForm(geometry::kDesignWidth, geometry::kDesignHeight - 100, WrappedText);
    EXPECT_TRUE(wholePanelsShown(design));
    EXPECT_EQ(tall.tabFrame, design.tabFrame);
    EXPECT_EQ(tall.log.height, design.log.height + 300);
    EXPECT_FALSE(wholePanelsShown(low));
    EXPECT_EQ(low.log.height, geometry::kGroupHeight - 54);
}

// The window opens at the design size where it fits, else as large as fits but never below the
// minimum, centred in the free area, its title bar never above or left of it.
TEST(FormArrangementTest, TheWindowOpensAsLargeAsTheScreenAllows) {
    const int frameW = 8, frameH = 30, minW = MinimumFormWidth(), minH = 500;
    using P = WindowPlacement;
    const int dw = geometry::kDesignWidth, dh = geometry::kDesignHeight;
    EXPECT_EQ(PlaceFormWindow({0, 0, 1920, 1040}, frameW, frameH, minW, minH),
              (P{(1920 - dw - frameW) / 2, (1040 - dh - frameH) / 2, dw, dh}));
    // 1366 x 768 less a 40-pixel task bar at the top.
    EXPECT_EQ(PlaceFormWindow({0, 40, 1366, 728}, frameW, frameH, minW, minH),
              (P{(1366 - dw - frameW) / 2, 40, dw, 728 - frameH}));
    // A smaller second screen to the right; a screen smaller than the minimum.
    EXPECT_EQ(PlaceFormWindow({1920, 0, 800, 600}, 0, 0, minW, minH), (P{1920 + (800 - dw) / 2, 0, dw, 600}));
    EXPECT_EQ(PlaceFormWindow({0, 0, 640, 480}, frameW, frameH, minW, minH), (P{0, 0, minW, minH}));
}

// Each row's three controls lie inside its panel, left to right, and no two rows meet.
TEST(FormArrangementTest, OptionRowsFillTheirPanelsWithoutMeeting) {
    auto check = [](int rows, int panelHeight, auto arrange) {
        std::vector<Box> placed;
        for (int row = 0; row < rows; ++row) {
            const OptionRowArrangement r = arrange(row, 120);
            for (const Box& part : {r.check, r.to40, r.to4L}) {
                EXPECT_TRUE(Inside(part, geometry::kPanelContentWidth, panelHeight)) << "row " << row;
                for (const Box& other : placed) EXPECT_TRUE(Apart(part, other)) << "row " << row;
            }
            EXPECT_LE(r.check.right(), r.to40.x);
            EXPECT_LE(r.to40.right(), r.to4L.x);
            placed.insert(placed.end(), {r.check, r.to40, r.to4L});
        }
    };
    check(tavkonv40::kFamilyCount, geometry::kSuitePanelHeight, ArrangeSuiteRow);
    check(tavkonv40::kMicrosoftOptionCount, geometry::kMicrosoftPanelHeight, ArrangeMicrosoftRow);
}

}  // namespace
}  // namespace dialog
