// Built-in skin artwork, drawn by code.
//
// Each strip is painted frame by frame with QPainter, anti-aliased on a
// transparent canvas, then flattened: opaque pixels stay, transparent ones
// become the mask colour, and the soft edge in between is blended with the
// classic button face so no pinkish fringe appears.  Change the look here.
#pragma once

#include "controls/suite/tavResSrv40.h"

#include <QImage>

namespace skin_artwork {

// Paints the whole strip of `resource` in `theme`
// (frameWidth x frameHeight * frames).
QImage PaintStrip(const tavResSrv40::StaticResource& resource, int theme);

}  // namespace skin_artwork
