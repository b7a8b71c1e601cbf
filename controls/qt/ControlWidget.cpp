#include "controls/qt/ControlWidget.h"

#include "controls/qt/QtAmbient.h"
#include "controls/control_input.h"
#include "controls/qt/LineEditor.h"
#include "controls/suite/qt/gdi_qt.h"
#include "controls/suite/qt/transparent_background.h"
#include "controls/suite/tavMFC40.h"

#include <QApplication>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QShortcutEvent>
#include <QVariant>

namespace {

// A sibling widget seen late-bound through its Qt properties.
class QtLateBound : public LateBound {
  public:
    explicit QtLateBound(QObject& object) : m_object(object) {}
    std::optional<std::int64_t> NumberProperty(std::string_view name) const override {
        bool numeric = false;
        const qlonglong n = m_object.property(std::string(name).c_str()).toLongLong(&numeric);
        if (!numeric) return std::nullopt;
        return n;
    }
    bool SetFlagProperty(std::string_view name, bool value) override {
        return m_object.setProperty(std::string(name).c_str(), value);
    }

  private:
    QObject& m_object;
};

}  // namespace

// Hands the subclassed messages to the control.
class ControlWidget::Bridge : public tavSCls40::ISubclass {
  public:
    Bridge(ControlWidget& host, tavSCls40::Subclasser& subclasser) : m_host(host), m_subclasser(subclasser) {}
    tavSCls40::EMsgResponse ISubclass_MsgResponse() override {
        return m_host.m_control->MsgResponse(m_subclasser.CurrentMessage()) == MessageResponse::Consume
                   ? tavSCls40::emrConsume
                   : tavSCls40::emrPreprocess;
    }
    winmsg::LRESULT ISubclass_WindowProc(winmsg::HWND, winmsg::UINT message, winmsg::WPARAM wParam,
                                         winmsg::LPARAM lParam) override {
        return m_host.m_control->WindowProc(message, wParam, lParam);
    }

  private:
    ControlWidget& m_host;
    tavSCls40::Subclasser& m_subclasser;
};

ControlWidget::ControlWidget(QWidget* parent) : QWidget(parent) {
    (void)tavMFC40::IsUnicodePlatform();  // Qt text is always wide; asked once all the same
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent, true);
}

ControlWidget::~ControlWidget() = default;

void ControlWidget::Bind(UserControl& control) { m_control = &control; }

Ambient ControlWidget::PortableAmbient(const QtAmbient& a) {
    return Ambient{a.Mode, gdi::qt::Text(a.DisplayName), gdi::qt::FontOf(a.Font), a.EnumeratesParentControls};
}

void ControlWidget::Send(winmsg::UINT message, winmsg::WPARAM wParam, winmsg::LPARAM lParam) {
    if (m_control != nullptr) m_control->WindowProc(message, wParam, lParam);
}

// ---- ControlSite ----------------------------------------------------------------------------------

gdi::HWND ControlWidget::Window() { return gdi::qt::Window(this); }
gdi::SIZE ControlWidget::ClientSize() const { return gdi::SIZE{width(), height()}; }
void ControlWidget::Invalidate() { update(); }

void ControlWidget::SetWindowRegion(gdi::HRGN region) {
    const QRegion* shape = gdi::qt::RegionOf(region);
    if (shape != nullptr)
        setMask(*shape);
    else
        clearMask();
    if (region != 0) gdi::DeleteRegion(region);
}

bool ControlWidget::PaintBackgroundBehind(gdi::HDC dc) { return tavGFX40::gfxGetTransBG(dc, this); }
void ControlWidget::MakeSeeThrough() { tavMFC40::ChangeWindowStyle(this); }
void ControlWidget::SetText(const std::u16string& text) { setWindowTitle(gdi::qt::ToQString(text)); }
void ControlWidget::SetFont(const gdi::Font& font) { QWidget::setFont(gdi::qt::ToQFont(font)); }
void ControlWidget::SetEnabled(bool on) { QWidget::setEnabled(on); }
void ControlWidget::SetToolTip(const std::u16string& text) { setToolTip(gdi::qt::ToQString(text)); }

void ControlWidget::SetMousePointer(int pointer, const gdi::Image& icon) {
    control_input::ApplyMousePointer(*this, pointer, icon.IsNull() ? QImage() : gdi::qt::ToQImage(icon));
}

void ControlWidget::SetCapture(bool on) {
    if (on)
        grabMouse();
    else
        releaseMouse();
}

bool ControlWidget::HasCapture() const { return QWidget::mouseGrabber() == this; }

gdi::POINT ControlWidget::CursorPos() const {
    const QPoint p = mapFromGlobal(tavMFC40::GetCursorPos());
    return gdi::POINT{p.x(), p.y()};
}

bool ControlWidget::IsMouseOver() const { return tavMFC40::IsMouseOver(const_cast<ControlWidget*>(this)); }
bool ControlWidget::HasFocus() const { return hasFocus(); }
void ControlWidget::TakeFocus() { setFocus(); }

int ControlWidget::ShiftState() const {
    return tavMFC40::ShiftFromQt(m_inKeyEvent ? m_keyModifiers : QGuiApplication::queryKeyboardModifiers());
}

void ControlWidget::SetTimer(std::uintptr_t id, int milliseconds) { winmsg::SetTimer(this, id, milliseconds); }
void ControlWidget::KillTimer(std::uintptr_t id) { winmsg::KillTimer(this, id); }
bool ControlWidget::IsTimerRunning(std::uintptr_t id) const {
    return winmsg::IsTimerRunning(const_cast<ControlWidget*>(this), id);
}

void ControlWidget::Subclass(const std::vector<winmsg::UINT>& messages) {
    if (messages.empty() && !m_subclasser) return;
    if (!m_subclasser) {
        m_subclasser = std::make_unique<tavSCls40::Subclasser>();
        m_bridge = std::make_unique<Bridge>(*this, *m_subclasser);
    }
    m_subclasser->DetachAll(m_bridge.get());
    for (const auto message : messages) m_subclasser->AttachMessage(m_bridge.get(), this, message);
}

void ControlWidget::ForEachSibling(const std::function<void(LateBound&)>& visit) {
    QWidget* container = parentWidget();
    if (container == nullptr) return;
    for (QObject* other : container->children()) {
        if (other == this) continue;
        QtLateBound late(*other);
        visit(late);
    }
}

// ---- Qt events --------------------------------------------------------------------------------------

// In run mode a subclassed WM_PAINT takes the paint event first.
void ControlWidget::paintEvent(QPaintEvent*) { Send(winmsg::WM_PAINT); }

void ControlWidget::keyPressEvent(QKeyEvent* e) {
    m_keyModifiers = e->modifiers();
    m_inKeyEvent = true;
    Send(winmsg::WM_KEYDOWN, static_cast<winmsg::WPARAM>(tavMFC40::KeyCodeFromQt(e->key())),
         e->isAutoRepeat() ? winmsg::kKeyRepeatFlag : 0);
    if (const int ascii = control_input::KeyAsciiOf(e->text()); ascii >= 0)
        Send(winmsg::WM_CHAR, static_cast<winmsg::WPARAM>(ascii));
    m_inKeyEvent = false;
}

void ControlWidget::keyReleaseEvent(QKeyEvent* e) {
    if (e->isAutoRepeat()) return;  // a held key goes up once
    m_keyModifiers = e->modifiers();
    m_inKeyEvent = true;
    Send(winmsg::WM_KEYUP, static_cast<winmsg::WPARAM>(tavMFC40::KeyCodeFromQt(e->key())));
    m_inKeyEvent = false;
}

void ControlWidget::focusInEvent(QFocusEvent*) { Send(winmsg::WM_SETFOCUS); }
void ControlWidget::focusOutEvent(QFocusEvent*) { Send(winmsg::WM_KILLFOCUS); }
void ControlWidget::showEvent(QShowEvent*) { Send(winmsg::WM_SHOWWINDOW, 1); }
void ControlWidget::hideEvent(QHideEvent*) { Send(winmsg::WM_SHOWWINDOW, 0); }
void ControlWidget::resizeEvent(QResizeEvent*) { Send(winmsg::WM_SIZE); }
void ControlWidget::moveEvent(QMoveEvent*) { Send(winmsg::WM_MOVE); }

void ControlWidget::changeEvent(QEvent* e) {
    if (e->type() == QEvent::EnabledChange) Send(winmsg::WM_ENABLE, isEnabled() ? 1 : 0);
    QWidget::changeEvent(e);
}

// ---- the command button: access keys, default / cancel, the form's controls, size -----------------

void ControlWidget::SetAccessKeys(const std::u16string& keys) {
    m_accessKeys = keys;
    GrabFormKeys();
}

void ControlWidget::GrabFormKeys() {
    for (const auto& [id, key] : m_formKeys) releaseShortcut(id);
    m_formKeys.clear();
    const auto grab = [this](const QKeySequence& sequence, char16_t key) {
        m_formKeys.emplace_back(grabShortcut(sequence), key);
    };
    for (const char16_t key : m_accessKeys)
        grab(QKeySequence(QStringLiteral("Alt+") + QString(QChar(key)).toUpper()), key);
    if (m_control == nullptr) return;
    if (m_control->ExtenderProperties().Default.value_or(false)) {
        grab(QKeySequence(Qt::Key_Return), u'\r');
        grab(QKeySequence(Qt::Key_Enter), u'\r');
    }
    if (m_control->ExtenderProperties().Cancel) grab(QKeySequence(Qt::Key_Escape), u'\x1b');
}

bool ControlWidget::event(QEvent* e) {
    if (e->type() == QEvent::Shortcut && m_control != nullptr) {
        const int id = static_cast<QShortcutEvent*>(e)->shortcutId();
        for (const auto& [grabbed, key] : m_formKeys) {
            if (grabbed != id) continue;
            m_control->AccessKeyPress(key);
            return true;
        }
    }
    return QWidget::event(e);
}

void ControlWidget::SetDefault(bool on) {
    if (m_control == nullptr) return;
    m_control->ExtenderProperties().Default = on;
    ExtenderChanged();
}

void ControlWidget::SetCancel(bool on) {
    if (m_control == nullptr) return;
    m_control->ExtenderProperties().Cancel = on;
    ExtenderChanged();
}

// The control rereads what the host tells it (a default button shows as one).
void ControlWidget::ExtenderChanged() {
    GrabFormKeys();
    m_control->SetAmbient(m_control->AmbientProperties());
    update();
}

void ControlWidget::ForEachFormControl(const std::function<void(LateBound&)>& visit) {
    for (ControlWidget* other : window()->findChildren<ControlWidget*>()) {
        if (other != this && other->m_control != nullptr) visit(*other->m_control);
    }
}

void ControlWidget::Resize(gdi::SIZE size) { resize(size.cx, size.cy); }
// ---- the text box: an inner editor, the window's size ----

std::unique_ptr<InnerEditor> ControlWidget::MakeInnerEditor(InnerEditorListener& listener) {
    return std::make_unique<LineEditor>(*this, listener);
}

// ---- the list box: its scroll bar's window, the font's line, the wheel ----

namespace {

// A control in a child widget.  Qt already keeps the mouse with the widget a
// button went down on until the button goes up (its implicit grab), so the
// control's hold on the mouse while pressed needs no grab of its own.
class ChildControlWidget : public ControlWidget, public ControlSite::ChildWindow {
  public:
    explicit ChildControlWidget(QWidget* parent) : ControlWidget(parent) {
        setFocusPolicy(Qt::NoFocus);
        hide();
    }
    ControlSite& Site() override { return *this; }
    // The widget goes right after its control, with no event delivered between.
    void Host(UserControl* control) override {
        if (control != nullptr) Bind(*control);
    }
    void SetBounds(const gdi::RECT& r) override { setGeometry(r.Left, r.Top, r.Right - r.Left, r.Bottom - r.Top); }
    void SetVisible(bool on) override { setVisible(on); }
    bool IsVisible() const override { return !isHidden(); }
    void SetCapture(bool) override {}
    bool HasCapture() const override { return false; }
};

// Letters that reach as high and as low as a line of text usually does.
const QString kInkSample = QStringLiteral("bdfhklt|gjpqy()");

}  // namespace

std::unique_ptr<ControlSite::ChildWindow> ControlWidget::MakeChildWindow() {
    return std::make_unique<ChildControlWidget>(this);
}

ControlSite::FontLine ControlWidget::MeasureLine(const gdi::Font& font) const {
    const QFontMetrics fm(gdi::qt::ToQFont(font));
    const QRect ink = fm.tightBoundingRect(kInkSample);
    return FontLine{fm.height(), fm.ascent(), fm.descent(), -ink.top(), ink.bottom() + 1};
}

// The platform reports a wheel wherever Qt runs, so the setting is always read.
int ControlWidget::WheelScrollLines() const { return QApplication::wheelScrollLines(); }
