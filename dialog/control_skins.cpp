#include "dialog/control_skins.h"

#include <array>

namespace dialog {

namespace {

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
        skin.ImageName = row.name;
        skin.MapMargin = row.margin;
        source.picture = picture;
        skin.MaskColor = 0;  // skin pictures leave black out
        return;
    }
}

void AnswerCommandLayout(SkinButtonLayoutInfo& layout) {
    layout.LayoutMode = sknLayoutSeperates;
    layout.AutoSizeMode = sknAutoSizeNone;
    layout.DrawingSpace = {0, 2, 0, 5};
}

}  // namespace dialog
