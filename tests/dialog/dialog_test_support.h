// Helpers shared by the dialog tests: the dialog runs modally inside
// InitConversion, so a test hands it a script that runs once the window is
// open and works the controls the way a user does.
#pragma once

#include "dialog/form_controls.h"
#include "dialog/frmProps.h"

#include "platform/qt/settings.h"

#include <QApplication>
#include <QLineEdit>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>

namespace dialog_test {

template <typename T = QWidget>
T* Find(QWidget* dialog, const QString& name) {
    T* w = dialog->findChild<T*>(name);
    if (w == nullptr) qWarning("no control %s", qPrintable(name));
    return w;
}

template <typename T = QWidget>
T* Find(QWidget* dialog, const char* array, int index) {
    return Find<T>(dialog, QStringLiteral("%1_%2").arg(QLatin1String(array)).arg(index));
}

// A left click in the middle of the control, or at `at`.
inline void Click(QWidget* w, QPoint at = {}, Qt::MouseButton button = Qt::LeftButton) {
    QTest::mouseClick(w, button, Qt::NoModifier, at.isNull() ? w->rect().center() : at);
}

// A click on the glyph of a check box or option button.
inline void ClickGlyph(QWidget* w, Qt::MouseButton button = Qt::LeftButton) {
    Click(w, QPoint(6, w->height() / 2), button);
}

inline void ClickTab(QWidget* dialog, int x) {
    QWidget* header = Find(dialog, QStringLiteral("TabHeader"));
    QTest::mousePress(header, Qt::LeftButton, Qt::NoModifier, QPoint(x, header->height() / 2));
    QTest::mouseRelease(header, Qt::LeftButton, Qt::NoModifier, QPoint(x, header->height() / 2));
}

inline void TypeFolder(QWidget* dialog, const QString& text) {
    auto* box = Find<txtWidget>(dialog, QStringLiteral("txtPath"));
    QWidget* inner = box->Editor();
    inner->setFocus();
    for (const QChar c : text) {  // as typed, also beyond ASCII
        QKeyEvent typed(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(inner, &typed);
    }
}

inline QStringList LogOf(QWidget* dialog) {
    const LB& list = Find<LBWidget>(dialog, QStringLiteral("List1"))->Control();
    QStringList lines;
    for (long i = 0; i < list.ListCount(); ++i) lines << QString::fromStdU16String(list.ItemText(i));
    return lines;
}

// Opens `dialog` (anything with InitConversion), runs `script` once it is
// open, then closes it with "Close" and returns InitConversion's result.
template <typename Dialog>
std::int16_t WithOpenDialog(Dialog& dialog, const std::function<void(QWidget*)>& script) {
    QTimer::singleShot(0, [script] {
        QWidget* w = QApplication::activeModalWidget();
        if (w == nullptr) {
            qWarning("the dialog is not open");
            return;
        }
        script(w);
        auto* close = w->findChild<BTNWidget*>(QStringLiteral("cmd_1"));
        if (w->isVisible() && close != nullptr) Click(close);
        if (w->isVisible()) w->close();
    });
    return dialog.InitConversion();
}

// The same with a form of its own.
inline std::int16_t WithOpenDialog(const std::function<void(QWidget*)>& script) {
    frmProps form;
    return WithOpenDialog(form, script);
}

// Settings in a folder of the test's own.
struct IsolatedSettings {
    QTemporaryDir dir;
    IsolatedSettings() {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir.path());
        Clear();
    }
    void Clear() {
        QSettings(QString::fromLatin1(platform_qt::kSettingsOrganisation),
                  QString::fromLatin1(platform_qt::kSettingsApplication))
            .clear();
    }
};

}  // namespace dialog_test
