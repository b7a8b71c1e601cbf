// The dialog's skin pictures: which files, and where they are found.
//
// Each file is looked for first in the configured bitmap folder (the setting's
// value, with the name appended as it is) and then in the folder the program
// ships; a file found in neither gives a null picture, and the control it was
// meant for keeps its built-in skin.
#pragma once

#include <QImage>
#include <QString>

#include <array>

namespace dialog {

enum class SkinFile : int {
    TabTitle,
    TabHeaderBG,
    TransBG,
    TabBG,
    TabHeaderConv,
    PanelsBG,
    Logo,
    TextBorder,
    Check,
    Option,
    PanelBackground,
    MacButtons,
    ScrollButtons,
    ScrollGlyph,
    ScrollShaft,
    ScrollThumb,
    ScrollThumbGlyph,
    Count
};

inline constexpr int kSkinFileCount = static_cast<int>(SkinFile::Count);

// File name of each picture, in the order above.
const std::array<const char*, kSkinFileCount>& SkinFileNames();
inline const char* SkinFileName(SkinFile f) { return SkinFileNames()[static_cast<std::size_t>(f)]; }

// The folder the skin pictures ship in, with a trailing separator: in share/ beside
// the hosting program's folder, else the install location, else the source tree.
QString ShippedSkinsFolder();

// The picture `name` from `bitmapFolder` + name, else from the shipped folder;
// a null image when neither has a readable file.
QImage LoadSkinPicture(const QString& bitmapFolder, const char* name);

}  // namespace dialog
