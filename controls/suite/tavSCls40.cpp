#include "controls/suite/tavSCls40.h"

#include "controls/suite/tavMFC40.h"

#include <QChildEvent>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QTimerEvent>
#include <QWheelEvent>
#include <QWidget>

#include <algorithm>

namespace tavSCls40 {
namespace {

WPARAM mouseKeyFlags(Qt::MouseButtons buttons, Qt::KeyboardModifiers mods) {
    using namespace winmsg;
    WPARAM w = 0;
    if (buttons & Qt::LeftButton) w |= MK_LBUTTON;
    if (buttons & Qt::RightButton) w |= MK_RBUTTON;
    if (buttons & Qt::MiddleButton) w |= MK_MBUTTON;
    if (mods & Qt::ShiftModifier) w |= MK_SHIFT;
    if (mods & Qt::ControlModifier) w |= MK_CONTROL;
    return w;
}

UINT buttonMessage(QEvent::Type type, Qt::MouseButton button) {
    using namespace winmsg;
    // Rows: down, up, double click; columns: left, right, middle.
    static constexpr UINT table[3][3] = {{WM_LBUTTONDOWN, WM_RBUTTONDOWN, WM_MBUTTONDOWN},
                                         {WM_LBUTTONUP, WM_RBUTTONUP, WM_MBUTTONUP},
                                         {WM_LBUTTONDBLCLK, WM_RBUTTONDBLCLK, WM_MBUTTONDBLCLK}};
    int row = type == QEvent::MouseButtonPress ? 0 : type == QEvent::MouseButtonRelease ? 1 : 2;
    int col = button == Qt::LeftButton ? 0 : button == Qt::RightButton ? 1 : button == Qt::MiddleButton ? 2 : -1;
    return col < 0 ? 0 : table[row][col];
}

}  // namespace

Subclasser::Subclasser(QObject* parent) : QObject(parent) { tavMFC40::EnsureCursorTracking(); }

Subclasser::~Subclasser() {
    for (auto it = m_windows.begin(); it != m_windows.end(); ++it) it.key()->removeEventFilter(this);
}

void Subclasser::AttachMessage(ISubclass* client, HWND window, UINT message) {
    if (client == nullptr || window == nullptr) return;
    auto it = m_windows.find(window);
    if (it == m_windows.end()) {
        it = m_windows.insert(window, {});
        window->installEventFilter(this);
        connect(window, &QObject::destroyed, this, &Subclasser::dropWindow);
    }
    auto& list = it.value();
    const bool known = std::any_of(list.begin(), list.end(),
                                   [&](const Attachment& a) { return a.client == client && a.message == message; });
    if (!known) list.push_back({client, message});
}

void Subclasser::DetachMessage(ISubclass* client, HWND window, UINT message) {
    auto it = m_windows.find(window);
    if (it == m_windows.end()) return;
    auto& list = it.value();
    std::erase_if(list, [&](const Attachment& a) { return a.client == client && a.message == message; });
    if (list.empty()) {
        window->removeEventFilter(this);
        disconnect(window, &QObject::destroyed, this, &Subclasser::dropWindow);
        m_windows.erase(it);
    }
}

void Subclasser::DetachAll(ISubclass* client) {
    std::vector<std::pair<QWidget*, UINT>> mine;
    for (auto it = m_windows.cbegin(); it != m_windows.cend(); ++it) {
        for (const auto& a : it.value()) {
            if (a.client == client) mine.emplace_back(it.key(), a.message);
        }
    }
    for (const auto& [w, m] : mine) DetachMessage(client, w, m);
}

std::size_t Subclasser::AttachmentCount() const {
    std::size_t n = 0;
    for (const auto& list : m_windows) n += list.size();
    return n;
}

void Subclasser::dropWindow(QObject* window) {
    // Called from QObject's destructor: the widget part is already gone, so
    // the key is compared as a plain address.
    m_windows.remove(static_cast<QWidget*>(window));
}

bool Subclasser::dispatch(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto it = m_windows.constFind(window);
    if (it == m_windows.constEnd()) return false;
    // A handler may attach or detach: work on a copy, and skip clients that
    // were detached by an earlier handler of the same message.
    const std::vector<Attachment> snapshot = it.value();
    bool consumed = false;
    for (const auto& a : snapshot) {
        if (a.message != message) continue;
        auto now = m_windows.constFind(window);
        if (now == m_windows.constEnd()) break;
        const bool stillAttached = std::any_of(now->begin(), now->end(), [&](const Attachment& b) {
            return b.client == a.client && b.message == message;
        });
        if (!stillAttached) continue;
        const UINT outer = m_current;
        m_current = message;
        const EMsgResponse response = a.client->ISubclass_MsgResponse();
        a.client->ISubclass_WindowProc(window, message, wParam, lParam);
        m_current = outer;
        if (response == emrConsume) consumed = true;
    }
    return consumed;
}

bool Subclasser::eventFilter(QObject* watched, QEvent* event) {
    if (!watched->isWidgetType()) return false;
    auto* window = static_cast<QWidget*>(watched);
    if (!m_windows.contains(window)) return false;
    using namespace winmsg;
    switch (event->type()) {
        case QEvent::Paint: return dispatch(window, WM_PAINT, 0, 0);
        case QEvent::Timer: {
            const auto id = TimerIdFor(window, static_cast<QTimerEvent*>(event)->timerId());
            return id != 0 && dispatch(window, WM_TIMER, id, 0);
        }
        case QEvent::MouseMove:
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick: {
            auto* me = static_cast<QMouseEvent*>(event);
            const QPoint pos = me->position().toPoint();
            const LPARAM lp = MAKELPARAM(pos.x(), pos.y());
            const WPARAM wp = mouseKeyFlags(me->buttons(), me->modifiers());
            const UINT msg =
                event->type() == QEvent::MouseMove ? WM_MOUSEMOVE : buttonMessage(event->type(), me->button());
            return msg != 0 && dispatch(window, msg, wp, lp);
        }
        case QEvent::Wheel: {
            auto* we = static_cast<QWheelEvent*>(event);
            const QPoint g = we->globalPosition().toPoint();
            const WPARAM wp =
                MAKEWPARAM(static_cast<int>(mouseKeyFlags(we->buttons(), we->modifiers())), we->angleDelta().y());
            return dispatch(window, WM_MOUSEWHEEL, wp, MAKELPARAM(g.x(), g.y()));
        }
        case QEvent::ChildAdded:
        case QEvent::ChildRemoved: {
            // A removed child is no longer a widget by the time Qt reports it,
            // so widget children are remembered when they arrive.
            auto* ce = static_cast<QChildEvent*>(event);
            const bool added = event->type() == QEvent::ChildAdded;
            if (added) {
                if (ce->child() == nullptr || !ce->child()->isWidgetType()) return false;
                m_childWidgets.insert(ce->child());
            } else if (!m_childWidgets.remove(ce->child())) {
                return false;
            }
            const WPARAM wp = MAKEWPARAM(added ? WM_CREATE : WM_DESTROY, 0);
            return dispatch(window, WM_PARENTNOTIFY, wp, 0);
        }
        default: return false;
    }
}

}  // namespace tavSCls40
