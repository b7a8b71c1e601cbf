// Cost of appending to the skinned list box, as the conversion run does it.
//
//   list_box_bench [items]        (default 100000; runs offscreen)
//
// Two passes over a shown list with drawing on:
//   append  AddItem only;
//   log     AddItem, select the new line, and let the event loop run once
//           (so every line is painted), which is what the progress log does.
// For each block of a tenth of the items it prints the mean time per item;
// a flat column means the cost does not grow with the list.
#include "controls/qt/LBWidget.h"

#include <QApplication>
#include <QElapsedTimer>

#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

enum class Mode { Append, Log };

std::vector<double> run(Mode mode, int items, int blocks) {
    QWidget host;
    host.resize(520, 260);
    QtAmbient ambient;
    ambient.Mode = HostMode::Run;
    ambient.Font = QApplication::font();
    LBWidget widget(&host, ambient);
    LB& list = widget.Control();
    list.InitProperties();
    widget.setGeometry(10, 10, 500, 240);
    host.show();
    QApplication::processEvents();

    std::vector<double> nsPerItem;
    const int perBlock = items / blocks;
    QElapsedTimer clock;
    for (int b = 0; b < blocks; ++b) {
        clock.start();
        for (int i = 0; i < perBlock; ++i) {
            list.AddItem(QStringLiteral("Converting line %1 of C:\\Projects\\Example\\frmMain.frm")
                             .arg(b * perBlock + i)
                             .toStdU16String());
            if (mode == Mode::Log) {
                list.SetListIndex(list.NewIndex());
                QApplication::processEvents();
            }
        }
        if (mode == Mode::Append) QApplication::processEvents();  // the page painted once per block
        nsPerItem.push_back(static_cast<double>(clock.nsecsElapsed()) / perBlock);
    }
    return nsPerItem;
}

void report(const char* name, const std::vector<double>& ns, int items, int blocks) {
    std::printf("%s\n  %10s  %12s\n", name, "items", "us/item");
    for (int b = 0; b < blocks; ++b)
        std::printf("  %10d  %12.3f\n", (b + 1) * (items / blocks), ns[static_cast<std::size_t>(b)] / 1000.0);
    std::printf("  last/first block: %.2f\n\n", ns.back() / ns.front());
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM",
            qgetenv("QT_QPA_PLATFORM").isEmpty() ? QByteArray("offscreen") : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    const int items = argc > 1 ? std::max(10, std::atoi(argv[1])) : 100000;
    const int blocks = 10;
    report("append (AddItem, drawing on)", run(Mode::Append, items, blocks), items, blocks);
    report("log (AddItem + ListIndex + one event-loop pass per line)", run(Mode::Log, items, blocks), items, blocks);
    return 0;
}
