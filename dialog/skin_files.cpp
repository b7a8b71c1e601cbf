#include "dialog/skin_files.h"

namespace dialog {

const std::array<const char*, kSkinFileCount>& SkinFileNames() {
    static const std::array<const char*, kSkinFileCount> names = {
        "TAB_Title.bmp",    "TAB_HeaderBG.bmp",      "TransBG.bmp",        "TAB_BG.bmp",       "TAB_Header_Conv.bmp",
        "CVPanelsBGT.bmp",  "CVLogo3.bmp",           "TextBorder.bmp",     "Check.bmp",        "Option.bmp",
        "TB_BG.gif",        "MacButtons.bmp",        "Scroll_Buttons.bmp", "Scroll_Glyph.bmp", "Scroll_Shaft.bmp",
        "Scroll_Thumb.bmp", "Scroll_ThumbGlyph.bmp",
    };
    return names;
}

}  // namespace dialog
