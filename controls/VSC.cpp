#include "controls/VSC.h"

#include "controls/modSkinConstants.h"

#include <algorithm>

using namespace scroll_bar;
using namespace scroll_range;
using property_table::Storage;

namespace {

template <class T>
using Row = property_table::Row<VSC, T>;
template <class T>
using RangeRow = property_table::Row<RangeValues, T>;

}  // namespace

const auto& VSC::Properties() {
    static const auto table = std::make_tuple(
        Row<bool>{"Enabled", &VSC::m_enabled, true, Storage::Stored, nullptr, &VSC::EnabledChanged},
        Row<Number>{"PixelsVisible", &VSC::m_pixelsVisible, 0, Storage::Stored, nullptr, &VSC::SizeHandling},
        Row<int>{"MetricsSize", &VSC::m_metricsSize, 0, Storage::Stored, nullptr, &VSC::SizeHandling},
        Row<int>{"dFormat", &VSC::m_dFormat, 0, Storage::Stored, nullptr, &VSC::ThemeOrFormatChanged},
        // The pieces keep their theme until the next ApplyDefaultSkin.
        Row<int>{"Theme", &VSC::m_theme, 0, Storage::Stored, nullptr, &VSC::ThemeOrFormatChanged});
    return table;
}

// Stored as they are; setting them goes through the range's rules.
const auto& VSC::RangeProperties() {
    static const auto table = std::make_tuple(
        RangeRow<Number>{"Min", &RangeValues::Min, 0}, RangeRow<Number>{"Max", &RangeValues::Max, kDefMax},
        RangeRow<Number>{"Value", &RangeValues::Value, 0},
        RangeRow<Number>{"SmallChange", &RangeValues::SmallChange, kDefSmallChange},
        RangeRow<Number>{"LargeChange", &RangeValues::LargeChange, kDefLargeChange});
    return table;
}

VSC::VSC(ControlSite& site, Ambient ambient)
    : ScrollBarBase(site, std::move(ambient), DoubleClick::Ignored, ThumbAfterDrag::StaysPut,
                    Range(RangeValues{0, kDefMax, 0, kDefSmallChange, kDefLargeChange})) {
    RecomputeThumb();
}

VSC::~VSC() = default;

// ---- lifecycle -----------------------------------------------------------------------------------

void VSC::InitProperties() {
    if (UserMode()) AttachSubclassing();
    SizeHandling();
}

void VSC::ReadProperties(const PropertyBag& bag) {
    property_table::ReadAll(*this, bag, Properties());
    RangeValues range;
    property_table::ReadAll(range, bag, RangeProperties());
    m_range.Load(range);
    m_skins.LoadDefault(m_theme);
    if (UserMode()) AttachSubclassing();
    SizeHandling();
}

void VSC::WriteProperties(PropertyBag& bag) const {
    property_table::WriteAll(*this, bag, Properties());
    property_table::WriteAll(m_range.Values(), bag, RangeProperties());
}

void VSC::AttachSubclassing() {
    AttachMessages(
        {winmsg::WM_PAINT, winmsg::WM_TIMER, winmsg::WM_MOUSEMOVE, winmsg::WM_LBUTTONDOWN, winmsg::WM_LBUTTONUP});
}

// ---- properties ---------------------------------------------------------------------------------------

void VSC::SetSharedProperty(bool ScrollBarBase::*member, bool value) { SetProperty<VSC>(member, value); }
void VSC::SetSharedProperty(int ScrollBarBase::*member, int value) { SetProperty<VSC>(member, value); }
void VSC::SetPixelsVisible(Number n) { SetProperty<VSC>(&VSC::m_pixelsVisible, n); }

void VSC::EnabledChanged() {
    if (!m_enabled) {
        StopPress();
        m_hover = ScrollPart::None;
    }
    Redraw();
}

void VSC::ThemeOrFormatChanged() { Redraw(); }

void VSC::RangeTaken(Number RangeValues::*field) { MarkChanged(property_table::NameOf(RangeProperties(), field)); }

// ---- geometry and drawing ---------------------------------------------------------------------------------------

double VSC::NewThumbLength() const {
    const auto range = static_cast<double>(Max() - Min());
    const auto visible = static_cast<double>(m_pixelsVisible);
    return m_pixelsVisible > 0 ? scroll_range::ThumbLength(m_geo, visible, visible + range, m_skins.MinThumb(), 0)
                               : std::min(m_skins.MinThumb(), m_geo.Length());
}

scroll_bar::PartState VSC::StateOf(ScrollPart part) const {
    // A part under the pointer shows hover, or pressed while the button is held.
    if (m_hover != part) return stateNormal;
    return m_pressed != ScrollPart::None ? statePressed : stateHover;
}

void VSC::OnHidden() {
    ScrollBarBase::OnHidden();
    Site().KillTimer(modSkinConstants::kHoverTimerId);
    m_hover = ScrollPart::None;
}

void VSC::RaiseChange() const {
    if (Change) Change();
}

void VSC::RaiseScroll() {
    if (Scroll) Scroll();
}

// ---- mouse -------------------------------------------------------------------------------------------------------------

void VSC::OnButtonDown(gdi::POINT p) {
    const Number before = Value();
    const ScrollPart part = HitTest(p);
    m_hover = part;
    switch (part) {
        case ScrollPart::UpArrow:
            m_range.SetValue(Value() - SmallChange());
            StartPress(towardsMin, part, before);
            break;
        case ScrollPart::DownArrow:
            m_range.SetValue(Value() + SmallChange());
            StartPress(towardsMax, part, before);
            break;
        case ScrollPart::Thumb: StartThumbDrag(p); break;
        case ScrollPart::TrackAbove:
        case ScrollPart::TrackBelow: {
            m_pointerY = p.y;
            // Above or below the thumb's bottom edge.
            const bool up = ToTwips(p.y) < m_geo.ThumbBottom();
            m_range.SetValue(up ? Value() - LargeChange() : Value() + LargeChange());
            StartPress(up ? towardsMin : towardsMax, up ? ScrollPart::TrackAbove : ScrollPart::TrackBelow, before);
            break;
        }
        case ScrollPart::None: break;
    }
    Redraw();
}

void VSC::StartPress(Direction direction, ScrollPart part, Number before) {
    m_direction = direction;
    m_pressed = part;
    RecomputeThumb();
    Redraw();
    if (Value() != before) RaiseChange();
    m_repeat.Start();
}

void VSC::OnButtonUp() {
    const bool wasDragging = m_dragging;
    StopPress();
    if (wasDragging && BarMouseUp) BarMouseUp();
}

void VSC::RepeatStep() {
    const Number before = Value();
    const double pointer = ToTwips(m_pointerY);
    switch (m_pressed) {
        case ScrollPart::TrackAbove:
        case ScrollPart::TrackBelow:
            if (m_direction == towardsMin ? m_geo.thumbTop > pointer : m_geo.ThumbBottom() < pointer)
                m_range.SetValue(m_direction == towardsMin ? Value() - LargeChange() : Value() + LargeChange());
            else
                m_repeat.StopRepeat();
            break;
        case ScrollPart::UpArrow:
            if (m_hover == ScrollPart::UpArrow) m_range.SetValue(Value() - SmallChange());
            break;
        case ScrollPart::DownArrow:
            if (m_hover == ScrollPart::DownArrow) m_range.SetValue(Value() + SmallChange());
            break;
        default: break;
    }
    if (Value() != before) RaiseChange();
    RecomputeThumb();
    Redraw();
}
