// The stand-alone scroll bar's Qt host: a drag through the window system,
// and that the bar never takes the keyboard focus (the list box's bar:
// tst_lb.cpp).  The bars' behaviour is scroll_bars_test.cpp's.
#include "controls/qt/ScrollBarWidgets.h"
#include "tests/controls/test_support.h"

#include <QApplication>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>

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
};

QTEST_MAIN(TestScrollBarWidgets)
#include "tst_scroll_bar_widgets.moc"
