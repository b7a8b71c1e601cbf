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

#include "LBVScrollParts.h"
#include "UserControl.h"
#include "suite/tavSCls40.h"

#include <memory>

class LBVScroll : public UserControl, public tavSCls40::ISubclass {
    Q_OBJECT
public:
    using ScrollPart = LBVScrollParts::ScrollPart;
    enum PageDirection : int { pageTowardsMin = 0, pageTowardsMax = 1 };
    enum DrawFormat : int { fmtGripper = 0, fmtPlainThumb = 1 };

    explicit LBVScroll(QWidget* parent = nullptr, Ambient ambient = {});
    ~LBVScroll() override;

    // ---- properties ------------------------------------------------------------------
    bool Enabled() const { return m_enabled; }
    void SetEnabled(bool on);
    QWidget* hWnd() { return this; }
    double ItemsVisible() const { return m_itemsVisible; }
    void SetItemsVisible(double n);
    double TotalItems() const { return m_totalItems; }
    void SetTotalItems(double n);
    int MetricsSize() const { return m_metricsSize; }
    void SetMetricsSize(int pixels);
    long Value() const { return m_value; }
    void SetValue(long value);
    int dFormat() const { return m_dFormat; }
    void SetdFormat(int format);
    int Theme() const { return m_theme; }
    void SetTheme(int theme);
    long SmallChange() const { return m_smallChange; }
    void SetSmallChange(long n);
    long LargeChange() const { return m_largeChange; }
    void SetLargeChange(long n);
    double Min() const { return m_min; }
    void SetMin(double min);
    double Max() const { return m_max; }
    void SetMax(double max);

    // ---- methods -------------------------------------------------------------------------
    void Refresh();
    void BeginUpdate();
    void EndUpdate();
    void ApplyCustomSkin();
    void ApplyDefaultSkin();

    // ---- host lifecycle (nothing is stored) ---------------------------------------------
    void InitProperties() override;
    void ReadProperties(const PropertyBag& bag) override;
    void WriteProperties(PropertyBag& bag) const override;

    // ---- state, for the owner and for checks ----------------------------------------------
    double ThumbTop() const { return m_geo.thumbTop; }
    double ThumbLength() const { return m_geo.thumbLength; }
    double MinThumbLength() const { return m_skins.MinThumb(); }
    const LBVScrollParts::Geometry& Geometry() const { return m_geo; }
    ScrollPart HitTest(QPoint point) const;
    QRect UpArrowRect() const;
    QRect DownArrowRect() const;
    QRect TrackRect() const;
    QRect ThumbRect() const;
    bool IsDragging() const { return m_dragging; }
    ScrollPart PressedPart() const { return m_pressed; }
    ScrollPart HoverPart() const { return m_hover; }
    const LBVScrollParts::RepeatTimer& Repeat() const { return m_repeat; }
    const LBVScrollParts::SkinSet& Skins() const { return m_skins; }
    LBVScrollParts::Look CurrentLook() const;

    // ---- ISubclass -------------------------------------------------------------------------
    tavSCls40::EMsgResponse ISubclass_MsgResponse() override;
    winmsg::LRESULT ISubclass_WindowProc(winmsg::HWND window, winmsg::UINT message, winmsg::WPARAM wParam,
                                         winmsg::LPARAM lParam) override;

signals:
    // A mouse button went down on the bar (before anything else happens).
    void BarMouseDown();
    // The button went up again.
    void BarMouseUp();
    // The user moved the bar with an arrow or the track (Change) or by
    // dragging the thumb (Scroll); Value is the new value.
    void Change(long Value);
    void Scroll(long Value);
    // How far a page goes; Direction is a PageDirection.  Leave Amount at 0
    // for no paging.
    void QueryPageSize(int Direction, long& Amount);
    // The host fills `Skin` and `Source` for built-in piece `ResNumber`;
    // leaving either empty keeps the built-in piece.
    void QuerySkin(long ResNumber, SkinMapInfo& Skin, SkinSource& Source);

protected:
    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void hideEvent(QHideEvent* e) override;
    void leaveEvent(QEvent* e) override;

private:
    void SizeHandling();
    void RecomputeThumb();
    void Redraw();
    void PaintToWindow();
    void AttachSubclassing();
    void OnButtonDown(QPoint p);
    void OnButtonUp();
    void OnMouseMove(QPoint p, bool held);
    void OnTimer(std::uintptr_t id);
    // One step of a held arrow or track; false when nothing was stepped.
    bool StepPressedPart();
    bool PageTowards(PageDirection direction);
    bool MoveTo(long value);  // user move: clamps, raises Change when it moved
    void StopPress();

    // properties
    bool m_enabled = true;
    double m_itemsVisible = 0;
    double m_totalItems = 0;
    int m_metricsSize = 0;
    long m_value = 0;
    int m_dFormat = fmtGripper;
    int m_theme = 0;
    long m_smallChange = 1;
    long m_largeChange = 1;
    double m_min = 0;
    double m_max = 0;

    // state
    LBVScrollParts::Geometry m_geo;
    LBVScrollParts::SkinSet m_skins;
    LBVScrollParts::RepeatTimer m_repeat{this};
    LBVScrollParts::FrameThrottle m_throttle{this, LBVScrollParts::kTimerPaint};
    bool m_drawEnabled = true;
    bool m_dragging = false;
    double m_dragOffset = 0;  // pointer's offset into the thumb at the press, twips
    ScrollPart m_pressed = ScrollPart::None;
    ScrollPart m_hover = ScrollPart::None;
    int m_pointerY = 0;  // last pointer position over the bar, pixels
    std::unique_ptr<tavSCls40::Subclasser> m_subclasser;
};
