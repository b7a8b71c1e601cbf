#include "LBVScroll.h"

#include "modSkinConstants.h"
#include "suite/tavMFC40.h"

#include <QHideEvent>

#include <algorithm>
#include <cmath>

using namespace LBVScrollParts;

LBVScroll::LBVScroll(QWidget* parent, Ambient ambient)
    : ScrollBarBase(parent, std::move(ambient), DoubleClick::Presses) {
    RecomputeThumb();
}

LBVScroll::~LBVScroll() = default;

// ---- lifecycle -------------------------------------------------------------------------------

void LBVScroll::InitProperties() {
    if (UserMode()) AttachSubclassing();
    SizeHandling();
}

void LBVScroll::ReadProperties(const PropertyBag&) {
    if (UserMode()) AttachSubclassing();
    SizeHandling();
}

void LBVScroll::WriteProperties(PropertyBag&) const {}

void LBVScroll::AttachSubclassing() {
    if (!m_subclasser) m_subclasser = std::make_shared<tavSCls40::Subclasser>();
    AttachMessages({winmsg::WM_PAINT, winmsg::WM_TIMER, winmsg::WM_MOUSEMOVE, winmsg::WM_LBUTTONDOWN,
                    winmsg::WM_LBUTTONUP, winmsg::WM_LBUTTONDBLCLK});
}

// ---- properties --------------------------------------------------------------------------------

void LBVScroll::SetEnabled(bool on) {
    m_enabled = on;
    if (!on) StopPress();
    Redraw();
}

void LBVScroll::SetItemsVisible(double n) {
    m_itemsVisible = n;
    RecomputeThumb();
    Redraw();
}

void LBVScroll::SetTotalItems(double n) {
    m_totalItems = n;
    RecomputeThumb();
    Redraw();
}

void LBVScroll::SetMetricsSize(int pixels) {
    m_metricsSize = pixels;
    SizeHandling();
}

long LBVScroll::Clamp(long value) const {
    return static_cast<long>(std::clamp(static_cast<double>(value), m_min, std::max(m_min, m_max)));
}

void LBVScroll::SetValue(long value) {
    const long clamped = Clamp(value);
    if (clamped == m_value) return;
    m_value = clamped;
    if (!m_dragging) {
        RecomputeThumb();
        Redraw();
    }
}

void LBVScroll::SetdFormat(int format) {
    m_dFormat = format;
    Redraw();
}

void LBVScroll::SetTheme(int theme) {
    // The pieces keep the theme they were loaded with until the next
    // ApplyDefaultSkin.
    m_theme = theme;
    Redraw();
}

void LBVScroll::SetSmallChange(long n) {
    if (n <= std::fabs(m_max - m_min)) m_smallChange = n;
}

void LBVScroll::SetLargeChange(long n) {
    if (n <= std::fabs(m_max - m_min)) m_largeChange = n;
}

void LBVScroll::SetMin(double min) {
    m_min = min;
    if (m_value < m_min) m_value = static_cast<long>(std::ceil(m_min));
    RecomputeThumb();
    Redraw();
}

void LBVScroll::SetMax(double max) {
    m_max = max < m_min ? m_min + 1 : max;
    if (m_value > m_max) m_value = static_cast<long>(std::floor(m_max));
    RecomputeThumb();
    Redraw();
}

// ---- geometry ------------------------------------------------------------------------------------------

double LBVScroll::NewThumbLength() const {
    return LBVScrollParts::ThumbLength(m_geo, m_itemsVisible, m_totalItems, m_skins.MinThumb(), m_geo.thumbLength);
}

// ---- drawing --------------------------------------------------------------------------------------------

LBVScrollParts::PartState LBVScroll::StateOf(ScrollPart part) const {
    if (m_pressed == part) return statePressed;
    return m_hover == part ? stateHover : stateNormal;
}

void LBVScroll::hideEvent(QHideEvent*) {
    StopPress();
    m_throttle.Flush(NowMs());
}

void LBVScroll::leaveEvent(QEvent*) {
    // Without a held button the pointer has really gone.
    if (m_pressed == ScrollPart::None && !m_dragging) m_repeat.Stop();
}

// ---- mouse -------------------------------------------------------------------------------------------------

void LBVScroll::OnButtonDown(QPoint p) {
    emit BarMouseDown();
    m_pointerY = p.y();
    const ScrollPart part = HitTest(p);
    switch (part) {
        case ScrollPart::UpArrow:
            m_pressed = part;
            MoveTo(m_value - m_smallChange);
            m_repeat.Start();
            break;
        case ScrollPart::DownArrow:
            m_pressed = part;
            MoveTo(m_value + m_smallChange);
            m_repeat.Start();
            break;
        case ScrollPart::Thumb:
            StartThumbDrag(p);
            break;
        case ScrollPart::TrackAbove:
        case ScrollPart::TrackBelow:
            m_pressed = part;
            PageTowards(part == ScrollPart::TrackAbove ? pageTowardsMin : pageTowardsMax);
            m_repeat.Start();
            break;
        case ScrollPart::None: break;
    }
    Redraw();
}

void LBVScroll::OnButtonUp() {
    StopPress();
    emit BarMouseUp();
}

void LBVScroll::OnTimer(std::uintptr_t id) {
    if (m_throttle.OnTimer(id, NowMs())) return;
    if (id == modSkinConstants::kHoverTimerId) {
        if (m_pressed == ScrollPart::None && !rect().contains(mapFromGlobal(tavMFC40::GetCursorPos()))) {
            winmsg::KillTimer(this, id);
            m_hover = ScrollPart::None;
            Redraw();
        }
        return;
    }
    if (m_repeat.OnTimer(id) == RepeatTimer::Tick::Step) {
        StepPressedPart();
        Redraw();
    }
}

void LBVScroll::StepPressedPart() {
    const double pointer = ToTwips(m_pointerY);
    switch (m_pressed) {
        case ScrollPart::UpArrow:
        case ScrollPart::DownArrow:
            // No step while the pointer is off the held arrow.
            if (m_hover == m_pressed)
                MoveTo(m_pressed == ScrollPart::UpArrow ? m_value - m_smallChange : m_value + m_smallChange);
            break;
        case ScrollPart::TrackAbove:
            if (m_geo.thumbTop > pointer) PageTowards(pageTowardsMin);
            else m_repeat.StopRepeat();
            break;
        case ScrollPart::TrackBelow:
            if (m_geo.ThumbBottom() < pointer) PageTowards(pageTowardsMax);
            else m_repeat.StopRepeat();
            break;
        default: break;
    }
}

void LBVScroll::PageTowards(PageDirection direction) {
    long amount = 0;
    emit QueryPageSize(direction, amount);
    if (amount != 0) MoveTo(direction == pageTowardsMin ? m_value - amount : m_value + amount);
}

void LBVScroll::MoveTo(long value) {
    const long clamped = Clamp(value);
    if (clamped == m_value) return;
    m_value = clamped;
    RecomputeThumb();
    emit Change(m_value);
}
