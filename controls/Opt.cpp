#include "Opt.h"

#include "CHKBOX_Opt_common.h"
#include "modSkinConstants.h"
#include "suite/tavMFC40.h"

#include <QKeyEvent>

using namespace tavGFX40;
using namespace modSkinConstants;
using chk_common::kGlyphSize;

Opt::Opt(QWidget* parent, Ambient ambient) : GlyphControlBase(parent, std::move(ambient), resOptionButton) {}

Opt::~Opt() = default;

// ---- lifecycle ----------------------------------------------------------------------

void Opt::InitProperties() {
    m_font = AmbientProperties().Font;
    QWidget::setFont(m_font);
    LoadBuiltInGlyph();
    m_drawEnabled = true;
    if (UserMode()) AttachSubclassing();
    RebuildBackground();
    Redraw();
}

void Opt::ReadProperties(const PropertyBag& bag) {
    m_alignment = bag.Read<int>("Alignment", optGlyphLeft);
    m_backColor = bag.Read<OLE_COLOR>("BackColor", kDefBackColor);
    m_backStyle = bag.Read<int>("BackStyle", bsOpaque);
    m_disabledForeColor = bag.Read<OLE_COLOR>("DisabledForeColor", kDefDisabledForeColor);
    m_enabled = bag.Read<bool>("Enabled", true);
    QWidget::setEnabled(m_enabled);
    m_font = bag.Read<QFont>("Font", AmbientProperties().Font);
    QWidget::setFont(m_font);
    m_foreColor = bag.Read<OLE_COLOR>("ForeColor", kDefForeColor);
    m_groupID = bag.Read<short>("GroupID", 0);
    m_grouped = bag.Read<bool>("Grouped", false);
    m_mouseIcon = bag.Read<QImage>("MouseIcon", QImage());
    m_mousePointer = bag.Read<short>("MousePointer", 0);
    chk_common::ApplyMousePointer(*this, m_mousePointer, m_mouseIcon);
    m_value = bag.Read<bool>("Value", false);
    m_valueSetClick = bag.Read<bool>("ValueSetClick", false);

    LoadBuiltInGlyph();
    if (UserMode()) AttachSubclassing();
    m_drawEnabled = true;
    RebuildBackground();
    Redraw();
}

void Opt::WriteProperties(PropertyBag& bag) const {
    bag.Write<int>("Alignment", m_alignment, optGlyphLeft);
    bag.Write<OLE_COLOR>("BackColor", m_backColor, kDefBackColor);
    bag.Write<int>("BackStyle", m_backStyle, bsOpaque);
    bag.Write<OLE_COLOR>("DisabledForeColor", m_disabledForeColor, kDefDisabledForeColor);
    bag.Write<bool>("Enabled", m_enabled, true);
    bag.Write<QFont>("Font", m_font, AmbientProperties().Font);
    bag.Write<OLE_COLOR>("ForeColor", m_foreColor, kDefForeColor);
    bag.Write<short>("GroupID", m_groupID, 0);
    bag.Write<bool>("Grouped", m_grouped, false);
    bag.Write<QImage>("MouseIcon", m_mouseIcon, QImage());
    bag.Write<short>("MousePointer", m_mousePointer, 0);
    bag.Write<bool>("Value", m_value, false);
    bag.Write<bool>("ValueSetClick", m_valueSetClick, false);
}

// ---- stored properties ----------------------------------------------------------------------

void Opt::SetAlignment(int alignment) {
    m_alignment = alignment;
    Redraw();
    MarkChanged("Alignment");
}

void Opt::SetBackColor(OLE_COLOR colour) {
    m_backColor = colour;
    RebuildBackground();
    Redraw();
    MarkChanged("BackColor");
}

void Opt::SetBackStyle(int style) {
    m_backStyle = style;
    RebuildBackground();
    Redraw();
    MarkChanged("BackStyle");
}

void Opt::SetDisabledForeColor(OLE_COLOR colour) {
    m_disabledForeColor = colour;
    Redraw();
    MarkChanged("DisabledForeColor");
}

void Opt::SetForeColor(OLE_COLOR colour) {
    m_foreColor = colour;
    Redraw();
    MarkChanged("ForeColor");
}

void Opt::SetGroupID(short id) {
    m_groupID = id;
    MarkChanged("GroupID");
}

void Opt::SetGrouped(bool on) {
    m_grouped = on;
    MarkChanged("Grouped");
}

void Opt::SetMouseIcon(const QImage& icon) {
    m_mouseIcon = icon;
    chk_common::ApplyMousePointer(*this, m_mousePointer, m_mouseIcon);
    MarkChanged("MouseIcon");
}

void Opt::SetMousePointer(short pointer) {
    m_mousePointer = pointer;
    chk_common::ApplyMousePointer(*this, m_mousePointer, m_mouseIcon);
    MarkChanged("MousePointer");
}

void Opt::SetValue(bool value) {
    const bool clickOnChange = m_valueSetClick && value != m_value;
    m_value = value;
    if (value && m_grouped) GroupRule();
    Redraw();
    if (clickOnChange && value) emit Click();
    MarkChanged("Value");
}

void Opt::SetValueSetClick(bool on) {
    m_valueSetClick = on;
    MarkChanged("ValueSetClick");
}

// ---- run-time properties ----------------------------------------------------------------------

void Opt::SetCaption(const QString& caption) {
    m_caption = caption;
    setWindowTitle(caption);
    Redraw();
}

void Opt::SetControlWidth(int pixels) {
    m_controlWidth = pixels;
    Redraw();
}

void Opt::SetControlHeight(int pixels) {
    m_controlHeight = pixels;
    Redraw();
}

void Opt::SetXOffset(int pixels) {
    m_xOffset = pixels;
    Redraw();
}

void Opt::SetYOffset(int pixels) {
    m_yOffset = pixels;
    Redraw();
}

// ---- methods ------------------------------------------------------------------------------

void Opt::Refresh() {
    RebuildBackground();
    Redraw();
}

// ---- groups -----------------------------------------------------------------------------------

void Opt::GroupRule() {
    QWidget* container = parentWidget();
    if (container == nullptr) return;
    for (QObject* other : container->children()) {
        if (other == this) continue;
        bool numeric = false;
        const int id = other->property("GroupID").toInt(&numeric);
        if (!numeric || id != m_groupID) continue;
        if (other->property("Value").toBool()) other->setProperty("Value", false);
    }
}

bool Opt::HasOtherGroupMember() const {
    const QWidget* container = parentWidget();
    if (container == nullptr) return false;
    for (const QObject* other : container->children()) {
        if (other == this) continue;
        bool numeric = false;
        const int id = other->property("GroupID").toInt(&numeric);
        if (numeric && id == m_groupID) return true;
    }
    return false;
}

void Opt::UserChoice(ChoiceBy by) {
    const bool before = m_value;
    if (!(m_grouped && m_value && HasOtherGroupMember())) {
        bool newValue = !m_value;
        bool cancel = false;
        emit BeforeValueChanged(newValue, cancel);
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
    if (by == ChoiceBy::LeftButton && !before && m_value) emit Click();
}

// ---- geometry and frames ------------------------------------------------------------------

QRect Opt::GlyphRect() const {
    const int y = height() / 2 - kGlyphSize / 2;
    switch (m_alignment) {
        case optGlyphLeft: return QRect(0, y, kGlyphSize, kGlyphSize);
        case optGlyphRight: return QRect(width() - (kGlyphSize + 1), y, kGlyphSize, kGlyphSize);
        default: return {};
    }
}

QRect Opt::CaptionBox() const {
    const int w = width(), h = height();
    const int beside = kGlyphSize + chk_common::kCaptionGap;
    QRect box(0, 0, w, h);
    if (m_alignment == optGlyphLeft) box.setLeft(beside);
    else if (m_alignment == optGlyphRight) box.setRight(w - 1 - beside - 1);
    if (m_controlWidth > 0) box.setWidth(m_controlWidth);
    if (m_controlHeight > 0) box.setHeight(m_controlHeight);
    return box.translated(m_xOffset, m_yOffset);
}

// ---- drawing -------------------------------------------------------------------------------

void Opt::RebuildBackground() {
    const int w = width(), h = height();
    if (!m_background.Create(w, h, gfxTranslateColor(m_backColor))) return;
    const bool seeThrough = UserMode() && m_backStyle == bsTransparent;
    if (!seeThrough || !gfxGetTransBG(m_background.hDC(), this))
        gfxDrawRect(m_background.hDC(), gdi::RECT{0, 0, w, h}, m_backColor);
}

void Opt::Compose(gdi::HDC target) const {
    // The scale size over the screen's twips per pixel: the widget's own size.
    const int w = width(), h = height();
    tavSCls40::MemoryDC mem;
    if (!mem.Create(w, h, gfxTranslateColor(m_backColor))) return;
    const gdi::HDC dc = mem.hDC();

    if (m_background.hDC() != 0) gdi::BitBlt(dc, 0, 0, w, h, m_background.hDC(), 0, 0, gdi::SRCCOPY);
    if (const QRect glyph = GlyphRect(); !glyph.isEmpty())
        clsSkin::DrawPieceFrame(dc, m_skin, GlyphFrame(), glyph.x(), glyph.y());

    if (!m_caption.isEmpty()) {
        gdi::SelectFont(dc, m_font);
        gdi::SetBkMode(dc, gdi::BkMode::Transparent);
        gdi::SetTextColor(dc, gfxTranslateColor(m_enabled ? m_foreColor : m_disabledForeColor));
        const QRect box = CaptionBox();
        gdi::RECT r{box.left(), box.top(), box.left() + box.width(), box.top() + box.height()};
        gdi::DrawText(dc, m_caption, r, gdi::DT_CALCRECT | gdi::DT_WORDBREAK);
        const int textHeight = r.Bottom - r.Top, textWidth = std::min(r.Right - r.Left, box.width());
        const int top = box.top() + (box.height() - textHeight) / 2;
        gdi::RECT out{box.left(), top, box.left() + box.width(), top + textHeight};
        gdi::DrawText(dc, m_caption, out, gdi::DT_WORDBREAK);
        if (m_hasFocus) {
            chk_common::DrawFocusRect(dc, gdi::RECT{std::max(box.left() - 1, 0), std::max(top - 1, 0),
                                                    std::min(box.left() + textWidth + 1, w),
                                                    std::min(top + textHeight + 1, h)});
        }
    }
    gdi::BitBlt(target, 0, 0, w, h, dc, 0, 0, gdi::SRCCOPY);
}

// ---- subclassing and timers -------------------------------------------------------------------

void Opt::AttachSubclassing() {
    AttachMessages({winmsg::WM_PAINT, winmsg::WM_TIMER, winmsg::WM_MOUSEMOVE, winmsg::WM_LBUTTONDOWN,
                    winmsg::WM_LBUTTONUP, winmsg::WM_RBUTTONDOWN, winmsg::WM_RBUTTONUP, winmsg::WM_MBUTTONDOWN,
                    winmsg::WM_MBUTTONUP});
}

winmsg::LRESULT Opt::ISubclass_WindowProc(winmsg::HWND, winmsg::UINT message, winmsg::WPARAM wParam,
                                          winmsg::LPARAM lParam) {
    using namespace winmsg;
    int button = 0, shift = 0, x = 0, y = 0;
    tavMFC40::GetMouseParameters(message, wParam, lParam, button, shift, x, y);
    switch (message) {
        case WM_PAINT:
            PaintToWindow();
            break;
        case WM_MOUSEMOVE:
            OnMouseMoveMessage(button, shift, x, y);
            break;
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
            m_pressed = true;
            Redraw();
            emit MouseDown(button, shift, x, y);
            break;
        case WM_LBUTTONUP:
        case WM_RBUTTONUP:
        case WM_MBUTTONUP:
            if (!m_pressed) break;
            m_pressed = false;
            if (rect().contains(x, y)) UserChoice(message == WM_LBUTTONUP ? ChoiceBy::LeftButton : ChoiceBy::OtherButton);
            else Redraw();
            emit MouseUp(button, shift, x, y);
            break;
        case WM_TIMER:
            OnTimerMessage(wParam);
            break;
        default:
            break;
    }
    return 0;
}

// ---- Qt events -----------------------------------------------------------------------------------

void Opt::resizeEvent(QResizeEvent*) {
    RebuildBackground();
    Redraw();
}

void Opt::moveEvent(QMoveEvent*) {
    if (m_backStyle == bsTransparent) {
        RebuildBackground();
        Redraw();
    }
}

void Opt::showEvent(QShowEvent*) {
    if (UserMode() && m_backStyle == bsTransparent) tavMFC40::ChangeWindowStyle(this);
    RebuildBackground();
}

// The space key chooses like a left click over the button.
void Opt::keyReleaseEvent(QKeyEvent* e) {
    if (!UserMode() || e->isAutoRepeat()) return;
    const int code = tavMFC40::KeyCodeFromQt(e->key()), shift = tavMFC40::ShiftFromQt(e->modifiers());
    if (code == 32 && m_spaceDown) {
        m_spaceDown = false;
        m_pressed = false;
        UserChoice(ChoiceBy::LeftButton);
    }
    emit KeyUp(code, shift);
}
