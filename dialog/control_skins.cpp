#include "dialog/control_skins.h"

#include "controls/modSkinConstants.h"

#include <array>

namespace dialog {

namespace {

void Answer(SkinMapInfo& skin, SkinSource& source, const char16_t* name, const gdi::Image& picture, gdi::RECT margin) {
    skin.ImageName = name;
    source.picture = picture;
    skin.MapMargin = margin;
    skin.MaskColor = 0;  // skin pictures leave black out
}

struct ControlSkin {
    SkinFile file;
    const char16_t* name;
    gdi::RECT margin;  // kept at its size when the piece stretches
};

// A check box's and an option button's glyphs are drawn whole; a command button's rounded ends
// keep their width while the middle stretches with the caption; the folder box's frame keeps
// its borders.
constexpr std::array kControlSkins{
    ControlSkin{SkinFile::Check, u"CheckBox", {0, 0, 0, 0}},
    ControlSkin{SkinFile::Option, u"Option", {0, 0, 0, 0}},
    ControlSkin{SkinFile::MacButtons, u"CMD_MAC", {16, 0, 17, 0}},
    ControlSkin{SkinFile::TextBorder, u"SKIN_TextBorder", {5, 5, 5, 5}},
};

}  // namespace

void AnswerControlSkin(SkinFile file, const gdi::Image& picture, SkinMapInfo& skin, SkinSource& source) {
    for (const ControlSkin& row : kControlSkins) {
        if (row.file != file) continue;
        return Answer(skin, source, row.name, picture, row.margin);
    }
}

void AnswerScrollSkin(long resNumber, const ScrollPictures& pictures, SkinMapInfo& skin, SkinSource& source) {
    using namespace modSkinConstants;
    switch (resNumber) {
        case resScrollArrowGlyphs: Answer(skin, source, u"ScrollArrowGlyphs", pictures[1], {0, 0, 0, 0}); break;
        case resScrollButtons: Answer(skin, source, u"ScrollButtons", pictures[0], {5, 3, 3, 3}); break;
        case resScrollShaft:
            Answer(skin, source, u"ScrollVShaft", pictures[2], {6, 8, 4, 9});
            skin.RGN5BltMode = 2;
            break;
        case resScrollThumb: Answer(skin, source, u"ScrollVThumb", pictures[3], {4, 6, 4, 6}); break;
        case resScrollThumbGripper: Answer(skin, source, u"ScrollVThumbGripper", pictures[4], {0, 0, 0, 0}); break;
        default: break;
    }
}

void AnswerCommandLayout(SkinButtonLayoutInfo& layout) {
    layout.LayoutMode = sknLayoutSeperates;
    layout.AutoSizeMode = sknAutoSizeNone;
    layout.DrawingSpace = {0, 2, 0, 5};
}

}  // namespace dialog
