// BTN: properties and their rules, lifecycle, methods.
#include "controls/BTN.h"

#include "controls/MsgBox.h"
#include "controls/modSkinConstants.h"
#include "controls/suite/memory_dc.h"

#include <algorithm>

using namespace tavGFX40;
using namespace modSkinConstants;
using property_table::Storage;

namespace {

const std::u16string kTitleManager = u"QV Command Button Property Manager";
// The back-style message has always carried this title, misspelling included.
const std::u16string kTitleManger = u"QV Command Button Property Manger";
const std::u16string kMsgXPBackStyle = u"This value is not allowed for Windows XP style buttons.";
const std::u16string kMsgNoDropDown = u"Drop Down is not allowed for this button style.";
const std::u16string kMsgDropDownClearsToggle =
    u"Grouped and Toggle properties must be False in order to have the DropDown feature.  Setting these "
    "properties accordingly.";
const std::u16string kMsgToggleClearsDropDown =
    u"The DropDown property must be False in order to have the Grouped or Toggle feature.  Setting this property "
    "accordingly.";
const std::u16string kMsgToggleNeededInGroup =
    u"The Toggle property must be True when this button belongs to a group.  If you still want this button not to "
    "toggle, then set it's Grouped property to false.";

template <class T>
using Row = property_table::Row<BTN, T>;

}  // namespace

const auto& BTN::Properties() {
    using C = OLE_COLOR;
    static const auto table = std::make_tuple(
        Row<int>{"ButtonStyle", &BTN::m_buttonStyle, kDefButtonStyle, Storage::Stored, nullptr,
                 &BTN::ButtonStyleChanged},
        Row<C>{"BackColor", &BTN::m_backColor, kDefBackColor, Storage::Stored, nullptr, &BTN::Redraw},
        Row<int>{"BackStyle", &BTN::m_backStyle, kDefBackStyle, Storage::Stored, &BTN::AcceptBackStyle, &BTN::Redraw},
        Row<C>{"BorderColor", &BTN::m_borderColor, kDefBorderColor},
        Row<std::u16string>{"Caption", &BTN::m_caption, {}, Storage::Stored, &BTN::AcceptCaption, &BTN::CaptionChanged},
        Row<C>{"DisabledForeColor", &BTN::m_disabledForeColor, kDefDisabledForeColor, Storage::Stored, nullptr,
               &BTN::Redraw},
        Row<bool>{"DropDown", &BTN::m_dropDown, false, Storage::Stored, &BTN::AcceptDropDown, &BTN::DropDownChanged},
        Row<bool>{"Enabled", &BTN::m_enabled, true, Storage::Stored, nullptr, &BTN::EnabledChanged},
        Row<gdi::Font>{"Font", &BTN::m_font, {}, Storage::Stored, &BTN::AcceptFont, &BTN::Redraw},
        Row<C>{"ForeColor", &BTN::m_foreColor, kDefForeColor, Storage::Stored, nullptr, &BTN::Redraw},
        Row<bool>{"Grouped", &BTN::m_grouped, false, Storage::Stored, nullptr, &BTN::GroupedChanged},
        Row<short>{"GroupID", &BTN::m_groupID, 0, Storage::Stored, nullptr, &BTN::GroupIDChanged},
        Row<std::int32_t>{"MaskColor", &BTN::m_maskColor, 0, Storage::Stored, nullptr, &BTN::Redraw},
        Row<int>{"PicturePosition", &BTN::m_picturePosition, kDefPicturePosition, Storage::Stored, nullptr,
                 &BTN::Redraw},
        Row<StdPicture>{"Picture", &BTN::m_picture, {}, Storage::Stored, nullptr, &BTN::Redraw},
        Row<StdPicture>{"PictureDisabled", &BTN::m_pictureDisabled, {}, Storage::Stored, nullptr, &BTN::Redraw},
        Row<StdPicture>{"PictureHover", &BTN::m_pictureHover, {}, Storage::Stored, nullptr, &BTN::Redraw},
        Row<StdPicture>{"PictureDown", &BTN::m_pictureDown, {}, Storage::Stored, nullptr, &BTN::Redraw},
        Row<bool>{"ShowAsDefault", &BTN::m_showAsDefault, false, Storage::Stored, nullptr, &BTN::Redraw},
        Row<bool>{"ShowFocusRect", &BTN::m_showFocusRect, true, Storage::Stored, nullptr, &BTN::Redraw},
        Row<std::u16string>{"TipText", &BTN::m_tipText, {}},
        Row<bool>{"Toggle", &BTN::m_toggle, false, Storage::Stored, &BTN::AcceptToggle},
        Row<bool>{"TogglePressed", &BTN::m_togglePressed, false, Storage::Stored, &BTN::AcceptTogglePressed,
                  &BTN::TogglePressedChanged},
        // The stored theme only sets what XPTheme reports; the skins keep the
        // theme they were loaded with until XPTheme is set.
        Row<short>{"XPTheme", &BTN::m_xpTheme, 0, Storage::ReadOnly, nullptr, &BTN::XPThemeChanged},
        Row<short>{"MousePointer", &BTN::m_mousePointer, 0, Storage::ReadOnly});
    return table;
}

BTN::BTN(ControlSite& site, Ambient ambient) : UserControl(site, std::move(ambient)) {
    m_font = AmbientProperties().Font;
}

BTN::~BTN() {
    m_terminating = true;
    Site().KillTimer(kHoverTimerId);
    Site().Subclass({});
    Site().SetAccessKeys({});
    ReleaseSkins();
}

// ---- lifecycle ----------------------------------------------------------------------

void BTN::InitProperties() {
    m_caption = AmbientProperties().DisplayName;
    Site().SetText(m_caption);
    UpdateAccessKey();
    m_font = AmbientProperties().Font;
    Site().SetFont(m_font);
    UpdateDropWidth();
    LoadDefaultSkins();
    m_drawEnabled = true;
    if (UserMode()) {
        AttachSubclassing();
        ReadDefaultState();
        SizeHandling();
    }
}

void BTN::ReadProperties(const PropertyBag& bag) {
    property_table::ReadAll(*this, bag, Properties(), AmbientProperties().Font);
    ApplyStoredSettings();
    if (m_grouped && !m_toggle) SetToggle(true);
    UpdateDropWidth();
    LoadDefaultSkins();
    if (UserMode()) AttachSubclassing();
    m_drawEnabled = true;
    m_initialised = true;
    SizeHandling();
}

// What the stored values mean for the window itself.
void BTN::ApplyStoredSettings() {
    std::erase(m_caption, u'\0');
    Site().SetText(m_caption);
    Site().SetEnabled(m_enabled);
    Site().SetFont(m_font);
    Site().SetMousePointer(m_mousePointer, gdi::Image());
    UpdateAccessKey();
}

void BTN::WriteProperties(PropertyBag& bag) const {
    property_table::WriteAll(*this, bag, Properties(), AmbientProperties().Font);
}

void BTN::AmbientChanged() {
    ReadDefaultState();
    if (!UserMode()) Redraw();
}

// ---- property setters ------------------------------------------------------------

void BTN::SetButtonStyle(int style) { SetProperty<BTN>(&BTN::m_buttonStyle, style); }
void BTN::SetBackColor(OLE_COLOR colour) { SetProperty<BTN>(&BTN::m_backColor, colour); }
void BTN::SetBackStyle(int style) { SetProperty<BTN>(&BTN::m_backStyle, style); }
void BTN::SetBorderColor(OLE_COLOR colour) { SetProperty<BTN>(&BTN::m_borderColor, colour); }
void BTN::SetCaption(const std::u16string& caption) { SetProperty<BTN>(&BTN::m_caption, caption); }
void BTN::SetDisabledForeColor(OLE_COLOR colour) { SetProperty<BTN>(&BTN::m_disabledForeColor, colour); }
void BTN::SetDropDown(bool on) { SetProperty<BTN>(&BTN::m_dropDown, on); }
void BTN::SetEnabled(bool on) { SetProperty<BTN>(&BTN::m_enabled, on); }
void BTN::SetFont(const gdi::Font& font) { SetProperty<BTN>(&BTN::m_font, font); }
void BTN::SetForeColor(OLE_COLOR colour) { SetProperty<BTN>(&BTN::m_foreColor, colour); }
void BTN::SetGrouped(bool on) { SetProperty<BTN>(&BTN::m_grouped, on); }
void BTN::SetGroupID(short id) { SetProperty<BTN>(&BTN::m_groupID, id); }
void BTN::SetMaskColor(std::int32_t colour) { SetProperty<BTN>(&BTN::m_maskColor, colour); }
void BTN::SetPicturePosition(int position) { SetProperty<BTN>(&BTN::m_picturePosition, position); }
void BTN::SetPicture(const StdPicture& picture) { SetProperty<BTN>(&BTN::m_picture, picture); }
void BTN::SetPictureDisabled(const StdPicture& picture) { SetProperty<BTN>(&BTN::m_pictureDisabled, picture); }
void BTN::SetPictureHover(const StdPicture& picture) { SetProperty<BTN>(&BTN::m_pictureHover, picture); }
void BTN::SetPictureDown(const StdPicture& picture) { SetProperty<BTN>(&BTN::m_pictureDown, picture); }
void BTN::SetShowAsDefault(bool on) { SetProperty<BTN>(&BTN::m_showAsDefault, on); }
void BTN::SetShowFocusRect(bool on) { SetProperty<BTN>(&BTN::m_showFocusRect, on); }
void BTN::SetTipText(const std::u16string& text) { SetProperty<BTN>(&BTN::m_tipText, text); }
void BTN::SetToggle(bool on) { SetProperty<BTN>(&BTN::m_toggle, on); }
void BTN::SetTogglePressed(bool on) { SetProperty<BTN>(&BTN::m_togglePressed, on); }
void BTN::SetXPTheme(short theme) { SetProperty<BTN>(&BTN::m_xpTheme, theme); }

// ---- property rules -----------------------------------------------------------------

bool BTN::AcceptBackStyle(int& style) {
    if (style != bsTransparent || m_buttonStyle != btnStyleXP) return true;
    MsgBox::Show(Site().Window(), kMsgXPBackStyle, MsgBox::vbExclamation, kTitleManger);
    return false;
}

bool BTN::AcceptCaption(std::u16string& caption) {
    std::erase(caption, u'\0');
    return true;
}

bool BTN::AcceptDropDown(bool& on) {
    if (m_buttonStyle == btnStyleXP) {
        if (!UserMode()) MsgBox::Show(Site().Window(), kMsgNoDropDown, MsgBox::vbInformation, kTitleManager);
        return false;
    }
    if (on && (m_grouped || m_toggle)) {
        MsgBox::Show(Site().Window(), kMsgDropDownClearsToggle, MsgBox::vbInformation, kTitleManager);
        m_grouped = false;
        m_toggle = false;
    }
    return true;
}

// Only the face, size and style are copied into the button's own font.
bool BTN::AcceptFont(gdi::Font& font) {
    gdi::Font f = m_font;
    f.family = font.family;
    if (font.pointSize > 0) {
        f.pointSize = font.pointSize;
        f.pixelSize = 0;
    } else {
        f.pixelSize = font.pixelSize;
        f.pointSize = 0;
    }
    f.weight = font.weight > 500 ? 700 : 400;  // bold or not
    f.italic = font.italic;
    f.underline = font.underline;
    f.strikeout = font.strikeout;
    font = f;
    Site().SetFont(font);
    return true;
}

bool BTN::AcceptToggle(bool& on) {
    if (!on && m_grouped) {
        MsgBox::Show(Site().Window(), kMsgToggleNeededInGroup, MsgBox::vbInformation, kTitleManager);
        return false;
    }
    if (on && m_dropDown) {
        MsgBox::Show(Site().Window(), kMsgToggleClearsDropDown, MsgBox::vbInformation, kTitleManager);
        m_dropDown = false;
        UpdateDropWidth();
    }
    return true;
}

bool BTN::AcceptTogglePressed(bool&) { return m_toggle; }

void BTN::ButtonStyleChanged() {
    if (m_buttonStyle == btnStyleXP) {
        SetBackStyle(bsOpaque);
        m_dropDown = false;
    }
    UpdateDropWidth();
    if (!UserMode()) {
        LoadDefaultSkins();
        Redraw();
    } else {
        SizeHandling();
    }
}

void BTN::CaptionChanged() {
    Site().SetText(m_caption);
    UpdateAccessKey();
    Redraw();
}

void BTN::DropDownChanged() {
    UpdateDropWidth();
    Redraw();
}

void BTN::EnabledChanged() {
    Site().SetEnabled(m_enabled);
    Redraw();
}

void BTN::GroupedChanged() {
    if (m_grouped) {
        m_toggle = true;
        if (m_dropDown) {
            MsgBox::Show(Site().Window(), kMsgToggleClearsDropDown, MsgBox::vbInformation, kTitleManager);
            m_dropDown = false;
            UpdateDropWidth();
        }
    }
    GroupRule();
}

void BTN::GroupIDChanged() {
    if (!UserMode()) GroupRule();
    Redraw();
}

void BTN::TogglePressedChanged() {
    if (m_togglePressed && m_grouped) GroupRule();
    Redraw();
}

void BTN::XPThemeChanged() {
    if (m_xpTheme != m_loadedTheme) {
        m_loadedTheme = m_xpTheme;
        LoadDefaultSkins();
    }
    Redraw();
}

// ---- methods ------------------------------------------------------------------------------

void BTN::BeginUpdate() { m_drawEnabled = false; }

void BTN::EndUpdate() {
    m_drawEnabled = true;
    Redraw();
}

void BTN::Refresh() { Redraw(); }

void BTN::ForceToggleState(bool state) {
    if (!m_toggle) return;
    m_togglePressed = state;
    Redraw();
}

void BTN::ApplyCustomLayout() {
    if (events.QueryLayout) events.QueryLayout(m_layout);
    m_customLayout = true;
    ApplyAutoSize();
    Redraw();
}

void BTN::ApplyDefaultLayout() {
    m_customLayout = false;
    Redraw();
}

void BTN::ApplyAutoSize() {
    if (!m_customLayout || m_layout.AutoSizeMode == sknAutoSizeNone) return;
    gdi::SIZE text{};
    if (!m_caption.empty()) {
        tavSCls40::MemoryDC measure;
        if (!measure.Create(1, 1, 0xFFFFFF)) return;
        gdi::SelectFont(measure.hDC(), m_font);
        gdi::RECT r{0, 0, 100000, 100000};
        gdi::DrawText(measure.hDC(), m_caption, r, gdi::DT_CALCRECT);
        text = gdi::SIZE{r.Right - r.Left, r.Bottom - r.Top};
    }
    const gdi::SIZE content = button_layout::ContentExtent(text, SizeOf(m_picture), m_picturePosition);
    const gdi::RECT& ds = m_layout.DrawingSpace;
    const int w = ds.Left + ds.Right + content.cx + m_dropWidth;
    const int h = ds.Top + ds.Bottom + content.cy;
    const gdi::SIZE now = Size();
    switch (m_layout.AutoSizeMode) {
        case sknAutoSizeH: Site().Resize({w, now.cy}); break;
        case sknAutoSizeV: Site().Resize({now.cx, h}); break;
        case sknAutoSizeBoth: Site().Resize({w, h}); break;
        default: break;
    }
}

// ---- state helpers --------------------------------------------------------------------------

bool BTN::Transparent() const { return m_backStyle == bsTransparent; }

gdi::SIZE BTN::SizeOf(const StdPicture& picture) {
    if (picture.type == StdPicture::Type::None || picture.image.IsNull()) return {};
    return gdi::SIZE{picture.image.width, picture.image.height};
}

void BTN::UpdateDropWidth() { m_dropWidth = (m_dropDown && m_buttonStyle != btnStyleXP) ? kDropWidth : 0; }

void BTN::ReadDefaultState() {
    const auto& hostDefault = ExtenderProperties().Default;
    m_isDefault = hostDefault.has_value() ? *hostDefault : m_showAsDefault;
}
