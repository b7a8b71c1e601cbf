// Helpers for the list box and scroll bar tests: hand window messages to a
// control the way its subclasser does, so timers and mouse paths run
// deterministically.
#pragma once

#include "controls/UserControl.h"
#include "controls/suite/winmsg.h"

#include <QApplication>
#include <QPoint>

namespace lists_support {

inline Ambient RunMode() {
    Ambient a;
    a.Mode = HostMode::Run;
    a.DisplayName = QStringLiteral("ctl");
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(12);
    a.Font = f;
    return a;
}

template <typename Control>
void Send(Control& c, winmsg::UINT msg, QPoint p, winmsg::WPARAM flags = 0) {
    c.ISubclass_WindowProc(&c, msg, flags, winmsg::MAKELPARAM(p.x(), p.y()));
}
template <typename Control>
void Press(Control& c, QPoint p) {
    Send(c, winmsg::WM_LBUTTONDOWN, p, winmsg::MK_LBUTTON);
}
template <typename Control>
void Release(Control& c, QPoint p) {
    Send(c, winmsg::WM_LBUTTONUP, p);
}
template <typename Control>
void MoveHeld(Control& c, QPoint p) {
    Send(c, winmsg::WM_MOUSEMOVE, p, winmsg::MK_LBUTTON);
}
template <typename Control>
void Tick(Control& c, std::uintptr_t timerId) {
    c.ISubclass_WindowProc(&c, winmsg::WM_TIMER, timerId, 0);
}

}  // namespace lists_support
