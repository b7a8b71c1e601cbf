// The scroll bars' Qt hosts: real mouse events reach the bar in run mode, a
// drag through the window system, what the bar paints, and that a bar never
// takes the keyboard focus.  The bars' behaviour is scroll_bars_test.cpp's.
#include "controls/qt/ScrollBarWidgets.h"
#include "controls/suite/qt/gdi_qt.h"
#include "tests/controls/test_support.h"

#include <QApplication>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>

namespace {

QPoint Centre(const gdi::RECT& r) { return gdi::qt::ToQRect(r).center(); }

}  // namespace

class TestScrollBarWidgets : public QObject {
    Q_OBJECT
  private slots:
    void realDragReachesTheStandAloneBar() {
        QWidget host;
        auto* bar = new VSCWidget(&host, test_support::RunMode());
        bar->setGeometry(0, 0, 17, 200);
        VSC& control = bar->Control();
        control.InitProperties();
        control.SetMax(75);
        host.resize(40, 220);
        host.show();
        QVERIFY(QTest::qWaitForWindowExposed(&host));
        const QPoint grab(8, control.ThumbRect().Top + 2);
        QSignalSpy scroll(bar, &VSCWidget::Scroll), up(bar, &VSCWidget::BarMouseUp);
        QTest::mousePress(bar, Qt::LeftButton, {}, grab);
        QMouseEvent move(QEvent::MouseMove, QPointF(grab + QPoint(0, 7)),
                         QPointF(bar->mapToGlobal(grab + QPoint(0, 7))), Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(bar, &move);
        QCOMPARE(control.Value(), 4L);
        QTest::mouseRelease(bar, Qt::LeftButton, {}, grab + QPoint(0, 7));
        QCOMPARE(scroll.count(), 1);
        QCOMPARE(up.count(), 1);
        QVERIFY(!bar->hasFocus());
    }

    void realClicksReachTheListBarAndItPaints() {
        QWidget host;
        auto* bar = new LBVScrollWidget(&host, test_support::RunMode());
        bar->setGeometry(0, 0, 17, 200);
        LBVScroll& control = bar->Control();
        control.InitProperties();
        control.SetTotalItems(100);
        control.SetItemsVisible(10);
        control.SetMax(90);
        long changed = -1;
        control.Change = [&changed](long value) { changed = value; };
        host.resize(40, 220);
        host.show();
        QVERIFY(QTest::qWaitForWindowExposed(&host));
        QTest::mouseClick(bar, Qt::LeftButton, {}, Centre(control.DownArrowRect()));
        QCOMPARE(changed, 1L);
        QVERIFY(!bar->IsTimerRunning(scroll_bar::kTimerScrlEnable));  // released
        QVERIFY(!bar->hasFocus());
        QVERIFY(bar->grab().toImage().pixelColor(8, 100) != QColor(Qt::white));  // the track is drawn
    }
};

QTEST_MAIN(TestScrollBarWidgets)
#include "tst_scroll_bar_widgets.moc"
