// ScrollBarBase: what the two skinned vertical scroll bars share as controls.
//
// LBVScroll (inside the list box) and VSC (stand-alone) share one range model
// and thumb arithmetic (scroll_range.h), skin strips and drawing
// (scroll_bar_skin.h) and auto-repeat (repeat_timer.h).  This class holds
// what they also share as controls: the range and the parts' state, skin
// loading, drawing, the subclassed messages, dragging the thumb and hover.
// Each bar keeps its own rules: how long the thumb is, what a press and a
// repeat step do, which events it raises and how a part looks when held.
#pragma once

#include "controls/UserControl.h"
#include "controls/frame_throttle.h"
#include "controls/repeat_timer.h"
#include "controls/scroll_bar_skin.h"
#include "controls/scroll_range.h"

#include <cstdint>
#include <functional>
#include <vector>

class ScrollBarBase : public UserControl {
  public:
    using ScrollPart = scroll_range::Part;
    using Number = scroll_range::Number;
    // Whether a double click on the bar counts as another press.
    enum class DoubleClick { Ignored, Presses };
    // Where a dragged thumb goes when the press ends: where it was let go (until Value next
    // changes), or where its Value puts it.
    enum class ThumbAfterDrag { StaysPut, Settles };

    ~ScrollBarBase() override;

    // The bars never take the focus: a click leaves it where it is and Tab passes them by.
    static constexpr Focus kFocus = Focus::Refused;

    // ---- events both bars raise ------------------------------------------------------------
    // The button went up again.
    std::function<void()> BarMouseUp;
    // The host fills `Skin` and `Source` for built-in piece `ResNumber`;
    // leaving either empty keeps the built-in piece.
    std::function<void(long ResNumber, SkinMapInfo& Skin, SkinSource& Source)> QuerySkin;

    // ---- properties both bars have ------------------------------------------------------
    bool Enabled() const { return m_enabled; }
    void SetEnabled(bool on) { SetSharedProperty(&ScrollBarBase::m_enabled, on); }
    int MetricsSize() const { return m_metricsSize; }
    void SetMetricsSize(int pixels) { SetSharedProperty(&ScrollBarBase::m_metricsSize, pixels); }
    Number Value() const { return m_range.Value(); }
    Number SmallChange() const { return m_range.SmallChange(); }
    Number LargeChange() const { return m_range.LargeChange(); }
    Number Min() const { return m_range.Min(); }
    Number Max() const { return m_range.Max(); }
    int dFormat() const { return m_dFormat; }
    void SetdFormat(int format) { SetSharedProperty(&ScrollBarBase::m_dFormat, format); }
    int Theme() const { return m_theme; }
    void SetTheme(int theme) { SetSharedProperty(&ScrollBarBase::m_theme, theme); }
    // The range's setters obey scroll_range::Range's rules; the thumb follows
    // unless it is being dragged.
    void SetValue(Number value);
    void SetSmallChange(Number step);
    void SetLargeChange(Number step);
    void SetMin(Number min);
    void SetMax(Number max);

    // ---- methods ------------------------------------------------------------------------
    void Refresh();
    void BeginUpdate();
    void EndUpdate();
    void ApplyCustomSkin();
    void ApplyDefaultSkin();

    // ---- state, for the host and for checks ----------------------------------------------
    double ThumbTop() const { return m_geo.thumbTop; }
    double ThumbLength() const { return m_geo.thumbLength; }
    const scroll_range::Track& Geometry() const { return m_geo; }
    ScrollPart HitTest(gdi::POINT point) const;
    gdi::RECT UpArrowRect() const;
    gdi::RECT DownArrowRect() const;
    gdi::RECT TrackRect() const;
    gdi::RECT ThumbRect() const;
    bool IsDragging() const { return m_dragging; }
    ScrollPart PressedPart() const { return m_pressed; }
    const scroll_bar::SkinSet& Skins() const { return m_skins; }
    // What the bar looks like now.
    scroll_bar::Look CurrentLook() const;

    MessageResponse MsgResponse(winmsg::UINT message) override;
    winmsg::LRESULT WindowProc(winmsg::UINT message, winmsg::WPARAM wParam, winmsg::LPARAM lParam) override;

  protected:
    ScrollBarBase(ControlSite& site, Ambient ambient, DoubleClick doubleClick, ThumbAfterDrag thumbAfterDrag,
                  scroll_range::Range range);

    // ---- what each bar decides ----------------------------------------------------------------
    // The thumb length for the current track (m_geo's arrows are already placed).
    virtual double NewThumbLength() const = 0;
    virtual void OnButtonDown(gdi::POINT p) = 0;
    virtual void OnButtonUp() = 0;
    // Dragging the thumb has just changed Value.
    virtual void RaiseScroll() = 0;
    // A repeat tick of the held arrow or track.
    virtual void RepeatStep() = 0;
    // The bar was hidden: the press ends.
    virtual void OnHidden();
    // How an arrow or the thumb looks; each bar has its own rule for held parts.
    virtual scroll_bar::PartState StateOf(ScrollPart part) const = 0;
    // Sets a property both bars have through the bar's own row for it (each
    // bar stores it, or not, and reacts to it in its own way).
    virtual void SetSharedProperty(bool ScrollBarBase::*member, bool value) = 0;
    virtual void SetSharedProperty(int ScrollBarBase::*member, int value) = 0;
    // A setter has taken a new value for `field` of the range (a bar that
    // stores its range marks the property changed).
    virtual void RangeTaken(scroll_range::Number scroll_range::RangeValues::*) {}

    // ---- shared steps -------------------------------------------------------------------------
    void SizeHandling();
    void RecomputeThumb();
    void Redraw();
    void PaintToWindow();
    // Asks the host for `messages` of this bar (run mode).
    void AttachMessages(std::vector<winmsg::UINT> messages);
    // A press at `p` on the thumb: the thumb follows the pointer from now on.
    void StartThumbDrag(gdi::POINT p);
    void OnMouseMove(gdi::POINT p, bool held);
    void StopPress();

    // properties
    bool m_enabled = true;
    int m_metricsSize = 0;
    scroll_range::Range m_range;
    int m_dFormat = 0;
    int m_theme = 0;

    // state
    scroll_range::Track m_geo;
    scroll_bar::SkinSet m_skins;
    scroll_bar::RepeatTimer m_repeat{Site()};
    FrameThrottle<ControlSite> m_throttle{Site(), scroll_bar::kTimerPaint};
    bool m_subclassed = false;
    bool m_drawEnabled = true;
    bool m_dragging = false;
    double m_dragOffset = 0;  // pointer's offset into the thumb at the press, twips
    ScrollPart m_pressed = ScrollPart::None;
    ScrollPart m_hover = ScrollPart::None;
    int m_pointerY = 0;  // last pointer row over the track while held, pixels

  private:
    void OnTimer(std::uintptr_t id);
    void Press(gdi::POINT p);
    int Width() const { return Site().ClientSize().cx; }

    DoubleClick m_doubleClick;
    ThumbAfterDrag m_thumbAfterDrag;
    bool m_terminating = false;
};
