// Helpers shared by the control tests.
#pragma once

#include "controls/qt/QtAmbient.h"
#include "controls/suite/gdi.h"
#include "controls/suite/winmsg.h"

#include <QImage>
#include <QList>
#include <QPoint>
#include <QTest>
#include <QWidget>

#include <vector>

namespace test_support {

// A double click as the window system delivers it: press, release, then the second press as a
// double-click event alone, and its release.
inline void DoubleClick(QWidget* w, QPoint at) {
    QTest::mouseClick(w, Qt::LeftButton, {}, at);
    QTest::mouseDClick(w, Qt::LeftButton, {}, at);
    QTest::mouseRelease(w, Qt::LeftButton, {}, at);
}

// A strip of `colours.size()` frames, each a flat colour; `maskCorners`
// paints each frame's four corner pixels in magenta.
inline QImage FlatStrip(int frameWidth, int frameHeight, const QList<QColor>& colours, bool maskCorners = false) {
    QImage img(frameWidth, frameHeight * static_cast<int>(colours.size()), QImage::Format_ARGB32);
    for (int k = 0; k < colours.size(); ++k) {
        for (int y = 0; y < frameHeight; ++y)
            for (int x = 0; x < frameWidth; ++x) img.setPixel(x, k * frameHeight + y, colours[k].rgb());
        if (maskCorners) {
            const QRgb m = qRgb(255, 0, 255);
            img.setPixel(0, k * frameHeight, m);
            img.setPixel(frameWidth - 1, k * frameHeight, m);
            img.setPixel(0, k * frameHeight + frameHeight - 1, m);
            img.setPixel(frameWidth - 1, k * frameHeight + frameHeight - 1, m);
        }
    }
    return img;
}

// Distinct, easily told apart colours for frame k.
inline QColor FrameColour(int k) {
    static const QList<QColor> c = {QColor(200, 0, 0),   QColor(0, 160, 0),   QColor(0, 0, 200),
                                    QColor(200, 200, 0), QColor(0, 200, 200), QColor(120, 0, 120),
                                    QColor(90, 60, 30),  QColor(250, 140, 0), QColor(40, 40, 40)};
    return c[k % c.size()];
}
inline QList<QColor> FrameColours(int n) {
    QList<QColor> out;
    for (int k = 0; k < n; ++k) out << FrameColour(k);
    return out;
}

// The colour at (x, y) of the widget as it paints itself.
inline QColor PixelOf(QWidget& w, int x, int y) { return w.grab().toImage().pixelColor(x, y); }

// Run mode with a fixed font, for the list box and the scroll bars.
inline QtAmbient RunMode() {
    QtAmbient a;
    a.Mode = HostMode::Run;
    a.DisplayName = QStringLiteral("ctl");
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(12);
    a.Font = f;
    return a;
}

// Window messages handed to a control the way its subclasser does, so timers
// and mouse paths run deterministically.
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

}  // namespace test_support
