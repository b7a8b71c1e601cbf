// Gallery section of the list box (with its own scroll bar) and of the
// stand-alone vertical scroll bar in their main states.
#include "controls/gallery/Gallery.h"

#include "controls/qt/LBWidget.h"
#include "controls/qt/ScrollBarWidgets.h"
#include "controls/suite/qt/gdi_qt.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QMouseEvent>
#include <QTest>

namespace {

QtAmbient runMode(const QString& name) {
    QtAmbient a;
    a.Mode = HostMode::Run;
    a.DisplayName = name;
    a.Font = QApplication::font();
    return a;
}

constexpr int kListHeight = 150;

gallery::StateCell* cell(QWidget* page, QHBoxLayout* row, const QString& label, QSize stage) {
    auto* c = new gallery::StateCell(label, page);
    c->Stage()->setFixedSize(stage);
    row->addWidget(c, 0, Qt::AlignTop);
    return c;
}

LB& list(gallery::StateCell* c, int width) {
    auto* lb = new LBWidget(c->Stage(), runMode(QStringLiteral("List1")));
    lb->Control().InitProperties();
    lb->setGeometry(0, 0, width, kListHeight);
    return lb->Control();
}

enum class BarState { Normal, Hover, ArrowPressed, TrackHeld, ThumbDragged, Disabled };

struct BarCell {
    const char* label;
    BarState state;
};
const BarCell kBarCells[] = {
    {"normal", BarState::Normal},
    {"hover", BarState::Hover},
    {"arrow pressed", BarState::ArrowPressed},
    {"track held", BarState::TrackHeld},
    {"thumb dragged", BarState::ThumbDragged},
    {"disabled", BarState::Disabled},
};

struct Live {
    gallery::StateCell* cell;
    VSCWidget* bar;
    BarState state;
};
std::vector<Live>& liveBars() {
    static std::vector<Live> bars;
    return bars;
}

void build(QWidget* page) {
    auto* row = new QHBoxLayout(page);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(6);

    // The progress log: many lines, the newest selected and in view.
    LB& log = list(cell(page, row, "progress log, 400 lines", QSize(300, kListHeight)), 300);
    log.BeginUpdate();
    static const char* const steps[] = {"Converting header references", "Converting control classes",
                                        "Converting code declarations", "Replacing Microsoft controls"};
    for (int i = 0; i < 400; ++i)
        log.AddItem(QStringLiteral("%1 of frmOptions%2.frm").arg(steps[i % 4]).arg(i / 4 + 1).toStdU16String());
    log.EndUpdate();
    log.SetListIndex(log.NewIndex());

    LB& fits = list(cell(page, row, "all items fit: no bar", QSize(150, kListHeight)), 150);
    for (const char16_t* text : {u"Button", u"ButtonBar", u"Balloons", u"Calendar"}) fits.AddItem(text);
    fits.SetListIndex(1);

    LB& off = list(cell(page, row, "disabled", QSize(150, kListHeight)), 150);
    for (int i = 0; i < 12; ++i) off.AddItem(QStringLiteral("Item %1").arg(i + 1).toStdU16String());
    off.SetListIndex(2);
    off.SetEnabled(false);

    row->addSpacing(14);
    liveBars().clear();
    for (const auto& design : kBarCells) {
        auto* c = cell(page, row, QString::fromLatin1(design.label), QSize(17, kListHeight));
        auto* bar = new VSCWidget(c->Stage(), runMode(QStringLiteral("VS")));
        bar->setGeometry(0, 0, 17, kListHeight);
        VSC& control = bar->Control();
        control.InitProperties();
        control.SetPixelsVisible(40);
        control.SetValue(30);
        if (design.state == BarState::Disabled) control.SetEnabled(false);
        liveBars().push_back({c, bar, design.state});
    }
    row->addStretch(1);
}

void moveHeld(QWidget* w, QPoint p) {
    QMouseEvent move(QEvent::MouseMove, QPointF(p), QPointF(w->mapToGlobal(p)), Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QApplication::sendEvent(w, &move);
}

void drive(QWidget*) {
    for (const Live& live : liveBars()) {
        VSCWidget* bar = live.bar;
        const VSC& control = bar->Control();
        switch (live.state) {
            case BarState::Hover: {
                QTest::mouseMove(bar, gdi::qt::ToQRect(control.UpArrowRect()).center());
                gallery::Settle(30);
                live.cell->Freeze(bar);
                break;
            }
            case BarState::ArrowPressed: {
                const QPoint p = gdi::qt::ToQRect(control.DownArrowRect()).center();
                QTest::mouseMove(bar, p);
                QTest::mousePress(bar, Qt::LeftButton, {}, p);
                const QPixmap still = bar->grab();
                QTest::mouseRelease(bar, Qt::LeftButton, {}, p);
                live.cell->Freeze(bar, still);
                break;
            }
            case BarState::TrackHeld: {
                const QPoint p(8, gdi::qt::ToQRect(control.TrackRect()).bottom() - 6);
                QTest::mousePress(bar, Qt::LeftButton, {}, p);
                const QPixmap still = bar->grab();
                QTest::mouseRelease(bar, Qt::LeftButton, {}, p);
                live.cell->Freeze(bar, still);
                break;
            }
            case BarState::ThumbDragged: {
                const QPoint grab = gdi::qt::ToQRect(control.ThumbRect()).center();
                QTest::mousePress(bar, Qt::LeftButton, {}, grab);
                moveHeld(bar, grab + QPoint(0, 30));
                const QPixmap still = bar->grab();
                QTest::mouseRelease(bar, Qt::LeftButton, {}, grab + QPoint(0, 30));
                live.cell->Freeze(bar, still);
                break;
            }
            default: break;
        }
    }
    QTest::mouseMove(QApplication::activeWindow(), QPoint(1, 1));
    gallery::Settle(30);
}

const GallerySectionRegistrar registrar({"List box and scroll bars", 40, build, drive});

}  // namespace
