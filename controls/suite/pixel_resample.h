// A picture's premultiplied ARGB pixels brought to another size, for a backend
// that draws skins at a screen's device pixels.
#pragma once

#include <cstdint>
#include <vector>

namespace gdi {

// `pixels` (width x height, premultiplied ARGB, row by row) at toWidth x
// toHeight: in whole blocks (each pixel the source's nearest) when both sizes
// are whole multiples, else smoothly (each pixel a mix of the four source
// pixels around its centre, edges held).  Empty for an empty size.  What it
// makes is kept (by the pixels and the sizes) and given again.
std::vector<std::uint32_t> Resample(const std::vector<std::uint32_t>& pixels, int width, int height, int toWidth,
                                    int toHeight);

}  // namespace gdi
