// Reading an uncompressed BMP (24 or 32 bits a pixel) from memory, without a
// window system: the built-in skin strips are kept in that form.
#pragma once

#include "controls/suite/gdi.h"

#include <cstddef>
#include <span>

namespace bmp_image {

// The picture in `bytes`, every pixel opaque; a null image when the bytes are
// not an uncompressed 24- or 32-bit BMP or are cut short.
gdi::Image Decode(std::span<const unsigned char> bytes);

}  // namespace bmp_image
