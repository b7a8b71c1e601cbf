#include "tavMFC40.h"

#include <QApplication>
#include <QCursor>
#include <QEnterEvent>
#include <QMouseEvent>
#include <QWidget>

namespace tavMFC40 {
namespace {

// Records the global position of every mouse event the application
// dispatches.  Installed once, on the first query.
class CursorTracker : public QObject {
public:
    bool eventFilter(QObject*, QEvent* e) override {
        switch (e->type()) {
            case QEvent::MouseMove:
            case QEvent::MouseButtonPress:
            case QEvent::MouseButtonRelease:
            case QEvent::MouseButtonDblClick:
                pos = static_cast<QMouseEvent*>(e)->globalPosition().toPoint();
                known = true;
                break;
            case QEvent::Enter:
                pos = static_cast<QEnterEvent*>(e)->globalPosition().toPoint();
                known = true;
                break;
            default:
                break;
        }
        return false;
    }
    QPoint pos;
    bool known = false;
};

CursorTracker* tracker() {
    static CursorTracker* t = [] {
        auto* ct = new CursorTracker;
        if (QCoreApplication::instance() != nullptr) {
            ct->setParent(QCoreApplication::instance());
            QCoreApplication::instance()->installEventFilter(ct);
        }
        return ct;
    }();
    return t;
}

}  // namespace

bool IsUnicodePlatform() { return true; }

void EnsureCursorTracking() { tracker(); }

QPoint GetCursorPos() {
    CursorTracker* t = tracker();
    return t->known ? t->pos : QCursor::pos();
}

bool IsMouseOver(HWND window) {
    if (window == nullptr || !window->isVisible()) return false;
    return window->rect().contains(window->mapFromGlobal(GetCursorPos()));
}

void GetMouseParameters(UINT message, WPARAM wParam, LPARAM lParam, int& button, int& shift, int& x, int& y) {
    using namespace winmsg;
    switch (message) {
        case WM_LBUTTONDOWN:
        case WM_LBUTTONUP:
        case WM_LBUTTONDBLCLK: button = vbLeftButton; break;
        case WM_RBUTTONDOWN:
        case WM_RBUTTONUP:
        case WM_RBUTTONDBLCLK: button = vbRightButton; break;
        case WM_MBUTTONDOWN:
        case WM_MBUTTONUP:
        case WM_MBUTTONDBLCLK: button = vbMiddleButton; break;
        default:
            button = ((wParam & MK_LBUTTON) ? vbLeftButton : 0) | ((wParam & MK_RBUTTON) ? vbRightButton : 0) |
                     ((wParam & MK_MBUTTON) ? vbMiddleButton : 0);
            break;
    }
    shift = ((wParam & MK_SHIFT) ? vbShiftMask : 0) | ((wParam & MK_CONTROL) ? vbCtrlMask : 0);
    if (QGuiApplication::queryKeyboardModifiers() & Qt::AltModifier) shift |= vbAltMask;
    x = GET_X_LPARAM(lParam);
    y = GET_Y_LPARAM(lParam);
}

void UpdateParent(HWND window) {
    if (window == nullptr) return;
    if (QWidget* parent = window->parentWidget()) parent->update(window->geometry());
}

void ChangeWindowStyle(HWND window) {
    if (window == nullptr) return;
    window->setAutoFillBackground(false);
    window->setAttribute(Qt::WA_NoSystemBackground, true);
}

}  // namespace tavMFC40
