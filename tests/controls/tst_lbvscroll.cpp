// The list scroll bar through its messages: press/page/release notifications,
// auto-repeat driven tick by tick, thumb drag, skins.  The range rules and the
// thumb arithmetic are tested without widgets (scroll_range_test.cpp).
#include "controls/LBVScroll.h"
#include "tests/controls/test_support.h"
#include "controls/modSkinConstants.h"

#include <QSignalSpy>
#include <QTest>

using namespace test_support;
using scroll_bar::kTimerScrl;
using scroll_bar::kTimerScrlEnable;
using Part = LBVScroll::ScrollPart;

namespace {

// A 17 x 200 pixel bar: 3000 twips, arrows 255 twips each, track 2490.
struct Bar {
    QWidget host;
    LBVScroll* bar;
    explicit Bar(long total = 100, long visible = 10, long max = 90) {
        bar = new LBVScroll(&host, RunMode());
        bar->setGeometry(0, 0, 17, 200);
        bar->InitProperties();
        bar->SetTotalItems(total);
        bar->SetItemsVisible(visible);
        bar->SetMax(max);
    }
};

QPoint centre(const QRect& r) { return r.center(); }

}  // namespace

class TestLBVScroll : public QObject {
    Q_OBJECT
  private slots:
    void arrowPressNotifiesInOrder() {
        Bar b;
        QStringList order;
        connect(b.bar, &LBVScroll::BarMouseDown, this, [&] { order << "down"; });
        connect(b.bar, &LBVScroll::Change, this, [&](long v) { order << QString("change %1").arg(v); });
        connect(b.bar, &LBVScroll::BarMouseUp, this, [&] { order << "up"; });
        connect(b.bar, &LBVScroll::Scroll, this, [&] { order << "scroll"; });
        b.bar->SetValue(30);  // from code: raises nothing
        b.bar->SetValue(0);
        Press(*b.bar, centre(b.bar->DownArrowRect()));
        Release(*b.bar, centre(b.bar->DownArrowRect()));
        Press(*b.bar, centre(b.bar->UpArrowRect()));  // back to 0
        Press(*b.bar, centre(b.bar->UpArrowRect()));  // already at Min: no Change
        QCOMPARE(order, QStringList({"down", "change 1", "up", "down", "change 0", "down"}));
    }

    void trackPressAsksOwnerForThePage() {
        Bar b;
        b.bar->SetValue(45);
        QList<int> asked;
        long answer = 7;
        connect(b.bar, &LBVScroll::QueryPageSize, this, [&](int dir, long& amount) {
            asked << dir;
            amount = answer;
        });
        QSignalSpy change(b.bar, &LBVScroll::Change);
        Press(*b.bar, QPoint(8, b.bar->ThumbRect().top() - 5));
        QCOMPARE(b.bar->Value(), 38L);
        Release(*b.bar, QPoint(8, 0));
        Press(*b.bar, QPoint(8, b.bar->ThumbRect().bottom() + 5));
        QCOMPARE(b.bar->Value(), 45L);
        QCOMPARE(asked, QList<int>({LBVScroll::pageTowardsMin, LBVScroll::pageTowardsMax}));
        QCOMPARE(change.count(), 2);
        QCOMPARE(change.last().at(0).toLongLong(), 45LL);

        // No answer: no paging, no Change.
        Release(*b.bar, QPoint(8, 0));
        answer = 0;
        Press(*b.bar, QPoint(8, b.bar->ThumbRect().bottom() + 5));
        QCOMPARE(b.bar->Value(), 45L);
        QCOMPARE(change.count(), 2);
    }

    void arrowRepeatDelayThenStepsWhileOverTheArrow() {
        Bar b;
        const QPoint down = centre(b.bar->DownArrowRect());
        Press(*b.bar, down);
        MoveHeld(*b.bar, down);
        QVERIFY(winmsg::IsTimerRunning(b.bar, kTimerScrlEnable));
        QVERIFY(!winmsg::IsTimerRunning(b.bar, kTimerScrl));
        Tick(*b.bar, kTimerScrl);  // not running yet: ignored
        QCOMPARE(b.bar->Value(), 1L);

        Tick(*b.bar, kTimerScrlEnable);
        QVERIFY(!winmsg::IsTimerRunning(b.bar, kTimerScrlEnable));
        QVERIFY(winmsg::IsTimerRunning(b.bar, kTimerScrl));
        Tick(*b.bar, kTimerScrl);
        Tick(*b.bar, kTimerScrl);
        QCOMPARE(b.bar->Value(), 3L);

        MoveHeld(*b.bar, QPoint(8, 100));  // off the arrow: no step, timer stays
        Tick(*b.bar, kTimerScrl);
        QCOMPARE(b.bar->Value(), 3L);
        MoveHeld(*b.bar, down);
        Tick(*b.bar, kTimerScrl);
        QCOMPARE(b.bar->Value(), 4L);

        Release(*b.bar, down);
        QVERIFY(!winmsg::IsTimerRunning(b.bar, kTimerScrl));
        QVERIFY(!winmsg::IsTimerRunning(b.bar, kTimerScrlEnable));
    }

    void trackRepeatStopsAtThePointer() {
        Bar b;
        connect(b.bar, &LBVScroll::QueryPageSize, this, [](int, long& amount) { amount = 10; });
        const QPoint target(8, 150);
        Press(*b.bar, target);
        Tick(*b.bar, kTimerScrlEnable);
        int ticks = 0;
        while (winmsg::IsTimerRunning(b.bar, kTimerScrl) && ticks < 50) {
            Tick(*b.bar, kTimerScrl);
            ++ticks;
        }
        QVERIFY(ticks < 50);
        // Stopped once the thumb covered the pointer, not before.
        QVERIFY(b.bar->ThumbTop() + b.bar->ThumbLength() >= 150 * 15);
        QVERIFY(b.bar->ThumbTop() < 150 * 15);
        Release(*b.bar, target);
    }

    void thumbDragFollowsPointerAndSettlesOnRelease() {
        Bar b(100, 10, 20);
        const QPoint grab(8, b.bar->ThumbRect().top() + 3);
        Press(*b.bar, grab);
        QVERIFY(b.bar->IsDragging());
        QSignalSpy scroll(b.bar, &LBVScroll::Scroll), up(b.bar, &LBVScroll::BarMouseUp);
        // 2241 twips of travel for 20 steps: 14 pixels (210 twips) is 1.87 -> 2.
        MoveHeld(*b.bar, grab + QPoint(0, 14));
        QCOMPARE(b.bar->Value(), 2L);
        QCOMPARE(b.bar->ThumbTop(), 255.0 + 210.0);  // follows the pointer, not the value
        MoveHeld(*b.bar, grab + QPoint(0, 14));
        QCOMPARE(scroll.count(), 1);
        MoveHeld(*b.bar, grab + QPoint(0, 500));  // far below: clamped, Max
        QCOMPARE(b.bar->Value(), 20L);
        QCOMPARE(b.bar->ThumbTop() + b.bar->ThumbLength(), 3000.0 - 255.0);
        MoveHeld(*b.bar, grab + QPoint(0, 20));
        Release(*b.bar, grab);
        QVERIFY(!b.bar->IsDragging());
        QCOMPARE(up.count(), 1);
        QCOMPARE(b.bar->ThumbTop(), 255.0 + 2241.0 * static_cast<double>(b.bar->Value()) / 20.0);
    }

    void doubleClickStepsLikeASecondPress() {
        Bar b;
        Send(*b.bar, winmsg::WM_LBUTTONDBLCLK, centre(b.bar->DownArrowRect()), winmsg::MK_LBUTTON);
        QCOMPARE(b.bar->Value(), 1L);
        QCOMPARE(b.bar->PressedPart(), Part::DownArrow);
    }

    void disabledBarIgnoresPresses() {
        Bar b;
        QSignalSpy down(b.bar, &LBVScroll::BarMouseDown);
        b.bar->SetEnabled(false);
        Press(*b.bar, centre(b.bar->DownArrowRect()));
        QCOMPARE(b.bar->Value(), 0L);
        QCOMPARE(down.count(), 0);
        QVERIFY(!winmsg::IsTimerRunning(b.bar, kTimerScrlEnable));
    }

    void customSkinsAskEveryPieceAndFallBack() {
        Bar b;
        QList<long> asked;
        const QImage thumbStrip = test_support::FlatStrip(17, 30, test_support::FrameColours(4));
        connect(b.bar, &LBVScroll::QuerySkin, this, [&](long res, SkinMapInfo& skin, SkinSource& source) {
            asked << res;
            if (res == modSkinConstants::resScrollThumb) {
                skin.ImageName = gdi::qt::Text(QStringLiteral("lbvscroll-test-thumb"));
                skin.MapMargin = gdi::RECT{4, 6, 4, 6};
                source.picture = gdi::qt::FromQImage(thumbStrip);
            }
        });
        b.bar->ApplyCustomSkin();
        QCOMPARE(asked, QList<long>({1367, 1382, 1385, 1364, 1379}));
        const auto& skins = b.bar->Skins();
        QVERIFY(skins.IsCustom(scroll_bar::pieceThumb));
        QCOMPARE(skins[scroll_bar::pieceThumb].IMGHeight, 30);
        QVERIFY(!skins.IsCustom(scroll_bar::pieceShaft));
        QVERIFY(skins[scroll_bar::pieceShaft].MemDC != 0);      // unanswered: built-in
        QCOMPARE(b.bar->MinThumbLength(), (6 + 6 + 8) * 15.0);  // caps and gripper stay whole

        b.bar->ApplyDefaultSkin();
        QCOMPARE(b.bar->MinThumbLength(), 240.0);
        QVERIFY(!b.bar->Skins().IsCustom(scroll_bar::pieceThumb));
    }

    void realClicksReachTheBarInRunMode() {
        Bar b;
        b.host.resize(40, 220);
        b.host.show();
        QVERIFY(QTest::qWaitForWindowExposed(&b.host));
        QSignalSpy change(b.bar, &LBVScroll::Change);
        QTest::mouseClick(b.bar, Qt::LeftButton, {}, centre(b.bar->DownArrowRect()));
        QCOMPARE(change.count(), 1);
        QVERIFY(!winmsg::IsTimerRunning(b.bar, kTimerScrlEnable));  // released
        const QImage shot = b.bar->grab().toImage();
        QVERIFY(shot.pixelColor(8, 100) != QColor(Qt::white));  // the track is drawn
    }
};

QTEST_MAIN(TestLBVScroll)
#include "tst_lbvscroll.moc"
