#include "BTN.h"

#include "MsgBox.h"
#include "modSkinConstants.h"
#include "suite/tavMFC40.h"

#include <QFontMetrics>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QShortcutEvent>

#include <algorithm>
#include <array>

using namespace tavGFX40;
using namespace modSkinConstants;

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

// Skin pieces per look.  `custom` says whether ApplyCustomSkin asks the host
// for these pieces (the classic look never does).
struct SkinSet {
    int style;
    bool dropDown;
    int body, drop, arrow;
    bool custom;
};
constexpr std::array<SkinSet, 6> kSkinSets = {{
    {BTN::btnStyleXP, false, resButtonStyle1, 0, 0, true},
    {BTN::btnStyleXP, true, resButtonStyle1, 0, 0, true},
    {BTN::btnStyleFlat, false, resButtonStyle2, 0, 0, true},
    {BTN::btnStyleFlat, true, resSplitBodyStyle2, resDropPartStyle2, resDropArrowStyle2, true},
    {BTN::btnStyleClassic, false, resButtonStyle0, 0, 0, false},
    {BTN::btnStyleClassic, true, resSplitBodyStyle0, resDropPartStyle0, resDropArrowStyle0, false},
}};

const SkinSet* findSkinSet(int style, bool dropDown) {
    for (const auto& s : kSkinSets)
        if (s.style == style && s.dropDown == dropDown) return &s;
    return nullptr;
}

// A custom strip is cut into this many frames.
int customFrames(int resource) { return resource == resButtonStyle1 ? 8 : 7; }

// The button shows a pointing hand for a custom pointer.
Qt::CursorShape cursorFor(short mousePointer) {
    if (mousePointer == 99) return Qt::PointingHandCursor;
    return tavMFC40::StandardCursor(mousePointer).value_or(Qt::ArrowCursor);
}

}  // namespace

BTN::BTN(QWidget* parent, Ambient ambient) : UserControl(parent, std::move(ambient)) {
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
    m_buttonStyle = bag.Read<int>("ButtonStyle", kDefButtonStyle);
    m_backColor = bag.Read<OLE_COLOR>("BackColor", kDefBackColor);
    m_backStyle = bag.Read<int>("BackStyle", kDefBackStyle);
    m_borderColor = bag.Read<OLE_COLOR>("BorderColor", kDefBorderColor);
    m_caption = bag.Read<QString>("Caption", QString());
    m_caption.remove(QChar(0));
    setWindowTitle(m_caption);
    m_disabledForeColor = bag.Read<OLE_COLOR>("DisabledForeColor", kDefDisabledForeColor);
    m_dropDown = bag.Read<bool>("DropDown", false);
    m_enabled = bag.Read<bool>("Enabled", true);
    QWidget::setEnabled(m_enabled);
    m_font = bag.Read<QFont>("Font", AmbientProperties().Font);
    QWidget::setFont(m_font);
    m_foreColor = bag.Read<OLE_COLOR>("ForeColor", kDefForeColor);
    m_grouped = bag.Read<bool>("Grouped", false);
    m_groupID = bag.Read<short>("GroupID", 0);
    m_maskColor = bag.Read<std::int32_t>("MaskColor", 0);
    m_picturePosition = bag.Read<int>("PicturePosition", kDefPicturePosition);
    m_picture = bag.Read<StdPicture>("Picture", StdPicture());
    m_pictureDisabled = bag.Read<StdPicture>("PictureDisabled", StdPicture());
    m_pictureHover = bag.Read<StdPicture>("PictureHover", StdPicture());
    m_pictureDown = bag.Read<StdPicture>("PictureDown", StdPicture());
    m_showAsDefault = bag.Read<bool>("ShowAsDefault", false);
    m_showFocusRect = bag.Read<bool>("ShowFocusRect", true);
    m_tipText = bag.Read<QString>("TipText", QString());
    m_toggle = bag.Read<bool>("Toggle", false);
    m_togglePressed = bag.Read<bool>("TogglePressed", false);
    // The stored theme only sets what XPTheme reports; the skins keep the
    // theme they were loaded with until XPTheme is set.
    m_xpTheme = bag.Read<short>("XPTheme", 0);
    m_mousePointer = bag.Read<short>("MousePointer", 0);
    if (m_mousePointer == 0) unsetCursor();
    else setCursor(cursorFor(m_mousePointer));
    UpdateAccessKey();

    if (m_grouped && !m_toggle) SetToggle(true);
    UpdateDropWidth();
    LoadDefaultSkins();
    if (UserMode()) AttachSubclassing();
    m_drawEnabled = true;
    m_initialised = true;
    SizeHandling();
}

void BTN::WriteProperties(PropertyBag& bag) const {
    bag.Write<int>("ButtonStyle", m_buttonStyle, kDefButtonStyle);
    bag.Write<OLE_COLOR>("BackColor", m_backColor, kDefBackColor);
    bag.Write<int>("BackStyle", m_backStyle, kDefBackStyle);
    bag.Write<OLE_COLOR>("BorderColor", m_borderColor, kDefBorderColor);
    bag.Write<QString>("Caption", m_caption, QString());
    bag.Write<OLE_COLOR>("DisabledForeColor", m_disabledForeColor, kDefDisabledForeColor);
    bag.Write<bool>("DropDown", m_dropDown, false);
    bag.Write<bool>("Enabled", m_enabled, true);
    bag.Write<QFont>("Font", m_font, AmbientProperties().Font);
    bag.Write<OLE_COLOR>("ForeColor", m_foreColor, kDefForeColor);
    bag.Write<bool>("Grouped", m_grouped, false);
    bag.Write<short>("GroupID", m_groupID, 0);
    bag.Write<std::int32_t>("MaskColor", m_maskColor, 0);
    bag.Write<int>("PicturePosition", m_picturePosition, kDefPicturePosition);
    bag.Write<StdPicture>("Picture", m_picture, StdPicture());
    bag.Write<StdPicture>("PictureDisabled", m_pictureDisabled, StdPicture());
    bag.Write<StdPicture>("PictureHover", m_pictureHover, StdPicture());
    bag.Write<StdPicture>("PictureDown", m_pictureDown, StdPicture());
    bag.Write<bool>("ShowAsDefault", m_showAsDefault, false);
    bag.Write<bool>("ShowFocusRect", m_showFocusRect, true);
    bag.Write<QString>("TipText", m_tipText, QString());
    bag.Write<bool>("Toggle", m_toggle, false);
    bag.Write<bool>("TogglePressed", m_togglePressed, false);
    // XPTheme and MousePointer are read but never written.
}

void BTN::AmbientChanged() {
    ReadDefaultState();
    if (!UserMode()) Redraw();
}

// ---- property setters -------------------------------------------------------------------

void BTN::SetButtonStyle(int style) {
    m_buttonStyle = style;
    if (style == btnStyleXP) {
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
    MarkChanged("ButtonStyle");
}

void BTN::SetBackColor(OLE_COLOR colour) {
    m_backColor = colour;
    Redraw();
    MarkChanged("BackColor");
}

void BTN::SetBackStyle(int style) {
    if (style == bsTransparent && m_buttonStyle == btnStyleXP) {
        MsgBox::Show(this, kMsgXPBackStyle, MsgBox::vbExclamation, kTitleManger);
        return;
    }
    m_backStyle = style;
    Redraw();
    MarkChanged("BackStyle");
}

void BTN::SetBorderColor(OLE_COLOR colour) {
    m_borderColor = colour;
    MarkChanged("BorderColor");
}

void BTN::SetCaption(const QString& caption) {
    m_caption = caption;
    m_caption.remove(QChar(0));
    setWindowTitle(m_caption);
    UpdateAccessKey();
    Redraw();
    MarkChanged("Caption");
}

void BTN::SetDisabledForeColor(OLE_COLOR colour) {
    m_disabledForeColor = colour;
    Redraw();
    MarkChanged("DisabledForeColor");
}

void BTN::SetDropDown(bool on) {
    if (m_buttonStyle == btnStyleXP) {
        if (!UserMode()) MsgBox::Show(this, kMsgNoDropDown, MsgBox::vbInformation, kTitleManager);
        return;
    }
    if (on && (m_grouped || m_toggle)) {
        MsgBox::Show(this, kMsgDropDownClearsToggle, MsgBox::vbInformation, kTitleManager);
        m_grouped = false;
        m_toggle = false;
    }
    m_dropDown = on;
    UpdateDropWidth();
    Redraw();
    MarkChanged("DropDown");
}

void BTN::SetEnabled(bool on) {
    m_enabled = on;
    QWidget::setEnabled(on);
    Redraw();
    MarkChanged("Enabled");
}

void BTN::SetFont(const QFont& font) {
    QFont f = m_font;
    f.setFamily(font.family());
    if (font.pointSizeF() > 0) f.setPointSizeF(font.pointSizeF());
    else f.setPixelSize(font.pixelSize());
    f.setBold(font.bold());
    f.setItalic(font.italic());
    f.setUnderline(font.underline());
    f.setStrikeOut(font.strikeOut());
    m_font = f;
    QWidget::setFont(m_font);
    Redraw();
    MarkChanged("Font");
}

void BTN::SetForeColor(OLE_COLOR colour) {
    m_foreColor = colour;
    QPalette pal = palette();
    pal.setColor(QPalette::WindowText, gdi::ToQColor(gfxTranslateColor(colour)));
    setPalette(pal);
    Redraw();
    MarkChanged("ForeColor");
}

void BTN::SetGrouped(bool on) {
    m_grouped = on;
    if (on) {
        m_toggle = true;
        if (m_dropDown) {
            MsgBox::Show(this, kMsgToggleClearsDropDown, MsgBox::vbInformation, kTitleManager);
            m_dropDown = false;
            UpdateDropWidth();
        }
    }
    GroupRule();
    MarkChanged("Grouped");
}

void BTN::SetGroupID(short id) {
    m_groupID = id;
    if (!UserMode()) GroupRule();
    Redraw();
    MarkChanged("GroupID");
}

void BTN::SetMaskColor(std::int32_t colour) {
    m_maskColor = colour;
    Redraw();
    MarkChanged("MaskColor");
}

void BTN::SetPicturePosition(int position) {
    m_picturePosition = position;
    Redraw();
    MarkChanged("PicturePosition");
}

void BTN::SetPicture(const StdPicture& picture) {
    m_picture = picture;
    Redraw();
    MarkChanged("Picture");
}

void BTN::SetPictureDisabled(const StdPicture& picture) {
    m_pictureDisabled = picture;
    Redraw();
    MarkChanged("PictureDisabled");
}

void BTN::SetPictureHover(const StdPicture& picture) {
    m_pictureHover = picture;
    Redraw();
    MarkChanged("PictureHover");
}

void BTN::SetPictureDown(const StdPicture& picture) {
    m_pictureDown = picture;
    Redraw();
    MarkChanged("PictureDown");
}

void BTN::SetShowAsDefault(bool on) {
    m_showAsDefault = on;
    ReadDefaultState();
    Redraw();
    MarkChanged("ShowAsDefault");
}

void BTN::SetShowFocusRect(bool on) {
    m_showFocusRect = on;
    Redraw();
    MarkChanged("ShowFocusRect");
}

void BTN::SetTipText(const QString& text) {
    m_tipText = text;
    MarkChanged("TipText");
}

void BTN::SetToggle(bool on) {
    if (!on && m_grouped) {
        MsgBox::Show(this, kMsgToggleNeededInGroup, MsgBox::vbInformation, kTitleManager);
        return;
    }
    if (on && m_dropDown) {
        MsgBox::Show(this, kMsgToggleClearsDropDown, MsgBox::vbInformation, kTitleManager);
        m_dropDown = false;
        UpdateDropWidth();
    }
    m_toggle = on;
    MarkChanged("Toggle");
}

void BTN::SetTogglePressed(bool on) {
    if (!m_toggle) return;
    m_togglePressed = on;
    if (on && m_grouped) GroupRule();
    Redraw();
    MarkChanged("TogglePressed");
}

void BTN::SetXPTheme(short theme) {
    m_xpTheme = theme;
    if (theme != m_loadedTheme) {
        m_loadedTheme = theme;
        LoadDefaultSkins();
    }
    Redraw();
    MarkChanged("XPTheme");
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

void BTN::ApplyDefaultSkin() {
    LoadDefaultSkins();
    Redraw();
}

void BTN::ApplyCustomSkin() {
    ReleaseSkins();
    const SkinSet* set = findSkinSet(m_buttonStyle, m_dropDown);
    bool allAsked = true;
    if (set != nullptr && set->custom) {
        const std::array<std::pair<SkinMapInfo*, int>, 3> pieces = {
            {{&m_skinBody, set->body}, {&m_skinDrop, set->drop}, {&m_skinArrow, set->arrow}}};
        for (const auto& [piece, number] : pieces) {
            if (number == 0) continue;
            SkinSource source;
            emit QuerySkin(number, *piece, source);
            if (source.IsEmpty() || piece->ImageName.isEmpty()) {
                allAsked = false;
                break;
            }
            clsSkin::LoadCustomPiece(*piece, source, customFrames(number));
        }
    }
    if (allAsked && (m_skinBody.MemDC == 0 || (m_dropDown && (m_skinDrop.MemDC == 0 || m_skinArrow.MemDC == 0))))
        LoadDefaultSkins();
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

// ---- state helpers --------------------------------------------------------------------------

bool BTN::Transparent() const { return m_backStyle == bsTransparent; }

void BTN::UpdateDropWidth() { m_dropWidth = (m_dropDown && m_buttonStyle != btnStyleXP) ? kDropWidth : 0; }

void BTN::ReadDefaultState() {
    const auto& hostDefault = ExtenderProperties().Default;
    m_isDefault = hostDefault.has_value() ? *hostDefault : m_showAsDefault;
}

void BTN::UpdateAccessKey() {
    m_accessKey = QChar();
    if (m_caption.size() >= 2) {
        for (qsizetype i = 0; i + 1 < m_caption.size(); ++i) {
            if (m_caption[i] != u'&') continue;
            if (m_caption[i + 1] == u'&') {  // "&&" is a literal ampersand
                ++i;
                continue;
            }
            m_accessKey = m_caption[i + 1].toLower();
            break;
        }
    }
    if (m_shortcutId != 0) {
        releaseShortcut(m_shortcutId);
        m_shortcutId = 0;
    }
    if (UserMode() && !m_accessKey.isNull())
        m_shortcutId = grabShortcut(QKeySequence(QStringLiteral("Alt+") + m_accessKey.toUpper()));
}

void BTN::GroupRule() {
    if (m_togglePressed) {
        if (AmbientProperties().EnumeratesParentControls) {
            for (BTN* other : window()->findChildren<BTN*>()) {
                if (other != this && other->m_grouped && other->m_groupID == m_groupID) other->ForceToggleState(false);
            }
        } else if (QWidget* container = parentWidget()) {
            // Late-bound walk of the container's controls: anything with a
            // numeric GroupID like ours that is itself pressed.
            for (QObject* other : container->children()) {
                if (other == this) continue;
                const QVariant id = other->property("GroupID");
                bool numeric = false;
                const int value = id.toInt(&numeric);
                if (!id.isValid() || !numeric || value != m_groupID) continue;
                if (other->property("TogglePressed").toBool())
                    QMetaObject::invokeMethod(other, "ForceToggleState", Q_ARG(bool, false));
            }
        }
    }
    Redraw();
}

void BTN::AccessKeyPress() {
    if (!isEnabled()) return;
    if (m_grouped) {
        if (m_togglePressed) return;  // a pressed group member stays as it is
        m_togglePressed = true;
        Redraw();
        GroupRule();
    } else if (m_toggle) {
        m_togglePressed = !m_togglePressed;
        Redraw();
    }
    emit Click();
}

// ---- skins ------------------------------------------------------------------------------------

void BTN::ReleaseSkins() {
    clsSkin::ReleasePiece(m_skinBody);
    clsSkin::ReleasePiece(m_skinDrop);
    clsSkin::ReleasePiece(m_skinArrow);
}

void BTN::LoadDefaultSkins() {
    ReleaseSkins();
    const SkinSet* set = findSkinSet(m_buttonStyle, m_dropDown);
    if (set == nullptr) return;
    clsSkin::LoadStaticPiece(m_skinBody, set->body, m_loadedTheme);
    if (set->drop != 0) clsSkin::LoadStaticPiece(m_skinDrop, set->drop, m_loadedTheme);
    if (set->arrow != 0) clsSkin::LoadStaticPiece(m_skinArrow, set->arrow, m_loadedTheme);
}

void BTN::ApplyAutoSize() {
    if (!m_customLayout || m_layout.AutoSizeMode == sknAutoSizeNone) return;
    const QFontMetrics fm(m_font);
    const QSize text = m_caption.isEmpty() ? QSize()
                                           : fm.boundingRect(QRect(0, 0, 100000, 100000), Qt::TextShowMnemonic,
                                                             m_caption).size();
    const QSize pic = m_picture.Size();
    QSize content = text;
    if (!pic.isEmpty() && !text.isEmpty()) {
        if (m_picturePosition == picAbove || m_picturePosition == picBelow)
            content = QSize(std::max(pic.width(), text.width()), pic.height() + kLayoutGap + text.height());
        else
            content = QSize(pic.width() + kLayoutGap + text.width(), std::max(pic.height(), text.height()));
    } else if (!pic.isEmpty()) {
        content = pic;
    }
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

// ---- subclassing and timers -------------------------------------------------------------------

void BTN::AttachSubclassing() {
    if (!m_subclasser) m_subclasser = std::make_unique<tavSCls40::Subclasser>();
    m_subclasser->DetachAll(this);
    for (auto msg : {winmsg::WM_PAINT, winmsg::WM_TIMER, winmsg::WM_MOUSEMOVE, winmsg::WM_PARENTNOTIFY})
        m_subclasser->AttachMessage(this, this, msg);
}

void BTN::DetachSubclassing() {
    if (m_subclasser) m_subclasser->DetachAll(this);
}

void BTN::StopHover() {
    winmsg::KillTimer(this, kHoverTimerId);
    m_mouseOver = false;
}

tavSCls40::EMsgResponse BTN::ISubclass_MsgResponse() {
    const auto msg = m_subclasser ? m_subclasser->CurrentMessage() : 0;
    return (msg == winmsg::WM_PAINT || msg == winmsg::WM_PARENTNOTIFY) ? tavSCls40::emrConsume
                                                                        : tavSCls40::emrPreprocess;
}

winmsg::LRESULT BTN::ISubclass_WindowProc(winmsg::HWND, winmsg::UINT message, winmsg::WPARAM wParam,
                                          winmsg::LPARAM) {
    switch (message) {
        case winmsg::WM_PAINT:
            PaintToWindow();
            break;
        case winmsg::WM_MOUSEMOVE:
            if (!m_mouseOver && tavMFC40::IsMouseOver(this)) {
                m_mouseOver = true;
                winmsg::SetTimer(this, kHoverTimerId, kHoverTimerMs);
                Redraw();
            }
            break;
        case winmsg::WM_TIMER:
            if (wParam == kHoverTimerId && !rect().contains(mapFromGlobal(tavMFC40::GetCursorPos()))) {
                StopHover();
                if (Transparent()) tavMFC40::UpdateParent(this);
                Redraw();
            }
            break;
        default:
            break;
    }
    return 0;
}

// ---- Qt events -----------------------------------------------------------------------------------

bool BTN::event(QEvent* e) {
    if (e->type() == QEvent::Shortcut && static_cast<QShortcutEvent*>(e)->shortcutId() == m_shortcutId &&
        m_shortcutId != 0) {
        AccessKeyPress();
        return true;
    }
    return UserControl::event(e);
}

void BTN::paintEvent(QPaintEvent*) {
    // In run mode WM_PAINT reaches ISubclass_WindowProc instead.
    PaintToWindow();
}

void BTN::resizeEvent(QResizeEvent*) { SizeHandling(); }

void BTN::SizeHandling() {
    const int minimum = 150 / kTwipsPerPixel;
    if (width() < minimum || height() < minimum) {
        resize(std::max(width(), minimum), std::max(height(), minimum));
        return;  // the resize comes back here
    }
    Redraw();
}

void BTN::mousePressEvent(QMouseEvent* e) {
    if (!UserMode()) return;
    const int button = tavMFC40::ButtonsFromQt(e->button()), shift = tavMFC40::ShiftFromQt(e->modifiers());
    const QPoint p = e->position().toPoint();
    if (HitTest(p) == ButtonPart::DropZone) {
        m_dropPressed = true;
        if (Transparent()) tavMFC40::UpdateParent(this);
        Redraw();
        emit DropDown(button, shift, p.x(), p.y());
    } else {
        m_pressed = true;
        if (Transparent()) tavMFC40::UpdateParent(this);
        Redraw();
    }
    emit MouseDown(button, shift, p.x(), p.y());
}

void BTN::mouseReleaseEvent(QMouseEvent* e) {
    if (!UserMode() || (!m_pressed && !m_dropPressed)) return;
    const int button = tavMFC40::ButtonsFromQt(e->button()), shift = tavMFC40::ShiftFromQt(e->modifiers());
    const QPoint p = e->position().toPoint();
    const bool over = rect().contains(p);
    const bool wasDrop = m_dropPressed;
    m_pressed = false;
    if (m_grouped) {
        m_dropPressed = false;
        if (!m_togglePressed && over) {
            m_togglePressed = true;
            Redraw();
            GroupRule();
            MarkChanged("TogglePressed");
            emit MouseUp(button, shift, p.x(), p.y());
        } else {
            Redraw();
        }
    } else if (m_toggle) {
        m_dropPressed = false;
        m_togglePressed = !m_togglePressed;  // also when released outside
        Redraw();
        MarkChanged("TogglePressed");
        if (over) emit MouseUp(button, shift, p.x(), p.y());
    } else {
        if (wasDrop && over) emit DropUp(button, shift, p.x(), p.y());
        if (!wasDrop && over) emit MouseUp(button, shift, p.x(), p.y());
        m_dropPressed = false;
        Redraw();
    }
    // The host's own click: left button released over the control.
    if (e->button() == Qt::LeftButton && over) emit Click();
}

void BTN::keyPressEvent(QKeyEvent* e) {
    if (!UserMode()) return;
    const int code = tavMFC40::KeyCodeFromQt(e->key()), shift = tavMFC40::ShiftFromQt(e->modifiers());
    if (code == 32 && !e->isAutoRepeat()) {
        m_spaceDown = true;
        Redraw();
    }
    emit KeyDown(code, shift);
    if (!e->text().isEmpty() && e->text().at(0).unicode() < 256) emit KeyPress(e->text().at(0).unicode());
}

void BTN::keyReleaseEvent(QKeyEvent* e) {
    if (!UserMode() || e->isAutoRepeat()) return;
    const int code = tavMFC40::KeyCodeFromQt(e->key()), shift = tavMFC40::ShiftFromQt(e->modifiers());
    m_spaceDown = false;
    if (code == 32) {
        Redraw();
        emit Click();
    }
    emit KeyUp(code, shift);
}

void BTN::focusInEvent(QFocusEvent*) {
    m_hasFocus = true;
    tavMFC40::UpdateParent(this);
}

void BTN::focusOutEvent(QFocusEvent*) {
    m_hasFocus = false;
    m_isDefault = false;
    tavMFC40::UpdateParent(this);
    if (m_initialised) Redraw();
}

void BTN::showEvent(QShowEvent*) {
    if (UserMode() && m_backStyle == bsTransparent) tavMFC40::ChangeWindowStyle(this);
}

void BTN::hideEvent(QHideEvent*) { StopHover(); }

void BTN::changeEvent(QEvent* e) {
    if (e->type() == QEvent::EnabledChange && !isEnabled()) {
        StopHover();
        m_pressed = m_dropPressed = m_spaceDown = false;
    }
    UserControl::changeEvent(e);
}

// ---- geometry ---------------------------------------------------------------------------------------

QRect BTN::BodyRect() const {
    const QRect drop = DropZoneRect();
    return drop.isEmpty() ? rect() : QRect(0, 0, width() - drop.width(), height());
}

QRect BTN::DropZoneRect() const {
    // Presses right of W - d (exclusive) fall on the drop zone, d being the
    // drop part's frame width.
    const int d = m_skinDrop.IMGWidth;
    if (!m_dropDown || d <= 1 || m_skinDrop.MemDC == 0) return {};
    return QRect(width() - d + 1, 0, d - 1, height());
}

BTN::ButtonPart BTN::HitTest(QPoint point) const {
    if (!rect().contains(point)) return ButtonPart::None;
    return DropZoneRect().contains(point) ? ButtonPart::DropZone : ButtonPart::Body;
}

QRect BTN::DrawingArea() const {
    const int w = width(), h = height();
    int l = kLayoutInset, t = kLayoutInset, r = w - kLayoutInset - m_dropWidth, b = h - kLayoutInset;
    if (m_customLayout) {
        const gdi::RECT& ds = m_layout.DrawingSpace;
        l = ds.Left, t = ds.Top, r = w - ds.Right, b = h - ds.Bottom;
    }
    l = std::min(l, r);
    t = std::min(t, b);
    return QRect(l, t, r - l, b - t);
}

void BTN::ApplyWindowRegion() {
    QRegion region;
    if (m_buttonStyle == btnStyleXP || m_buttonStyle == btnStyleFlat) {
        // A rectangle without its four corner pixels.
        const int w = width(), h = height();
        const gdi::HRGN rgn = gdi::CreateRectRgn(0, 1, w, h - 1);
        const gdi::HRGN top = gdi::CreateRectRgn(1, 0, w - 1, 1);
        const gdi::HRGN bottom = gdi::CreateRectRgn(1, h - 1, w - 1, h);
        gdi::CombineRgn(rgn, rgn, top, gdi::CombineMode::Or);
        gdi::CombineRgn(rgn, rgn, bottom, gdi::CombineMode::Or);
        region = *gdi::RegionOf(rgn);
        gdi::DeleteObject(bottom);
        gdi::DeleteObject(top);
        gdi::DeleteObject(rgn);
    }
    if (region == m_windowRegion) return;
    m_windowRegion = region;
    if (region.isEmpty()) clearMask();
    else setMask(region);
}

// ---- frames ------------------------------------------------------------------------------------------

int BTN::BodyFrame() const {
    if (m_buttonStyle == btnStyleXP) {
        if (!m_enabled) return m_togglePressed ? 7 : 3;
        if (m_pressed && m_mouseOver) return 6;
        if (m_spaceDown) return 6;
        if (m_grouped && m_togglePressed) return m_mouseOver ? 5 : (m_hasFocus ? 6 : 4);
        if (m_hasFocus || m_isDefault) return m_mouseOver ? 1 : 2;
        return m_mouseOver ? 1 : 0;
    }
    if (m_buttonStyle == btnStyleClassic || m_buttonStyle == btnStyleFlat) {
        if (m_pressed && m_mouseOver) return 2;
        if (m_mouseOver) return m_togglePressed ? 5 : 1;
        if (m_togglePressed) return 4;
        return 0;
    }
    return 0;
}

int BTN::DropFrame() const {
    if ((m_pressed || m_dropPressed) && m_mouseOver) return 2;
    if (m_togglePressed) return m_mouseOver ? 5 : 4;
    if (m_mouseOver) return 1;
    return 0;
}

// ---- drawing -----------------------------------------------------------------------------------------

void BTN::Redraw() {
    if (m_terminating) return;
    ReadDefaultState();
    ApplyWindowRegion();
    update();
}

void BTN::PaintToWindow() const {
    if (!m_drawEnabled || m_terminating) return;
    auto* self = const_cast<BTN*>(this);
    const gdi::HDC window = gdi::GetDC(self);
    Compose(window);
    gdi::ReleaseDC(self, window);
}

void BTN::Compose(gdi::HDC target) const {
    const int w = width(), h = height();
    tavSCls40::MemoryDC mem;
    if (!mem.Create(w, h, 0xFFFFFF)) return;
    const gdi::HDC dc = mem.hDC();

    // Background.
    const bool seeThrough = UserMode() && (m_buttonStyle == btnStyleClassic || m_buttonStyle == btnStyleFlat) &&
                            m_backStyle == bsTransparent;
    if (!seeThrough || !gfxGetTransBG(dc, const_cast<BTN*>(this))) gfxDrawRect(dc, gdi::RECT{0, 0, w, h}, m_backColor);
    gdi::SelectFont(dc, m_font);

    // Skin.
    const int bodyFrame = BodyFrame();
    if ((m_buttonStyle == btnStyleClassic || m_buttonStyle == btnStyleFlat) && m_dropDown) {
        const int d = m_skinDrop.IMGWidth;
        const int dropFrame = DropFrame();
        clsSkin::DrawPiece(dc, m_skinBody, bodyFrame, 0, 0, w - d, h);
        clsSkin::DrawPiece(dc, m_skinDrop, dropFrame, w - d, 0, w, h);
        int x = (w - d) + (d / 2 - 5 / 2) - 1, y = h / 2 - 3 / 2;
        if (dropFrame == 2) ++x, ++y;
        clsSkin::DrawPieceFrame(dc, m_skinArrow, dropFrame, x, y);
    } else {
        clsSkin::DrawPiece(dc, m_skinBody, bodyFrame, 0, 0, w, h);
    }

    // Picture and caption.
    bool drawDisabled = false;
    const StdPicture* picture = ChosenPicture(drawDisabled);
    const Layout layout = ComputeLayout(dc, picture ? picture->Size() : QSize());
    if (picture != nullptr && !layout.picture.isEmpty()) {
        const bool pressedLook = (m_pressed && m_mouseOver) || m_togglePressed;
        QPoint at = layout.picture.topLeft();
        if ((m_buttonStyle == btnStyleClassic && m_mouseOver && !m_pressed) || (m_dropPressed && m_mouseOver))
            at -= QPoint(3, 3);
        else if (pressedLook)
            at += QPoint(1, 1);
        const auto kind = picture->type == StdPicture::Type::Icon ? PictureKind::Icon : PictureKind::Bitmap;
        const auto mask = static_cast<gdi::COLORREF>(m_maskColor);
        if (drawDisabled) {
            gfxDrawDisabledPicture(dc, picture->image, kind, at.x(), at.y(), mask);
        } else if (kind == PictureKind::Icon) {
            gdi::WithPainter(dc, [&](QPainter& p) { p.drawImage(at, picture->image); });
        } else {
            gfxDrawTransparentBitmap(dc, picture->image, at.x(), at.y(), mask);
        }
    }
    if (!m_caption.isEmpty()) DrawCaption(dc, layout.caption);

    gdi::BitBlt(target, 0, 0, w, h, dc, 0, 0, gdi::SRCCOPY);
}

const StdPicture* BTN::ChosenPicture(bool& drawDisabled) const {
    drawDisabled = false;
    const StdPicture* fallback = m_picture.IsEmpty() ? nullptr : &m_picture;
    if (!m_enabled) {
        if (!m_pictureDisabled.IsEmpty()) return &m_pictureDisabled;
        drawDisabled = true;
        return fallback;
    }
    const bool pressedLook = (m_pressed && m_mouseOver) || m_togglePressed;
    if (pressedLook) return m_pictureDown.IsEmpty() ? fallback : &m_pictureDown;
    if (m_mouseOver) return m_pictureHover.IsEmpty() ? fallback : &m_pictureHover;
    return fallback;
}

BTN::Layout BTN::ComputeLayout(gdi::HDC dc, QSize pic) const {
    const QRect area = DrawingArea();
    Layout out;
    QSize text;
    if (!m_caption.isEmpty()) {
        gdi::RECT r{area.left(), area.top(), area.left() + area.width(), area.top() + area.height()};
        gdi::DrawText(dc, m_caption, r, gdi::DT_CALCRECT | gdi::DT_WORDBREAK | gdi::DT_CENTER);
        text = QSize(std::min(r.Right - r.Left, area.width()), r.Bottom - r.Top);
    }
    if (pic.isEmpty()) {
        out.caption = area;
        return out;
    }
    const auto centredIn = [](const QRect& box, QSize size) {
        return QRect(box.left() + (box.width() - size.width()) / 2, box.top() + (box.height() - size.height()) / 2,
                     size.width(), size.height());
    };
    if (m_caption.isEmpty()) {
        out.picture = centredIn(area, pic);
        return out;
    }
    const bool vertical = m_picturePosition == picAbove || m_picturePosition == picBelow;
    const bool pictureFirst = m_picturePosition == picAbove || m_picturePosition == picLeft;
    if (m_picturePosition < picAbove || m_picturePosition > picBelow) return out;  // nothing placed

    if (m_customLayout && m_layout.LayoutMode == sknLayoutSeperates) {
        // The picture keeps to its edge of the area; the caption is centred
        // in what is left.
        QRect rest = area;
        if (vertical) {
            const int y = pictureFirst ? area.top() : area.bottom() + 1 - pic.height();
            out.picture = QRect(area.left() + (area.width() - pic.width()) / 2, y, pic.width(), pic.height());
            if (pictureFirst) rest.setTop(out.picture.bottom() + 1 + kLayoutGap);
            else rest.setBottom(out.picture.top() - 1 - kLayoutGap);
        } else {
            const int x = pictureFirst ? area.left() : area.right() + 1 - pic.width();
            out.picture = QRect(x, area.top() + (area.height() - pic.height()) / 2, pic.width(), pic.height());
            if (pictureFirst) rest.setLeft(out.picture.right() + 1 + kLayoutGap);
            else rest.setRight(out.picture.left() - 1 - kLayoutGap);
        }
        out.caption = rest;
        return out;
    }

    // Picture and caption as one block centred in the area.
    if (vertical) {
        const int blockH = pic.height() + kLayoutGap + text.height();
        const int top = area.top() + (area.height() - blockH) / 2;
        const int picTop = pictureFirst ? top : top + text.height() + kLayoutGap;
        const int capTop = pictureFirst ? top + pic.height() + kLayoutGap : top;
        out.picture = QRect(area.left() + (area.width() - pic.width()) / 2, picTop, pic.width(), pic.height());
        out.caption = QRect(area.left() + (area.width() - text.width()) / 2, capTop, text.width(), text.height());
    } else {
        const int blockW = pic.width() + kLayoutGap + text.width();
        const int left = area.left() + (area.width() - blockW) / 2;
        const int picLeft = pictureFirst ? left : left + text.width() + kLayoutGap;
        const int capLeft = pictureFirst ? left + pic.width() + kLayoutGap : left;
        out.picture = QRect(picLeft, area.top() + (area.height() - pic.height()) / 2, pic.width(), pic.height());
        out.caption = QRect(capLeft, area.top() + (area.height() - text.height()) / 2, text.width(), text.height());
    }
    return out;
}

void BTN::DrawCaption(gdi::HDC dc, const QRect& rect) const {
    gdi::SetBkMode(dc, gdi::BkMode::Transparent);
    QRect r = rect;
    if ((m_buttonStyle == btnStyleXP || m_buttonStyle == btnStyleFlat) &&
        ((m_pressed && !m_dropPressed && m_mouseOver) || m_togglePressed))
        r.translate(1, 1);
    const std::uint32_t flags = gdi::DT_CENTER | gdi::DT_VCENTER | gdi::DT_WORDBREAK;
    auto draw = [&](const QRect& box, OLE_COLOR colour) {
        gdi::SetTextColor(dc, gfxTranslateColor(colour));
        gdi::RECT wr{box.left(), box.top(), box.left() + box.width(), box.top() + box.height()};
        gdi::DrawText(dc, m_caption, wr, flags);
    };
    if (m_enabled) {
        draw(r, m_foreColor);
    } else if (m_disabledForeColor == kDefDisabledForeColor) {
        draw(r.translated(1, 1), SystemColor(COLOR_BTNHIGHLIGHT));
        draw(r, SystemColor(COLOR_BTNSHADOW));
    } else {
        draw(r, m_disabledForeColor);
    }
}
