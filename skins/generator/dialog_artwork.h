// The dialog's skin pictures, drawn by code.
//
// Every picture is painted anti-aliased on a transparent canvas and then
// flattened onto an opaque image.  The dialog answers its controls' skin
// requests with mask colour 0, so pure black is "not drawn": transparent
// pixels become black and no visible pixel is ever pure black.
#pragma once

#include <QImage>
#include <QString>

#include <vector>

namespace dialog_artwork {

enum class FileFormat { Bmp, Gif };

struct SkinPicture {
    const char* fileName;
    FileFormat format;
    QImage (*paint)();
    const char* use;
};

// Every picture of the set, in the order the dialog loads them.
const std::vector<SkinPicture>& Pictures();

// Frame counts of the strips, as the controls divide them.
inline constexpr int kButtonFrames = 8;      // MacButtons.bmp
inline constexpr int kGlyphFrames = 12;      // Check.bmp, Option.bmp
inline constexpr int kTextBorderFrames = 4;  // TextBorder.bmp: normal, hover, focus, disabled
inline constexpr int kTabFrames = 2;         // TAB_BG.bmp: selected, not selected

}  // namespace dialog_artwork
