// VSC: the stand-alone skinned vertical scroll bar.
//
// The twin of the list scroll bar (same skin strips, thumb arithmetic and
// scale, see LBVScrollParts.h) with whole-number Min, Max and Value.  The
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
//
// All bars of a thread share one subclasser.
#pragma once

#include "ScrollBarBase.h"

class VSC : public ScrollBarBase {
    Q_OBJECT
public:
    enum Direction { towardsMin, towardsMax };

    // Defaults of the stored properties.
    static constexpr long kDefMax = 100;
    static constexpr long kDefSmallChange = 1;
    static constexpr long kDefLargeChange = 10;

    explicit VSC(QWidget* parent = nullptr, Ambient ambient = {});
    ~VSC() override;

    // ---- properties (the rest in ScrollBarBase) ---------------------------------------------
    void SetEnabled(bool on);
    void SetMetricsSize(int pixels);
    long PixelsVisible() const { return m_pixelsVisible; }
    void SetPixelsVisible(long n);
    void SetValue(long value);
    void SetdFormat(int format);
    void SetTheme(int theme);
    long SmallChange() const { return m_smallChange; }
    void SetSmallChange(long n);
    long LargeChange() const { return m_largeChange; }
    void SetLargeChange(long n);
    long Min() const { return m_min; }
    void SetMin(long min);
    long Max() const { return m_max; }
    void SetMax(long max);

    // ---- host lifecycle --------------------------------------------------------------------------
    void InitProperties() override;
    void ReadProperties(const PropertyBag& bag) override;
    void WriteProperties(PropertyBag& bag) const override;

    // ---- state, for the host and for checks (the rest in ScrollBarBase) ---------------------------
    Direction PressDirection() const { return m_direction; }
    // The subclasser this bar's thread shares (null before the first attach).
    const tavSCls40::Subclasser* SharedSubclasser() const { return m_subclasser.get(); }

signals:
    void Change();
    void Scroll();

protected:
    void hideEvent(QHideEvent* e) override;

private:
    double NewThumbLength() const override;
    double RangeMin() const override { return static_cast<double>(m_min); }
    double RangeMax() const override { return static_cast<double>(m_max); }
    void OnButtonDown(QPoint p) override;
    void OnButtonUp() override;
    void OnTimer(std::uintptr_t id) override;
    LBVScrollParts::PartState StateOf(ScrollPart part) const override;
    void RaiseScroll() override { emit Scroll(); }
    void AttachSubclassing();
    void RepeatStep();
    void StartPress(Direction direction, ScrollPart part, long before);
    long Clamp(long value) const;

    // properties
    long m_pixelsVisible = 0;
    long m_smallChange = kDefSmallChange;
    long m_largeChange = kDefLargeChange;
    long m_min = 0;
    long m_max = kDefMax;

    // state
    Direction m_direction = towardsMin;
};
