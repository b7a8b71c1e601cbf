// Drawing at a screen's device pixel ratio (1.5 at 150 %, 2 at 200 %): where
// a rectangle given in logical units lands among the device pixels, and
// pictures resampled to a device size once and kept for later paints.
#pragma once

#include <QImage>
#include <QRect>

namespace gdi::qt {

// The device pixel a logical coordinate starts at: rounded to the nearest,
// as Qt places a widget's edges.  At ratio 1 it is the coordinate itself.
int DeviceCoordinate(int logical, qreal ratio);
// The device pixels that a logical rectangle covers: its edges rounded, so
// that two rectangles that touch in logical units touch in device pixels.
QRect DeviceRect(const QRect& logical, qreal ratio);

// How a picture is brought to a device size: at a whole-number ratio each
// pixel becomes a block (edges stay exact); at a fractional one it is
// resampled smoothly, which a block pattern of uneven widths would not be.
enum class Resample { Blocks, Smooth };
Resample ResampleAt(qreal ratio);

// `part` (ARGB32, not premultiplied, its masked pixels already transparent)
// brought to `size`.  Smooth resampling works on premultiplied pixels, so a
// transparent pixel gives no colour to its neighbours: a masked picture shows
// no fringe of its mask colour.  The result is kept, keyed by the pixels, the
// size and the way, so a skin piece is resampled once per ratio, not per paint.
QImage Resampled(const QImage& part, const QSize& size, Resample how);

}  // namespace gdi::qt
