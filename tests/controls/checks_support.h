// Helpers of the Qt tests of the check box, option button and text box hosts.
#pragma once

#include "controls/clsSkin.h"
#include "controls/modSkinConstants.h"
#include "controls/suite/qt/gdi_qt.h"
#include "controls/suite/winmsg.h"
#include "tests/controls/test_support.h"

#include <QApplication>
#include <QMouseEvent>
#include <QStringList>
#include <QTest>
#include <QWidget>

namespace checks_support {

// Answers a control's QuerySkin with a flat strip of distinct colours
// (test_support::FrameColour(k) for frame k), under `name`.
template <typename Control>
void AnswerSkin(Control& control, const QString& name, int frameWidth, int frameHeight, int frames,
                gdi::RECT margins = {}) {
    const QImage strip = test_support::FlatStrip(frameWidth, frameHeight, frames);
    QObject::connect(&control, &Control::QuerySkin, &control, [=](long, SkinMapInfo& skin, SkinSource& source) {
        skin.ImageName = gdi::qt::Text(name);
        skin.MapMargin = margins;
        skin.MaskColor = static_cast<std::int32_t>(modSkinConstants::kSkinMaskColor);
        source.picture = gdi::qt::FromQImage(strip);
    });
}

// Records the mouse, click and key events of a control in the order raised.
struct EventLog {
    QStringList entries;
    template <typename Control>
    void Watch(Control& c) {
        QObject::connect(&c, &Control::Click, [this] { entries << "Click"; });
        QObject::connect(&c, &Control::KeyDown, [this](int code, int) { entries << QString("KeyDown %1").arg(code); });
        QObject::connect(&c, &Control::KeyPress, [this](int ascii) { entries << QString("KeyPress %1").arg(ascii); });
        QObject::connect(&c, &Control::KeyUp, [this](int code, int) { entries << QString("KeyUp %1").arg(code); });
    }
    template <typename Control>
    void WatchMouse(Control& c) {
        QObject::connect(&c, &Control::MouseDown,
                         [this](int b, int, int, int) { entries << QString("MouseDown %1").arg(b); });
        QObject::connect(&c, &Control::MouseUp,
                         [this](int b, int, int, int) { entries << QString("MouseUp %1").arg(b); });
    }
    int Count(const QString& entry) const { return static_cast<int>(entries.count(entry)); }
};

// Moves the mouse over `widget` to `pos` with one move event, delivered
// whether or not the platform cursor already is there.
inline void MoveMouse(QWidget* widget, QPoint pos) {
    QMouseEvent me(QEvent::MouseMove, pos, widget->mapToGlobal(pos), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &me);
}

// A shown top-level window to put controls in.
struct Host {
    QWidget window;
    Host() {
        window.resize(320, 120);
        window.show();
        (void)QTest::qWaitForWindowExposed(&window);
    }
    // Moves the cursor onto the window, away from every control.
    void CursorAway() { MoveMouse(&window, QPoint(window.width() - 1, window.height() - 1)); }
};

}  // namespace checks_support
