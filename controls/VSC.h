// VSC: the stand-alone skinned vertical scroll bar.
//
// The twin of the list scroll bar (same skin strips, thumb arithmetic and
// scale, see scroll_range.h) with whole-number Min, Max and Value.  The
// arrows step by SmallChange and the track by LargeChange; a held arrow or
// track repeats after a delay (tScrlEnable, then tScrl every 50 ms), the
// track only until the thumb has reached the pointer.  Dragging the thumb
// sets Value from the thumb's position, rounded to the nearest whole number
// (ties to even), and raises Scroll; the release after a drag raises
// BarMouseUp.  Setting Value from code raises nothing.
//
// PixelsVisible: how much of the scrolled content is visible, in the unit of
// Value; the thumb's share of the track is PixelsVisible / (PixelsVisible +
// Max - Min).  0 gives the minimum thumb.
// MetricsSize: height of the arrow buttons in pixels (0: the skin's own).
// dFormat: 0 draws the gripper on the thumb, 1 a plain thumb.
#pragma once

#include "controls/ScrollBarBase.h"

class VSC : public ScrollBarBase {
  public:
    enum Direction { towardsMin, towardsMax };

    // Defaults of the stored properties.
    static constexpr long kDefMax = 100;
    static constexpr long kDefSmallChange = 1;
    static constexpr long kDefLargeChange = 10;

    explicit VSC(ControlSite& site, Ambient ambient = {});
    ~VSC() override;

    // One row per stored property (see property_table.h); the range's
    // properties are rows of RangeProperties().
    static const auto& Properties();
    static const auto& RangeProperties();

    // ---- properties (the rest in ScrollBarBase) ---------------------------------------------
    Number PixelsVisible() const { return m_pixelsVisible; }
    void SetPixelsVisible(Number n);

    // ---- host lifecycle --------------------------------------------------------------------------
    void InitProperties() override;
    void ReadProperties(const PropertyBag& bag) override;
    void WriteProperties(PropertyBag& bag) const override;

    // ---- state, for the host and for checks (the rest in ScrollBarBase) ---------------------------
    Direction PressDirection() const { return m_direction; }

    // ---- events (the rest in ScrollBarBase) ------------------------------------------------
    // The user moved the bar with an arrow or the track (Change) or by dragging the thumb (Scroll).
    std::function<void()> Change;
    std::function<void()> Scroll;

  private:
    double NewThumbLength() const override;
    void OnButtonDown(gdi::POINT p) override;
    void OnButtonUp() override;
    void OnHidden() override;
    scroll_bar::PartState StateOf(ScrollPart part) const override;
    void RaiseScroll() override;
    void RaiseChange() const;
    void AttachSubclassing();
    void RepeatStep() override;
    void StartPress(Direction direction, ScrollPart part, Number before);
    void RangeTaken(Number scroll_range::RangeValues::*field) override;
    void ThemeOrFormatChanged();
    void EnabledChanged();
    // The properties both bars have, through this bar's rows.
    void SetSharedProperty(bool ScrollBarBase::*member, bool value) override;
    void SetSharedProperty(int ScrollBarBase::*member, int value) override;

    // properties (the range in ScrollBarBase)
    Number m_pixelsVisible = 0;

    // state
    Direction m_direction = towardsMin;
};
