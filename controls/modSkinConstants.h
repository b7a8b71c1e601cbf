// Resource numbers of the built-in skin strips and other constants the
// skinned controls share.  The geometry of each strip (frame size, frame
// count, margins) lives with the artwork: tavResSrv40::FindStaticResource.
#pragma once

#include "controls/suite/tavResSrv40.h"

namespace modSkinConstants {

enum ResourceNumber : int {
    // command button
    resButtonStyle1 = 1100,
    resButtonStyle2 = 1496,
    resButtonStyle0 = 1499,
    resDropArrowStyle2 = 1511,
    resDropArrowStyle0 = 1514,
    resDropPartStyle2 = 1517,
    resDropPartStyle0 = 1520,
    resSplitBodyStyle2 = 1523,
    resSplitBodyStyle0 = 1526,
    // check box, option button
    resCheckBox = 1001,
    resOptionButton = 1006,
    // scroll bars
    resScrollArrowGlyphs = 1364,
    resScrollButtons = 1367,
    resScrollShaft = 1379,
    resScrollThumb = 1382,
    resScrollThumbGripper = 1385,
};

// Colour whose pixels a built-in strip leaves out.
constexpr gdi::COLORREF kSkinMaskColor = tavResSrv40::kSkinMaskColour;

// Screen twips per pixel, the scale the host measures controls in.
constexpr int kTwipsPerPixel = 15;

// Window-timer id of the hover tracking timer, and its interval.
constexpr std::uintptr_t kHoverTimerId = 1;
constexpr int kHoverTimerMs = 10;

}  // namespace modSkinConstants
