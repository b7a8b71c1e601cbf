#include "dialog/form_arrangement.h"

#include "dialog/form_geometry.h"

#include <algorithm>

namespace dialog {

using namespace geometry;

namespace {

constexpr int kBottomMargin = 5;
constexpr int kMinExplanationHeight = 28;
constexpr int kCommandWidth = 100;
constexpr int kSetAllWidth = 130;
constexpr int kBottomCommandPitch = 86;

// The explanation is measured at the width it is given: 2 pixels in from each side of the footer.
int FooterHeight(const TextHeightForWidth& explanationHeight, int inner) {
    return std::max(kMinExplanationHeight, explanationHeight(inner - 4)) + 4 + kCommandHeight;
}

// Everything below the panel frame, for a window of the given inner width.
int BelowPanelFrame(int footerHeight) {
    return kGap + footerHeight + kGap + kGroupHeight + kGap + kBottomRowHeight + kBottomMargin;
}

FooterArrangement ArrangeFooter(int inner, int footerHeight) {
    const int commandsTop = footerHeight - kCommandHeight;
    return {{2, 0, inner - 4, commandsTop - 4},
            {0, commandsTop, kCommandWidth, kCommandHeight},
            {kCommandWidth + 6, commandsTop, kCommandWidth, kCommandHeight},
            {inner - kSetAllWidth, commandsTop, kSetAllWidth, kCommandHeight}};
}

}  // namespace

int MinimumFormWidth() { return kPanelContentWidth + kScrollWidth + 2 + 4 + 2 * kMargin; }

int MinimumFormHeight(const TextHeightForWidth& explanationHeight) {
    const int inner = MinimumFormWidth() - 2 * kMargin;
    return kTabCtrlTop + kMinTabCtrlHeight + BelowPanelFrame(FooterHeight(explanationHeight, inner));
}

FormArrangement ArrangeForm(int width, int height, const TextHeightForWidth& explanationHeight) {
    FormArrangement a;
    const int inner = width - 2 * kMargin;
    const int footerHeight = FooterHeight(explanationHeight, inner);
    const int room = height - kTabCtrlTop - BelowPanelFrame(footerHeight);
    const int wholePanels = kTabHeaderHeight + kTabTitleHeight + std::max(kSuitePanelHeight, kMicrosoftPanelHeight) + 2;
    const int tabHeight = std::clamp(room, kMinTabCtrlHeight, std::max(kMinTabCtrlHeight, wholePanels));
    const int logExtra = std::max(0, room - tabHeight);
    a.title = {78, 16, inner - 70, 40};
    a.tabFrame = {kMargin, kTabCtrlTop, inner, tabHeight};
    int y = kTabCtrlTop + tabHeight + kGap;
    a.footer = {kMargin, y, inner, footerHeight};
    a.inFooter = ArrangeFooter(inner, footerHeight);
    y += footerHeight + kGap;
    a.group = {kMargin, y, inner, kGroupHeight + logExtra};
    a.folderLabel = {12, 12, 96, 24};
    a.folderBox = {108, 12, inner - 108 - 58, 24};
    a.browse = {inner - 52, 12, 40, 24};
    a.log = {12, 42, inner - 24, a.group.height - 54};
    y += a.group.height + kGap;
    a.status = {kMargin, y + 2, inner - 3 * kBottomCommandPitch - 8, 22};
    for (int i = 0; i < 3; ++i)
        a.bottomCommands[static_cast<std::size_t>(i)] = {width - kMargin - (3 - i) * kBottomCommandPitch + 6, y, 80,
                                                         kBottomRowHeight};
    return a;
}

int CheckBoxWidth(int captionWidth) {
    constexpr int kGlyphAndGap = 13 + 6, kFocusRoom = 6;
    return kGlyphAndGap + captionWidth + kFocusRoom;
}

std::array<int, 2> SuiteColumnXs() { return {kPanelPadding, kPanelPadding + kColumnPitch}; }
int MicrosoftColumnX() { return kPanelPadding; }

std::array<Box, 2> ArrangeColumnHeadings(int columnX) {
    return {Box{columnX + kOption40X - 2, 4, 24, kPanelHeaderHeight},
            Box{columnX + kOption4LX - 4, 4, 28, kPanelHeaderHeight}};
}

OptionRowArrangement ArrangeSuiteRow(int optionRow, int captionWidth) {
    const int x = SuiteColumnXs()[static_cast<std::size_t>(optionRow / kSuiteRowsPerColumn)];
    const int y = 4 + kPanelHeaderHeight + (optionRow % kSuiteRowsPerColumn) * kSuiteRowPitch;
    return {{x, y, CheckBoxWidth(captionWidth), kSuiteRowPitch},
            {x + kOption40X, y, kOptionWidth, kSuiteRowPitch},
            {x + kOption4LX, y, kOptionWidth, kSuiteRowPitch}};
}

OptionRowArrangement ArrangeMicrosoftRow(int option, int captionWidth) {
    const int x = MicrosoftColumnX(), y = 4 + kPanelHeaderHeight + option * kMicrosoftRowPitch;
    return {{x, y, CheckBoxWidth(captionWidth), kMicrosoftRowPitch},
            {x + kOption40X, y, kOptionWidth, kMicrosoftRowPitch},
            {x + kOption4LX, y, kOptionWidth, kMicrosoftRowPitch}};
}

WindowPlacement PlaceFormWindow(const Box& available, int frameWidth, int frameHeight, int minClientWidth,
                                int minClientHeight) {
    WindowPlacement p;
    p.clientWidth = std::max(minClientWidth, std::min(kDesignWidth, available.width - frameWidth));
    p.clientHeight = std::max(minClientHeight, std::min(kDesignHeight, available.height - frameHeight));
    p.x = available.x + std::max(0, (available.width - p.clientWidth - frameWidth) / 2);
    p.y = available.y + std::max(0, (available.height - p.clientHeight - frameHeight) / 2);
    return p;
}

PanelFrameArrangement ArrangePanelFrame(const Box& tabFrame) {
    PanelFrameArrangement a;
    const int w = tabFrame.width, h = tabFrame.height;
    a.tabHeader = {0, 0, w, kTabHeaderHeight};
    a.body = {2, kTabHeaderHeight, w - 4, h - kTabHeaderHeight - 2};
    a.panelTitle = {0, 0, a.body.width, kTabTitleHeight};
    a.scrollBar = {w - 2 - kScrollWidth, kTabHeaderHeight + kTabTitleHeight, kScrollWidth,
                   std::max(0, a.body.height - kTabTitleHeight)};
    a.panelWidth = std::max(kPanelContentWidth, a.body.width - kScrollWidth - 2);
    return a;
}

}  // namespace dialog
