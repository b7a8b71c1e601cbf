// The controls' built-in skin strips, drawn by code.
//
// Each strip is painted frame by frame with QPainter, anti-aliased on a
// transparent canvas, then flattened: opaque pixels stay, transparent ones
// become the mask colour, and the soft edge in between is blended with the
// classic button face so no pinkish fringe appears.  Change the look here,
// then run the regenerate-skins target: the controls read the committed
// pictures in skins/builtin/, never this code.
#pragma once

#include "controls/suite/tavResSrv40.h"

#include <QImage>

#include <string>

namespace strip_artwork {

// Paints the whole strip of `resource` in `theme`
// (frameWidth x frameHeight * frames), every pixel opaque.
QImage PaintStrip(const tavResSrv40::StaticResource& resource, int theme);

// The committed file name of a strip, e.g. "res1100_theme0.bmp".
std::string FileName(int number, int theme);

}  // namespace strip_artwork
