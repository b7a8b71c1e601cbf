// Check box: glyph frames, mouse and keyboard rules, hover, stored settings.
#include "controls/CHKBOX.h"
#include "tests/controls/checks_support.h"
#include "controls/suite/tavResSrv40.h"

#include <QtTest>

using namespace checks_support;
using test_support::FrameColour;
using test_support::PixelOf;

namespace {

enum class Drive { None, Hover, Press, SpaceDown, Disable };

// A check box in a shown window, skinned with the distinct-colour strip.
struct Fixture {
    Host host;
    CHKBOX box{&host.window};
    EventLog log;
    Fixture() {
        box.setGeometry(10, 10, 120, 21);
        box.InitProperties();
        box.SetCaption("Option");
        AnswerSkin(box, "tst-check-strip", 13, 13, 8);
        box.ApplyCustomSkin();
        box.show();
        log.Watch(box);
        log.WatchMouse(box);
    }
    QPoint inside() const { return QPoint(5, box.height() / 2); }
    QColor glyphPixel() { return PixelOf(box, 6, box.height() / 2); }
};

}  // namespace

Q_DECLARE_METATYPE(Drive)

class TestChkbox : public QObject {
    Q_OBJECT
  private slots:
    void glyphFrameFollowsStateAndValue_data() {
        QTest::addColumn<Drive>("drive");
        QTest::addColumn<bool>("value");
        QTest::addColumn<int>("frame");
        const std::pair<const char*, Drive> states[] = {{"normal", Drive::None},
                                                        {"hover", Drive::Hover},
                                                        {"pressed", Drive::Press},
                                                        {"space", Drive::SpaceDown},
                                                        {"disabled", Drive::Disable}};
        const int off[] = {0, 1, 2, 2, 3};
        for (int i = 0; i < 5; ++i) {
            QTest::addRow("%s, off", states[i].first) << states[i].second << false << off[i];
            QTest::addRow("%s, on", states[i].first) << states[i].second << true << off[i] + 4;
        }
    }
    void glyphFrameFollowsStateAndValue() {
        QFETCH(Drive, drive);
        QFETCH(bool, value);
        QFETCH(int, frame);
        Fixture f;
        f.box.SetValue(value);
        switch (drive) {
            case Drive::None: break;
            case Drive::Hover: MoveMouse(&f.box, f.inside()); break;
            case Drive::Press:
                MoveMouse(&f.box, f.inside());
                QTest::mousePress(&f.box, Qt::LeftButton, {}, f.inside());
                break;
            case Drive::SpaceDown: QTest::keyPress(&f.box, Qt::Key_Space); break;
            case Drive::Disable: f.box.SetEnabled(false); break;
        }
        QCOMPARE(f.box.GlyphFrame(), frame);
        QCOMPARE(f.glyphPixel(), FrameColour(frame));
        QCOMPARE(f.box.GlyphSkin().IMGHeight, 13);
    }

    void clickFlipsOnlyWhenReleasedOverTheBox() {
        Fixture f;
        QTest::mousePress(&f.box, Qt::LeftButton, {}, f.inside());
        QTest::mouseRelease(&f.box, Qt::LeftButton, {}, f.inside());
        QVERIFY(f.box.Value());
        QCOMPARE(f.log.entries, QStringList({"MouseDown 1", "Click", "MouseUp 1"}));

        f.log.Clear();
        QTest::mousePress(&f.box, Qt::LeftButton, {}, f.inside());
        QTest::mouseRelease(&f.box, Qt::LeftButton, {}, QPoint(-20, 40));
        QVERIFY(f.box.Value());
        QVERIFY(!f.box.IsPressed());
        QCOMPARE(f.log.entries, QStringList({"MouseDown 1", "MouseUp 1"}));

        // A release without a press first does nothing.
        f.log.Clear();
        QTest::mouseRelease(&f.box, Qt::LeftButton, {}, f.inside());
        QVERIFY(f.log.entries.isEmpty());
    }

    void spaceKeyTogglesOnRelease() {
        Fixture f;
        QTest::keyPress(&f.box, Qt::Key_Space);
        QVERIFY(f.box.IsSpaceDown() && f.box.IsPressed());
        QVERIFY(!f.box.Value());
        QTest::keyRelease(&f.box, Qt::Key_Space);
        QVERIFY(f.box.Value());
        QVERIFY(!f.box.IsSpaceDown() && !f.box.IsPressed());
        QCOMPARE(f.log.entries, QStringList({"KeyDown 32", "KeyPress 32", "Click", "KeyUp 32"}));

        f.log.Clear();
        QTest::keyClick(&f.box, Qt::Key_A);
        QVERIFY(f.box.Value());
        QCOMPARE(f.log.entries, QStringList({"KeyDown 65", "KeyPress 97", "KeyUp 65"}));
    }

    void hoverEndsOnceTheCursorLeaves() {
        Fixture f;
        MoveMouse(&f.box, f.inside());
        QVERIFY(f.box.IsMouseOver());
        QVERIFY(winmsg::IsTimerRunning(&f.box, modSkinConstants::kHoverTimerId));
        TickHoverTimer(f.box, &f.box);  // still inside: nothing changes
        QVERIFY(f.box.IsMouseOver());

        f.host.CursorAway();
        TickHoverTimer(f.box, &f.box);
        QVERIFY(!f.box.IsMouseOver());
        QVERIFY(!winmsg::IsTimerRunning(&f.box, modSkinConstants::kHoverTimerId));

        // Disabling and hiding stop the timer too.
        MoveMouse(&f.box, f.inside());
        f.box.SetEnabled(false);
        QVERIFY(!winmsg::IsTimerRunning(&f.box, modSkinConstants::kHoverTimerId));
        f.box.SetEnabled(true);
        MoveMouse(&f.box, f.inside());
        QVERIFY(winmsg::IsTimerRunning(&f.box, modSkinConstants::kHoverTimerId));
        f.box.hide();
        QVERIFY(!winmsg::IsTimerRunning(&f.box, modSkinConstants::kHoverTimerId));
        QVERIFY(!f.box.IsMouseOver());
    }

    // Stored settings colour the box and come back; a run-time BackStyle of 0 shows
    // what lies behind the box and is not stored; Value from code raises no Click.
    void storedSettingsAndTheRunTimeBackStyle() {
        EventLog log;  // outlives the box it watches
        Host host;
        QPalette pal = host.window.palette();
        pal.setColor(QPalette::Window, QColor(10, 200, 30));
        host.window.setPalette(pal);
        host.window.setAutoFillBackground(true);
        PropertyBag bag;
        bag.WriteProperty("BackColor", 0x0000C0u);  // red
        bag.WriteProperty("DrawFocusRectangle", false);
        bag.WriteProperty("ValueSetClick", true);  // never read back
        bag.WriteProperty("Caption", "Stored");
        bag.WriteProperty("Value", true);
        CHKBOX box(&host.window);
        box.setGeometry(0, 0, 100, 21);
        box.ReadProperties(bag);
        box.show();
        QVERIFY(box.Value());
        QCOMPARE(box.Caption(), QString("Stored"));
        QCOMPARE(PixelOf(box, 99, 0), QColor(0xC0, 0, 0));
        box.SetBackStyle(CHKBOX::bsTransparent);
        QCOMPARE(PixelOf(box, 99, 0), QColor(10, 200, 30));

        PropertyBag out;
        box.WriteProperties(out);
        QCOMPARE(out.ReadProperty("BackColor").toUInt(), 0x0000C0u);
        QCOMPARE(out.ReadProperty("DrawFocusRectangle", true).toBool(), false);
        QVERIFY(!out.Contains("ValueSetClick"));
        QVERIFY(!out.Contains("ForeColor"));  // still at its default
        QVERIFY(!out.Contains("BackStyle"));  // set at run time only

        log.Watch(box);
        QSignalSpy changed(&box, &UserControl::PropertyChanged);
        box.SetValue(false);
        box.SetValue(true);
        QCOMPARE(log.Count("Click"), 0);
        QCOMPARE(changed.count(), 2);
    }

    void focusRectangleOnlyWhenStoredSettingAllows() {
        for (const bool allowed : {true, false}) {
            Host host;
            PropertyBag bag;
            bag.WriteProperty("ForeColor", 0xC00000u);  // blue text, so black dots stand out
            bag.WriteProperty("DrawFocusRectangle", allowed);
            bag.WriteProperty("Caption", "Focus");
            CHKBOX box(&host.window);
            box.setGeometry(0, 0, 100, 24);
            box.ReadProperties(bag);
            box.show();
            QFocusEvent in(QEvent::FocusIn, Qt::TabFocusReason);
            QApplication::sendEvent(&box, &in);
            const QRect caption = box.CaptionRect();
            QCOMPARE(caption.left(), 17);
            const QColor corner = PixelOf(box, caption.left() - 1, caption.top() - 1);
            QCOMPARE(corner == QColor(Qt::black), allowed);
        }
    }

    void skinsFallBackToBuiltInAndAreReleased() {
        const int before = tavResSrv40::OutstandingRequests();
        {
            Host host;
            CHKBOX box(&host.window);
            box.InitProperties();
            box.ApplyCustomSkin();  // nobody answers
            QVERIFY(box.GlyphSkin().MemDC != 0);
            QVERIFY(box.GlyphSkin().ImageName.isEmpty());
            AnswerSkin(box, "tst-check-strip", 13, 13, 8);
            box.ApplyCustomSkin();
            QCOMPARE(box.GlyphSkin().ImageName, QString("tst-check-strip"));
            QCOMPARE(tavResSrv40::OutstandingRequests(), before + 1);
        }
        QCOMPARE(tavResSrv40::OutstandingRequests(), before);
    }
};

QTEST_MAIN(TestChkbox)
#include "tst_chkbox.moc"
