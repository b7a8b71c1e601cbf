// The scroll bars' range rules and thumb arithmetic, without widgets.
#include "controls/scroll_range.h"

#include <gtest/gtest.h>

namespace scroll_range {
namespace {

// A 200-pixel bar: 3000 twips, arrows 255 each, a track of 2490.
Track bar(double thumbLength) { return Track{3000, 255, 255, 255, thumbLength}; }

Range range(Number min, Number max, Number value) { return Range(RangeValues{min, max, value, 1, 1}); }

TEST(Range, SettersKeepValueInsideAndRefuseOversizedSteps) {
    Range r(RangeValues{0, 100, 0, 1, 10});
    EXPECT_FALSE(r.SetValue(-5));  // clamped to Min, which it already is
    EXPECT_TRUE(r.SetValue(500));
    EXPECT_EQ(r.Value(), 100);
    r.SetMax(-3);  // below Min: Min + 1
    EXPECT_EQ(r.Max(), 1);
    EXPECT_EQ(r.Value(), 1);
    r.SetMin(5);  // Value raised with it; Max is left below
    EXPECT_EQ(r.Value(), 5);
    EXPECT_EQ(r.Clamp(9), 5);

    r.SetMin(0);
    r.SetMax(10);
    EXPECT_FALSE(r.SetSmallChange(11));
    EXPECT_EQ(r.SmallChange(), 1);
    EXPECT_TRUE(r.SetLargeChange(10));
    EXPECT_EQ(r.LargeChange(), 10);
    r.SetMin(20);  // Max left below Min: steps bigger than |Max - Min| are refused
    EXPECT_FALSE(r.SetLargeChange(11));
    EXPECT_TRUE(r.SetSmallChange(10));
}

TEST(Thumb, LengthIsTheVisibleShareRaisedToTheMinimum) {
    const struct {
        double visible, total, current, expected;
    } cases[] = {
        {10, 100, 0, 249},    // a tenth of the track
        {10, 10000, 0, 240},  // 2.49 raised to the minimum
        {10, 5, 0, 2490},     // never more than the track
        {10, 0, 1234, 1234},  // no items: left as it was
        {0, 100, 0, 240},
    };
    for (const auto& c : cases)
        EXPECT_DOUBLE_EQ(ThumbLength(bar(0), c.visible, c.total, 240, c.current), c.expected)
            << c.visible << " of " << c.total;
}

TEST(Thumb, TopRunsFromTheUpArrowToTheDownArrow) {
    const Track t = bar(249);
    const double travel = 2490 - 249;
    const struct {
        Number min, max, value;
        double expected;
    } cases[] = {
        {0, 90, 0, 255},
        {0, 90, 45, 255 + travel / 2},
        {0, 90, 90, 3000 - 255 - 249},  // the thumb's bottom exactly on the down arrow
        {10, 10, 10, 255},              // an empty range stays at the top
        {-10, 10, 0, 255 + travel / 2},
    };
    for (const auto& c : cases) EXPECT_DOUBLE_EQ(ThumbTop(t, range(c.min, c.max, c.value)), c.expected) << c.value;
}

TEST(Thumb, DraggedThumbGivesTheNearestValueTiesToEven) {
    // 75 steps over 2250 twips: every 15 twips (one pixel) is half a step.
    Track t = bar(240);
    const Range r = range(0, 75, 0);
    const std::pair<double, Number> cases[] = {
        {255, 0},   {240, 0},      // at and above the upper limit: Min
        {270, 0},                  // 0.5 -> 0
        {300, 2},                  // 1.5 -> 2
        {330, 2},                  // 2.5 -> 2
        {360, 4},                  // 3.5 -> 4
        {285, 1},   {2504.5, 75},  // just above the lower limit rounds to Max
        {2505, 75},                // exactly at the lower limit: Max
        {4000, 75},
    };
    for (const auto& [thumbTop, expected] : cases) EXPECT_EQ(ValueFromThumb(t, thumbTop, r), expected) << thumbTop;
    t.thumbLength = 2490;  // the thumb fills the track: no travel, only the limits
    EXPECT_EQ(ValueFromThumb(t, 255, r), 0);
    EXPECT_EQ(ValueFromThumb(t, 256, r), 75);
}

TEST(Parts, HitTestAtEveryEdge) {
    // Arrows 17 pixels, thumb at pixels 100..115, track 17..182.
    Track t = bar(240);
    t.thumbTop = 1500;
    ASSERT_EQ(ThumbRect(t, 17), (gdi::RECT{0, 100, 17, 116}));
    const std::pair<int, Part> cases[] = {
        {0, Part::UpArrow},     {16, Part::UpArrow},    {17, Part::TrackAbove},  {99, Part::TrackAbove},
        {100, Part::Thumb},     {115, Part::Thumb},     {116, Part::TrackBelow}, {182, Part::TrackBelow},
        {183, Part::DownArrow}, {199, Part::DownArrow}, {200, Part::None},       {-1, Part::None},
    };
    for (const auto& [y, expected] : cases) EXPECT_EQ(HitTest(t, 17, gdi::POINT{8, y}), expected) << "y " << y;
    EXPECT_EQ(HitTest(t, 17, gdi::POINT{17, 50}), Part::None);
    EXPECT_EQ(HitTest(t, 17, gdi::POINT{-1, 50}), Part::None);
}

TEST(Thumb, ClampedBetweenTheArrowsAndAtTheBottomTouchesTheDownArrow) {
    Track t = bar(240);
    EXPECT_DOUBLE_EQ(ClampThumbTop(t, 0), 255);
    EXPECT_DOUBLE_EQ(ClampThumbTop(t, 1000), 1000);
    EXPECT_DOUBLE_EQ(ClampThumbTop(t, 9000), 3000 - 255 - 240);
    t.thumbTop = t.LowestThumbTop();
    const gdi::RECT thumb = ThumbRect(t, 17), down = DownArrowRect(t, 17);
    EXPECT_EQ(thumb.Bottom, down.Top);
    EXPECT_EQ(HitTest(t, 17, gdi::POINT{8, thumb.Bottom - 1}), Part::Thumb);
    EXPECT_EQ(HitTest(t, 17, gdi::POINT{8, down.Top}), Part::DownArrow);
    EXPECT_EQ(TrackRect(t, 17).Bottom, thumb.Bottom);
}

}  // namespace
}  // namespace scroll_range
