// The form's fixed measures, in pixels (the design client area is 11220 x 11670 twips).
#pragma once

#include "engine/catalogue.h"

namespace dialog::geometry {

constexpr int kTwipsPerPixel = 15;
constexpr int kDesignWidth = 11220 / kTwipsPerPixel;   // 748
constexpr int kDesignHeight = 11670 / kTwipsPerPixel;  // 778
constexpr int kTabWidth = 155;                         // the two tabs span 0-155 and 155-311
constexpr int kMargin = 10;
constexpr int kTabCtrlTop = 72;
constexpr int kTabHeaderHeight = 26;
constexpr int kTabTitleHeight = 30;  // also the panels' resting top
constexpr int kScrollWidth = 17;
constexpr int kMinTabCtrlHeight = 150;

// Option rows: two columns of suite rows, one column of Microsoft rows.
constexpr int kPanelHeaderHeight = 20;
constexpr int kPanelPadding = 8;
constexpr int kColumnPitch = 340;
constexpr int kSuiteRowPitch = 17;
constexpr int kSuiteRowsPerColumn = (tavkonv40::kFamilyCount + 1) / 2;
constexpr int kMicrosoftRowPitch = 24;
constexpr int kOption40X = 222;
constexpr int kOption4LX = 262;
constexpr int kOptionWidth = 16;
constexpr int kSuitePanelHeight = 4 + kPanelHeaderHeight + kSuiteRowsPerColumn * kSuiteRowPitch + 4;
constexpr int kMicrosoftPanelHeight =
    4 + kPanelHeaderHeight + tavkonv40::kMicrosoftOptionCount * kMicrosoftRowPitch + 4;
// The suite panel's right column ends with its 40L buttons.
constexpr int kPanelContentWidth = kPanelPadding + kColumnPitch + kOption4LX + kOptionWidth + kPanelPadding;

// Below the panel frame: explanatory text and option commands, the folder group, the status line.
constexpr int kCommandHeight = 26;
constexpr int kGroupHeight = 152;
constexpr int kBottomRowHeight = 26;
constexpr int kGap = 6;

}  // namespace dialog::geometry
