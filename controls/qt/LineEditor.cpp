#include "controls/qt/LineEditor.h"

#include "controls/suite/qt/gdi_qt.h"
#include "controls/suite/tavMFC40.h"

#include <QFontMetrics>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>

namespace {

// The button message of a Qt mouse event: WM_xBUTTONUP or WM_xBUTTONDBLCLK.
winmsg::UINT ButtonMessage(QEvent::Type type, Qt::MouseButton button) {
    const winmsg::UINT up = button == Qt::LeftButton    ? winmsg::WM_LBUTTONUP
                            : button == Qt::RightButton ? winmsg::WM_RBUTTONUP
                                                        : winmsg::WM_MBUTTONUP;
    return type == QEvent::MouseButtonDblClick ? up + 1 : up;
}

}  // namespace

LineEditor::LineEditor(QWidget& host, InnerEditorListener& listener)
    : m_host(host), m_listener(listener), m_edit(new QLineEdit(&host)) {
    m_edit->setFrame(false);
    m_edit->setMouseTracking(true);
    m_edit->installEventFilter(this);
    QObject::connect(m_edit, &QLineEdit::textChanged, this, [this] { m_listener.EditorChanged(); });
    m_host.setFocusPolicy(Qt::NoFocus);
    m_host.setFocusProxy(m_edit);
}

LineEditor::~LineEditor() {
    m_edit->removeEventFilter(this);
    QObject::disconnect(m_edit, nullptr, this, nullptr);
    m_host.setFocusProxy(nullptr);
    delete m_edit;
}

std::u16string LineEditor::Text() const { return gdi::qt::Text(m_edit->text()); }
void LineEditor::SetText(const std::u16string& text) { m_edit->setText(gdi::qt::ToQString(text)); }
void LineEditor::SetMaxLength(int units) { m_edit->setMaxLength(units); }

LineEditor::Selection LineEditor::GetSelection() const {
    if (!m_edit->hasSelectedText()) return Selection{m_edit->cursorPosition(), 0};
    return Selection{m_edit->selectionStart(), m_edit->selectionLength()};
}

void LineEditor::SetSelection(int start, int length) { m_edit->setSelection(start, length); }
void LineEditor::ReplaceSelection(const std::u16string& text) { m_edit->insert(gdi::qt::ToQString(text)); }
void LineEditor::SetReadOnly(bool on) { m_edit->setReadOnly(on); }
void LineEditor::SetEnabled(bool on) { m_edit->setEnabled(on); }
void LineEditor::SetFont(const gdi::Font& font) { m_edit->setFont(gdi::qt::ToQFont(font)); }

gdi::SIZE LineEditor::TextExtent(const std::u16string& text) const {
    const QSize size = QFontMetrics(m_edit->font()).size(Qt::TextSingleLine, gdi::qt::ToQString(text));
    return gdi::SIZE{size.width(), size.height()};
}

// The disabled look stays the style's.
void LineEditor::SetColours(gdi::COLORREF text, gdi::COLORREF back) {
    QPalette palette = m_edit->palette();
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        palette.setColor(group, QPalette::Text, gdi::qt::ToQColor(text));
        palette.setColor(group, QPalette::Base, gdi::qt::ToQColor(back));
    }
    m_edit->setPalette(palette);
}

void LineEditor::SetRect(const gdi::RECT& rect) { m_edit->setGeometry(gdi::qt::ToQRect(rect)); }
void LineEditor::TakeFocus() { m_edit->setFocus(Qt::MouseFocusReason); }
void LineEditor::SetToolTip(const std::u16string& text) { m_edit->setToolTip(gdi::qt::ToQString(text)); }

void LineEditor::Report(winmsg::UINT message, winmsg::WPARAM wParam, winmsg::LPARAM lParam,
                        Qt::KeyboardModifiers modifiers) {
    m_listener.EditorMessage(message, wParam, lParam, tavMFC40::ShiftFromQt(modifiers));
}

bool LineEditor::eventFilter(QObject* watched, QEvent* event) {
    if (watched != m_edit) return false;
    const auto key = [](QEvent* e) { return static_cast<QKeyEvent*>(e); };
    const auto mouse = [](QEvent* e) { return static_cast<QMouseEvent*>(e); };
    const auto at = [](QMouseEvent* e) {
        const QPoint p = e->position().toPoint();
        return winmsg::MAKELPARAM(p.x(), p.y());
    };
    switch (event->type()) {
        case QEvent::FocusIn: Report(winmsg::WM_SETFOCUS, 0, 0, {}); break;
        case QEvent::FocusOut: Report(winmsg::WM_KILLFOCUS, 0, 0, {}); break;
        case QEvent::KeyPress: {
            QKeyEvent* k = key(event);
            Report(winmsg::WM_KEYDOWN, static_cast<winmsg::WPARAM>(tavMFC40::KeyCodeFromQt(k->key())),
                   k->isAutoRepeat() ? winmsg::kKeyRepeatFlag : 0, k->modifiers());
            if (!k->text().isEmpty()) Report(winmsg::WM_CHAR, k->text().at(0).unicode(), 0, k->modifiers());
            break;
        }
        case QEvent::KeyRelease:
            if (!key(event)->isAutoRepeat())
                Report(winmsg::WM_KEYUP, static_cast<winmsg::WPARAM>(tavMFC40::KeyCodeFromQt(key(event)->key())), 0,
                       key(event)->modifiers());
            break;
        case QEvent::MouseMove: Report(winmsg::WM_MOUSEMOVE, 0, at(mouse(event)), mouse(event)->modifiers()); break;
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseButtonRelease:
            Report(ButtonMessage(event->type(), mouse(event)->button()), 0, at(mouse(event)),
                   mouse(event)->modifiers());
            break;
        default: break;
    }
    return false;
}
