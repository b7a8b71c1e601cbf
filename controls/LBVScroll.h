// LBVScroll: the vertical scroll bar a list box embeds along its right edge.
//
// Two arrow buttons, a track and a thumb, drawn from five skin strips.  The
// thumb is sized from the number of items and of visible items, and placed
// from Value in Min..Max.  Holding an arrow or the track repeats: tScrlEnable
// waits, then tScrl steps until the button is released (a held track stops
// once the thumb has reached the pointer).  The thumb can be dragged; the
// value then follows the thumb, rounded to the nearest whole number.
//
// Scale: twips (see LBVScrollParts.h); ThumbTop/ThumbLength report twips.
// Nothing is persisted: the owner sets everything at run time.
//
// Paging is the owner's business: a press on the track asks QueryPageSize
// for the amount (the list box answers with its visible rows); without an
// answer the track does nothing.  Arrows step by SmallChange.
//
// dFormat: 0 draws the gripper on the thumb, 1 a plain thumb.
// MetricsSize: height of the arrow buttons in pixels (0: the skin's own).
#pragma once

#include "ScrollBarBase.h"

class LBVScroll : public ScrollBarBase {
    Q_OBJECT
public:
    enum PageDirection : int { pageTowardsMin = 0, pageTowardsMax = 1 };
    enum DrawFormat : int { fmtGripper = 0, fmtPlainThumb = 1 };

    explicit LBVScroll(QWidget* parent = nullptr, Ambient ambient = {});
    ~LBVScroll() override;

    // ---- properties (the rest in ScrollBarBase) ---------------------------------------------
    void SetEnabled(bool on);
    double ItemsVisible() const { return m_itemsVisible; }
    void SetItemsVisible(double n);
    double TotalItems() const { return m_totalItems; }
    void SetTotalItems(double n);
    void SetMetricsSize(int pixels);
    void SetValue(long value);
    void SetdFormat(int format);
    void SetTheme(int theme);
    long SmallChange() const { return m_smallChange; }
    void SetSmallChange(long n);
    long LargeChange() const { return m_largeChange; }
    void SetLargeChange(long n);
    double Min() const { return m_min; }
    void SetMin(double min);
    double Max() const { return m_max; }
    void SetMax(double max);

    // ---- host lifecycle (nothing is stored) ---------------------------------------------
    void InitProperties() override;
    void ReadProperties(const PropertyBag& bag) override;
    void WriteProperties(PropertyBag& bag) const override;

    // ---- state, for the owner and for checks (the rest in ScrollBarBase) ------------------------
    double MinThumbLength() const { return m_skins.MinThumb(); }

signals:
    // A mouse button went down on the bar (before anything else happens).
    void BarMouseDown();
    // The user moved the bar with an arrow or the track (Change) or by
    // dragging the thumb (Scroll); Value is the new value.
    void Change(long Value);
    void Scroll(long Value);
    // How far a page goes; Direction is a PageDirection.  Leave Amount at 0
    // for no paging.
    void QueryPageSize(int Direction, long& Amount);

protected:
    void hideEvent(QHideEvent* e) override;
    void leaveEvent(QEvent* e) override;

private:
    double NewThumbLength() const override;
    double RangeMin() const override { return m_min; }
    double RangeMax() const override { return m_max; }
    void OnButtonDown(QPoint p) override;
    void OnButtonUp() override;
    void OnTimer(std::uintptr_t id) override;
    LBVScrollParts::PartState StateOf(ScrollPart part) const override;
    void RaiseScroll() override { emit Scroll(m_value); }
    void AttachSubclassing();
    // One step of a held arrow or track.
    void StepPressedPart();
    void PageTowards(PageDirection direction);
    void MoveTo(long value);  // user move: clamps, raises Change when it moved
    long Clamp(long value) const;

    // properties
    double m_itemsVisible = 0;
    double m_totalItems = 0;
    long m_smallChange = 1;
    long m_largeChange = 1;
    double m_min = 0;
    double m_max = 0;
};
