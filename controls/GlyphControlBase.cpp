#include "GlyphControlBase.h"

#include "CHKBOX_Opt_common.h"
#include "modSkinConstants.h"
#include "suite/tavMFC40.h"

#include <QKeyEvent>

using namespace modSkinConstants;

GlyphControlBase::GlyphControlBase(QWidget* parent, Ambient ambient, int glyphResource)
    : UserControl(parent, std::move(ambient)), m_glyphResource(glyphResource) {
    (void)tavMFC40::IsUnicodePlatform();  // Qt text is always wide; asked once all the same
    m_font = AmbientProperties().Font;
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent, true);
}

GlyphControlBase::~GlyphControlBase() {
    m_terminating = true;
    winmsg::KillTimer(this, kHoverTimerId);
    if (m_subclasser) m_subclasser->DetachAll(this);
    clsSkin::ReleasePiece(m_skin);
}

// ---- properties ------------------------------------------------------------------------------

void GlyphControlBase::SetEnabled(bool on) {
    m_enabled = on;
    QWidget::setEnabled(on);
    Redraw();
    MarkChanged("Enabled");
}

void GlyphControlBase::SetFont(const QFont& font) {
    m_font = font;
    QWidget::setFont(m_font);
    Redraw();
    MarkChanged("Font");
}

// ---- methods ----------------------------------------------------------------------------------

void GlyphControlBase::Redraw() {
    if (m_terminating) return;
    update();
}

void GlyphControlBase::BeginUpdate() { m_drawEnabled = false; }

void GlyphControlBase::EndUpdate() {
    m_drawEnabled = true;
    Redraw();
}

void GlyphControlBase::LoadBuiltInGlyph() { chk_common::LoadBuiltInGlyph(m_skin, m_glyphResource); }

void GlyphControlBase::ApplyDefaultSkin() {
    LoadBuiltInGlyph();
    Redraw();
}

void GlyphControlBase::ApplyCustomSkin() {
    chk_common::LoadCustomGlyph(m_skin, m_glyphResource, [this](int number, SkinMapInfo& piece, SkinSource& source) {
        emit QuerySkin(number, piece, source);
    });
    Redraw();
}

int GlyphControlBase::GlyphFrame() const {
    const auto state = chk_common::GlyphStateOf({m_enabled, m_spaceDown, m_mouseOver, m_pressed});
    return chk_common::GlyphFrame(state, m_value);
}

// ---- drawing -----------------------------------------------------------------------------------

void GlyphControlBase::paintEvent(QPaintEvent*) {
    // In run mode WM_PAINT reaches ISubclass_WindowProc instead.
    PaintToWindow();
}

void GlyphControlBase::PaintToWindow() const {
    if (!m_drawEnabled || m_terminating) return;
    auto* self = const_cast<GlyphControlBase*>(this);
    const gdi::HDC window = gdi::GetDC(self);
    Compose(window);
    gdi::ReleaseDC(self, window);
}

// ---- subclassing and timers ----------------------------------------------------------------------

void GlyphControlBase::AttachMessages(std::initializer_list<winmsg::UINT> messages) {
    if (!m_subclasser) m_subclasser = std::make_unique<tavSCls40::Subclasser>();
    m_subclasser->DetachAll(this);
    for (auto msg : messages) m_subclasser->AttachMessage(this, this, msg);
}

void GlyphControlBase::StopHover() {
    winmsg::KillTimer(this, kHoverTimerId);
    m_mouseOver = false;
}

tavSCls40::EMsgResponse GlyphControlBase::ISubclass_MsgResponse() {
    const auto msg = m_subclasser ? m_subclasser->CurrentMessage() : 0;
    return (msg == winmsg::WM_PAINT || msg == winmsg::WM_PARENTNOTIFY) ? tavSCls40::emrConsume
                                                                        : tavSCls40::emrPreprocess;
}

void GlyphControlBase::OnMouseMoveMessage(int button, int shift, int x, int y) {
    if (!m_enabled) return;
    if (!m_mouseOver && tavMFC40::IsMouseOver(this)) {
        m_mouseOver = true;
        winmsg::SetTimer(this, kHoverTimerId, kHoverTimerMs);
        Redraw();
    }
    emit MouseMove(button, shift, x, y);
}

void GlyphControlBase::OnTimerMessage(winmsg::WPARAM id) {
    if (id == kHoverTimerId && !rect().contains(mapFromGlobal(tavMFC40::GetCursorPos()))) {
        StopHover();
        Redraw();
    }
}

// ---- Qt events -----------------------------------------------------------------------------------

void GlyphControlBase::keyPressEvent(QKeyEvent* e) {
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

void GlyphControlBase::focusInEvent(QFocusEvent*) {
    m_hasFocus = true;
    Redraw();
}

void GlyphControlBase::focusOutEvent(QFocusEvent*) {
    m_hasFocus = false;
    if (m_spaceDown) m_spaceDown = m_pressed = false;  // the space key's release goes elsewhere
    Redraw();
}

void GlyphControlBase::hideEvent(QHideEvent*) {
    StopHover();
    m_pressed = m_spaceDown = false;
}

void GlyphControlBase::changeEvent(QEvent* e) {
    if (e->type() == QEvent::EnabledChange && !isEnabled()) {
        StopHover();
        m_pressed = m_spaceDown = false;
        Redraw();
    }
    UserControl::changeEvent(e);
}
