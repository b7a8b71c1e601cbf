#include "dialog/control_skins.h"

namespace dialog {

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

void AnswerCommandLayout(SkinButtonLayoutInfo& layout) {
    layout.LayoutMode = sknLayoutSeperates;
    layout.AutoSizeMode = sknAutoSizeNone;
    layout.DrawingSpace = {0, 2, 0, 5};
}

}  // namespace dialog
