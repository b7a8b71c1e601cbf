#include "controls/LBVScroll.h"

#include "controls/modSkinConstants.h"

using namespace scroll_bar;
using property_table::Storage;
using scroll_range::ToTwips;

namespace {
template <class T>
using Row = property_table::Row<LBVScroll, T>;
}  // namespace

const auto& LBVScroll::Properties() {
    static const auto table = std::make_tuple(
        Row<bool>{"Enabled", &LBVScroll::m_enabled, true, Storage::RunTime, nullptr, &LBVScroll::EnabledChanged},
        Row<Number>{"ItemsVisible", &LBVScroll::m_itemsVisible, 0, Storage::RunTime, nullptr, &LBVScroll::SizeHandling},
        Row<Number>{"TotalItems", &LBVScroll::m_totalItems, 0, Storage::RunTime, nullptr, &LBVScroll::SizeHandling},
        Row<int>{"MetricsSize", &LBVScroll::m_metricsSize, 0, Storage::RunTime, nullptr, &LBVScroll::SizeHandling},
        Row<int>{"dFormat", &LBVScroll::m_dFormat, 0, Storage::RunTime, nullptr, &LBVScroll::Redraw},
        // The pieces keep the theme they were loaded with until the next ApplyDefaultSkin.
        Row<int>{"Theme", &LBVScroll::m_theme, 0, Storage::RunTime, nullptr, &LBVScroll::Redraw});
    return table;
}

LBVScroll::LBVScroll(ControlSite& site, Ambient ambient)
    : ScrollBarBase(site, std::move(ambient), DoubleClick::Presses, ThumbAfterDrag::Settles, scroll_range::Range({})) {
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
    AttachMessages({winmsg::WM_PAINT, winmsg::WM_TIMER, winmsg::WM_MOUSEMOVE, winmsg::WM_LBUTTONDOWN,
                    winmsg::WM_LBUTTONUP, winmsg::WM_LBUTTONDBLCLK});
}

// ---- properties --------------------------------------------------------------------------------

void LBVScroll::SetSharedProperty(bool ScrollBarBase::*member, bool value) { SetProperty<LBVScroll>(member, value); }
void LBVScroll::SetSharedProperty(int ScrollBarBase::*member, int value) { SetProperty<LBVScroll>(member, value); }
void LBVScroll::SetItemsVisible(Number n) { SetProperty<LBVScroll>(&LBVScroll::m_itemsVisible, n); }
void LBVScroll::SetTotalItems(Number n) { SetProperty<LBVScroll>(&LBVScroll::m_totalItems, n); }

void LBVScroll::EnabledChanged() {
    if (!m_enabled) StopPress();
    Redraw();
}

// ---- geometry ------------------------------------------------------------------------------------------

double LBVScroll::NewThumbLength() const {
    return scroll_range::ThumbLength(m_geo, static_cast<double>(m_itemsVisible), static_cast<double>(m_totalItems),
                                     m_skins.MinThumb(), m_geo.thumbLength);
}

// ---- drawing --------------------------------------------------------------------------------------------

scroll_bar::PartState LBVScroll::StateOf(ScrollPart part) const {
    if (m_pressed == part) return statePressed;
    return m_hover == part ? stateHover : stateNormal;
}

// ---- mouse -------------------------------------------------------------------------------------------------

void LBVScroll::OnButtonDown(gdi::POINT p) {
    if (BarMouseDown) BarMouseDown();
    m_pointerY = p.y;
    const ScrollPart part = HitTest(p);
    switch (part) {
        case ScrollPart::UpArrow:
            m_pressed = part;
            MoveTo(Value() - SmallChange());
            m_repeat.Start();
            break;
        case ScrollPart::DownArrow:
            m_pressed = part;
            MoveTo(Value() + SmallChange());
            m_repeat.Start();
            break;
        case ScrollPart::Thumb: StartThumbDrag(p); break;
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
    if (BarMouseUp) BarMouseUp();
}

void LBVScroll::RepeatStep() {
    StepPressedPart();
    Redraw();
}

void LBVScroll::StepPressedPart() {
    const double pointer = ToTwips(m_pointerY);
    switch (m_pressed) {
        case ScrollPart::UpArrow:
        case ScrollPart::DownArrow:
            // No step while the pointer is off the held arrow.
            if (m_hover == m_pressed)
                MoveTo(m_pressed == ScrollPart::UpArrow ? Value() - SmallChange() : Value() + SmallChange());
            break;
        case ScrollPart::TrackAbove:
            if (m_geo.thumbTop > pointer)
                PageTowards(pageTowardsMin);
            else
                m_repeat.StopRepeat();
            break;
        case ScrollPart::TrackBelow:
            if (m_geo.ThumbBottom() < pointer)
                PageTowards(pageTowardsMax);
            else
                m_repeat.StopRepeat();
            break;
        default: break;
    }
}

void LBVScroll::PageTowards(PageDirection direction) {
    long amount = 0;
    if (QueryPageSize) QueryPageSize(direction, amount);
    if (amount != 0) MoveTo(direction == pageTowardsMin ? Value() - amount : Value() + amount);
}

void LBVScroll::MoveTo(Number value) {
    if (!m_range.SetValue(value)) return;
    RecomputeThumb();
    if (Change) Change(Value());
}
