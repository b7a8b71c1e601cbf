// tavkonv40-gui: the host program of the conversion dialog.
//
//   tavkonv40-gui                      opens the dialog; exits when it closes
//   tavkonv40-gui --screenshot FILE    writes a picture of the dialog (both
//                                      option panels side by side) to FILE as
//                                      PNG and exits; needs no display
#include "clsPropPage.h"

#include <QApplication>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>
#include <QWidget>

#include <cstdio>
#include <cstring>

namespace {

// Clicks the tab header at x, as a user would.
void ClickTab(QWidget* dialog, int x) {
    auto* header = dialog->findChild<QWidget*>(QStringLiteral("TabHeader"));
    if (header == nullptr) return;
    const QPointF at(x, header->height() / 2.0);
    QMouseEvent press(QEvent::MouseButtonPress, at, header->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(header, &press);
}

// Grabs the open dialog with each panel selected, writes both side by side
// and closes the dialog.
void Screenshot(const QString& file, int& result) {
    QWidget* dialog = QApplication::activeModalWidget();
    if (dialog == nullptr) {
        std::fprintf(stderr, "the dialog did not open\n");
        result = 1;
        QCoreApplication::exit(1);
        return;
    }
    const QImage suite = dialog->grab().toImage();
    ClickTab(dialog, 200);
    const QImage microsoft = dialog->grab().toImage();
    ClickTab(dialog, 60);

    constexpr int kGap = 16;
    QImage both(suite.width() + kGap + microsoft.width(), std::max(suite.height(), microsoft.height()),
                QImage::Format_RGB32);
    both.fill(QColor(250, 250, 252));
    QPainter p(&both);
    p.drawImage(0, 0, suite);
    p.drawImage(suite.width() + kGap, 0, microsoft);
    p.end();
    if (!both.save(file, "PNG")) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
        result = 1;
    }
    if (auto* close = dialog->findChild<QWidget*>(QStringLiteral("cmd_1"))) {
        const QPointF at(close->width() / 2.0, close->height() / 2.0);
        QMouseEvent press(QEvent::MouseButtonPress, at, close->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QMouseEvent release(QEvent::MouseButtonRelease, at, close->mapToGlobal(at), Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(close, &press);
        QCoreApplication::sendEvent(close, &release);
    }
    dialog->close();
}

}  // namespace

int main(int argc, char** argv) {
    QString screenshot;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--screenshot") == 0 && i + 1 < argc) {
            screenshot = QString::fromLocal8Bit(argv[++i]);
        } else {
            std::fprintf(stderr, "usage: %s [--screenshot FILE]\n", argv[0]);
            return 2;
        }
    }
    if (!screenshot.isEmpty() && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");

    QApplication app(argc, argv);
    int result = 0;
    if (!screenshot.isEmpty()) QTimer::singleShot(0, &app, [&] { Screenshot(screenshot, result); });
    clsPropPage page;
    page.InitConversion();
    return result;
}
