#include "CHKBOX.h"

#include "CHKBOX_Opt_common.h"
#include "modSkinConstants.h"
#include "suite/tavMFC40.h"

#include <QKeyEvent>

using namespace tavGFX40;
using namespace modSkinConstants;
using chk_common::kGlyphSize;

namespace {

// The caption's box: right of the glyph, measured with word break and
// centred vertically in the control.
QRect captionBox(gdi::HDC dc, const QString& caption, int w, int h) {
    const int left = kGlyphSize + chk_common::kCaptionGap;
    gdi::RECT r{left, 0, w, h};
    gdi::DrawText(dc, caption, r, gdi::DT_CALCRECT | gdi::DT_WORDBREAK);
    const int textHeight = r.Bottom - r.Top;
    const int top = (h - textHeight) / 2;
    return QRect(left, top, std::min(r.Right, w) - left, textHeight);
}

}  // namespace

CHKBOX::CHKBOX(QWidget* parent, Ambient ambient) : UserControl(parent, std::move(ambient)) {
    (void)tavMFC40::IsUnicodePlatform();  // Qt text is always wide; asked once all the same
    m_font = AmbientProperties().Font;
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent, true);
}

CHKBOX::~CHKBOX() {
    m_terminating = true;
    winmsg::KillTimer(this, kHoverTimerId);
    if (m_subclasser) m_subclasser->DetachAll(this);
    clsSkin::ReleasePiece(m_skin);
}

// ---- lifecycle ----------------------------------------------------------------------

void CHKBOX::InitProperties() {
    m_font = AmbientProperties().Font;
    QWidget::setFont(m_font);
    chk_common::LoadBuiltInGlyph(m_skin, resCheckBox);
    m_drawEnabled = true;
    if (UserMode()) AttachSubclassing();
    Redraw();
}

void CHKBOX::ReadProperties(const PropertyBag& bag) {
    m_caption = bag.Read<QString>("Caption", QString());
    setWindowTitle(m_caption);
    m_enabled = bag.Read<bool>("Enabled", true);
    QWidget::setEnabled(m_enabled);
    m_font = bag.Read<QFont>("Font", AmbientProperties().Font);
    QWidget::setFont(m_font);
    m_tipText = bag.Read<QString>("TipText", QString());
    setToolTip(m_tipText);
    m_value = bag.Read<bool>("Value", false);
    m_drawFocusRectangle = bag.Read<bool>("DrawFocusRectangle", true);
    m_backColor = bag.Read<OLE_COLOR>("BackColor", kDefBackColor);
    m_foreColor = bag.Read<OLE_COLOR>("ForeColor", kDefForeColor);
    m_disabledForeColor = bag.Read<OLE_COLOR>("DisabledForeColor", kDefDisabledForeColor);
    m_mouseIcon = bag.Read<QImage>("MouseIcon", QImage());
    m_mousePointer = bag.Read<short>("MousePointer", 0);
    chk_common::ApplyMousePointer(*this, m_mousePointer, m_mouseIcon);
    // "ValueSetClick", "Picture" and "PictureDisabled" are written but never read.

    chk_common::LoadBuiltInGlyph(m_skin, resCheckBox);
    if (UserMode()) AttachSubclassing();
    m_drawEnabled = true;
    Redraw();
}

void CHKBOX::WriteProperties(PropertyBag& bag) const {
    bag.Write<QString>("Caption", m_caption, QString());
    bag.Write<bool>("Enabled", m_enabled, true);
    bag.Write<QFont>("Font", m_font, AmbientProperties().Font);
    bag.Write<QString>("TipText", m_tipText, QString());
    bag.Write<bool>("Value", m_value, false);
    bag.Write<bool>("DrawFocusRectangle", m_drawFocusRectangle, true);
    bag.Write<OLE_COLOR>("BackColor", m_backColor, kDefBackColor);
    bag.Write<OLE_COLOR>("ForeColor", m_foreColor, kDefForeColor);
    bag.Write<OLE_COLOR>("DisabledForeColor", m_disabledForeColor, kDefDisabledForeColor);
    bag.Write<QImage>("MouseIcon", m_mouseIcon, QImage());
    bag.Write<short>("MousePointer", m_mousePointer, 0);
    bag.Write<bool>("ValueSetClick", m_valueSetClick, false);
    bag.Write<QImage>("Picture", m_picture, QImage());
    bag.Write<QImage>("PictureDisabled", m_pictureDisabled, QImage());
}

// ---- properties ----------------------------------------------------------------------------

void CHKBOX::SetCaption(const QString& caption) {
    m_caption = caption;
    setWindowTitle(m_caption);
    Redraw();
    MarkChanged("Caption");
}

void CHKBOX::SetEnabled(bool on) {
    m_enabled = on;
    QWidget::setEnabled(on);
    Redraw();
    MarkChanged("Enabled");
}

void CHKBOX::SetFont(const QFont& font) {
    m_font = font;
    QWidget::setFont(m_font);
    Redraw();
    MarkChanged("Font");
}

void CHKBOX::SetTipText(const QString& text) {
    m_tipText = text;
    setToolTip(text);
    MarkChanged("TipText");
}

void CHKBOX::SetValue(bool value) {
    m_value = value;
    Redraw();
    MarkChanged("Value");
}

// ---- methods ------------------------------------------------------------------------------

void CHKBOX::Refresh() { Redraw(); }

void CHKBOX::Redraw() {
    if (m_terminating) return;
    update();
}

void CHKBOX::BeginUpdate() { m_drawEnabled = false; }

void CHKBOX::EndUpdate() {
    m_drawEnabled = true;
    Redraw();
}

void CHKBOX::ApplyDefaultSkin() {
    chk_common::LoadBuiltInGlyph(m_skin, resCheckBox);
    Redraw();
}

void CHKBOX::ApplyCustomSkin() {
    chk_common::LoadCustomGlyph(m_skin, resCheckBox, [this](int number, SkinMapInfo& piece, SkinSource& source) {
        emit QuerySkin(number, piece, source);
    });
    Redraw();
}

// ---- geometry and frames ------------------------------------------------------------------

int CHKBOX::GlyphFrame() const {
    const auto state = chk_common::GlyphStateOf({m_enabled, m_spaceDown, m_mouseOver, m_pressed});
    return chk_common::GlyphFrame(state, m_value);
}

QRect CHKBOX::GlyphRect() const { return QRect(0, height() / 2 - kGlyphSize / 2, kGlyphSize, kGlyphSize); }

QRect CHKBOX::CaptionRect() const {
    tavSCls40::MemoryDC mem;
    if (!mem.Create(1, 1, 0)) return {};
    gdi::SelectFont(mem.hDC(), m_font);
    return captionBox(mem.hDC(), m_caption, width(), height());
}

// ---- drawing -------------------------------------------------------------------------------

void CHKBOX::paintEvent(QPaintEvent*) {
    // In run mode WM_PAINT reaches ISubclass_WindowProc instead.
    PaintToWindow();
}

void CHKBOX::PaintToWindow() const {
    if (!m_drawEnabled || m_terminating) return;
    auto* self = const_cast<CHKBOX*>(this);
    const gdi::HDC window = gdi::GetDC(self);
    Compose(window);
    gdi::ReleaseDC(self, window);
}

void CHKBOX::Compose(gdi::HDC target) const {
    const int w = width(), h = height();
    tavSCls40::MemoryDC mem;
    if (!mem.Create(w, h, gfxTranslateColor(m_backColor))) return;
    const gdi::HDC dc = mem.hDC();

    gfxDrawRect(dc, gdi::RECT{0, 0, w, h}, m_backColor);
    const QRect glyph = GlyphRect();
    clsSkin::DrawPieceFrame(dc, m_skin, GlyphFrame(), glyph.x(), glyph.y());

    if (!m_caption.isEmpty()) {
        gdi::SelectFont(dc, m_font);
        gdi::SetBkMode(dc, gdi::BkMode::Transparent);
        gdi::SetTextColor(dc, gfxTranslateColor(m_enabled ? m_foreColor : m_disabledForeColor));
        const QRect box = captionBox(dc, m_caption, w, h);
        gdi::RECT r{box.left(), box.top(), w, box.top() + box.height()};
        gdi::DrawText(dc, m_caption, r, gdi::DT_WORDBREAK);
        if (m_hasFocus && m_drawFocusRectangle) {
            chk_common::DrawFocusRect(dc, gdi::RECT{std::max(box.left() - 1, 0), std::max(box.top() - 1, 0),
                                                    std::min(box.left() + box.width() + 1, w),
                                                    std::min(box.top() + box.height() + 1, h)});
        }
    }
    gdi::BitBlt(target, 0, 0, w, h, dc, 0, 0, gdi::SRCCOPY);
}

// ---- subclassing and timers -------------------------------------------------------------------

void CHKBOX::AttachSubclassing() {
    if (!m_subclasser) m_subclasser = std::make_unique<tavSCls40::Subclasser>();
    m_subclasser->DetachAll(this);
    for (auto msg : {winmsg::WM_PAINT, winmsg::WM_TIMER, winmsg::WM_MOUSEMOVE, winmsg::WM_LBUTTONDOWN,
                     winmsg::WM_LBUTTONUP, winmsg::WM_PARENTNOTIFY})
        m_subclasser->AttachMessage(this, this, msg);
}

void CHKBOX::StopHover() {
    winmsg::KillTimer(this, kHoverTimerId);
    m_mouseOver = false;
}

tavSCls40::EMsgResponse CHKBOX::ISubclass_MsgResponse() {
    const auto msg = m_subclasser ? m_subclasser->CurrentMessage() : 0;
    return (msg == winmsg::WM_PAINT || msg == winmsg::WM_PARENTNOTIFY) ? tavSCls40::emrConsume
                                                                        : tavSCls40::emrPreprocess;
}

winmsg::LRESULT CHKBOX::ISubclass_WindowProc(winmsg::HWND, winmsg::UINT message, winmsg::WPARAM wParam,
                                             winmsg::LPARAM lParam) {
    int button = 0, shift = 0, x = 0, y = 0;
    tavMFC40::GetMouseParameters(message, wParam, lParam, button, shift, x, y);
    switch (message) {
        case winmsg::WM_PAINT:
            PaintToWindow();
            break;
        case winmsg::WM_MOUSEMOVE:
            if (!m_enabled) break;
            if (!m_mouseOver && tavMFC40::IsMouseOver(this)) {
                m_mouseOver = true;
                winmsg::SetTimer(this, kHoverTimerId, kHoverTimerMs);
                Redraw();
            }
            emit MouseMove(button, shift, x, y);
            break;
        case winmsg::WM_LBUTTONDOWN:
            m_pressed = true;
            Redraw();
            emit MouseDown(button, shift, x, y);
            break;
        case winmsg::WM_LBUTTONUP:
            if (!m_pressed) break;
            m_pressed = false;
            if (rect().contains(x, y)) {
                SetValue(!m_value);
                emit Click();
            } else {
                Redraw();
            }
            emit MouseUp(button, shift, x, y);
            break;
        case winmsg::WM_TIMER:
            if (wParam == kHoverTimerId && !rect().contains(mapFromGlobal(tavMFC40::GetCursorPos()))) {
                StopHover();
                Redraw();
            }
            break;
        default:
            break;
    }
    return 0;
}

// ---- Qt events -----------------------------------------------------------------------------------

void CHKBOX::keyPressEvent(QKeyEvent* e) {
    if (!UserMode()) return;
    const int code = tavMFC40::KeyCodeFromQt(e->key()), shift = tavMFC40::ShiftFromQt(e->modifiers());
    if (code == 32 && !e->isAutoRepeat()) {
        m_pressed = true;
        m_spaceDown = true;
        Redraw();
    }
    emit KeyDown(code, shift);
    if (const int ascii = chk_common::KeyAsciiOf(e->text()); ascii >= 0) emit KeyPress(ascii);
}

void CHKBOX::keyReleaseEvent(QKeyEvent* e) {
    if (!UserMode() || e->isAutoRepeat()) return;
    const int code = tavMFC40::KeyCodeFromQt(e->key()), shift = tavMFC40::ShiftFromQt(e->modifiers());
    if (code == 32) {
        m_spaceDown = false;
        m_pressed = false;
        SetValue(!m_value);
        emit Click();
    }
    emit KeyUp(code, shift);
}

void CHKBOX::focusInEvent(QFocusEvent*) {
    m_hasFocus = true;
    Redraw();
}

void CHKBOX::focusOutEvent(QFocusEvent*) {
    m_hasFocus = false;
    if (m_spaceDown) m_spaceDown = m_pressed = false;  // the space key's release goes elsewhere
    Redraw();
}

void CHKBOX::hideEvent(QHideEvent*) {
    StopHover();
    m_pressed = m_spaceDown = false;
}

void CHKBOX::changeEvent(QEvent* e) {
    if (e->type() == QEvent::EnabledChange && !isEnabled()) {
        StopHover();
        m_pressed = m_spaceDown = false;
        Redraw();
    }
    UserControl::changeEvent(e);
}
