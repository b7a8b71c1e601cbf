// The list box's and the stand-alone scroll bar's Qt hosts: a wheel the list does not use
// passed on to the parent, real clicks on its bar's child widget and a real drag on the
// stand-alone bar, neither bar taking the focus, the painting with the font's line as Qt
// measures it.  Their behaviour is list_box_test.cpp's and scroll_bars_test.cpp's.
#include "controls/qt/LBWidget.h"
#include "controls/qt/ScrollBarWidgets.h"
#include "controls/suite/qt/gdi_qt.h"
#include "controls/suite/tavGFX40.h"

#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>
#include <QWheelEvent>

#include <cstdlib>

namespace {

// Run mode with a fixed font.
QtAmbient RunMode() {
    QtAmbient a;
    a.Mode = HostMode::Run;
    a.DisplayName = QStringLiteral("ctl");
    a.Font = QFont(QStringLiteral("DejaVu Sans"));
    a.Font.setPixelSize(12);
    return a;
}

// A list in run mode sized to show exactly five rows.
struct List {
    QWidget host;
    LBWidget* w = new LBWidget(&host, RunMode());
    LB* lb = &w->Control();
    explicit List(int items) {
        lb->InitProperties();
        w->resize(200, lb->CurrentItemHeight() * 5 + 2);
        for (int i = 0; i < items; ++i) lb->AddItem(QStringLiteral("item %1").arg(i).toStdU16String());
    }
};

}  // namespace

class TestLB : public QObject {
    Q_OBJECT
  private slots:
    // A wheel turn goes on to the parent while every item fits.  The list's bar is a
    // child widget: real clicks reach it; it paints and never takes the focus.
    void wheelPassedOnRealClicksOnTheBarWidgetAndARealDragOnTheStandAloneBar() {
        List l(3);
        QWheelEvent turn(QPointF(5, 5), QPointF(5, 5), {}, QPoint(0, -120), Qt::NoButton, {}, Qt::NoScrollPhase, false);
        QApplication::sendEvent(l.w, &turn);
        QVERIFY(!turn.isAccepted());
        for (int i = 3; i < 30; ++i) l.lb->AddItem(u"item");
        turn.accept();
        QApplication::sendEvent(l.w, &turn);
        QVERIFY(turn.isAccepted());
        auto* vsc = new VSCWidget(&l.host, RunMode());  // the stand-alone bar, beside the list
        vsc->setGeometry(210, 0, 17, 200);
        VSC& control = vsc->Control();
        control.InitProperties();
        control.SetMax(75);
        l.host.resize(240, 220);
        l.host.show();
        QVERIFY(QTest::qWaitForWindowExposed(&l.host));
        auto* bar = l.w->findChild<ControlWidget*>();
        QVERIFY(bar != nullptr && bar->isVisible());
        const long top = l.lb->TopIndex();
        QTest::mouseClick(bar, Qt::LeftButton, {}, gdi::qt::ToQRect(l.lb->sbUC().DownArrowRect()).center());
        QCOMPARE(l.lb->TopIndex(), top + 1);
        QVERIFY(!bar->IsTimerRunning(scroll_bar::kTimerScrlEnable));  // released
        QVERIFY(!bar->hasFocus());
        QVERIFY(bar->grab().toImage().pixelColor(6, bar->height() / 2) != QColor(Qt::white));  // the track is drawn
        // A row too narrow for its text offers the whole text as the tip while the mouse is over it.
        l.lb->SetItemText(l.lb->TopIndex(), std::u16string(100, u'W'));
        QTest::mouseMove(l.w, QPoint(20, 5));
        QCOMPARE(l.w->toolTip(), QString(100, u'W'));
        QTest::mouseMove(l.w, QPoint(20, 5 + l.lb->CurrentItemHeight()));
        QVERIFY(l.w->toolTip().isEmpty());

        // The stand-alone bar: a drag through the window system; it never takes the focus either.
        const QPoint grab(8, control.ThumbRect().Top + 2);
        QSignalSpy scroll(vsc, &VSCWidget::Scroll), up(vsc, &VSCWidget::BarMouseUp);
        QTest::mousePress(vsc, Qt::LeftButton, {}, grab);
        QMouseEvent move(QEvent::MouseMove, QPointF(grab + QPoint(0, 7)),
                         QPointF(vsc->mapToGlobal(grab + QPoint(0, 7))), Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(vsc, &move);
        QCOMPARE(control.Value(), 4L);
        QTest::mouseRelease(vsc, Qt::LeftButton, {}, grab + QPoint(0, 7));
        QCOMPARE(scroll.count(), 1);
        QCOMPARE(up.count(), 1);
        QVERIFY(!vsc->hasFocus());
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
            gdi::Font font = l.lb->Font();
            font.pointSize = pointSize;
            font.pixelSize = 0;
            l.lb->SetFont(font);
            l.w->resize(600, l.lb->CurrentItemHeight() * 5 + 2);
        }
        // As high and as low as a line of text reaches: its ink is what is centred in the outline.
        l.lb->SetItemText(1, u"bdfhklt|gjpqy()");
        LBHiddenSettings hidden = l.lb->HiddenSettings();
        hidden.BackSelected = 0x0000C000;
        l.lb->SetHiddenSettings(hidden);
        l.lb->SetBackNormal(0x00F0E0D0);
        l.lb->SetFontSelected(0x00000000);
        l.lb->SetListIndex(1);
        l.w->setFocusPolicy(Qt::NoFocus);  // the focus's dots below
        l.host.show();
        QVERIFY(QTest::qWaitForWindowExposed(&l.host));
        const QImage shot = l.w->grab().toImage();
        const QRect row = gdi::qt::ToQRect(l.lb->ItemRect(1));
        QCOMPARE(shot.pixelColor(row.right() - 5, gdi::qt::ToQRect(l.lb->ItemRect(0)).center().y()),
                 gdi::qt::ToQColor(0x00F0E0D0));
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
            rowsWhere(l.w->grab().toImage(), row.left() + 2, row.right() - 8, [&](QColor c) { return c != selected; });
        QVERIFY(!ink.isEmpty());
        QVERIFY(ink.first() > edges.first());
        QVERIFY(ink.last() < edges.last());
        QVERIFY(std::abs((ink.first() - edges.first()) - (edges.last() - ink.last())) <= 1);
        l.w->setFocusPolicy(Qt::StrongFocus);  // with the focus, dots round the chosen row in its text's colour
        l.w->setFocus();
        QTest::qWait(2 * LB::kFrameMs);
        QVERIFY(!rowsWhere(l.w->grab().toImage(), row.left(), row.left(), [](QColor c) {
                     return c == Qt::black;
                 }).isEmpty());
        const QRect first = gdi::qt::ToQRect(l.lb->ItemRect(0));  // an empty list: where its first row comes
        l.lb->Clear();
        QTest::qWait(2 * LB::kFrameMs);
        const QImage empty = l.w->grab().toImage();
        int dots = 0;
        for (int y = first.top(); y <= first.bottom(); ++y) dots += empty.pixelColor(first.left(), y) == Qt::black;
        QVERIFY(dots > 0);
    }
};

QTEST_MAIN(TestLB)
#include "tst_lb.moc"
