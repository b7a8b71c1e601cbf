// The dialog's skin pictures by name: which files the form and its controls are skinned from
// (where they are looked for is each window system's own: skin_set.h for Qt).
#pragma once

#include <array>
#include <cstddef>

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

}  // namespace dialog
