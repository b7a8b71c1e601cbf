// Shared by the dialog's stand-in controls: they take their skin pieces and
// draw them exactly as the finished controls do (QuerySkin, the resource
// server, gfxDrawSkin), so the dialog's skin answers are exercised already.
//
// A stand-in exists only until the control of the same name lands in
// controls/; the build then takes the real one (see dialog/CMakeLists.txt).
#pragma once

#include "clsSkin.h"

#include <QWidget>

#include <functional>

namespace standin {

// One skin piece: asks `query` for a custom piece of resource `number`
// (`frames` frames) and falls back to the built-in strip.
void LoadPiece(SkinMapInfo& piece, int number, int frames,
               const std::function<void(long, SkinMapInfo&, SkinSource&)>& query);

// Composes on a transparent surface of the widget's size with `draw` and
// paints the result on the widget (inside its paint event).
void PaintComposed(QWidget* widget, const std::function<void(gdi::HDC)>& draw);

// Frame of a two-state glyph strip: 0-3 off, 4-7 on (normal, hover, pressed, disabled).
int GlyphFrame(bool value, bool enabled, bool hover, bool pressed);

}  // namespace standin
