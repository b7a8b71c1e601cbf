#include "VSC.h"

#include "modSkinConstants.h"
#include "suite/tavMFC40.h"

#include <algorithm>

using namespace LBVScrollParts;

namespace {

// One subclasser for all bars of a thread; it lives while any bar uses it.
std::shared_ptr<tavSCls40::Subclasser> threadSubclasser() {
    thread_local std::weak_ptr<tavSCls40::Subclasser> shared;
    auto s = shared.lock();
    if (!s) {
        s = std::make_shared<tavSCls40::Subclasser>();
        shared = s;
    }
    return s;
}

}  // namespace

VSC::VSC(QWidget* parent, Ambient ambient) : ScrollBarBase(parent, std::move(ambient), DoubleClick::Ignored) {
    RecomputeThumb();
}

VSC::~VSC() = default;

// ---- lifecycle -----------------------------------------------------------------------------------

void VSC::InitProperties() {
    if (UserMode()) AttachSubclassing();
    SizeHandling();
}

void VSC::ReadProperties(const PropertyBag& bag) {
    m_enabled = bag.Read<bool>("Enabled", true);
    m_min = bag.Read<long>("Min", 0);
    m_max = bag.Read<long>("Max", kDefMax);
    m_value = bag.Read<long>("Value", 0);
    m_smallChange = bag.Read<long>("SmallChange", kDefSmallChange);
    m_largeChange = bag.Read<long>("LargeChange", kDefLargeChange);
    m_pixelsVisible = bag.Read<long>("PixelsVisible", 0);
    m_metricsSize = bag.Read<int>("MetricsSize", 0);
    m_dFormat = bag.Read<int>("dFormat", 0);
    m_theme = bag.Read<int>("Theme", 0);
    m_skins.LoadDefault(m_theme);
    if (UserMode()) AttachSubclassing();
    SizeHandling();
}

void VSC::WriteProperties(PropertyBag& bag) const {
    bag.Write<bool>("Enabled", m_enabled, true);
    bag.Write<long>("Min", m_min, 0);
    bag.Write<long>("Max", m_max, kDefMax);
    bag.Write<long>("Value", m_value, 0);
    bag.Write<long>("SmallChange", m_smallChange, kDefSmallChange);
    bag.Write<long>("LargeChange", m_largeChange, kDefLargeChange);
    bag.Write<long>("PixelsVisible", m_pixelsVisible, 0);
    bag.Write<int>("MetricsSize", m_metricsSize, 0);
    bag.Write<int>("dFormat", m_dFormat, 0);
    bag.Write<int>("Theme", m_theme, 0);
}

void VSC::AttachSubclassing() {
    if (!m_subclasser) m_subclasser = threadSubclasser();
    AttachMessages({winmsg::WM_PAINT, winmsg::WM_TIMER, winmsg::WM_MOUSEMOVE, winmsg::WM_LBUTTONDOWN,
                    winmsg::WM_LBUTTONUP});
}

// ---- properties ---------------------------------------------------------------------------------------

long VSC::Clamp(long value) const { return std::clamp(value, m_min, std::max(m_min, m_max)); }

void VSC::SetEnabled(bool on) {
    m_enabled = on;
    if (!on) {
        StopPress();
        m_hover = ScrollPart::None;
    }
    Redraw();
    MarkChanged("Enabled");
}

void VSC::SetMetricsSize(int pixels) {
    m_metricsSize = pixels;
    SizeHandling();
    MarkChanged("MetricsSize");
}

void VSC::SetPixelsVisible(long n) {
    m_pixelsVisible = n;
    RecomputeThumb();
    Redraw();
    MarkChanged("PixelsVisible");
}

void VSC::SetValue(long value) {
    const long v = Clamp(value);
    if (v == m_value) return;
    m_value = v;
    if (!m_dragging) {
        RecomputeThumb();
        Redraw();
    }
    MarkChanged("Value");
}

void VSC::SetdFormat(int format) {
    m_dFormat = format;
    Redraw();
    MarkChanged("dFormat");
}

void VSC::SetTheme(int theme) {
    // The pieces keep their theme until the next ApplyDefaultSkin.
    m_theme = theme;
    Redraw();
    MarkChanged("Theme");
}

void VSC::SetSmallChange(long n) {
    if (n > std::labs(m_max - m_min)) return;
    m_smallChange = n;
    MarkChanged("SmallChange");
}

void VSC::SetLargeChange(long n) {
    if (n > std::labs(m_max - m_min)) return;
    m_largeChange = n;
    MarkChanged("LargeChange");
}

void VSC::SetMin(long min) {
    m_min = min;
    if (m_value < m_min) m_value = m_min;
    RecomputeThumb();
    Redraw();
    MarkChanged("Min");
}

void VSC::SetMax(long max) {
    m_max = max < m_min ? m_min + 1 : max;
    if (m_value > m_max) m_value = m_max;
    RecomputeThumb();
    Redraw();
    MarkChanged("Max");
}

// ---- geometry and drawing ---------------------------------------------------------------------------------------

double VSC::NewThumbLength() const {
    const double range = static_cast<double>(m_max - m_min);
    const double visible = static_cast<double>(m_pixelsVisible);
    return m_pixelsVisible > 0 ? LBVScrollParts::ThumbLength(m_geo, visible, visible + range, m_skins.MinThumb(), 0)
                               : std::min(m_skins.MinThumb(), m_geo.Track());
}

LBVScrollParts::PartState VSC::StateOf(ScrollPart part) const {
    // A part under the pointer shows hover, or pressed while the button is held.
    if (m_hover != part) return stateNormal;
    return m_pressed != ScrollPart::None ? statePressed : stateHover;
}

void VSC::hideEvent(QHideEvent*) {
    StopPress();
    m_throttle.Flush(NowMs());
    winmsg::KillTimer(this, modSkinConstants::kHoverTimerId);
    m_hover = ScrollPart::None;
}

// ---- mouse -------------------------------------------------------------------------------------------------------------

void VSC::OnButtonDown(QPoint p) {
    const long before = m_value;
    const ScrollPart part = HitTest(p);
    m_hover = part;
    switch (part) {
        case ScrollPart::UpArrow:
            m_value = std::max(m_min, m_value - m_smallChange);
            StartPress(towardsMin, part, before);
            break;
        case ScrollPart::DownArrow:
            m_value = std::min(m_max, m_value + m_smallChange);
            StartPress(towardsMax, part, before);
            break;
        case ScrollPart::Thumb:
            StartThumbDrag(p);
            break;
        case ScrollPart::TrackAbove:
        case ScrollPart::TrackBelow: {
            m_pointerY = p.y();
            // Above or below the thumb's bottom edge.
            const bool up = ToTwips(p.y()) < m_geo.ThumbBottom();
            m_value = up ? std::max(m_min, m_value - m_largeChange) : std::min(m_max, m_value + m_largeChange);
            StartPress(up ? towardsMin : towardsMax, up ? ScrollPart::TrackAbove : ScrollPart::TrackBelow, before);
            break;
        }
        case ScrollPart::None: break;
    }
    Redraw();
}

void VSC::StartPress(Direction direction, ScrollPart part, long before) {
    m_direction = direction;
    m_pressed = part;
    RecomputeThumb();
    Redraw();
    if (m_value != before) emit Change();
    m_repeat.Start();
}

void VSC::OnButtonUp() {
    const bool wasDragging = m_dragging;
    StopPress();
    if (wasDragging) emit BarMouseUp();
}

void VSC::OnTimer(std::uintptr_t id) {
    if (m_throttle.OnTimer(id, NowMs())) return;
    if (id == modSkinConstants::kHoverTimerId) {
        if (m_pressed == ScrollPart::None && !m_dragging &&
            !rect().contains(mapFromGlobal(tavMFC40::GetCursorPos()))) {
            winmsg::KillTimer(this, id);
            m_hover = ScrollPart::None;
            Redraw();
        }
        return;
    }
    if (m_repeat.OnTimer(id) == RepeatTimer::Tick::Step) RepeatStep();
}

void VSC::RepeatStep() {
    const long before = m_value;
    const double pointer = ToTwips(m_pointerY);
    switch (m_pressed) {
        case ScrollPart::TrackAbove:
        case ScrollPart::TrackBelow:
            if (m_direction == towardsMin) {
                if (m_geo.thumbTop > pointer) m_value = std::max(m_min, m_value - m_largeChange);
                else m_repeat.StopRepeat();
            } else {
                if (m_geo.ThumbBottom() < pointer) m_value = std::min(m_max, m_value + m_largeChange);
                else m_repeat.StopRepeat();
            }
            break;
        case ScrollPart::UpArrow:
            if (m_hover == ScrollPart::UpArrow) m_value = std::max(m_min, m_value - m_smallChange);
            break;
        case ScrollPart::DownArrow:
            if (m_hover == ScrollPart::DownArrow) m_value = std::min(m_max, m_value + m_smallChange);
            break;
        default: break;
    }
    if (m_value != before) emit Change();
    RecomputeThumb();
    Redraw();
}
