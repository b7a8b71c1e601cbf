#include "controls/suite/tavMFC40.h"

#include <QApplication>
#include <QCursor>
#include <QEnterEvent>
#include <QMouseEvent>
#include <QWidget>

#include <utility>

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
            default: break;
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
    const bool alt = (QGuiApplication::queryKeyboardModifiers() & Qt::AltModifier) != 0;
    const auto p = winmsg::UnpackMouse(message, wParam, lParam, alt);
    button = p.button;
    shift = p.shift;
    x = p.x;
    y = p.y;
}

int KeyCodeFromQt(int qtKey) {
    if ((qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) || (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9)) return qtKey;
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F12) return 112 + (qtKey - Qt::Key_F1);
    static const std::pair<int, int> table[] = {
        {Qt::Key_Backspace, 8}, {Qt::Key_Tab, 9},       {Qt::Key_Backtab, 9},  {Qt::Key_Return, 13},
        {Qt::Key_Enter, 13},    {Qt::Key_Shift, 16},    {Qt::Key_Control, 17}, {Qt::Key_Alt, 18},
        {Qt::Key_Pause, 19},    {Qt::Key_CapsLock, 20}, {Qt::Key_Escape, 27},  {Qt::Key_Space, 32},
        {Qt::Key_PageUp, 33},   {Qt::Key_PageDown, 34}, {Qt::Key_End, 35},     {Qt::Key_Home, 36},
        {Qt::Key_Left, 37},     {Qt::Key_Up, 38},       {Qt::Key_Right, 39},   {Qt::Key_Down, 40},
        {Qt::Key_Insert, 45},   {Qt::Key_Delete, 46},
    };
    for (const auto& [qt, code] : table)
        if (qt == qtKey) return code;
    return 0;
}

int ShiftFromQt(Qt::KeyboardModifiers m) {
    return ((m & Qt::ShiftModifier) ? vbShiftMask : 0) | ((m & Qt::ControlModifier) ? vbCtrlMask : 0) |
           ((m & Qt::AltModifier) ? vbAltMask : 0);
}

int ButtonsFromQt(Qt::MouseButtons b) {
    return ((b & Qt::LeftButton) ? vbLeftButton : 0) | ((b & Qt::RightButton) ? vbRightButton : 0) |
           ((b & Qt::MiddleButton) ? vbMiddleButton : 0);
}

std::optional<Qt::CursorShape> StandardCursor(int mousePointer) {
    static constexpr std::pair<int, Qt::CursorShape> table[] = {
        {1, Qt::ArrowCursor},      {2, Qt::CrossCursor},    {3, Qt::IBeamCursor},      {5, Qt::SizeAllCursor},
        {6, Qt::SizeBDiagCursor},  {7, Qt::SizeVerCursor},  {8, Qt::SizeFDiagCursor},  {9, Qt::SizeHorCursor},
        {10, Qt::UpArrowCursor},   {11, Qt::WaitCursor},    {12, Qt::ForbiddenCursor}, {13, Qt::BusyCursor},
        {14, Qt::WhatsThisCursor}, {15, Qt::SizeAllCursor},
    };
    for (const auto& [n, shape] : table)
        if (n == mousePointer) return shape;
    return std::nullopt;
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
