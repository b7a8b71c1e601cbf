#include "controls/suite/skin_artwork.h"

#include "controls/suite/bmp_image.h"

#include <algorithm>

namespace skin_artwork {

gdi::Image Strip(int number, int theme) {
    const auto strips = EmbeddedStrips();
    const auto it = std::find_if(strips.begin(), strips.end(),
                                 [&](const EmbeddedStrip& s) { return s.number == number && s.theme == theme; });
    return it == strips.end() ? gdi::Image{} : bmp_image::Decode(it->bytes);
}

}  // namespace skin_artwork
