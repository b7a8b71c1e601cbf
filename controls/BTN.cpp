// BTN: properties and their rules, lifecycle, methods.
#include "controls/BTN.h"

#include "controls/MsgBox.h"
#include "controls/control_input.h"
#include "controls/modSkinConstants.h"
#include "controls/suite/qt/gdi_qt.h"
#include "controls/suite/tavMFC40.h"

using namespace tavGFX40;
using namespace modSkinConstants;
using property_table::Storage;

namespace {

const QString kTitleManager = QStringLiteral("QV Command Button Property Manager");
// The back-style message has always carried this title, misspelling included.
const QString kTitleManger = QStringLiteral("QV Command Button Property Manger");
const QString kMsgXPBackStyle = QStringLiteral("This value is not allowed for Windows XP style buttons.");
const QString kMsgNoDropDown = QStringLiteral("Drop Down is not allowed for this button style.");
const QString kMsgDropDownClearsToggle = QStringLiteral(
    "Grouped and Toggle properties must be False in order to have the DropDown feature.  Setting these "
    "properties accordingly.");
const QString kMsgToggleClearsDropDown = QStringLiteral(
    "The DropDown property must be False in order to have the Grouped or Toggle feature.  Setting this property "
    "accordingly.");
const QString kMsgToggleNeededInGroup = QStringLiteral(
    "The Toggle property must be True when this button belongs to a group.  If you still want this button not to "
    "toggle, then set it's Grouped property to false.");

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
        Row<QString>{"Caption", &BTN::m_caption, {}, Storage::Stored, &BTN::AcceptCaption, &BTN::CaptionChanged},
        Row<C>{"DisabledForeColor", &BTN::m_disabledForeColor, kDefDisabledForeColor, Storage::Stored, nullptr,
               &BTN::Redraw},
        Row<bool>{"DropDown", &BTN::m_dropDown, false, Storage::Stored, &BTN::AcceptDropDown, &BTN::DropDownChanged},
        Row<bool>{"Enabled", &BTN::m_enabled, true, Storage::Stored, nullptr, &BTN::EnabledChanged},
        Row<QFont>{"Font", &BTN::m_font, {}, Storage::Stored, &BTN::AcceptFont, &BTN::Redraw},
        Row<C>{"ForeColor", &BTN::m_foreColor, kDefForeColor, Storage::Stored, nullptr, &BTN::ForeColorChanged},
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
        Row<QString>{"TipText", &BTN::m_tipText, {}},
        Row<bool>{"Toggle", &BTN::m_toggle, false, Storage::Stored, &BTN::AcceptToggle},
        Row<bool>{"TogglePressed", &BTN::m_togglePressed, false, Storage::Stored, &BTN::AcceptTogglePressed,
                  &BTN::TogglePressedChanged},
        // The stored theme only sets what XPTheme reports; the skins keep the
        // theme they were loaded with until XPTheme is set.
        Row<short>{"XPTheme", &BTN::m_xpTheme, 0, Storage::ReadOnly, nullptr, &BTN::XPThemeChanged},
        Row<short>{"MousePointer", &BTN::m_mousePointer, 0, Storage::ReadOnly});
    return table;
}

BTN::BTN(QWidget* parent, QtAmbient ambient) : QtUserControl(parent, std::move(ambient)) {
    // Initialise: IsUnicodePlatform is asked once; Qt text is always wide, so
    // the answer only documents the call.
    (void)tavMFC40::IsUnicodePlatform();
    m_font = AmbientProperties().Font;
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent, true);
}

BTN::~BTN() {
    m_terminating = true;
    winmsg::KillTimer(this, kHoverTimerId);
    DetachSubclassing();
    ReleaseSkins();
    if (m_shortcutId != 0) releaseShortcut(m_shortcutId);
}

// ---- lifecycle ----------------------------------------------------------------------

void BTN::InitProperties() {
    m_caption = AmbientProperties().DisplayName;
    setWindowTitle(m_caption);
    UpdateAccessKey();
    m_font = AmbientProperties().Font;
    QWidget::setFont(m_font);
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
    m_caption.remove(QChar(0));
    setWindowTitle(m_caption);
    QWidget::setEnabled(m_enabled);
    QWidget::setFont(m_font);
    control_input::ApplyMousePointer(*this, m_mousePointer, QImage(), Qt::PointingHandCursor);
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
void BTN::SetCaption(const QString& caption) { SetProperty<BTN>(&BTN::m_caption, caption); }
void BTN::SetDisabledForeColor(OLE_COLOR colour) { SetProperty<BTN>(&BTN::m_disabledForeColor, colour); }
void BTN::SetDropDown(bool on) { SetProperty<BTN>(&BTN::m_dropDown, on); }
void BTN::SetEnabled(bool on) { SetProperty<BTN>(&BTN::m_enabled, on); }
void BTN::SetFont(const QFont& font) { SetProperty<BTN>(&BTN::m_font, font); }
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
void BTN::SetTipText(const QString& text) { SetProperty<BTN>(&BTN::m_tipText, text); }
void BTN::SetToggle(bool on) { SetProperty<BTN>(&BTN::m_toggle, on); }
void BTN::SetTogglePressed(bool on) { SetProperty<BTN>(&BTN::m_togglePressed, on); }
void BTN::SetXPTheme(short theme) { SetProperty<BTN>(&BTN::m_xpTheme, theme); }

// ---- property rules -----------------------------------------------------------------

bool BTN::AcceptBackStyle(int& style) {
    if (style != bsTransparent || m_buttonStyle != btnStyleXP) return true;
    MsgBox::Show(this, kMsgXPBackStyle, MsgBox::vbExclamation, kTitleManger);
    return false;
}

bool BTN::AcceptCaption(QString& caption) {
    caption.remove(QChar(0));
    return true;
}

bool BTN::AcceptDropDown(bool& on) {
    if (m_buttonStyle == btnStyleXP) {
        if (!UserMode()) MsgBox::Show(this, kMsgNoDropDown, MsgBox::vbInformation, kTitleManager);
        return false;
    }
    if (on && (m_grouped || m_toggle)) {
        MsgBox::Show(this, kMsgDropDownClearsToggle, MsgBox::vbInformation, kTitleManager);
        m_grouped = false;
        m_toggle = false;
    }
    return true;
}

// Only the face, size and style are copied into the button's own font.
bool BTN::AcceptFont(QFont& font) {
    QFont f = m_font;
    f.setFamily(font.family());
    if (font.pointSizeF() > 0)
        f.setPointSizeF(font.pointSizeF());
    else
        f.setPixelSize(font.pixelSize());
    f.setBold(font.bold());
    f.setItalic(font.italic());
    f.setUnderline(font.underline());
    f.setStrikeOut(font.strikeOut());
    font = f;
    QWidget::setFont(font);
    return true;
}

bool BTN::AcceptToggle(bool& on) {
    if (!on && m_grouped) {
        MsgBox::Show(this, kMsgToggleNeededInGroup, MsgBox::vbInformation, kTitleManager);
        return false;
    }
    if (on && m_dropDown) {
        MsgBox::Show(this, kMsgToggleClearsDropDown, MsgBox::vbInformation, kTitleManager);
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
    setWindowTitle(m_caption);
    UpdateAccessKey();
    Redraw();
}

void BTN::DropDownChanged() {
    UpdateDropWidth();
    Redraw();
}

void BTN::EnabledChanged() {
    QWidget::setEnabled(m_enabled);
    Redraw();
}

void BTN::ForeColorChanged() {
    QPalette pal = palette();
    pal.setColor(QPalette::WindowText, gdi::qt::ToQColor(gfxTranslateColor(m_foreColor)));
    setPalette(pal);
    Redraw();
}

void BTN::GroupedChanged() {
    if (m_grouped) {
        m_toggle = true;
        if (m_dropDown) {
            MsgBox::Show(this, kMsgToggleClearsDropDown, MsgBox::vbInformation, kTitleManager);
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
    emit QueryLayout(m_layout);
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
    const QFontMetrics fm(m_font);
    const QSize text = m_caption.isEmpty()
                           ? QSize()
                           : fm.boundingRect(QRect(0, 0, 100000, 100000), Qt::TextShowMnemonic, m_caption).size();
    const QSize content = button_layout::ContentExtent(text, m_picture.Size(), m_picturePosition);
    const gdi::RECT& ds = m_layout.DrawingSpace;
    const int w = ds.Left + ds.Right + content.width() + m_dropWidth;
    const int h = ds.Top + ds.Bottom + content.height();
    switch (m_layout.AutoSizeMode) {
        case sknAutoSizeH: resize(w, height()); break;
        case sknAutoSizeV: resize(width(), h); break;
        case sknAutoSizeBoth: resize(w, h); break;
        default: break;
    }
}

// ---- state helpers --------------------------------------------------------------------------

bool BTN::Transparent() const { return m_backStyle == bsTransparent; }

void BTN::UpdateDropWidth() { m_dropWidth = (m_dropDown && m_buttonStyle != btnStyleXP) ? kDropWidth : 0; }

void BTN::ReadDefaultState() {
    const auto& hostDefault = ExtenderProperties().Default;
    m_isDefault = hostDefault.has_value() ? *hostDefault : m_showAsDefault;
}
