#include "controls/suite/skin_artwork.h"

namespace skin_artwork {

gdi::Image PaintStrip(const tavResSrv40::StaticResource&, int) { return {}; }

}  // namespace skin_artwork
