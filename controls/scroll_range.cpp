#include "controls/scroll_range.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace scroll_range {

namespace {

// Nearest whole number, halves to the even neighbour (2.5 -> 2, 3.5 -> 4),
// whatever the floating-point rounding mode is.
double roundHalfEven(double x) {
    const double lower = std::floor(x);
    const double diff = x - lower;
    if (diff > 0.5) return lower + 1;
    if (diff < 0.5) return lower;
    return std::fmod(lower, 2.0) == 0.0 ? lower : lower + 1;
}

}  // namespace

// ---- range -------------------------------------------------------------------------------

void Range::SetMin(Number min) {
    m_v.Min = min;
    m_v.Value = std::max(m_v.Value, m_v.Min);
}

void Range::SetMax(Number max) {
    m_v.Max = max < m_v.Min ? m_v.Min + 1 : max;
    m_v.Value = std::min(m_v.Value, m_v.Max);
}

Number Range::Clamp(Number value) const { return std::clamp(value, m_v.Min, std::max(m_v.Min, m_v.Max)); }

bool Range::SetValue(Number value) {
    const Number clamped = Clamp(value);
    if (clamped == m_v.Value) return false;
    m_v.Value = clamped;
    return true;
}

bool Range::SetSmallChange(Number step) {
    if (step > std::labs(m_v.Max - m_v.Min)) return false;
    m_v.SmallChange = step;
    return true;
}

bool Range::SetLargeChange(Number step) {
    if (step > std::labs(m_v.Max - m_v.Min)) return false;
    m_v.LargeChange = step;
    return true;
}

// ---- thumb ---------------------------------------------------------------------------------

int ToPixels(double twips) { return static_cast<int>(std::lround(twips / kTwipsPerPixel)); }

double ThumbLength(const Track& t, double visible, double total, double minimum, double current) {
    if (total == 0) return current;
    const double share = std::min(1.0, visible / total);
    return std::max(t.Length() * share, minimum);
}

double ThumbTop(const Track& t, const Range& r) {
    if (r.Max() == r.Min() || r.Value() == r.Min()) return t.topArrow;
    const auto offset = static_cast<double>(r.Value() - r.Min());
    const auto span = static_cast<double>(r.Max() - r.Min());
    return t.topArrow + (t.Length() - t.thumbLength) * offset / span;
}

double ClampThumbTop(const Track& t, double thumbTop) {
    return std::max(t.topArrow, std::min(thumbTop, t.LowestThumbTop()));
}

Number ValueFromThumb(const Track& t, double thumbTop, const Range& r) {
    if (thumbTop <= t.topArrow) return r.Min();
    if (thumbTop >= t.LowestThumbTop()) return r.Max();
    const double travel = t.Length() - t.thumbLength;
    const auto span = static_cast<double>(r.Max() - r.Min());
    return static_cast<Number>(roundHalfEven(static_cast<double>(r.Min()) + (thumbTop - t.topArrow) * span / travel));
}

// ---- parts ----------------------------------------------------------------------------------

namespace {
bool contains(const gdi::RECT& r, gdi::POINT p) {
    return p.x >= r.Left && p.x < r.Right && p.y >= r.Top && p.y < r.Bottom;
}
}  // namespace

gdi::RECT UpArrowRect(const Track& t, int width) { return gdi::RECT{0, 0, width, ToPixels(t.topArrow)}; }

gdi::RECT DownArrowRect(const Track& t, int width) {
    const int bottom = ToPixels(t.innerHeight);
    return gdi::RECT{0, bottom - ToPixels(t.bottomArrow), width, bottom};
}

gdi::RECT TrackRect(const Track& t, int width) {
    const int top = ToPixels(t.topArrow);
    return gdi::RECT{0, top, width, top + std::max(0, ToPixels(t.innerHeight - t.bottomArrow) - top)};
}

gdi::RECT ThumbRect(const Track& t, int width) {
    const int top = ToPixels(t.thumbTop);
    return gdi::RECT{0, top, width, top + std::max(0, ToPixels(t.ThumbBottom()) - top)};
}

Part HitTest(const Track& t, int width, gdi::POINT point) {
    if (point.x < 0 || point.x >= width) return Part::None;
    if (contains(UpArrowRect(t, width), point)) return Part::UpArrow;
    if (contains(DownArrowRect(t, width), point)) return Part::DownArrow;
    const gdi::RECT thumb = ThumbRect(t, width);
    if (contains(thumb, point)) return Part::Thumb;
    if (!contains(TrackRect(t, width), point)) return Part::None;
    return point.y < thumb.Top ? Part::TrackAbove : Part::TrackBelow;
}

}  // namespace scroll_range
