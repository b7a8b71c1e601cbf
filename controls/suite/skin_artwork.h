// Built-in skin artwork, drawn by code.
//
// Each strip is painted frame by frame with QPainter (skin_artwork.cpp),
// anti-aliased on a transparent canvas, then flattened: opaque pixels stay,
// transparent ones become the mask colour, and the soft edge in between is
// blended with the classic button face so no pinkish fringe appears.  Change
// the look there.  A build without Qt has no painter for it
// (skin_artwork_absent.cpp): its built-in strips are empty, and a host gives
// its controls their skins through QuerySkin.
#pragma once

#include "controls/suite/tavResSrv40.h"

namespace skin_artwork {

// Paints the whole strip of `resource` in `theme`
// (frameWidth x frameHeight * frames).
gdi::Image PaintStrip(const tavResSrv40::StaticResource& resource, int theme);

}  // namespace skin_artwork
