// What the form answers its skinned controls, on either window system: the piece of which skin
// picture a check box, an option button, a command button and the folder box draw from, and how
// a command button lays out its caption, and the pieces the option panel's scroll bar asks for.
#pragma once

#include "dialog/skin_files.h"

#include "controls/clsSkin.h"
#include "controls/suite/gdi.h"

#include <array>

namespace dialog {

// Fills a control's QuerySkin answer with `picture`, loaded from `file` (one of Check, Option,
// MacButtons, TextBorder): the name it is kept under and the borders kept at their size.
void AnswerControlSkin(SkinFile file, const gdi::Image& picture, SkinMapInfo& skin, SkinSource& source);

// The scroll bar's five pictures, in the order of their files (ScrollButtons to ScrollThumbGlyph).
using ScrollPictures = std::array<gdi::Image, 5>;
// Fills the scroll bar's QuerySkin answer for the piece `resNumber` (a modSkinConstants number);
// a piece it does not know is left as asked.
void AnswerScrollSkin(long resNumber, const ScrollPictures& pictures, SkinMapInfo& skin, SkinSource& source);

// A command button's QueryLayout answer: caption and picture apart, no auto size, the caption
// kept off the skin's top and bottom edges.
void AnswerCommandLayout(SkinButtonLayoutInfo& layout);

}  // namespace dialog
