// tavkonv40-gui: the host program of the conversion dialog.
#include "dialog/clsPropPage.h"

#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>
#include <QWidget>

#include "controls/qt/LBWidget.h"
#include "controls/qt/txtWidget.h"

#include <cstdio>
#include <cstring>

namespace {

const char* const kHelp =
    "Usage: tavkonv40-gui [--screenshot FILE [--run FOLDER]]\n"
    "       tavkonv40-gui --help\n"
    "\n"
    "Opens the conversion dialog: choose a folder, tick the suite families and\n"
    "Microsoft controls to convert, choose 4.0 or 4.0L per row, press Start.\n"
    "The program exits when the dialog is closed.\n"
    "\n"
    "  --screenshot FILE  write a picture of the dialog to FILE (PNG) and exit;\n"
    "                     needs no display.  Without --run: both option panels\n"
    "                     side by side.\n"
    "  --run FOLDER       with --screenshot: tick every option, start a run on\n"
    "                     FOLDER and picture the dialog while the run goes on\n"
    "                     (log, status line, Cancel).  FOLDER is converted in\n"
    "                     place and gets a backup like any run: use a copy.\n"
    "  --help             print this help and exit\n";

void SendClick(QWidget* w, QPointF at) {
    QMouseEvent press(QEvent::MouseButtonPress, at, w->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QMouseEvent release(QEvent::MouseButtonRelease, at, w->mapToGlobal(at), Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QCoreApplication::sendEvent(w, &press);
    QCoreApplication::sendEvent(w, &release);
}

void ClickControl(QWidget* dialog, const char* name) {
    if (auto* w = dialog->findChild<QWidget*>(QString::fromLatin1(name))) SendClick(w, QRectF(w->rect()).center());
}

// Presses the tab header at x, as a user would.
void ClickTab(QWidget* dialog, int x) {
    auto* header = dialog->findChild<QWidget*>(QStringLiteral("TabHeader"));
    if (header == nullptr) return;
    const QPointF at(x, header->height() / 2.0);
    QMouseEvent press(QEvent::MouseButtonPress, at, header->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(header, &press);
}

bool Save(const QImage& picture, const QString& file) {
    if (picture.save(file, "PNG")) return true;
    std::fprintf(stderr, "tavkonv40-gui: cannot write %s\n", qPrintable(file));
    return false;
}

// Both panels side by side, at the screen's device pixels (on a scaled screen each grab holds more
// pixels than the dialog has logical ones: they are composed pixel for pixel).
bool PicturePanels(QWidget* dialog, const QString& file) {
    QImage suite = dialog->grab().toImage();
    ClickTab(dialog, 200);
    QImage microsoft = dialog->grab().toImage();
    ClickTab(dialog, 60);
    const int gap = qRound(16 * suite.devicePixelRatio());
    suite.setDevicePixelRatio(1);
    microsoft.setDevicePixelRatio(1);
    QImage both(suite.width() + gap + microsoft.width(), std::max(suite.height(), microsoft.height()),
                QImage::Format_RGB32);
    both.fill(QColor(250, 250, 252));
    QPainter p(&both);
    p.drawImage(0, 0, suite);
    p.drawImage(suite.width() + gap, 0, microsoft);
    p.end();
    return Save(both, file);
}

// A run on `folder` with every option ticked, pictured once the log has filled its list and the
// status line shows the line being checked.
bool PictureRun(QWidget* dialog, const QString& folder, const QString& file) {
    auto* box = dialog->findChild<txtWidget*>(QStringLiteral("txtPath"));
    auto* log = dialog->findChild<LBWidget*>(QStringLiteral("List1"));
    auto* status = dialog->findChild<QLabel*>(QStringLiteral("lbl_5"));
    if (box == nullptr || log == nullptr || status == nullptr) return false;
    box->SetText(folder);
    ClickTab(dialog, 200);
    ClickControl(dialog, "cmd_6");
    ClickTab(dialog, 60);
    ClickControl(dialog, "cmd_3");
    QImage picture;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, dialog, [&] {
        if (picture.isNull() && log->Control().ListCount() >= 12 &&
            status->text().startsWith(QStringLiteral("Checking Line")))
            picture = dialog->grab().toImage();
    });
    watch.start(0);
    ClickControl(dialog, "cmd_0");  // returns when the run has ended
    watch.stop();
    if (picture.isNull()) {
        std::fprintf(stderr, "tavkonv40-gui: the run on %s ended before it could be pictured\n", qPrintable(folder));
        return false;
    }
    return Save(picture, file);
}

}  // namespace

int main(int argc, char** argv) {
    QString screenshot, runFolder;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            std::fputs(kHelp, stdout);
            return 0;
        }
        if (std::strcmp(argv[i], "--screenshot") == 0 && i + 1 < argc) {
            screenshot = QString::fromLocal8Bit(argv[++i]);
        } else if (std::strcmp(argv[i], "--run") == 0 && i + 1 < argc) {
            runFolder = QString::fromLocal8Bit(argv[++i]);
        } else {
            std::fprintf(stderr, "tavkonv40-gui: unknown or incomplete option '%s'\n%s", argv[i], kHelp);
            return 2;
        }
    }
    if (!runFolder.isEmpty() && screenshot.isEmpty()) {
        std::fprintf(stderr, "tavkonv40-gui: --run goes with --screenshot\n%s", kHelp);
        return 2;
    }
    if (!screenshot.isEmpty() && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");

    QApplication app(argc, argv);
    int result = 0;
    if (!screenshot.isEmpty()) {
        QTimer::singleShot(0, &app, [&] {
            QWidget* dialog = QApplication::activeModalWidget();
            const bool ok = dialog != nullptr && (runFolder.isEmpty() ? PicturePanels(dialog, screenshot)
                                                                      : PictureRun(dialog, runFolder, screenshot));
            if (dialog == nullptr) std::fprintf(stderr, "tavkonv40-gui: the dialog did not open\n");
            result = ok ? 0 : 1;
            if (dialog != nullptr) {
                ClickControl(dialog, "cmd_1");
                dialog->close();
            }
        });
    }
    clsPropPage page;
    page.InitConversion();
    return result;
}
