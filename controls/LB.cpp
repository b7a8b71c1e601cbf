// LB: properties and their rules, lifecycle, items and the selection.
#include "controls/LB.h"

#include "controls/modSkinConstants.h"
#include "controls/tick_clock.h"

#include <utility>

using namespace tavGFX40;
using property_table::Storage;

namespace {

template <class T>
using Row = property_table::Row<LB, T>;
template <class T>
using HiddenRow = property_table::Row<LBHiddenSettings, T>;

std::uint32_t tickCount() { return static_cast<std::uint32_t>(tick_clock::NowMs()); }

}  // namespace

const auto& LB::Properties() {
    using C = OLE_COLOR;
    static const auto table = std::make_tuple(
        Row<int>{"ApplyItemOffset", &LB::m_applyItemOffset, 0, Storage::Stored, nullptr, &LB::Redraw},
        Row<int>{"Appearance", &LB::m_appearance, appBorder, Storage::Stored, nullptr, &LB::SizeHandling},
        // Colours are kept as the RGB they stand for.
        Row<C>{"BackNormal", &LB::m_backNormal, kDefBackNormal, Storage::Stored, &LB::TranslateColour, &LB::Redraw},
        Row<C>{"BorderColor", &LB::m_borderColor, kDefBorderColor, Storage::Stored, nullptr, &LB::Redraw},
        Row<int>{"BorderWidth", &LB::m_borderWidth, 1, Storage::Stored, nullptr, &LB::SizeHandling},
        Row<C>{"BoxBorder", &LB::m_boxBorder, kDefBoxBorder, Storage::Stored, &LB::TranslateColour, &LB::Redraw},
        Row<int>{"BoxOffset", &LB::m_boxOffset, 1, Storage::Stored, nullptr, &LB::Redraw},
        Row<int>{"BoxBorderWidth", &LB::m_boxBorderWidth, 1, Storage::Stored, nullptr, &LB::Redraw},
        Row<bool>{"Enabled", &LB::m_enabled, true, Storage::Stored, nullptr, &LB::EnabledChanged},
        Row<int>{"LeftMargin", &LB::m_leftMargin, 2, Storage::Stored, nullptr, &LB::Redraw},
        Row<gdi::Font>{"Font", &LB::m_font, {}, Storage::Stored, nullptr, &LB::SizeHandling},
        Row<C>{"FontNormal", &LB::m_fontNormal, kDefFontNormal, Storage::Stored, &LB::TranslateColour, &LB::Redraw},
        Row<C>{"FontSelected", &LB::m_fontSelected, kDefFontSelected, Storage::Stored, &LB::TranslateColour,
               &LB::Redraw},
        Row<int>{"ItemHeight", &LB::m_itemHeightSetting, 0, Storage::Stored, nullptr, &LB::SizeHandling},
        Row<bool>{"ItemHeightAuto", &LB::m_itemHeightAuto, true, Storage::Stored, nullptr, &LB::SizeHandling},
        Row<int>{"ItemOffset", &LB::m_itemOffset, 0, Storage::Stored, nullptr, &LB::Redraw},
        Row<int>{"ItemLeftOffset", &LB::m_itemLeftOffset, 0, Storage::Stored, nullptr, &LB::Redraw},
        Row<int>{"ItemTopOffset", &LB::m_itemTopOffset, 0, Storage::Stored, nullptr, &LB::Redraw},
        Row<int>{"ItemTextLeft", &LB::m_itemTextLeft, 2, Storage::Stored, nullptr, &LB::Redraw},
        Row<C>{"SkinBackColor", &LB::m_skinBackColor, kDefSkinBackColor, Storage::Stored, nullptr, &LB::Redraw},
        Row<int>{"Theme", &LB::m_theme, 0, Storage::Stored, nullptr, &LB::ThemeChanged});
    return table;
}

const auto& LB::HiddenProperties() {
    using H = LBHiddenSettings;
    using C = OLE_COLOR;
    constexpr H d{};
    static const auto table = std::make_tuple(
        HiddenRow<bool>{"AutoSelectSize", &H::AutoSelectSize, d.AutoSelectSize},
        HiddenRow<bool>{"AutoSelectTheme", &H::AutoSelectTheme, d.AutoSelectTheme},
        HiddenRow<bool>{"AutoComplete", &H::AutoComplete, d.AutoComplete},
        HiddenRow<int>{"ScrollBarWidth", &H::ScrollBarWidth, d.ScrollBarWidth},
        HiddenRow<C>{"FontHoverEffect", &H::FontHoverEffect, d.FontHoverEffect},
        HiddenRow<C>{"BackSelected", &H::BackSelected, d.BackSelected},
        HiddenRow<C>{"BackSelectedG1", &H::BackSelectedG1, d.BackSelectedG1},
        HiddenRow<C>{"BackSelectedG2", &H::BackSelectedG2, d.BackSelectedG2},
        HiddenRow<bool>{"GotFocusEffect", &H::GotFocusEffect, d.GotFocusEffect},
        HiddenRow<int>{"GotFocusEffectColor", &H::GotFocusEffectColor, d.GotFocusEffectColor},
        HiddenRow<bool>{"HoverListEffect", &H::HoverListEffect, d.HoverListEffect},
        HiddenRow<C>{"HoverListEffectColor", &H::HoverListEffectColor, d.HoverListEffectColor},
        HiddenRow<int>{"BoxRadius", &H::BoxRadius, d.BoxRadius},
        HiddenRow<int>{"Alignment", &H::Alignment, d.Alignment}, HiddenRow<bool>{"Focus", &H::Focus, d.Focus},
        HiddenRow<bool>{"HoverSelection", &H::HoverSelection, d.HoverSelection},
        HiddenRow<bool>{"WordWrap", &H::WordWrap, d.WordWrap}, HiddenRow<int>{"OrderType", &H::OrderType, d.OrderType});
    return table;
}

LB::LB(ControlSite& site, Ambient ambient)
    : UserControl(site, std::move(ambient)), m_items(1), m_throttle(site, kPaintTimerId), m_tick(tickCount) {
    m_font = AmbientProperties().Font;
    m_barWindow = Site().MakeChildWindow();
    m_bar = std::make_unique<LBVScroll>(m_barWindow->Site(), AmbientProperties());
    m_barWindow->Host(m_bar.get());
    LBVScroll& bar = Bar();
    bar.SetMin(0);
    m_barWindow->SetVisible(false);
    bar.Change = [this](long) {
        m_hoverItem = -1;
        Redraw();
    };
    bar.Scroll = [this](long) {
        m_hoverItem = -1;
        Redraw();
    };
    bar.QueryPageSize = [this](int, long& amount) { amount = m_itemsVisible; };
    bar.QuerySkin = [this](long res, SkinMapInfo& skin, SkinSource& source) {
        if (QuerySkin) QuerySkin(res, skin, source);
    };
}

// The bar goes before its window: it still stops its timers on its site.
LB::~LB() {
    Site().KillTimer(modSkinConstants::kHoverTimerId);
    Site().KillTimer(kPaintTimerId);
    Site().KillTimer(kDragTimerId);
    Site().Subclass({});
    m_barWindow->Host(nullptr);
    m_bar.reset();
    m_barWindow.reset();
}

// ---- lifecycle ------------------------------------------------------------------------------------

void LB::InitProperties() {
    m_font = AmbientProperties().Font;
    m_wheelLines = Site().WheelScrollLines();
    Bar().InitProperties();
    Bar().SetTheme(m_theme);
    ApplyEnabled();
    if (UserMode()) AttachSubclassing();
    SizeHandling();
}

void LB::ReadProperties(const PropertyBag& bag) {
    property_table::ReadAll(*this, bag, Properties(), AmbientProperties().Font);
    property_table::ReadAll(m_hidden, bag, HiddenProperties());
    m_wheelLines = Site().WheelScrollLines();
    Bar().ReadProperties(bag);
    Bar().SetTheme(m_theme);
    ApplyEnabled();
    if (UserMode()) AttachSubclassing();
    SizeHandling();
}

void LB::WriteProperties(PropertyBag& bag) const {
    property_table::WriteAll(*this, bag, Properties(), AmbientProperties().Font);
    property_table::WriteAll(m_hidden, bag, HiddenProperties());
}

// ---- property setters ----------------------------------------------------------------------------------

void LB::SetApplyItemOffset(int v) { SetProperty<LB>(&LB::m_applyItemOffset, v); }
void LB::SetAppearance(int v) { SetProperty<LB>(&LB::m_appearance, v); }
void LB::SetBackNormal(OLE_COLOR c) { SetProperty<LB>(&LB::m_backNormal, c); }
void LB::SetBorderColor(OLE_COLOR c) { SetProperty<LB>(&LB::m_borderColor, c); }
void LB::SetBorderWidth(int v) { SetProperty<LB>(&LB::m_borderWidth, v); }
void LB::SetBoxBorder(OLE_COLOR c) { SetProperty<LB>(&LB::m_boxBorder, c); }
void LB::SetBoxOffset(int v) { SetProperty<LB>(&LB::m_boxOffset, v); }
void LB::SetBoxBorderWidth(int v) { SetProperty<LB>(&LB::m_boxBorderWidth, v); }
void LB::SetEnabled(bool on) { SetProperty<LB>(&LB::m_enabled, on); }
void LB::SetLeftMargin(int v) { SetProperty<LB>(&LB::m_leftMargin, v); }
void LB::SetFont(const gdi::Font& font) { SetProperty<LB>(&LB::m_font, font); }
void LB::SetFontNormal(OLE_COLOR c) { SetProperty<LB>(&LB::m_fontNormal, c); }
void LB::SetFontSelected(OLE_COLOR c) { SetProperty<LB>(&LB::m_fontSelected, c); }
void LB::SetItemHeight(int v) { SetProperty<LB>(&LB::m_itemHeightSetting, v); }
void LB::SetItemHeightAuto(bool on) { SetProperty<LB>(&LB::m_itemHeightAuto, on); }
void LB::SetItemOffset(int v) { SetProperty<LB>(&LB::m_itemOffset, v); }
void LB::SetItemLeftOffset(int v) { SetProperty<LB>(&LB::m_itemLeftOffset, v); }
void LB::SetItemTopOffset(int v) { SetProperty<LB>(&LB::m_itemTopOffset, v); }
void LB::SetItemTextLeft(int v) { SetProperty<LB>(&LB::m_itemTextLeft, v); }
void LB::SetSkinBackColor(OLE_COLOR c) { SetProperty<LB>(&LB::m_skinBackColor, c); }
void LB::SetTheme(int theme) { SetProperty<LB>(&LB::m_theme, theme); }

bool LB::TranslateColour(OLE_COLOR& colour) {
    colour = gfxTranslateColor(colour);
    return true;
}

void LB::ThemeChanged() { Bar().SetTheme(m_theme); }

void LB::EnabledChanged() {
    ApplyEnabled();
    Redraw();
}

void LB::ApplyEnabled() {
    Bar().SetEnabled(m_enabled);
    if (!m_enabled) StopDragScroll();
    Site().SetEnabled(m_enabled);
}

void LB::SetHiddenSettings(const LBHiddenSettings& settings) {
    const bool resized = settings.ScrollBarWidth != m_hidden.ScrollBarWidth;
    const auto changed = property_table::ChangedNames(m_hidden, settings, HiddenProperties());
    m_hidden = settings;
    if (resized)
        SizeHandling();
    else
        Redraw();
    for (const char* name : changed) MarkChanged(name);
}

// ---- methods ------------------------------------------------------------------------------------------

void LB::BeginUpdate() { m_drawEnabled = false; }

void LB::EndUpdate() {
    m_drawEnabled = true;
    UpdateScrollMetrics();
    Redraw();
}

void LB::Refresh() { Redraw(); }

// ---- items ----------------------------------------------------------------------------------------

void LB::CheckIndex(long index) const {
    if (index < 0 || index >= ListCount()) throw LBError(LBError::InvalidPropertyArrayIndex);
}

void LB::AddItem(const std::u16string& item) {
    SyncSize();
    m_items.back().text = item;
    m_items.emplace_back();
    m_newIndex = ListCount() - 1;
    if (!m_drawEnabled) return;
    UpdateScrollMetrics();
    const long top = TopIndex();
    if (m_newIndex >= top && m_newIndex < top + m_itemsVisible) Redraw();
}

void LB::RemoveItem(long index) {
    SyncSize();
    CheckIndex(index);
    m_items.erase(m_items.begin() + index);
    if (m_listIndex == index)
        m_listIndex = -1;
    else if (m_listIndex > index)
        --m_listIndex;
    m_newIndex = -1;
    m_hoverItem = -1;
    if (!m_drawEnabled) return;
    UpdateScrollMetrics();
    Redraw();
}

void LB::Clear() {
    m_items.assign(1, Item{});
    m_listIndex = -1;
    m_newIndex = -1;
    m_hoverItem = -1;
    Bar().SetValue(0);
    UpdateScrollMetrics();
    Redraw();
}

const std::u16string& LB::ItemText(long index) const {
    CheckIndex(index);
    return m_items[static_cast<std::size_t>(index)].text;
}

void LB::SetItemText(long index, const std::u16string& text) {
    CheckIndex(index);
    m_items[static_cast<std::size_t>(index)].text = text;
    Redraw();
}

std::int64_t LB::ItemData(long index) const {
    CheckIndex(index);
    return m_items[static_cast<std::size_t>(index)].data;
}

void LB::SetItemData(long index, std::int64_t value) {
    CheckIndex(index);
    m_items[static_cast<std::size_t>(index)].data = value;
}

const std::u16string& LB::ItemStringData(long index) const {
    CheckIndex(index);
    return m_items[static_cast<std::size_t>(index)].stringData;
}

void LB::SetItemStringData(long index, const std::u16string& value) {
    CheckIndex(index);
    m_items[static_cast<std::size_t>(index)].stringData = value;
}

void LB::SetListIndex(long value) {
    SyncSize();
    if (value > ListCount() - 1 || value < -1) throw LBError(LBError::InvalidPropertyValue);
    m_listIndex = (ListCount() > 0 && value >= 0) ? value : -1;
    if (m_listIndex >= 0) {
        const long top = TopIndex(), wanted = list_rows::TopShowing(top, m_listIndex, m_itemsVisible);
        if (wanted != top) ScrollTo(wanted);
    }
    Redraw();
    MarkChanged("ListIndex");
    if (ListIndexChange) ListIndexChange();
}

void LB::SetTopIndex(long value) {
    SyncSize();
    if (value > ListCount() - m_itemsVisible || value < 0) throw LBError(LBError::InvalidPropertyValue);
    ScrollTo(value);
    Redraw();
    if (TopIndexChange) TopIndexChange();
}

void LB::ScrollTo(long top) {
    Bar().SetValue(top);
    m_hoverItem = -1;
}
