// LBVScroll: the vertical scroll bar a list box embeds along its right edge.
//
// Two arrow buttons, a track and a thumb, drawn from five skin strips.  The
// thumb is sized from the number of items and of visible items, and placed
// from Value in Min..Max.  Holding an arrow or the track repeats: tScrlEnable
// waits, then tScrl steps until the button is released (a held track stops
// once the thumb has reached the pointer).  The thumb can be dragged; the
// value then follows the thumb, rounded to the nearest whole number.
//
// Scale: twips (see scroll_range.h); ThumbTop/ThumbLength report twips.
// Nothing is persisted: the owner sets everything at run time.
//
// Paging is the owner's business: a press on the track asks QueryPageSize
// for the amount (the list box answers with its visible rows); without an
// answer the track does nothing.  Arrows step by SmallChange.
//
// dFormat: 0 draws the gripper on the thumb, 1 a plain thumb.
// MetricsSize: height of the arrow buttons in pixels (0: the skin's own).
#pragma once

#include "controls/ScrollBarBase.h"

class LBVScroll : public ScrollBarBase {
  public:
    enum PageDirection : int { pageTowardsMin = 0, pageTowardsMax = 1 };
    enum DrawFormat : int { fmtGripper = 0, fmtPlainThumb = 1 };

    explicit LBVScroll(ControlSite& site, Ambient ambient = {});
    ~LBVScroll() override;

    // One row per property (see property_table.h); all are set at run time.
    static const auto& Properties();

    // ---- properties (the rest in ScrollBarBase) ---------------------------------------------
    Number ItemsVisible() const { return m_itemsVisible; }
    void SetItemsVisible(Number n);
    Number TotalItems() const { return m_totalItems; }
    void SetTotalItems(Number n);

    // ---- host lifecycle (nothing is stored) ---------------------------------------------
    void InitProperties() override;
    void ReadProperties(const PropertyBag& bag) override;
    void WriteProperties(PropertyBag& bag) const override;

    // ---- state, for the owner and for checks (the rest in ScrollBarBase) ------------------------
    double MinThumbLength() const { return m_skins.MinThumb(); }

    // ---- events (the rest in ScrollBarBase) ------------------------------------------------
    // A mouse button went down on the bar (before anything else happens).
    std::function<void()> BarMouseDown;
    // The user moved the bar with an arrow or the track (Change) or by
    // dragging the thumb (Scroll); Value is the new value.
    std::function<void(long Value)> Change;
    std::function<void(long Value)> Scroll;
    // How far a page goes; Direction is a PageDirection.  Leave Amount at 0
    // for no paging.
    std::function<void(int Direction, long& Amount)> QueryPageSize;

  private:
    double NewThumbLength() const override;
    void OnButtonDown(gdi::POINT p) override;
    void OnButtonUp() override;
    void RepeatStep() override;
    scroll_bar::PartState StateOf(ScrollPart part) const override;
    void RaiseScroll() override {
        if (Scroll) Scroll(Value());
    }
    void AttachSubclassing();
    void EnabledChanged();
    // The properties both bars have, through this bar's rows.
    void SetSharedProperty(bool ScrollBarBase::*member, bool value) override;
    void SetSharedProperty(int ScrollBarBase::*member, int value) override;
    // One step of a held arrow or track.
    void StepPressedPart();
    void PageTowards(PageDirection direction);
    void MoveTo(Number value);  // user move: clamps, raises Change when it moved

    // properties (the range in ScrollBarBase)
    Number m_itemsVisible = 0;
    Number m_totalItems = 0;
};
