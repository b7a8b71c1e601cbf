#include "controls/Opt.h"

#include "controls/glyph_control.h"
#include "controls/modSkinConstants.h"

#include <algorithm>

using namespace tavGFX40;
using namespace modSkinConstants;
using glyph_control::kGlyphSize;
using property_table::Storage;

namespace {
template <class T>
using Row = property_table::Row<Opt, T>;
}  // namespace

const auto& Opt::Properties() {
    using C = OLE_COLOR;
    static const auto table = std::make_tuple(
        Row<int>{"Alignment", &Opt::m_alignment, optGlyphLeft, Storage::Stored, nullptr, &Opt::Redraw},
        Row<C>{"BackColor", &Opt::m_backColor, kDefBackColor, Storage::Stored, nullptr, &Opt::BackgroundChanged},
        Row<int>{"BackStyle", &Opt::m_backStyle, bsOpaque, Storage::Stored, nullptr, &Opt::BackgroundChanged},
        Row<C>{"DisabledForeColor", &Opt::m_disabledForeColor, kDefDisabledForeColor, Storage::Stored, nullptr,
               &Opt::Redraw},
        Row<bool>{"Enabled", &Opt::m_enabled, true, Storage::Stored, nullptr, &Opt::EnabledChanged},
        Row<gdi::Font>{"Font", &Opt::m_font, {}, Storage::Stored, nullptr, &Opt::FontChanged},
        Row<C>{"ForeColor", &Opt::m_foreColor, kDefForeColor, Storage::Stored, nullptr, &Opt::Redraw},
        Row<short>{"GroupID", &Opt::m_groupID, 0}, Row<bool>{"Grouped", &Opt::m_grouped, false},
        Row<gdi::Image>{"MouseIcon", &Opt::m_mouseIcon, {}, Storage::Stored, nullptr, &Opt::MousePointerChanged},
        Row<short>{"MousePointer", &Opt::m_mousePointer, 0, Storage::Stored, nullptr, &Opt::MousePointerChanged},
        Row<bool>{"Value", &Opt::m_value, false, Storage::Stored, &Opt::AcceptValue, &Opt::ValueChanged},
        Row<bool>{"ValueSetClick", &Opt::m_valueSetClick, false},
        // Set at run time, not stored.
        Row<std::u16string>{"Caption", &Opt::m_caption, {}, Storage::RunTime, nullptr, &Opt::CaptionChanged},
        Row<int>{"ControlWidth", &Opt::m_controlWidth, 0, Storage::RunTime, nullptr, &Opt::Redraw},
        Row<int>{"ControlHeight", &Opt::m_controlHeight, 0, Storage::RunTime, nullptr, &Opt::Redraw},
        Row<int>{"XOffset", &Opt::m_xOffset, 0, Storage::RunTime, nullptr, &Opt::Redraw},
        Row<int>{"YOffset", &Opt::m_yOffset, 0, Storage::RunTime, nullptr, &Opt::Redraw});
    return table;
}

Opt::Opt(ControlSite& site, Ambient ambient) : GlyphControlBase(site, std::move(ambient), resOptionButton) {}

Opt::~Opt() = default;

// ---- lifecycle ----------------------------------------------------------------------

void Opt::InitProperties() {
    TakeAmbientFont();
    StartDrawing();
    RebuildBackground();
    Redraw();
}

void Opt::ReadProperties(const PropertyBag& bag) {
    property_table::ReadAll(*this, bag, Properties(), AmbientProperties().Font);
    ApplyStoredSettings();
    StartDrawing();
    RebuildBackground();
    Redraw();
}

void Opt::WriteProperties(PropertyBag& bag) const {
    property_table::WriteAll(*this, bag, Properties(), AmbientProperties().Font);
}

// ---- properties ---------------------------------------------------------------------------

void Opt::SetAlignment(int alignment) { SetProperty<Opt>(&Opt::m_alignment, alignment); }
void Opt::SetBackColor(OLE_COLOR colour) { SetProperty<Opt>(&Opt::m_backColor, colour); }
void Opt::SetBackStyle(int style) { SetProperty<Opt>(&Opt::m_backStyle, style); }
void Opt::SetDisabledForeColor(OLE_COLOR colour) { SetProperty<Opt>(&Opt::m_disabledForeColor, colour); }
void Opt::SetEnabled(bool on) { SetProperty<Opt>(&Opt::m_enabled, on); }
void Opt::SetFont(const gdi::Font& font) { SetProperty<Opt>(&Opt::m_font, font); }
void Opt::SetForeColor(OLE_COLOR colour) { SetProperty<Opt>(&Opt::m_foreColor, colour); }
void Opt::SetGroupID(short id) { SetProperty<Opt>(&Opt::m_groupID, id); }
void Opt::SetGrouped(bool on) { SetProperty<Opt>(&Opt::m_grouped, on); }
void Opt::SetMouseIcon(const gdi::Image& icon) { SetProperty<Opt>(&Opt::m_mouseIcon, icon); }
void Opt::SetMousePointer(short pointer) { SetProperty<Opt>(&Opt::m_mousePointer, pointer); }
void Opt::SetValue(bool value) { SetProperty<Opt>(&Opt::m_value, value); }
void Opt::SetValueSetClick(bool on) { SetProperty<Opt>(&Opt::m_valueSetClick, on); }
void Opt::SetCaption(const std::u16string& caption) { SetProperty<Opt>(&Opt::m_caption, caption); }
void Opt::SetControlWidth(int pixels) { SetProperty<Opt>(&Opt::m_controlWidth, pixels); }
void Opt::SetControlHeight(int pixels) { SetProperty<Opt>(&Opt::m_controlHeight, pixels); }
void Opt::SetXOffset(int pixels) { SetProperty<Opt>(&Opt::m_xOffset, pixels); }
void Opt::SetYOffset(int pixels) { SetProperty<Opt>(&Opt::m_yOffset, pixels); }

void Opt::BackgroundChanged() {
    RebuildBackground();
    Redraw();
}

// With ValueSetClick, a change of the value is noted: a change to True raises Click.
bool Opt::AcceptValue(bool& value) {
    m_clickOnValueChange = m_valueSetClick && value != m_value;
    return true;
}

void Opt::ValueChanged() {
    if (m_value && m_grouped) GroupRule();
    Redraw();
    if (m_clickOnValueChange && m_value) RaiseClick();
}

// ---- methods ------------------------------------------------------------------------------

void Opt::Refresh() {
    RebuildBackground();
    Redraw();
}

// ---- groups -----------------------------------------------------------------------------------

void Opt::GroupRule() {
    Site().ForEachSibling([this](LateBound& other) {
        if (other.NumberProperty("GroupID") != m_groupID) return;
        if (other.NumberProperty("Value").value_or(0) != 0) other.SetFlagProperty("Value", false);
    });
}

bool Opt::HasOtherGroupMember() const {
    bool found = false;
    Site().ForEachSibling([&](LateBound& other) { found = found || other.NumberProperty("GroupID") == m_groupID; });
    return found;
}

std::optional<std::int64_t> Opt::NumberProperty(std::string_view name) const {
    if (name == "GroupID") return m_groupID;
    if (name == "Value") return m_value ? 1 : 0;
    if (name == "Grouped") return m_grouped ? 1 : 0;
    return std::nullopt;
}

bool Opt::SetFlagProperty(std::string_view name, bool value) {
    if (name == "Value")
        SetValue(value);
    else if (name == "Grouped")
        SetGrouped(value);
    else
        return false;
    return true;
}

void Opt::UserChoice(ChoiceBy by) {
    const bool before = m_value;
    if (!(m_grouped && m_value && HasOtherGroupMember())) {
        bool newValue = !m_value;
        bool cancel = false;
        if (BeforeValueChanged) BeforeValueChanged(newValue, cancel);
        if (!cancel && newValue != m_value) {
            // Stored directly: the setter's own Click (ValueSetClick) would
            // come on top of the click raised below.
            m_value = newValue;
            MarkChanged("Value");
        }
    }
    // A grouped button clears its group whatever came of the choice.
    if (m_grouped) GroupRule();
    Redraw();
    if (by == ChoiceBy::LeftButton && !before && m_value) RaiseClick();
}

// ---- geometry and frames ------------------------------------------------------------------

gdi::RECT Opt::GlyphRect() const {
    const gdi::SIZE size = Site().ClientSize();
    const int top = size.cy / 2 - kGlyphSize / 2;
    switch (m_alignment) {
        case optGlyphLeft: return gdi::RECT{0, top, kGlyphSize, top + kGlyphSize};
        case optGlyphRight: return gdi::RECT{size.cx - (kGlyphSize + 1), top, size.cx - 1, top + kGlyphSize};
        default: return {};
    }
}

gdi::RECT Opt::CaptionBox() const {
    const gdi::SIZE size = Site().ClientSize();
    const int beside = kGlyphSize + glyph_control::kCaptionGap;
    gdi::RECT box{0, 0, size.cx, size.cy};
    if (m_alignment == optGlyphLeft)
        box.Left = beside;
    else if (m_alignment == optGlyphRight)
        box.Right = size.cx - beside - 1;
    if (m_controlWidth > 0) box.Right = box.Left + m_controlWidth;
    if (m_controlHeight > 0) box.Bottom = box.Top + m_controlHeight;
    return gdi::RECT{box.Left + m_xOffset, box.Top + m_yOffset, box.Right + m_xOffset, box.Bottom + m_yOffset};
}

// ---- drawing -------------------------------------------------------------------------------

void Opt::RebuildBackground() {
    const gdi::SIZE size = Site().ClientSize();
    if (!m_background.Create(Site().Window(), size.cx, size.cy, gfxTranslateColor(m_backColor))) return;
    const bool seeThrough = UserMode() && m_backStyle == bsTransparent;
    if (!seeThrough || !Site().PaintBackgroundBehind(m_background.hDC()))
        gfxDrawRect(m_background.hDC(), gdi::RECT{0, 0, size.cx, size.cy}, m_backColor);
}

void Opt::Compose(gdi::HDC target) const {
    const gdi::SIZE size = Site().ClientSize();
    const int w = size.cx, h = size.cy;
    tavSCls40::MemoryDC mem;
    if (!mem.Create(Site().Window(), w, h, gfxTranslateColor(m_backColor))) return;
    const gdi::HDC dc = mem.hDC();

    if (m_background.hDC() != 0) gdi::BitBlt(dc, 0, 0, w, h, m_background.hDC(), 0, 0, gdi::SRCCOPY);
    if (const gdi::RECT glyph = GlyphRect(); glyph.Right > glyph.Left)
        clsSkin::DrawPieceFrame(dc, m_skin, GlyphFrame(), glyph.Left, glyph.Top);
    if (!m_caption.empty()) DrawCaption(dc);
    gdi::BitBlt(target, 0, 0, w, h, dc, 0, 0, gdi::SRCCOPY);
}

// Word-wrapped and centred vertically in the caption box.
void Opt::DrawCaption(gdi::HDC dc) const {
    const gdi::SIZE size = Site().ClientSize();
    PrepareCaption(dc);
    const gdi::RECT box = CaptionBox();
    const int boxWidth = box.Right - box.Left, boxHeight = box.Bottom - box.Top;
    const gdi::SIZE text = MeasureCaption(dc, box);
    const int textWidth = std::min(text.cx, boxWidth);
    const int top = box.Top + (boxHeight - text.cy) / 2;
    gdi::RECT out{box.Left, top, box.Right, top + text.cy};
    gdi::DrawText(dc, m_caption, out, gdi::DT_WORDBREAK);
    if (m_hasFocus) {
        gfxDrawFocusRect(
            dc, gdi::RECT{std::max(box.Left - 1, 0), std::max(top - 1, 0), std::min(box.Left + textWidth + 1, size.cx),
                          std::min(top + text.cy + 1, size.cy)});
    }
}

// ---- messages ---------------------------------------------------------------------------------

void Opt::AttachSubclassing() {
    Site().Subclass({winmsg::WM_PAINT, winmsg::WM_TIMER, winmsg::WM_MOUSEMOVE, winmsg::WM_LBUTTONDOWN,
                     winmsg::WM_LBUTTONUP, winmsg::WM_LBUTTONDBLCLK, winmsg::WM_RBUTTONDOWN, winmsg::WM_RBUTTONUP,
                     winmsg::WM_MBUTTONDOWN, winmsg::WM_MBUTTONUP});
}

void Opt::OnButton(winmsg::UINT message, const winmsg::MouseParameters& p) {
    using namespace winmsg;
    switch (message) {
        // The second press of a double click arrives as a double click: it counts as a
        // press, so a double click chooses twice, as the system's own option buttons do.
        case WM_LBUTTONDBLCLK:
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
            m_pressed = true;
            Redraw();
            RaiseMouse(events.MouseDown, p);
            break;
        case WM_LBUTTONUP:
        case WM_RBUTTONUP:
        case WM_MBUTTONUP:
            if (!m_pressed) break;
            m_pressed = false;
            if (ClientContains(p.x, p.y))
                UserChoice(message == WM_LBUTTONUP ? ChoiceBy::LeftButton : ChoiceBy::OtherButton);
            else
                Redraw();
            RaiseMouse(events.MouseUp, p);
            break;
        default: break;
    }
}

winmsg::LRESULT Opt::WindowProc(winmsg::UINT message, winmsg::WPARAM wParam, winmsg::LPARAM lParam) {
    using namespace winmsg;
    if (message == WM_SHOWWINDOW && wParam != 0) OnShow();
    if (message == WM_SIZE || (message == WM_MOVE && m_backStyle == bsTransparent)) {
        RebuildBackground();
        Redraw();
        return 0;
    }
    if (CommonMessage(message, wParam, lParam)) return 0;
    OnButton(message, MouseParametersOf(message, wParam, lParam));
    return 0;
}

void Opt::OnShow() {
    if (UserMode() && m_backStyle == bsTransparent) Site().MakeSeeThrough();
    RebuildBackground();
}

// The space key chooses like a left click over the button.
void Opt::SpaceReleased() {
    if (!m_spaceDown) return;
    m_spaceDown = false;
    m_pressed = false;
    UserChoice(ChoiceBy::LeftButton);
}
