// ScrollBarBase: the widget half the two skinned vertical scroll bars share.
//
// LBVScroll (inside the list box) and VSC (stand-alone) draw the same skin
// strips with the same geometry (LBVScrollParts.h).  This class holds what
// they also share as controls: the state the parts need, skin loading,
// drawing, the subclassed messages, dragging the thumb and hover.  Each bar
// keeps its own rules: how long the thumb is, its range, what a press and a
// repeat step do, which events it raises and how a part looks when held.
#pragma once

#include "LBVScrollParts.h"
#include "UserControl.h"
#include "suite/tavSCls40.h"

#include <cstdint>
#include <initializer_list>
#include <memory>

class ScrollBarBase : public UserControl, public tavSCls40::ISubclass {
    Q_OBJECT
public:
    using ScrollPart = LBVScrollParts::ScrollPart;
    // Whether a double click on the bar counts as another press.
    enum class DoubleClick { Ignored, Presses };

    ~ScrollBarBase() override;

    // ---- properties both bars have ------------------------------------------------------
    bool Enabled() const { return m_enabled; }
    QWidget* hWnd() { return this; }
    int MetricsSize() const { return m_metricsSize; }
    long Value() const { return m_value; }
    int dFormat() const { return m_dFormat; }
    int Theme() const { return m_theme; }

    // ---- methods ------------------------------------------------------------------------
    void Refresh();
    void BeginUpdate();
    void EndUpdate();
    void ApplyCustomSkin();
    void ApplyDefaultSkin();

    // ---- state, for the host and for checks ----------------------------------------------
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
    const LBVScrollParts::SkinSet& Skins() const { return m_skins; }
    // What the bar looks like now.
    LBVScrollParts::Look CurrentLook() const;

    // ---- ISubclass -------------------------------------------------------------------------
    tavSCls40::EMsgResponse ISubclass_MsgResponse() override;
    winmsg::LRESULT ISubclass_WindowProc(winmsg::HWND window, winmsg::UINT message, winmsg::WPARAM wParam,
                                         winmsg::LPARAM lParam) override;

signals:
    // The button went up again.
    void BarMouseUp();
    // The host fills `Skin` and `Source` for built-in piece `ResNumber`;
    // leaving either empty keeps the built-in piece.
    void QuerySkin(long ResNumber, SkinMapInfo& Skin, SkinSource& Source);

protected:
    ScrollBarBase(QWidget* parent, Ambient ambient, DoubleClick doubleClick);

    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;

    // ---- what each bar decides ----------------------------------------------------------------
    // The thumb length for the current track (m_geo's arrows are already placed).
    virtual double NewThumbLength() const = 0;
    // The range Value moves in.
    virtual double RangeMin() const = 0;
    virtual double RangeMax() const = 0;
    virtual void OnButtonDown(QPoint p) = 0;
    virtual void OnButtonUp() = 0;
    virtual void OnTimer(std::uintptr_t id) = 0;
    // Dragging the thumb has just changed m_value.
    virtual void RaiseScroll() = 0;
    // How an arrow or the thumb looks; each bar has its own rule for held parts.
    virtual LBVScrollParts::PartState StateOf(ScrollPart part) const = 0;

    // ---- shared steps -------------------------------------------------------------------------
    void SizeHandling();
    void RecomputeThumb();
    void Redraw();
    void PaintToWindow();
    // Routes `messages` of this bar to ISubclass_WindowProc through m_subclasser.
    void AttachMessages(std::initializer_list<winmsg::UINT> messages);
    // A press at `p` on the thumb: the thumb follows the pointer from now on.
    void StartThumbDrag(QPoint p);
    void OnMouseMove(QPoint p, bool held);
    void StopPress();

    // properties
    bool m_enabled = true;
    int m_metricsSize = 0;
    long m_value = 0;
    int m_dFormat = 0;
    int m_theme = 0;

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
    int m_pointerY = 0;  // last pointer row over the track while held, pixels
    std::shared_ptr<tavSCls40::Subclasser> m_subclasser;

private:
    DoubleClick m_doubleClick;
};
