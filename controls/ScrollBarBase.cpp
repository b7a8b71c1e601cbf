#include "controls/ScrollBarBase.h"

#include "controls/modSkinConstants.h"

#include <algorithm>
#include <utility>

using namespace scroll_bar;
using namespace scroll_range;

ScrollBarBase::ScrollBarBase(ControlSite& site, Ambient ambient, DoubleClick doubleClick, ThumbAfterDrag thumbAfterDrag,
                             Range range)
    : UserControl(site, std::move(ambient)),
      m_range(range),
      m_doubleClick(doubleClick),
      m_thumbAfterDrag(thumbAfterDrag) {
    m_skins.LoadDefault(m_theme);
}

ScrollBarBase::~ScrollBarBase() {
    m_terminating = true;
    m_repeat.Stop();
    Site().KillTimer(modSkinConstants::kHoverTimerId);
    Site().Subclass({});
    m_skins.Release();
}

void ScrollBarBase::AttachMessages(std::vector<winmsg::UINT> messages) {
    m_subclassed = true;
    Site().Subclass(messages);
}

// ---- methods ----------------------------------------------------------------------------------

void ScrollBarBase::Refresh() { Redraw(); }

void ScrollBarBase::BeginUpdate() { m_drawEnabled = false; }

void ScrollBarBase::EndUpdate() {
    m_drawEnabled = true;
    Redraw();
}

void ScrollBarBase::ApplyCustomSkin() {
    m_skins.LoadCustom(m_theme, [this](long res, SkinMapInfo& skin, SkinSource& source) {
        if (QuerySkin) QuerySkin(res, skin, source);
    });
    SizeHandling();
}

void ScrollBarBase::ApplyDefaultSkin() {
    m_skins.LoadDefault(m_theme);
    SizeHandling();
}

// ---- the range ---------------------------------------------------------------------------------

void ScrollBarBase::SetValue(Number value) {
    if (!m_range.SetValue(value)) return;
    if (!m_dragging) SizeHandling();
    RangeTaken(&RangeValues::Value);
}

void ScrollBarBase::SetSmallChange(Number step) {
    if (m_range.SetSmallChange(step)) RangeTaken(&RangeValues::SmallChange);
}

void ScrollBarBase::SetLargeChange(Number step) {
    if (m_range.SetLargeChange(step)) RangeTaken(&RangeValues::LargeChange);
}

void ScrollBarBase::SetMin(Number min) {
    m_range.SetMin(min);
    SizeHandling();
    RangeTaken(&RangeValues::Min);
}

void ScrollBarBase::SetMax(Number max) {
    m_range.SetMax(max);
    SizeHandling();
    RangeTaken(&RangeValues::Max);
}

// ---- geometry and drawing -----------------------------------------------------------------------

void ScrollBarBase::SizeHandling() {
    RecomputeThumb();
    Redraw();
}

void ScrollBarBase::RecomputeThumb() {
    m_geo.innerHeight = ToTwips(Site().ClientSize().cy);
    const double arrow = ToTwips(m_metricsSize > 0 ? m_metricsSize : m_skins.ButtonHeight());
    m_geo.topArrow = m_geo.bottomArrow = std::min(arrow, m_geo.innerHeight / 2);
    m_geo.thumbLength = NewThumbLength();
    if (m_dragging)
        m_geo.thumbTop = ClampThumbTop(m_geo, m_geo.thumbTop);
    else
        m_geo.thumbTop = scroll_range::ThumbTop(m_geo, m_range);
}

ScrollBarBase::ScrollPart ScrollBarBase::HitTest(gdi::POINT point) const {
    return scroll_range::HitTest(m_geo, Width(), point);
}
gdi::RECT ScrollBarBase::UpArrowRect() const { return scroll_range::UpArrowRect(m_geo, Width()); }
gdi::RECT ScrollBarBase::DownArrowRect() const { return scroll_range::DownArrowRect(m_geo, Width()); }
gdi::RECT ScrollBarBase::TrackRect() const { return scroll_range::TrackRect(m_geo, Width()); }
gdi::RECT ScrollBarBase::ThumbRect() const { return scroll_range::ThumbRect(m_geo, Width()); }

scroll_bar::Look ScrollBarBase::CurrentLook() const {
    Look look;
    const gdi::SIZE size = Site().ClientSize();
    look.width = size.cx;
    look.height = size.cy;
    look.enabled = m_enabled;
    look.showGripper = m_dFormat == 0;  // dFormat 0: gripper on the thumb
    look.up = StateOf(ScrollPart::UpArrow);
    look.down = StateOf(ScrollPart::DownArrow);
    look.thumb = m_dragging ? statePressed : StateOf(ScrollPart::Thumb);
    look.track =
        (m_pressed == ScrollPart::TrackAbove || m_pressed == ScrollPart::TrackBelow) ? statePressed : stateNormal;
    return look;
}

void ScrollBarBase::Redraw() {
    if (!m_terminating) m_throttle.Request(m_subclassed, FrameThrottle<ControlSite>::NowMs());
}

void ScrollBarBase::PaintToWindow() {
    if (!m_drawEnabled) return;
    scroll_bar::Paint(Site().Window(), m_skins, m_geo, CurrentLook());
}

// ---- messages ----------------------------------------------------------------------------------------

MessageResponse ScrollBarBase::MsgResponse(winmsg::UINT message) {
    return message == winmsg::WM_PAINT ? MessageResponse::Consume : MessageResponse::Preprocess;
}

winmsg::LRESULT ScrollBarBase::WindowProc(winmsg::UINT message, winmsg::WPARAM wParam, winmsg::LPARAM lParam) {
    const gdi::POINT p{winmsg::GET_X_LPARAM(lParam), winmsg::GET_Y_LPARAM(lParam)};
    switch (message) {
        case winmsg::WM_PAINT: PaintToWindow(); break;
        case winmsg::WM_SIZE: SizeHandling(); break;
        case winmsg::WM_SHOWWINDOW:
            if (wParam == 0) OnHidden();
            break;
        case winmsg::WM_LBUTTONDBLCLK:
            if (m_doubleClick == DoubleClick::Presses && m_enabled) Press(p);
            break;
        case winmsg::WM_LBUTTONDOWN:
            if (m_enabled) Press(p);
            break;
        case winmsg::WM_LBUTTONUP:
            if (m_enabled) OnButtonUp();
            break;
        case winmsg::WM_MOUSEMOVE:
            if (m_enabled) OnMouseMove(p, (wParam & winmsg::MK_LBUTTON) != 0);
            break;
        case winmsg::WM_TIMER: OnTimer(wParam); break;
        default: break;
    }
    return 0;
}

void ScrollBarBase::OnTimer(std::uintptr_t id) {
    if (m_throttle.OnTimer(id, FrameThrottle<ControlSite>::NowMs())) return;
    if (id == modSkinConstants::kHoverTimerId) {
        // The hover ends once the pointer has left and nothing is held.
        const gdi::POINT at = Site().CursorPos();
        if (m_pressed == ScrollPart::None && !m_dragging && !ClientContains(at.x, at.y)) {
            Site().KillTimer(id);
            m_hover = ScrollPart::None;
            Redraw();
        }
        return;
    }
    if (m_repeat.OnTimer(id) == scroll_bar::RepeatTimer::Tick::Step) RepeatStep();
}

void ScrollBarBase::OnHidden() {
    StopPress();
    m_throttle.Flush(FrameThrottle<ControlSite>::NowMs());
}

// The bar keeps the mouse while the button is held, so that a drag or a held
// arrow ends where the button goes up, wherever the pointer has gone.
void ScrollBarBase::Press(gdi::POINT p) {
    Site().SetCapture(true);
    OnButtonDown(p);
}

void ScrollBarBase::StopPress() {
    if (Site().HasCapture()) Site().SetCapture(false);
    m_repeat.Stop();
    const bool wasDragging = std::exchange(m_dragging, false);
    m_pressed = ScrollPart::None;
    if (wasDragging && m_thumbAfterDrag == ThumbAfterDrag::Settles) RecomputeThumb();
    Redraw();
}

void ScrollBarBase::StartThumbDrag(gdi::POINT p) {
    m_pressed = ScrollPart::Thumb;
    m_dragging = true;
    m_dragOffset = ToTwips(p.y) - m_geo.thumbTop;
}

void ScrollBarBase::OnMouseMove(gdi::POINT p, bool held) {
    if (!Site().IsTimerRunning(modSkinConstants::kHoverTimerId))
        Site().SetTimer(modSkinConstants::kHoverTimerId, modSkinConstants::kHoverTimerMs);
    if (m_dragging) {
        m_geo.thumbTop = ClampThumbTop(m_geo, ToTwips(p.y) - m_dragOffset);
        if (m_range.SetValue(ValueFromThumb(m_geo, m_geo.thumbTop, m_range))) RaiseScroll();
        Redraw();
        return;
    }
    const ScrollPart part = HitTest(p);
    if (held && (part == ScrollPart::TrackAbove || part == ScrollPart::TrackBelow)) m_pointerY = p.y;
    if (part != m_hover) {
        m_hover = part;
        Redraw();
    }
}
