// Subclassing: Qt events reach the client as window messages.
#include "controls/suite/tavMFC40.h"
#include "controls/suite/tavSCls40.h"

#include <QtTest>

using namespace winmsg;

namespace {

struct Message {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

class Recorder : public tavSCls40::ISubclass {
  public:
    explicit Recorder(tavSCls40::Subclasser& s) : sub(s) {}
    tavSCls40::EMsgResponse ISubclass_MsgResponse() override {
        return sub.CurrentMessage() == WM_PAINT && consumePaint ? tavSCls40::emrConsume : tavSCls40::emrPreprocess;
    }
    LRESULT ISubclass_WindowProc(HWND, UINT message, WPARAM wParam, LPARAM lParam) override {
        seen.push_back({message, wParam, lParam});
        currentDuringCall = sub.CurrentMessage();
        return 0;
    }
    std::vector<Message> of(UINT m) const {
        std::vector<Message> out;
        for (const auto& x : seen)
            if (x.message == m) out.push_back(x);
        return out;
    }
    tavSCls40::Subclasser& sub;
    std::vector<Message> seen;
    bool consumePaint = false;
    UINT currentDuringCall = 0;
};

class PaintCounter : public QWidget {
  public:
    int paints = 0;
    void paintEvent(QPaintEvent*) override { ++paints; }
};

}  // namespace

class TestSubclassing : public QObject {
    Q_OBJECT
  private slots:
    void mouseMessagesCarryPackedParametersAndAConsumedPaintReplacesTheWindows() {
        PaintCounter w;
        w.resize(100, 60);
        w.setMouseTracking(true);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        tavSCls40::Subclasser sub;
        Recorder rec(sub);
        for (UINT m : {WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_RBUTTONUP}) sub.AttachMessage(&rec, &w, m);

        QTest::mouseMove(&w, QPoint(30, 20));
        QTest::mousePress(&w, Qt::LeftButton, Qt::ShiftModifier, QPoint(31, 21));
        QTest::mouseRelease(&w, Qt::LeftButton, {}, QPoint(31, 21));  // not attached
        QTest::mouseRelease(&w, Qt::RightButton, Qt::ControlModifier, QPoint(5, 6));

        const auto moves = rec.of(WM_MOUSEMOVE);
        QVERIFY(!moves.empty());
        QCOMPARE(QPoint(GET_X_LPARAM(moves.front().lParam), GET_Y_LPARAM(moves.front().lParam)), QPoint(30, 20));
        QCOMPARE(rec.currentDuringCall, UINT(WM_RBUTTONUP));
        QCOMPARE(sub.CurrentMessage(), UINT(0));

        const auto downs = rec.of(WM_LBUTTONDOWN);
        QCOMPARE(downs.size(), std::size_t(1));
        QCOMPARE(downs[0].wParam & (MK_LBUTTON | MK_SHIFT), WPARAM(MK_LBUTTON | MK_SHIFT));
        int button = 0, shift = 0, x = 0, y = 0;
        tavMFC40::GetMouseParameters(WM_LBUTTONDOWN, downs[0].wParam, downs[0].lParam, button, shift, x, y);
        QCOMPARE(button, int(tavMFC40::vbLeftButton));
        QCOMPARE(shift & tavMFC40::vbShiftMask, int(tavMFC40::vbShiftMask));
        QCOMPARE(QPoint(x, y), QPoint(31, 21));
        QVERIFY(rec.of(WM_LBUTTONUP).empty());
        const auto ups = rec.of(WM_RBUTTONUP);
        QCOMPARE(ups.size(), std::size_t(1));
        tavMFC40::GetMouseParameters(WM_RBUTTONUP, ups[0].wParam, ups[0].lParam, button, shift, x, y);
        QCOMPARE(button, int(tavMFC40::vbRightButton));
        QCOMPARE(shift & tavMFC40::vbCtrlMask, int(tavMFC40::vbCtrlMask));

        // Packed negative coordinates come back signed.
        QCOMPARE(GET_X_LPARAM(MAKELPARAM(-3, 7)), -3);
        QCOMPARE(GET_Y_LPARAM(MAKELPARAM(-3, -7)), -7);

        // A paint the client consumes replaces the window's own painting.
        sub.AttachMessage(&rec, &w, WM_PAINT);
        const int before = w.paints;
        w.repaint();
        QCOMPARE(w.paints, before + 1);  // preprocess: both ran
        QCOMPARE(rec.of(WM_PAINT).size(), std::size_t(1));

        rec.consumePaint = true;
        w.repaint();
        QCOMPARE(w.paints, before + 1);  // consumed: only the handler ran
        QCOMPARE(rec.of(WM_PAINT).size(), std::size_t(2));

        sub.DetachMessage(&rec, &w, WM_PAINT);
        QCOMPARE(sub.AttachmentCount(), std::size_t(3));  // the mouse messages
        w.repaint();
        QCOMPARE(rec.of(WM_PAINT).size(), std::size_t(2));
        QCOMPARE(w.paints, before + 2);
    }

    void timersAndChildrenReachTheWindowAndDetachingLeavesNothing() {
        QWidget w;
        tavSCls40::Subclasser sub;
        Recorder rec(sub);
        sub.AttachMessage(&rec, &w, WM_TIMER);
        sub.AttachMessage(&rec, &w, WM_TIMER);  // twice: still one delivery per tick
        QCOMPARE(sub.AttachmentCount(), std::size_t(1));
        QVERIFY(SetTimer(&w, 7, 5));
        QTRY_VERIFY(!rec.of(WM_TIMER).empty());
        QCOMPARE(rec.of(WM_TIMER).front().wParam, WPARAM(7));
        QVERIFY(KillTimer(&w, 7));
        QVERIFY(!IsTimerRunning(&w, 7));
        QVERIFY(!KillTimer(&w, 7));
        const auto ticks = rec.of(WM_TIMER).size();
        QTest::qWait(30);
        QCOMPARE(rec.of(WM_TIMER).size(), ticks);

        // Children's creation and destruction reach their parent; detaching leaves nothing.
        auto* parent = new QWidget;
        sub.AttachMessage(&rec, parent, WM_PARENTNOTIFY);
        sub.AttachMessage(&rec, &w, WM_PAINT);
        auto* child = new QWidget(parent);
        delete child;
        const auto notes = rec.of(WM_PARENTNOTIFY);
        QCOMPARE(notes.size(), std::size_t(2));
        QCOMPARE(LOWORD(notes[0].wParam), std::uint16_t(WM_CREATE));
        QCOMPARE(LOWORD(notes[1].wParam), std::uint16_t(WM_DESTROY));
        delete parent;  // a destroyed window's attachments go with it
        QCOMPARE(sub.AttachmentCount(), std::size_t(2));
        sub.DetachAll(&rec);
        QCOMPARE(sub.AttachmentCount(), std::size_t(0));
    }
};

QTEST_MAIN(TestSubclassing)
#include "tst_subclassing.moc"
