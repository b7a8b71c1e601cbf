// The part of tavGFX40 that needs the host's windows: what lies behind one.
#pragma once

#include "controls/suite/gdi.h"

class QWidget;

namespace tavGFX40 {

// Fills the memory DC `dc` with what the window's parent shows behind
// `window`: the parent (and its ancestors' backgrounds) is rendered without
// `window` itself.
bool gfxGetTransBG(gdi::HDC dc, QWidget* window);

}  // namespace tavGFX40
