// The list box: range errors, selection and scrolling rules, keyboard,
// wheel, drag auto-scroll, repaint economy, stored settings, painting.
#include "controls/LB.h"
#include "tests/controls/test_support.h"
#include "controls/suite/qt/gdi_qt.h"
#include "controls/suite/tavGFX40.h"

#include <QSignalSpy>
#include <QWheelEvent>
#include <QTest>

#include <cstdlib>

using namespace test_support;

namespace {

// A list in run mode sized to show exactly `rows` rows.
struct List {
    QWidget host;
    LB* lb;
    explicit List(int items, int rows = 5) {
        lb = new LB(&host, RunMode());
        lb->InitProperties();
        lb->resize(200, lb->CurrentItemHeight() * rows + 2);
        for (int i = 0; i < items; ++i) lb->AddItem(QStringLiteral("item %1").arg(i));
    }
};

template <typename Fn>
int errorOf(Fn&& fn) {
    try {
        fn();
    } catch (const LBError& e) {
        return e.number();
    }
    return 0;
}

}  // namespace

class TestLB : public QObject {
    Q_OBJECT
  private slots:
    void rangeErrorsCarryTheirNumber() {
        List l(0);
        QCOMPARE(errorOf([&] { l.lb->RemoveItem(0); }), 381);
        QCOMPARE(errorOf([&] { l.lb->SetListIndex(0); }), 380);
        QCOMPARE(errorOf([&] { l.lb->SetListIndex(-1); }), 0);
        for (int i = 0; i < 3; ++i) l.lb->AddItem(QString::number(i));
        QCOMPARE(errorOf([&] { l.lb->SetListIndex(-2); }), 380);
        QCOMPARE(errorOf([&] { l.lb->SetListIndex(3); }), 380);
        QCOMPARE(errorOf([&] { l.lb->ItemText(3); }), 381);
        QCOMPARE(errorOf([&] { l.lb->SetItemData(-1, 5); }), 381);
        QCOMPARE(errorOf([&] { l.lb->ItemStringData(7); }), 381);
        QCOMPARE(errorOf([&] { l.lb->RemoveItem(3); }), 381);
        l.lb->SetListIndex(2);
        QCOMPARE(errorOf([&] { l.lb->SetListIndex(-1); }), 0);  // clears the selection
        QCOMPARE(l.lb->ListIndex(), -1L);
    }

    void removeItemShiftsDataAndTheSelection() {
        List l(6);
        l.lb->SetItemData(1, QVariant(42));
        l.lb->SetItemStringData(1, QStringLiteral("forty-two"));
        l.lb->SetListIndex(4);
        QSignalSpy changed(l.lb, &LB::ListIndexChange);
        l.lb->RemoveItem(0);
        QCOMPARE(l.lb->ItemText(0), QStringLiteral("item 1"));
        QCOMPARE(l.lb->ItemData(0).toInt(), 42);
        QCOMPARE(l.lb->ItemStringData(0), QStringLiteral("forty-two"));
        QCOMPARE(l.lb->ListIndex(), 3L);
        l.lb->RemoveItem(4);  // after the selection: unchanged
        QCOMPARE(l.lb->ListIndex(), 3L);
        l.lb->RemoveItem(3);
        QCOMPARE(l.lb->ListIndex(), -1L);
        QCOMPARE(l.lb->ListCount(), 3L);
        QCOMPARE(changed.count(), 0);
        l.lb->AddItem(QStringLiteral("new"));
        QCOMPARE(l.lb->NewIndex(), 3L);
        QVERIFY(!l.lb->ItemData(3).isValid());  // the spare slot starts empty
        // Where a chosen item scrolls to is list_rows' (TopShowing); the change is raised also when unchanged.
        l.lb->SetListIndex(1);
        l.lb->SetListIndex(1);
        QCOMPARE(changed.count(), 2);
    }

    void topIndexLimitsAndTheScrollBar() {
        List l(3);
        QCOMPARE(l.lb->ItemsVisible(), 5);
        QVERIFY(!l.lb->sbUC()->isVisibleTo(l.lb));
        for (int top : {-1, 0, 1, 2}) QCOMPARE(errorOf([&] { l.lb->SetTopIndex(top); }), 380);  // everything fits
        l.lb->AddItem("4");
        l.lb->AddItem("5");
        QVERIFY(!l.lb->sbUC()->isVisibleTo(l.lb));
        l.lb->AddItem("6");
        QVERIFY(l.lb->sbUC()->isVisibleTo(l.lb));
        QCOMPARE(l.lb->sbUC()->Control().Max(), 1L);
        QCOMPARE(l.lb->sbUC()->Control().TotalItems(), 6L);
        l.lb->RemoveItem(0);
        QVERIFY(!l.lb->sbUC()->isVisibleTo(l.lb));

        for (int i = 5; i < 20; ++i) l.lb->AddItem(QString::number(i));
        QSignalSpy top(l.lb, &LB::TopIndexChange);
        l.lb->SetTopIndex(15);
        QCOMPARE(l.lb->TopIndex(), 15L);
        QCOMPARE(l.lb->sbUC()->Control().Value(), 15L);
        QCOMPARE(errorOf([&] { l.lb->SetTopIndex(16); }), 380);
        QCOMPARE(errorOf([&] { l.lb->SetTopIndex(-1); }), 380);
        l.lb->SetTopIndex(0);
        QCOMPARE(top.count(), 2);
    }

    void keyboardMoves() {
        List l(20);
        l.host.show();
        QSignalSpy keys(l.lb, &LB::KeyDown);
        QTest::keyClick(l.lb, Qt::Key_Down);  // no selection: nothing moves
        QCOMPARE(l.lb->ListIndex(), -1L);
        l.lb->SetListIndex(2);
        // Each key once, with this list's page and length; the moves' rules are list_rows' (list_rows_test.cpp).
        const QList<std::pair<Qt::Key, long>> moves = {{Qt::Key_PageDown, 7}, {Qt::Key_End, 19}, {Qt::Key_Up, 18},
                                                       {Qt::Key_PageUp, 13},  {Qt::Key_Home, 0}, {Qt::Key_Down, 1}};
        for (const auto& [key, expected] : moves) {
            QTest::keyClick(l.lb, key);
            QCOMPARE(l.lb->ListIndex(), expected);
        }
        QCOMPARE(keys.count(), moves.size() + 1);
        QCOMPARE(keys.at(1).at(0).toInt(), 34);  // Page Down
        QCOMPARE(l.lb->TopIndex(), 0L);
    }

    void wheelUsesTheSystemLines() {
        QApplication::setWheelScrollLines(3);  // read when the list loads
        List l(20);
        QApplication::setWheelScrollLines(7);
        QCOMPARE(l.lb->WheelScrollLines(), 3);
        auto wheel = [&](int delta) {
            l.lb->ISubclass_WindowProc(l.lb, winmsg::WM_MOUSEWHEEL, winmsg::MAKEWPARAM(0, delta), 0);
        };
        wheel(-120);  // towards the user: down the list
        QCOMPARE(l.lb->TopIndex(), 3L);
        wheel(-1200);
        QCOMPARE(l.lb->TopIndex(), 15L);  // at most the scroll bar's Max
        wheel(1200);
        QCOMPARE(l.lb->TopIndex(), 0L);
        QCOMPARE(l.lb->ListIndex(), -1L);  // the wheel never selects
        QApplication::setWheelScrollLines(3);
    }

    void wheelOverAListThatFits() {
        List l(3);
        // Held within the hidden bar's range, whose Max is 1.
        QVERIFY(l.lb->ItemsVisible() > 3);
        l.lb->ISubclass_WindowProc(l.lb, winmsg::WM_MOUSEWHEEL, winmsg::MAKEWPARAM(0, -360), 0);
        QCOMPARE(l.lb->TopIndex(), 1L);
        l.lb->ISubclass_WindowProc(l.lb, winmsg::WM_MOUSEWHEEL, winmsg::MAKEWPARAM(0, 120), 0);
        QCOMPARE(l.lb->TopIndex(), 0L);
        // The wheel also goes on to what lies under the list.
        QWheelEvent turn(QPointF(5, 5), QPointF(5, 5), {}, QPoint(0, -120), Qt::NoButton, {}, Qt::NoScrollPhase, false);
        turn.accept();
        QApplication::sendEvent(l.lb, &turn);
        QVERIFY(!turn.isAccepted());
        l.lb->AddItem("3");
        l.lb->AddItem("4");
        l.lb->AddItem("5");
        QApplication::sendEvent(l.lb, &turn);
        QVERIFY(turn.isAccepted());
    }

    void dragAutoScrollSpeedAndSteps() {
        // The speed's arithmetic is list_rows' (list_rows_test.cpp); here, that the list's height is its own.
        List l(20);
        const int h = l.lb->height();
        QCOMPARE(l.lb->DragStepInterval(h), 520);  // the first row below the list is slower
        QCOMPARE(l.lb->DragStepInterval(h + 11), 300);

        std::uint32_t now = 1000;
        l.lb->SetTickSource([&] { return now; });
        l.lb->SetListIndex(10);
        QTest::mousePress(l.lb, Qt::LeftButton, {}, QPoint(50, 10));
        QVERIFY(l.lb->IsButtonHeld());
        QMouseEvent out(QEvent::MouseMove, QPointF(50, h + 11), QPointF(50, h + 11), Qt::NoButton, Qt::LeftButton,
                        Qt::NoModifier);
        QSignalSpy moves(l.lb, &LB::MouseMove);
        QApplication::sendEvent(l.lb, &out);
        QCOMPARE(moves.count(), 1);
        QCOMPARE(l.lb->ListIndex(), 11L);  // first step at once
        QVERIFY(winmsg::IsTimerRunning(l.lb, LB::kDragTimerId));
        now += 299;
        Tick(*l.lb, LB::kDragTimerId);
        QCOMPARE(l.lb->ListIndex(), 11L);
        now += 1;
        Tick(*l.lb, LB::kDragTimerId);
        QCOMPARE(l.lb->ListIndex(), 12L);
        QTest::mouseRelease(l.lb, Qt::LeftButton, {}, QPoint(50, h + 11));
        QVERIFY(!winmsg::IsTimerRunning(l.lb, LB::kDragTimerId));
        now += 1000;
        Tick(*l.lb, LB::kDragTimerId);
        QCOMPARE(l.lb->ListIndex(), 12L);
    }

    void clicksDoNotSelect() {
        List l(10);
        QSignalSpy click(l.lb, &LB::Click), dbl(l.lb, &LB::DblClick);
        QTest::mouseClick(l.lb, Qt::LeftButton, {}, QPoint(20, 5));
        QCOMPARE(l.lb->ListIndex(), -1L);
        QCOMPARE(click.count(), 0);
        l.lb->SetListIndex(4);
        test_support::DoubleClick(l.lb, QPoint(20, 5));  // Click, then DblClick for the second
        QCOMPARE(l.lb->ListIndex(), 4L);
        QCOMPARE(click.count(), 1);
        QCOMPARE(dbl.count(), 1);
    }

    void scrollBarPagesByTheVisibleRows() {
        List l(30);
        LBVScroll& sb = l.lb->sbUC()->Control();
        const auto press = [&sb](int x, int y) {
            sb.WindowProc(winmsg::WM_LBUTTONDOWN, winmsg::MK_LBUTTON, winmsg::MAKELPARAM(x, y));
        };
        press(5, sb.ThumbRect().Bottom + 2);
        sb.WindowProc(winmsg::WM_LBUTTONUP, 0, 0);
        QCOMPARE(l.lb->TopIndex(), 5L);
        press(5, (sb.DownArrowRect().Top + sb.DownArrowRect().Bottom - 1) / 2);
        QCOMPARE(l.lb->TopIndex(), 6L);
    }

    void appendingRepaintsOnlyForTheVisiblePage() {
        List l(4);
        auto before = l.lb->RedrawRequests();
        l.lb->AddItem("on the page");
        QVERIFY(l.lb->RedrawRequests() > before);
        before = l.lb->RedrawRequests();
        l.lb->AddItem("below the page");
        QCOMPARE(l.lb->RedrawRequests(), before);

        // The log's way: append and select the newest line.
        for (int i = 0; i < 200; ++i) {
            l.lb->AddItem(QStringLiteral("line %1").arg(i));
            l.lb->SetListIndex(l.lb->NewIndex());
        }
        QCOMPARE(l.lb->TopIndex(), l.lb->ListCount() - 5);
        QCOMPARE(l.lb->sbUC()->Control().Value(), l.lb->ListCount() - 5);

        l.lb->BeginUpdate();
        before = l.lb->RedrawRequests();
        l.lb->AddItem("quiet");
        QCOMPARE(l.lb->RedrawRequests(), before);
        QCOMPARE(l.lb->sbUC()->Control().TotalItems(), l.lb->ListCount() - 1);
        l.lb->EndUpdate();
        QCOMPARE(l.lb->sbUC()->Control().TotalItems(), l.lb->ListCount());
    }

    void repaintsAtMostOncePerFrame() {
        List l(3);
        std::uint32_t now = 5000;
        l.lb->SetTickSource([&] { return now; });
        Tick(*l.lb, LB::kPaintTimerId);  // whatever the set-up left pending
        now += LB::kFrameMs;
        l.lb->SetListIndex(0);  // passed on at once
        QVERIFY(!winmsg::IsTimerRunning(l.lb, LB::kPaintTimerId));
        now += 5;
        l.lb->SetListIndex(1);  // same frame: deferred
        l.lb->SetListIndex(2);
        QVERIFY(winmsg::IsTimerRunning(l.lb, LB::kPaintTimerId));
        Tick(*l.lb, LB::kPaintTimerId);
        QVERIFY(!winmsg::IsTimerRunning(l.lb, LB::kPaintTimerId));
        now += LB::kFrameMs;
        l.lb->SetListIndex(0);  // a frame later: at once again
        QVERIFY(!winmsg::IsTimerRunning(l.lb, LB::kPaintTimerId));
    }

    void itemHeightFromFont() {
        List l(0);
        const int textHeight = QFontMetrics(l.lb->Font()).height();
        QCOMPARE(l.lb->CurrentItemHeight(), textHeight);
        l.lb->SetItemHeightAuto(false);
        l.lb->SetItemHeight(textHeight + 6);
        QCOMPARE(l.lb->CurrentItemHeight(), textHeight + 6);
        l.lb->SetItemHeight(2);  // never below the text
        QCOMPARE(l.lb->CurrentItemHeight(), textHeight);
        QFont big = l.lb->Font();
        big.setPixelSize(30);
        l.lb->SetItemHeightAuto(true);
        l.lb->SetFont(big);
        QCOMPARE(l.lb->ItemsVisible(), l.lb->height() / QFontMetrics(big).height());
    }

    void settingsRoundTripThroughThePropertyBag() {
        List l(0);
        PropertyBag empty;
        l.lb->WriteProperties(empty);
        QCOMPARE(empty.Count(), 0);  // all at their defaults

        LBHiddenSettings hidden = l.lb->HiddenSettings();
        hidden.ScrollBarWidth = 17;
        hidden.WordWrap = false;
        l.lb->SetHiddenSettings(hidden);
        l.lb->SetBorderWidth(3);
        l.lb->SetBackNormal(0x80000005);  // kept as the colour it stands for
        QCOMPARE(l.lb->BackNormal(), tavGFX40::gfxTranslateColor(0x80000005));
        PropertyBag bag;
        l.lb->WriteProperties(bag);
        QVERIFY((bag.Keys() == std::vector<std::string>{"BackNormal", "BorderWidth", "ScrollBarWidth", "WordWrap"}));

        QWidget host;
        LB copy(&host, RunMode());
        copy.resize(200, 100);
        copy.ReadProperties(bag);
        QCOMPARE(copy.HiddenSettings().ScrollBarWidth, 17);
        QCOMPARE(copy.HiddenSettings().WordWrap, false);
        QCOMPARE(copy.HiddenSettings().Focus, true);
        QCOMPARE(copy.BorderWidth(), 3);
        QCOMPARE(copy.sbUC()->width(), 17);
        PropertyBag again;
        copy.WriteProperties(again);
        QVERIFY(again.Keys() == bag.Keys());
    }

    void paintsRowsAndKeepsTheSelectionOutlineClearOfTheText_data() {
        QTest::addColumn<int>("pointSize");
        QTest::newRow("default font") << 0;
        // Large enough that the space the font keeps above its ink differs from the space below it, so the text
        // must be moved to sit centred in the outline.
        QTest::newRow("large font") << 40;
    }
    void paintsRowsAndKeepsTheSelectionOutlineClearOfTheText() {
        QFETCH(int, pointSize);
        List l(10);
        if (pointSize > 0) {
            QFont font = l.lb->Font();
            font.setPointSize(pointSize);
            l.lb->SetFont(font);
            l.lb->resize(600, l.lb->CurrentItemHeight() * 5 + 2);
        }
        // As high and as low as a line of text reaches: its ink is what is centred in the outline.
        l.lb->SetItemText(1, QStringLiteral("bdfhklt|gjpqy()"));
        LBHiddenSettings hidden = l.lb->HiddenSettings();
        hidden.BackSelected = 0x0000C000;
        l.lb->SetHiddenSettings(hidden);
        l.lb->SetBackNormal(0x00F0E0D0);
        l.lb->SetFontSelected(0x00000000);
        l.lb->SetListIndex(1);
        l.host.show();
        QVERIFY(QTest::qWaitForWindowExposed(&l.host));
        const QImage shot = l.lb->grab().toImage();
        const QRect row = l.lb->ItemRect(1);
        QCOMPARE(shot.pixelColor(row.right() - 5, l.lb->ItemRect(0).center().y()), gdi::qt::ToQColor(0x00F0E0D0));
        const QColor selected(0, 0xC0, 0), outline = gdi::qt::ToQColor(tavGFX40::gfxTranslateColor(LB::kDefBoxBorder));
        QCOMPARE(shot.pixelColor(row.right() - 5, row.center().y()), selected);
        QCOMPARE(shot.pixelColor(row.right() - 1, row.center().y()), outline);  // box outline, 1 px in
        QCOMPARE(shot.pixelColor(0, 0), gdi::qt::ToQColor(tavGFX40::gfxTranslateColor(LB::kDefBorderColor)));

        auto rowsWhere = [&](const QImage& image, int x0, int x1, auto&& test) {
            QList<int> rows;
            for (int y = row.top(); y <= row.bottom(); ++y)
                for (int x = x0; x <= x1; ++x)
                    if (test(image.pixelColor(x, y))) {
                        rows << y;
                        break;
                    }
            return rows;
        };
        // The outline's rows, seen right of the text; then the text's ink, with the outline in the background colour.
        const QList<int> edges =
            rowsWhere(shot, row.right() - 5, row.right() - 5, [&](QColor c) { return c == outline; });
        QVERIFY(edges.size() >= 2);
        l.lb->SetBoxBorder(0x0000C000);
        QTest::qWait(2 * LB::kFrameMs);
        const QList<int> ink =
            rowsWhere(l.lb->grab().toImage(), row.left() + 2, row.right() - 8, [&](QColor c) { return c != selected; });
        QVERIFY(!ink.isEmpty());
        QVERIFY(ink.first() > edges.first());
        QVERIFY(ink.last() < edges.last());
        QVERIFY(std::abs((ink.first() - edges.first()) - (edges.last() - ink.last())) <= 1);
    }
};

QTEST_MAIN(TestLB)
#include "tst_lb.moc"
