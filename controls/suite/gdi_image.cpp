// What every backend shares of gdi: pictures as plain pixels.
#include "controls/suite/gdi.h"

namespace gdi {

Image::Image(int w, int h, std::uint32_t fill)
    : width(w > 0 && h > 0 ? w : 0),
      height(w > 0 && h > 0 ? h : 0),
      pixels(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), fill) {}

void MaskPixels(std::uint32_t* pixels, std::size_t count, COLORREF maskColour) {
    if (maskColour > 0x00FFFFFFu) return;  // "no mask colour" (-1 and the like)
    const std::uint32_t mask = ArgbOf(maskColour);
    for (std::size_t i = 0; i < count; ++i)
        if (pixels[i] == mask) pixels[i] = 0;
}

}  // namespace gdi
