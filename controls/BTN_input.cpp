// BTN: mouse, keys, focus, the access key, the group rule and hover.
#include "controls/BTN.h"

#include "controls/control_input.h"
#include "controls/modSkinConstants.h"
#include "controls/suite/tavMFC40.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QShortcutEvent>

using namespace modSkinConstants;

// ---- mouse ---------------------------------------------------------------------------------

void BTN::mousePressEvent(QMouseEvent* e) {
    if (!UserMode()) return;
    const int button = tavMFC40::ButtonsFromQt(e->button()), shift = tavMFC40::ShiftFromQt(e->modifiers());
    const QPoint p = e->position().toPoint();
    const bool drop = HitTest(p) == ButtonPart::DropZone;
    (drop ? m_dropPressed : m_pressed) = true;
    if (Transparent()) tavMFC40::UpdateParent(this);
    Redraw();
    if (drop) emit DropDown(button, shift, p.x(), p.y());
    emit MouseDown(button, shift, p.x(), p.y());
}

void BTN::mouseReleaseEvent(QMouseEvent* e) {
    if (!UserMode() || (!m_pressed && !m_dropPressed)) return;
    const int button = tavMFC40::ButtonsFromQt(e->button()), shift = tavMFC40::ShiftFromQt(e->modifiers());
    const QPoint p = e->position().toPoint();
    const bool over = rect().contains(p);
    ReleaseOverButton(button, shift, p, over);
    // The host's own click: left button released over the control.
    if (e->button() == Qt::LeftButton && over) emit Click();
}

// A double click's second press is the host's DblClick, which the button neither handles nor
// raises: it presses nothing, so its release neither clicks nor toggles.
void BTN::mouseDoubleClickEvent(QMouseEvent* e) { e->accept(); }

// The release rules of a plain, a toggle and a grouped button.
void BTN::ReleaseOverButton(int button, int shift, QPoint p, bool over) {
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
}

// ---- keys and the access key -------------------------------------------------------------------

void BTN::keyPressEvent(QKeyEvent* e) {
    if (!UserMode()) return;
    const int code = tavMFC40::KeyCodeFromQt(e->key()), shift = tavMFC40::ShiftFromQt(e->modifiers());
    if (code == 32 && !e->isAutoRepeat()) {
        m_spaceDown = true;
        Redraw();
    }
    emit KeyDown(code, shift);
    if (const int ascii = control_input::KeyAsciiOf(e->text()); ascii >= 0) emit KeyPress(ascii);
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

bool BTN::event(QEvent* e) {
    if (e->type() == QEvent::Shortcut && static_cast<QShortcutEvent*>(e)->shortcutId() == m_shortcutId &&
        m_shortcutId != 0) {
        AccessKeyPress();
        return true;
    }
    return QtUserControl::event(e);
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

// ---- group rule -------------------------------------------------------------------------------

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

// ---- focus, visibility ----------------------------------------------------------------------------

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
    QtUserControl::changeEvent(e);
}

// ---- subclassed messages and hover ----------------------------------------------------------------

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

winmsg::LRESULT BTN::ISubclass_WindowProc(winmsg::HWND, winmsg::UINT message, winmsg::WPARAM wParam, winmsg::LPARAM) {
    switch (message) {
        case winmsg::WM_PAINT: PaintToWindow(); break;
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
        default: break;
    }
    return 0;
}
