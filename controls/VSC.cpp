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

VSC::VSC(QWidget* parent, Ambient ambient) : UserControl(parent, std::move(ambient)) {
    setAttribute(Qt::WA_OpaquePaintEvent, true);
    setMouseTracking(true);
    m_skins.LoadDefault(m_theme);
    RecomputeThumb();
}

VSC::~VSC() {
    m_repeat.Stop();
    winmsg::KillTimer(this, modSkinConstants::kHoverTimerId);
    if (m_subclasser) m_subclasser->DetachAll(this);
    m_skins.Release();
}

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
    m_subclasser->DetachAll(this);
    for (auto msg : {winmsg::WM_PAINT, winmsg::WM_TIMER, winmsg::WM_MOUSEMOVE, winmsg::WM_LBUTTONDOWN,
                     winmsg::WM_LBUTTONUP})
        m_subclasser->AttachMessage(this, this, msg);
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

// ---- methods ------------------------------------------------------------------------------------------------

void VSC::Refresh() { Redraw(); }

void VSC::BeginUpdate() { m_drawEnabled = false; }

void VSC::EndUpdate() {
    m_drawEnabled = true;
    Redraw();
}

void VSC::ApplyCustomSkin() {
    m_skins.LoadCustom(m_theme, [this](long res, SkinMapInfo& skin, SkinSource& source) {
        emit QuerySkin(res, skin, source);
    });
    SizeHandling();
}

void VSC::ApplyDefaultSkin() {
    m_skins.LoadDefault(m_theme);
    SizeHandling();
}

// ---- geometry and drawing ---------------------------------------------------------------------------------------

void VSC::SizeHandling() {
    RecomputeThumb();
    Redraw();
}

void VSC::RecomputeThumb() {
    m_geo.innerHeight = ToTwips(height());
    const double arrow = ToTwips(m_metricsSize > 0 ? m_metricsSize : m_skins.ButtonHeight());
    m_geo.topArrow = m_geo.bottomArrow = std::min(arrow, m_geo.innerHeight / 2);
    const double range = static_cast<double>(m_max - m_min);
    const double visible = static_cast<double>(m_pixelsVisible);
    m_geo.thumbLength = m_pixelsVisible > 0
                            ? LBVScrollParts::ThumbLength(m_geo, visible, visible + range, m_skins.MinThumb(), 0)
                            : std::min(m_skins.MinThumb(), m_geo.Track());
    if (m_dragging) m_geo.thumbTop = ClampThumbTop(m_geo, m_geo.thumbTop);
    else m_geo.thumbTop = LBVScrollParts::ThumbTop(m_geo, m_value, m_min, m_max);
}

VSC::ScrollPart VSC::HitTest(QPoint point) const { return LBVScrollParts::HitTest(m_geo, width(), point); }
QRect VSC::UpArrowRect() const { return LBVScrollParts::UpArrowRect(m_geo, width()); }
QRect VSC::DownArrowRect() const { return LBVScrollParts::DownArrowRect(m_geo, width()); }
QRect VSC::TrackRect() const { return LBVScrollParts::TrackRect(m_geo, width()); }
QRect VSC::ThumbRect() const { return LBVScrollParts::ThumbRect(m_geo, width()); }

LBVScrollParts::Look VSC::CurrentLook() const {
    Look look;
    look.width = width();
    look.height = height();
    look.enabled = m_enabled;
    look.showGripper = m_dFormat == 0;
    const bool held = m_pressed != ScrollPart::None;
    // A part under the pointer shows hover, or pressed while the button is held.
    auto stateOf = [&](ScrollPart part) {
        if (m_hover != part) return stateNormal;
        return held ? statePressed : stateHover;
    };
    look.up = stateOf(ScrollPart::UpArrow);
    look.down = stateOf(ScrollPart::DownArrow);
    look.thumb = m_dragging ? statePressed : stateOf(ScrollPart::Thumb);
    look.track = (m_pressed == ScrollPart::TrackAbove || m_pressed == ScrollPart::TrackBelow) ? statePressed
                                                                                              : stateNormal;
    return look;
}

void VSC::Redraw() { m_throttle.Request(m_subclasser != nullptr, NowMs()); }

void VSC::PaintToWindow() {
    if (!m_drawEnabled) return;
    LBVScrollParts::Paint(this, m_skins, m_geo, CurrentLook());
}

void VSC::paintEvent(QPaintEvent*) { PaintToWindow(); }

void VSC::resizeEvent(QResizeEvent*) { SizeHandling(); }

void VSC::hideEvent(QHideEvent*) {
    StopPress();
    m_throttle.Flush(NowMs());
    winmsg::KillTimer(this, modSkinConstants::kHoverTimerId);
    m_hover = ScrollPart::None;
}

// ---- mouse -------------------------------------------------------------------------------------------------------------

tavSCls40::EMsgResponse VSC::ISubclass_MsgResponse() {
    const auto msg = m_subclasser ? m_subclasser->CurrentMessage() : 0;
    return msg == winmsg::WM_PAINT ? tavSCls40::emrConsume : tavSCls40::emrPreprocess;
}

winmsg::LRESULT VSC::ISubclass_WindowProc(winmsg::HWND, winmsg::UINT message, winmsg::WPARAM wParam,
                                          winmsg::LPARAM lParam) {
    const QPoint p(winmsg::GET_X_LPARAM(lParam), winmsg::GET_Y_LPARAM(lParam));
    switch (message) {
        case winmsg::WM_PAINT: PaintToWindow(); break;
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
            m_pressed = part;
            m_dragging = true;
            m_dragOffset = ToTwips(p.y()) - m_geo.thumbTop;
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

void VSC::StopPress() {
    m_repeat.Stop();
    const bool wasDragging = m_dragging;
    m_dragging = false;
    m_pressed = ScrollPart::None;
    if (wasDragging) RecomputeThumb();  // the thumb settles where its value puts it
    Redraw();
}

void VSC::OnMouseMove(QPoint p, bool held) {
    if (!winmsg::IsTimerRunning(this, modSkinConstants::kHoverTimerId))
        winmsg::SetTimer(this, modSkinConstants::kHoverTimerId, modSkinConstants::kHoverTimerMs);
    if (m_dragging) {
        m_geo.thumbTop = ClampThumbTop(m_geo, ToTwips(p.y()) - m_dragOffset);
        const long v = ValueFromThumb(m_geo, m_geo.thumbTop, m_min, m_max);
        if (v != m_value) {
            m_value = v;
            emit Scroll();
        }
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
