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

#include "LBVScrollParts.h"
#include "UserControl.h"
#include "suite/tavSCls40.h"

#include <memory>

class VSC : public UserControl, public tavSCls40::ISubclass {
    Q_OBJECT
public:
    using ScrollPart = LBVScrollParts::ScrollPart;
    enum Direction { towardsMin, towardsMax };

    // Defaults of the stored properties.
    static constexpr long kDefMax = 100;
    static constexpr long kDefSmallChange = 1;
    static constexpr long kDefLargeChange = 10;

    explicit VSC(QWidget* parent = nullptr, Ambient ambient = {});
    ~VSC() override;

    // ---- properties ----------------------------------------------------------------------
    bool Enabled() const { return m_enabled; }
    void SetEnabled(bool on);
    QWidget* hWnd() { return this; }
    int MetricsSize() const { return m_metricsSize; }
    void SetMetricsSize(int pixels);
    long PixelsVisible() const { return m_pixelsVisible; }
    void SetPixelsVisible(long n);
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
    long Min() const { return m_min; }
    void SetMin(long min);
    long Max() const { return m_max; }
    void SetMax(long max);

    // ---- methods ---------------------------------------------------------------------------
    void Refresh();
    void BeginUpdate();
    void EndUpdate();
    void ApplyCustomSkin();
    void ApplyDefaultSkin();

    // ---- host lifecycle --------------------------------------------------------------------------
    void InitProperties() override;
    void ReadProperties(const PropertyBag& bag) override;
    void WriteProperties(PropertyBag& bag) const override;

    // ---- state, for the host and for checks --------------------------------------------------------
    double ThumbTop() const { return m_geo.thumbTop; }
    double ThumbLength() const { return m_geo.thumbLength; }
    const LBVScrollParts::Geometry& Geometry() const { return m_geo; }
    ScrollPart HitTest(QPoint point) const;
    QRect UpArrowRect() const;
    QRect DownArrowRect() const;
    QRect TrackRect() const;
    QRect ThumbRect() const;
    bool IsDragging() const { return m_dragging; }
    ScrollPart PressedPart() const { return m_pressed; }
    ScrollPart HoverPart() const { return m_hover; }
    Direction PressDirection() const { return m_direction; }
    const LBVScrollParts::RepeatTimer& Repeat() const { return m_repeat; }
    const LBVScrollParts::SkinSet& Skins() const { return m_skins; }
    LBVScrollParts::Look CurrentLook() const;
    // The subclasser this bar's thread shares (null before the first attach).
    const tavSCls40::Subclasser* SharedSubclasser() const { return m_subclasser.get(); }

    // ---- ISubclass -----------------------------------------------------------------------------------
    tavSCls40::EMsgResponse ISubclass_MsgResponse() override;
    winmsg::LRESULT ISubclass_WindowProc(winmsg::HWND window, winmsg::UINT message, winmsg::WPARAM wParam,
                                         winmsg::LPARAM lParam) override;

signals:
    void Change();
    void Scroll();
    void BarMouseUp();
    // The host fills `Skin` and `Source` for built-in piece `ResNumber`;
    // leaving either empty keeps the built-in piece.
    void QuerySkin(long ResNumber, SkinMapInfo& Skin, SkinSource& Source);

protected:
    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void hideEvent(QHideEvent* e) override;

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
    void RepeatStep();
    void StartPress(Direction direction, ScrollPart part, long before);
    void StopPress();
    long Clamp(long value) const;
    void MarkChanged(const char* name) { emit PropertyChanged(QString::fromLatin1(name)); }

    // properties
    bool m_enabled = true;
    int m_metricsSize = 0;
    long m_pixelsVisible = 0;
    long m_value = 0;
    int m_dFormat = 0;
    int m_theme = 0;
    long m_smallChange = kDefSmallChange;
    long m_largeChange = kDefLargeChange;
    long m_min = 0;
    long m_max = kDefMax;

    // state
    LBVScrollParts::Geometry m_geo;
    LBVScrollParts::SkinSet m_skins;
    LBVScrollParts::RepeatTimer m_repeat{this};
    LBVScrollParts::FrameThrottle m_throttle{this, LBVScrollParts::kTimerPaint};
    bool m_drawEnabled = true;
    bool m_dragging = false;
    double m_dragOffset = 0;  // twips
    ScrollPart m_pressed = ScrollPart::None;
    ScrollPart m_hover = ScrollPart::None;
    Direction m_direction = towardsMin;
    int m_pointerY = 0;  // last pointer row over the track while held, pixels
    std::shared_ptr<tavSCls40::Subclasser> m_subclasser;
};
