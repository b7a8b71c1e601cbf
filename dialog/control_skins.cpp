#include "dialog/control_skins.h"

#include "controls/modSkinConstants.h"

namespace dialog {

namespace {

void Answer(SkinMapInfo& skin, SkinSource& source, const char16_t* name, const gdi::Image& picture, gdi::RECT margin) {
    skin.ImageName = name;
    source.picture = picture;
    skin.MapMargin = margin;
    skin.MaskColor = 0;  // skin pictures leave black out
}

}  // namespace

void AnswerControlSkin(SkinFile file, const gdi::Image& picture, SkinMapInfo& skin, SkinSource& source) {
    switch (file) {
        case SkinFile::Check:
            skin.ImageName = u"CheckBox";
            skin.MapMargin = {0, 0, 0, 0};
            break;
        case SkinFile::Option:
            skin.ImageName = u"Option";
            skin.MapMargin = {0, 0, 0, 0};
            break;
        // The rounded ends keep their width; the middle stretches with the caption.
        case SkinFile::MacButtons:
            skin.ImageName = u"CMD_MAC";
            skin.MapMargin = {16, 0, 17, 0};
            break;
        case SkinFile::TextBorder:
            skin.ImageName = u"SKIN_TextBorder";
            skin.MapMargin = {5, 5, 5, 5};
            break;
        default: return;
    }
    source.picture = picture;
    skin.MaskColor = 0;  // skin pictures leave black out
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
