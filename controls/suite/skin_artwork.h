// Built-in skin artwork: the strips the resource server offers.
//
// They are drawn by code in skins/generator/strip_artwork.cpp, written once
// into skins/builtin/ as 24-bit BMP files (the regenerate-skins target) and
// compiled into the library from there, so every build, with Qt or on the
// system's GDI, shows the same pixels and none of them needs a file at run
// time.
#pragma once

#include "controls/suite/tavResSrv40.h"

#include <cstddef>
#include <span>

namespace skin_artwork {

// One committed strip file, embedded as it is.
struct EmbeddedStrip {
    int number;
    int theme;
    std::span<const unsigned char> bytes;
};

// Every embedded strip (defined in the source generated from skins/builtin/).
std::span<const EmbeddedStrip> EmbeddedStrips();

// The strip of resource `number` in `theme`; a null image when none is built
// in or its bytes cannot be read.
gdi::Image Strip(int number, int theme);

}  // namespace skin_artwork
