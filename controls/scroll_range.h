// scroll_range: the arithmetic both skinned vertical scroll bars share (the
// list box's LBVScroll and the stand-alone VSC), free of widgets.
//
// Range: Min, Max, Value, SmallChange and LargeChange as whole numbers, with
// the rules their setters obey.
//
// Track: where the arrows, the track and the thumb lie.  The bars measure in
// twips, the host's unit (15 per pixel), so a minimum thumb length of 240 is
// 16 pixels; lengths are kept in twips (fractions allowed) and turned into
// pixels only for drawing and hit testing.
#pragma once

#include "controls/suite/gdi.h"

namespace scroll_range {

// The one numeric type of a range (the host's Long).
using Number = long;

// The five numbers of a range, as the host stores them.
struct RangeValues {
    Number Min = 0;
    Number Max = 0;
    Number Value = 0;
    Number SmallChange = 1;
    Number LargeChange = 1;
};

class Range {
  public:
    constexpr explicit Range(const RangeValues& values) : m_v(values) {}

    Number Min() const { return m_v.Min; }
    Number Max() const { return m_v.Max; }
    Number Value() const { return m_v.Value; }
    Number SmallChange() const { return m_v.SmallChange; }
    Number LargeChange() const { return m_v.LargeChange; }
    const RangeValues& Values() const { return m_v; }

    // A Value below the new Min is raised to it.
    void SetMin(Number min);
    // A Max below Min becomes Min + 1; a Value above Max is lowered to it.
    void SetMax(Number max);
    // Clamped to Min..Max; true when Value changed.
    bool SetValue(Number value);
    // Accepted only when not larger than |Max - Min|; true when taken.
    bool SetSmallChange(Number step);
    bool SetLargeChange(Number step);
    // `value` held within Min..Max.
    Number Clamp(Number value) const;

    // Taken as read from the host's store, without the setters' rules.
    void Load(const RangeValues& values) { m_v = values; }

  private:
    RangeValues m_v;
};

constexpr double kTwipsPerPixel = 15.0;
inline double ToTwips(int pixels) { return pixels * kTwipsPerPixel; }
int ToPixels(double twips);

// Where the parts of a bar lie, in twips.
struct Track {
    double innerHeight = 0;  // whole bar
    double topArrow = 0;     // up-arrow height
    double bottomArrow = 0;  // down-arrow height
    double thumbTop = 0;
    double thumbLength = 0;

    // What lies between the arrows.
    double Length() const { return innerHeight - topArrow - bottomArrow; }
    double ThumbBottom() const { return thumbTop + thumbLength; }
    // The lowest thumb top: the thumb's bottom on the down arrow's top.
    double LowestThumbTop() const { return innerHeight - bottomArrow - thumbLength; }
};

// Thumb length: the track times the visible share (at most all of it),
// raised to `minimum`.  `total` 0 keeps `current`.
double ThumbLength(const Track& t, double visible, double total, double minimum, double current);
// Thumb top for the range's Value: the top arrow's height at Min (and when
// the range is empty), the lowest thumb top at Max.
double ThumbTop(const Track& t, const Range& r);
// `thumbTop` held between the up arrow's bottom and the lowest thumb top.
double ClampThumbTop(const Track& t, double thumbTop);
// The value a dragged thumb stands for: Min at the upper limit, Max at the
// lower, otherwise proportional, rounded to the nearest whole number with
// ties to even.
Number ValueFromThumb(const Track& t, double thumbTop, const Range& r);

// The parts a point of a bar can fall on.
enum class Part { None, UpArrow, DownArrow, TrackAbove, TrackBelow, Thumb };

// Part rectangles in pixels, for a bar `width` pixels wide.
gdi::RECT UpArrowRect(const Track& t, int width);
gdi::RECT DownArrowRect(const Track& t, int width);
gdi::RECT TrackRect(const Track& t, int width);
gdi::RECT ThumbRect(const Track& t, int width);
Part HitTest(const Track& t, int width, gdi::POINT point);

}  // namespace scroll_range
