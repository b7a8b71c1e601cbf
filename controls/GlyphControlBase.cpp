#include "controls/GlyphControlBase.h"

#include "controls/control_input.h"
#include "controls/glyph_control.h"
#include "controls/modSkinConstants.h"
#include "controls/suite/qt/gdi_qt.h"
#include "controls/suite/tavMFC40.h"

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

void GlyphControlBase::CaptionChanged() {
    setWindowTitle(m_caption);
    Redraw();
}

void GlyphControlBase::EnabledChanged() {
    QWidget::setEnabled(m_enabled);
    Redraw();
}

void GlyphControlBase::FontChanged() {
    QWidget::setFont(m_font);
    Redraw();
}

void GlyphControlBase::MousePointerChanged() { control_input::ApplyMousePointer(*this, m_mousePointer, m_mouseIcon); }

void GlyphControlBase::ApplyStoredSettings() {
    setWindowTitle(m_caption);
    QWidget::setEnabled(m_enabled);
    QWidget::setFont(m_font);
    MousePointerChanged();
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

void GlyphControlBase::LoadBuiltInGlyph() { glyph_control::LoadBuiltInGlyph(m_skin, m_glyphResource); }

void GlyphControlBase::ApplyDefaultSkin() {
    LoadBuiltInGlyph();
    Redraw();
}

void GlyphControlBase::ApplyCustomSkin() {
    glyph_control::LoadCustomGlyph(m_skin, m_glyphResource, [this](int number, SkinMapInfo& piece, SkinSource& source) {
        emit QuerySkin(number, piece, source);
    });
    Redraw();
}

int GlyphControlBase::GlyphFrame() const {
    const auto state = glyph_control::GlyphStateOf({m_enabled, m_spaceDown, m_mouseOver, m_pressed});
    return glyph_control::GlyphFrame(state, m_value);
}

// ---- drawing -----------------------------------------------------------------------------------

void GlyphControlBase::paintEvent(QPaintEvent*) {
    // In run mode WM_PAINT reaches ISubclass_WindowProc instead.
    PaintToWindow();
}

void GlyphControlBase::PaintToWindow() const {
    if (!m_drawEnabled || m_terminating) return;
    auto* self = const_cast<GlyphControlBase*>(this);
    const gdi::HDC window = gdi::GetDC(gdi::qt::Window(self));
    Compose(window);
    gdi::ReleaseDC(gdi::qt::Window(self), window);
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
    if (const int ascii = control_input::KeyAsciiOf(e->text()); ascii >= 0) emit KeyPress(ascii);
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
