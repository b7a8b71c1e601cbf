// The vertical scroll bar: arrows and track with their repeat, thumb drag
// rounding, events, the shared subclasser, stored properties.
#include "controls/VSC.h"
#include "tests/controls/test_support.h"

#include <QSignalSpy>
#include <QTest>

using namespace test_support;
using scroll_bar::kTimerScrl;
using scroll_bar::kTimerScrlEnable;

namespace {

// A 17 x 200 pixel bar (3000 twips; arrows 255 each; minimum thumb 240, so
// the thumb travels 2250 twips = 150 pixels).
struct Bar {
    QWidget host;
    VSC* bar;
    explicit Bar(long max = 100) {
        bar = new VSC(&host, RunMode());
        bar->setGeometry(0, 0, 17, 200);
        bar->InitProperties();
        bar->SetMax(max);
    }
};

}  // namespace

class TestVSC : public QObject {
    Q_OBJECT
  private slots:
    void arrowsStepAndRepeatAfterTheDelay() {
        Bar b;
        b.bar->SetSmallChange(3);
        QSignalSpy change(b.bar, &VSC::Change), up(b.bar, &VSC::BarMouseUp);
        const QPoint down = b.bar->DownArrowRect().center();
        Press(*b.bar, down);
        QCOMPARE(b.bar->Value(), 3L);
        QCOMPARE(change.count(), 1);
        QCOMPARE(b.bar->PressDirection(), VSC::towardsMax);
        QVERIFY(winmsg::IsTimerRunning(b.bar, kTimerScrlEnable));

        Tick(*b.bar, kTimerScrlEnable);
        Tick(*b.bar, kTimerScrl);
        QCOMPARE(b.bar->Value(), 6L);
        QCOMPARE(change.count(), 2);

        MoveHeld(*b.bar, QPoint(8, 100));  // pointer left the arrow: no step
        Tick(*b.bar, kTimerScrl);
        QCOMPARE(b.bar->Value(), 6L);
        QCOMPARE(change.count(), 2);

        Release(*b.bar, down);
        QVERIFY(!winmsg::IsTimerRunning(b.bar, kTimerScrl));
        QCOMPARE(up.count(), 0);  // only a thumb drag ends with BarMouseUp

        // At Min the up arrow moves nothing and raises nothing.
        b.bar->SetValue(0);
        change.clear();
        Press(*b.bar, b.bar->UpArrowRect().center());
        QCOMPARE(change.count(), 0);
        QCOMPARE(b.bar->PressDirection(), VSC::towardsMin);
        Release(*b.bar, QPoint());
    }

    void trackRepeatStopsWhereThePointerIs_data() {
        QTest::addColumn<int>("startValue");
        QTest::addColumn<int>("pointerY");
        QTest::newRow("towards Max") << 0 << 160;
        QTest::newRow("towards Min") << 100 << 40;
    }
    void trackRepeatStopsWhereThePointerIs() {
        QFETCH(int, startValue);
        QFETCH(int, pointerY);
        Bar b;
        b.bar->SetLargeChange(10);
        b.bar->SetValue(startValue);
        Press(*b.bar, QPoint(8, pointerY));
        Tick(*b.bar, kTimerScrlEnable);
        int ticks = 0;
        while (winmsg::IsTimerRunning(b.bar, kTimerScrl) && ticks < 40) {
            Tick(*b.bar, kTimerScrl);
            ++ticks;
        }
        QVERIFY(ticks > 1 && ticks < 40);
        const double pointer = pointerY * 15.0;
        if (startValue == 0)
            QVERIFY(b.bar->ThumbTop() + b.bar->ThumbLength() >= pointer);
        else
            QVERIFY(b.bar->ThumbTop() <= pointer);
        // One step less would not have reached the pointer.
        const long reached = b.bar->Value();
        b.bar->SetValue(startValue == 0 ? reached - 10 : reached + 10);
        if (startValue == 0)
            QVERIFY(b.bar->ThumbTop() + b.bar->ThumbLength() < pointer);
        else
            QVERIFY(b.bar->ThumbTop() > pointer);
    }

    void trackFollowsPointerMovesWhileHeld() {
        Bar b;
        b.bar->SetLargeChange(10);
        Press(*b.bar, QPoint(8, 60));
        QCOMPARE(b.bar->Value(), 10L);
        MoveHeld(*b.bar, QPoint(8, 180));  // further down the track
        Tick(*b.bar, kTimerScrlEnable);
        for (int i = 0; i < 40 && winmsg::IsTimerRunning(b.bar, kTimerScrl); ++i) Tick(*b.bar, kTimerScrl);
        QVERIFY(b.bar->Value() > 70);
        Release(*b.bar, QPoint(8, 180));
    }

    void disabledOrHiddenBarStops() {
        Bar b;
        Press(*b.bar, b.bar->DownArrowRect().center());
        b.bar->SetEnabled(false);
        QVERIFY(!winmsg::IsTimerRunning(b.bar, kTimerScrlEnable));
        Press(*b.bar, b.bar->DownArrowRect().center());
        QCOMPARE(b.bar->Value(), 1L);

        b.bar->SetEnabled(true);
        b.host.show();
        Press(*b.bar, b.bar->DownArrowRect().center());
        Tick(*b.bar, kTimerScrlEnable);
        b.bar->hide();
        QVERIFY(!winmsg::IsTimerRunning(b.bar, kTimerScrl));
        QCOMPARE(b.bar->PressedPart(), VSC::ScrollPart::None);
    }

    void barsOfAThreadShareOneSubclasser() {
        QWidget host;
        VSC a(&host, RunMode()), c(&host, RunMode());
        a.InitProperties();
        c.InitProperties();
        QVERIFY(a.SharedSubclasser() != nullptr);
        QCOMPARE(a.SharedSubclasser(), c.SharedSubclasser());
        QCOMPARE(a.SharedSubclasser()->AttachmentCount(), std::size_t(10));
    }

    void storedPropertiesRoundTrip() {
        Bar b;
        QSignalSpy changed(b.bar, &QtUserControl::PropertyChanged);
        b.bar->SetdFormat(1);
        QCOMPARE(changed.count(), 1);
        QCOMPARE(changed.at(0).at(0).toString(), QStringLiteral("dFormat"));
        b.bar->SetMax(400);
        b.bar->SetValue(123);
        b.bar->SetLargeChange(50);
        b.bar->SetLargeChange(5000);  // refused: not marked
        QCOMPARE(changed.count(), 4);
        QCOMPARE(changed.at(1).at(0).toString(), QStringLiteral("Max"));
        QCOMPARE(changed.at(3).at(0).toString(), QStringLiteral("LargeChange"));
        PropertyBag bag;
        b.bar->WriteProperties(bag);
        QWidget host;
        VSC copy(&host, RunMode());
        copy.resize(17, 200);
        copy.ReadProperties(bag);
        QCOMPARE(copy.Max(), 400L);
        QCOMPARE(copy.Value(), 123L);
        QCOMPARE(copy.LargeChange(), 50L);
        QCOMPARE(copy.dFormat(), 1);
        QCOMPARE(copy.ThumbTop(), b.bar->ThumbTop());

        PropertyBag untouched;
        VSC fresh(&host, RunMode());
        fresh.WriteProperties(untouched);
        QCOMPARE(untouched.Count(), 0);
    }

    void doubleClickIsNoPress() {
        // The stand-alone bar does not even listen for it (the list bar's steps: tst_lbvscroll.cpp).
        Bar b;
        Send(*b.bar, winmsg::WM_LBUTTONDBLCLK, b.bar->DownArrowRect().center(), winmsg::MK_LBUTTON);
        QCOMPARE(b.bar->Value(), 0L);
        QCOMPARE(b.bar->PressedPart(), VSC::ScrollPart::None);
    }

    // The drag's arithmetic is scroll_range's (scroll_range_test.cpp) and the drag
    // itself ScrollBarBase's (tst_lbvscroll.cpp); here, the bar's own rules on it.
    void realDragThroughTheWindowSystem() {
        // 75 steps over 150 pixels of travel: every pixel is half a step.
        Bar b(75);
        b.host.resize(40, 220);
        b.host.show();
        QVERIFY(QTest::qWaitForWindowExposed(&b.host));
        QCOMPARE(b.bar->ThumbLength(), 240.0);
        const QPoint grab(8, b.bar->ThumbRect().top() + 2);
        QTest::mousePress(b.bar, Qt::LeftButton, {}, grab);
        QSignalSpy scroll(b.bar, &VSC::Scroll), change(b.bar, &VSC::Change), up(b.bar, &VSC::BarMouseUp);
        for (int i = 0; i < 2; ++i) {
            QMouseEvent move(QEvent::MouseMove, QPointF(grab + QPoint(0, 7)),
                             QPointF(b.bar->mapToGlobal(grab + QPoint(0, 7))), Qt::NoButton, Qt::LeftButton,
                             Qt::NoModifier);
            QApplication::sendEvent(b.bar, &move);
        }
        QCOMPARE(b.bar->Value(), 4L);  // 3.5 steps, to even
        QCOMPARE(scroll.count(), 1);   // the second move changed nothing
        const double dragged = b.bar->ThumbTop();
        QTest::mouseRelease(b.bar, Qt::LeftButton, {}, grab + QPoint(0, 7));
        QCOMPARE(b.bar->ThumbTop(), dragged);  // left where it was let go, not where 4 puts it
        QCOMPARE(up.count(), 1);               // a drag ends with BarMouseUp, an arrow press does not
        QCOMPARE(change.count(), 0);
        QVERIFY(!b.bar->IsDragging());
    }
};

QTEST_MAIN(TestVSC)
#include "tst_vsc.moc"
