#include "controls/ScrollBarBase.h"

#include "controls/modSkinConstants.h"

#include <algorithm>
#include <utility>

using namespace scroll_bar;
using namespace scroll_range;

ScrollBarBase::ScrollBarBase(QWidget* parent, QtAmbient ambient, DoubleClick doubleClick, ThumbAfterDrag thumbAfterDrag,
                             Range range)
    : QtUserControl(parent, std::move(ambient)),
      m_range(range),
      m_doubleClick(doubleClick),
      m_thumbAfterDrag(thumbAfterDrag) {
    setAttribute(Qt::WA_OpaquePaintEvent, true);
    setMouseTracking(true);
    m_skins.LoadDefault(m_theme);
}

ScrollBarBase::~ScrollBarBase() {
    m_repeat.Stop();
    winmsg::KillTimer(this, modSkinConstants::kHoverTimerId);
    if (m_subclasser) m_subclasser->DetachAll(this);
    m_skins.Release();
}

void ScrollBarBase::AttachMessages(std::initializer_list<winmsg::UINT> messages) {
    m_subclasser->DetachAll(this);
    for (auto msg : messages) m_subclasser->AttachMessage(this, this, msg);
}

// ---- methods ----------------------------------------------------------------------------------

void ScrollBarBase::Refresh() { Redraw(); }

void ScrollBarBase::BeginUpdate() { m_drawEnabled = false; }

void ScrollBarBase::EndUpdate() {
    m_drawEnabled = true;
    Redraw();
}

void ScrollBarBase::ApplyCustomSkin() {
    m_skins.LoadCustom(m_theme,
                       [this](long res, SkinMapInfo& skin, SkinSource& source) { emit QuerySkin(res, skin, source); });
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
    m_geo.innerHeight = ToTwips(height());
    const double arrow = ToTwips(m_metricsSize > 0 ? m_metricsSize : m_skins.ButtonHeight());
    m_geo.topArrow = m_geo.bottomArrow = std::min(arrow, m_geo.innerHeight / 2);
    m_geo.thumbLength = NewThumbLength();
    if (m_dragging)
        m_geo.thumbTop = ClampThumbTop(m_geo, m_geo.thumbTop);
    else
        m_geo.thumbTop = scroll_range::ThumbTop(m_geo, m_range);
}

ScrollBarBase::ScrollPart ScrollBarBase::HitTest(QPoint point) const {
    return scroll_range::HitTest(m_geo, width(), point);
}
QRect ScrollBarBase::UpArrowRect() const { return scroll_range::UpArrowRect(m_geo, width()); }
QRect ScrollBarBase::DownArrowRect() const { return scroll_range::DownArrowRect(m_geo, width()); }
QRect ScrollBarBase::TrackRect() const { return scroll_range::TrackRect(m_geo, width()); }
QRect ScrollBarBase::ThumbRect() const { return scroll_range::ThumbRect(m_geo, width()); }

scroll_bar::Look ScrollBarBase::CurrentLook() const {
    Look look;
    look.width = width();
    look.height = height();
    look.enabled = m_enabled;
    look.showGripper = m_dFormat == 0;  // dFormat 0: gripper on the thumb
    look.up = StateOf(ScrollPart::UpArrow);
    look.down = StateOf(ScrollPart::DownArrow);
    look.thumb = m_dragging ? statePressed : StateOf(ScrollPart::Thumb);
    look.track =
        (m_pressed == ScrollPart::TrackAbove || m_pressed == ScrollPart::TrackBelow) ? statePressed : stateNormal;
    return look;
}

void ScrollBarBase::Redraw() { m_throttle.Request(m_subclasser != nullptr, FrameThrottle::NowMs()); }

void ScrollBarBase::PaintToWindow() {
    if (!m_drawEnabled) return;
    scroll_bar::Paint(this, m_skins, m_geo, CurrentLook());
}

void ScrollBarBase::paintEvent(QPaintEvent*) { PaintToWindow(); }

void ScrollBarBase::resizeEvent(QResizeEvent*) { SizeHandling(); }

// ---- mouse -------------------------------------------------------------------------------------------

tavSCls40::EMsgResponse ScrollBarBase::ISubclass_MsgResponse() {
    const auto msg = m_subclasser ? m_subclasser->CurrentMessage() : 0;
    return msg == winmsg::WM_PAINT ? tavSCls40::emrConsume : tavSCls40::emrPreprocess;
}

winmsg::LRESULT ScrollBarBase::ISubclass_WindowProc(winmsg::HWND, winmsg::UINT message, winmsg::WPARAM wParam,
                                                    winmsg::LPARAM lParam) {
    const QPoint p(winmsg::GET_X_LPARAM(lParam), winmsg::GET_Y_LPARAM(lParam));
    switch (message) {
        case winmsg::WM_PAINT: PaintToWindow(); break;
        case winmsg::WM_LBUTTONDBLCLK:
            if (m_doubleClick == DoubleClick::Presses && m_enabled) OnButtonDown(p);
            break;
        case winmsg::WM_LBUTTONDOWN:
            if (m_enabled) OnButtonDown(p);
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

void ScrollBarBase::StopPress() {
    m_repeat.Stop();
    const bool wasDragging = std::exchange(m_dragging, false);
    m_pressed = ScrollPart::None;
    if (wasDragging && m_thumbAfterDrag == ThumbAfterDrag::Settles) RecomputeThumb();
    Redraw();
}

void ScrollBarBase::StartThumbDrag(QPoint p) {
    m_pressed = ScrollPart::Thumb;
    m_dragging = true;
    m_dragOffset = ToTwips(p.y()) - m_geo.thumbTop;
}

void ScrollBarBase::OnMouseMove(QPoint p, bool held) {
    if (!winmsg::IsTimerRunning(this, modSkinConstants::kHoverTimerId))
        winmsg::SetTimer(this, modSkinConstants::kHoverTimerId, modSkinConstants::kHoverTimerMs);
    if (m_dragging) {
        m_geo.thumbTop = ClampThumbTop(m_geo, ToTwips(p.y()) - m_dragOffset);
        if (m_range.SetValue(ValueFromThumb(m_geo, m_geo.thumbTop, m_range))) RaiseScroll();
        Redraw();
        return;
    }
    const ScrollPart part = HitTest(p);
    if (held && (part == ScrollPart::TrackAbove || part == ScrollPart::TrackBelow)) m_pointerY = p.y();
    if (part != m_hover) {
        m_hover = part;
        Redraw();
    }
}
