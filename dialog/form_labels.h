// The form's texts drawn through gdi, for a host whose labels are painted rather than widgets
// (the Win32 form): each label's look, its text measured and painted in the form's font.
#pragma once

#include "dialog/form_arrangement.h"

#include "controls/suite/gdi.h"

#include <string>
#include <string_view>

namespace dialog {

// The form's font: 11 pixels of the host's face.
gdi::Font FormFont(const std::u16string& family);

enum class Label {
    Title,       // "Conversion Utility" beside the logo
    PanelTitle,  // the panel's name on the title strip, white
    Plain,       // one line: "Current Folder", the column headings
    Status,      // the status line, inset in its strip
    Explanation  // wrapped to its box
};
void PaintLabel(gdi::HDC dc, Label label, const std::u16string& text, const Box& at, const gdi::Font& formFont);

int TextWidth(const std::u16string& text, const gdi::Font& font);
// The height of `text` wrapped to `width`.
int WrappedTextHeight(const std::u16string& text, int width, const gdi::Font& font);

std::u16string Latin1(std::string_view text);

}  // namespace dialog
