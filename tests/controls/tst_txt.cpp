// Text box: size limits, inner box placement, events, selection, frame looks.
#include "tests/controls/checks_support.h"
#include "controls/txt.h"
#include "controls/suite/qt/gdi_qt.h"

#include <QLineEdit>
#include <QtTest>

using namespace checks_support;
using test_support::FrameColour;
using test_support::PixelOf;

namespace {

struct Fixture {
    Host host;
    txt box{&host.window};
    EventLog log;
    Fixture() {
        box.setGeometry(10, 10, 200, 24);
        box.InitProperties();
        box.show();
        log.Watch(box);
        QObject::connect(&box, &txt::Change, [this] { log.entries << "Change"; });
        QObject::connect(&box, &QtUserControl::PropertyChanged,
                         [this](const QString& n) { log.entries << "changed " + n; });
    }
    QLineEdit& inner() { return *box.hWndToolTip(); }
    QColor outline() { return PixelOf(box, 0, 0); }
    void focusInner(bool in) {
        QFocusEvent e(in ? QEvent::FocusIn : QEvent::FocusOut, Qt::TabFocusReason);
        QApplication::sendEvent(&inner(), &e);
    }
};

QColor colourOf(tavGFX40::OLE_COLOR c) { return gdi::qt::ToQColor(tavGFX40::gfxTranslateColor(c)); }

}  // namespace

class TestTxt : public QObject {
    Q_OBJECT
  private slots:
    void sizeNeverBelowTheLimits() {
        Fixture f;
        f.box.resize(3, 3);
        QCOMPARE(f.box.width(), txt::kMinWidthPixels);
        QCOMPARE(f.box.height(), std::max(285 / 15, f.box.InnerHeight() + 2 * txt::kFrameInset));

        QFont small = f.box.Font();
        small.setPixelSize(6);
        f.box.SetFont(small);
        QCOMPARE(f.box.InnerHeight(), QFontMetrics(small).size(Qt::TextSingleLine, "Wg").height() + 2);
        f.box.resize(50, 1);
        QCOMPARE(f.box.height(), 19);  // 285 twips

        QFont large = small;
        large.setPixelSize(32);
        f.box.SetFont(large);
        QCOMPARE(f.box.InnerHeight(), QFontMetrics(large).size(Qt::TextSingleLine, "Wg").height() + 2);
        QVERIFY(f.box.height() >= f.box.InnerHeight() + 2 * txt::kFrameInset);
        QCOMPARE(f.inner().height(), f.box.InnerHeight());
        QCOMPARE(f.inner().font().pixelSize(), 32);
    }

    void innerBoxSitsBetweenTheMargins() {
        Fixture f;
        QCOMPARE(f.inner().geometry(), QRect(4, (24 - f.box.InnerHeight()) / 2, 200 - 8, f.box.InnerHeight()));
        f.log.Clear();
        f.box.SetMarginLeft(10);
        f.box.SetMarginRight(0);
        QCOMPARE(f.inner().x(), 12);
        QCOMPARE(f.inner().width(), 200 - 12 - 2);
        QVERIFY(f.log.entries.contains("changed MarginLeft"));

        // A custom skin's margins become the frame.
        AnswerSkin(f.box, "tst-text-frame", 12, 12, 4, gdi::RECT{5, 5, 5, 5});
        f.box.ApplyCustomSkin();
        QCOMPARE(f.inner().x(), 15);
        QVERIFY(f.box.height() >= f.box.InnerHeight() + 10);
    }

    void changeFollowsTheTextPropertyMark() {
        Fixture f;
        f.box.SetText("abc");
        QCOMPARE(f.log.entries, QStringList({"changed Text", "Change"}));
        f.log.Clear();
        QTest::keyClick(&f.inner(), Qt::Key_X);
        QCOMPARE(f.box.Text(), QString("abcx"));
        QCOMPARE(f.log.entries, QStringList({"KeyDown 88", "KeyPress 120", "changed Text", "Change", "KeyUp 88"}));
    }

    void maxLengthLimitsTyping() {
        Fixture f;
        f.box.SetMaxLength(3);
        QTest::keyClicks(&f.inner(), "abcdef");
        QCOMPARE(f.box.Text(), QString("abc"));
        f.box.SetMaxLength(0);  // no limit
        QTest::keyClicks(&f.inner(), "def");
        QCOMPARE(f.box.Text(), QString("abcdef"));
    }

    void selectionPropertiesReachTheInnerBox() {
        Fixture f;
        f.box.SetText("hello world");
        f.box.SetSelStart(6);
        f.box.SetSelLength(50);  // clipped to the text
        QCOMPARE(f.box.SelText(), QString("world"));
        f.box.SetSelText("there");
        QCOMPARE(f.box.Text(), QString("hello there"));
        f.box.SetSelStart(100);
        QCOMPARE(f.box.SelStart(), short(11));
    }

    void clicksComeFromInnerBoxAndFrame() {
        Fixture f;
        QTest::mouseClick(&f.inner(), Qt::LeftButton, {}, QPoint(5, 5));
        QTest::mouseClick(&f.box, Qt::LeftButton, {}, QPoint(1, 1));
        QTest::mouseClick(&f.inner(), Qt::RightButton, {}, QPoint(5, 5));
        QCOMPARE(f.log.Count("Click"), 2);
        test_support::DoubleClick(&f.inner(), QPoint(5, 5));  // one Click: the second is a DblClick
        QCOMPARE(f.log.Count("Click"), 3);
    }

    void frameLookFollowsHoverFocusAndEnabled() {
        Fixture f;
        using S = txt::FrameState;
        QCOMPARE(f.outline(), colourOf(txt::OutlineColour(S::Normal)));

        MoveMouse(&f.inner(), QPoint(5, 5));
        QVERIFY(f.box.IsMouseOver());
        QVERIFY(winmsg::IsTimerRunning(&f.inner(), modSkinConstants::kHoverTimerId));
        QCOMPARE(f.outline(), colourOf(txt::OutlineColour(S::Hover)));
        // Over the frame but off the inner box is not hover.
        MoveMouse(&f.box, QPoint(1, 1));
        TickHoverTimer(f.box, &f.inner());
        QVERIFY(!f.box.IsMouseOver());
        QVERIFY(!winmsg::IsTimerRunning(&f.inner(), modSkinConstants::kHoverTimerId));

        f.focusInner(true);
        QCOMPARE(f.outline(), colourOf(txt::OutlineColour(S::Focused)));
        f.focusInner(false);
        QCOMPARE(f.outline(), colourOf(txt::OutlineColour(S::Normal)));
        f.box.SetEnabled(false);
        QCOMPARE(f.outline(), colourOf(txt::OutlineColour(S::Disabled)));

        // The same looks from a custom strip, frame by frame.
        f.box.SetEnabled(true);
        AnswerSkin(f.box, "tst-text-frame", 12, 12, 4, gdi::RECT{5, 5, 5, 5});
        f.box.ApplyCustomSkin();
        QCOMPARE(f.outline(), FrameColour(0));
        f.focusInner(true);
        QCOMPARE(f.outline(), FrameColour(2));
        f.box.SetEnabled(false);
        QCOMPARE(f.outline(), FrameColour(3));
    }

    void storedPropertiesAndToolTip() {
        Host host;
        PropertyBag bag;
        bag.WriteProperty("Locked", true);
        bag.WriteProperty("Text", u"C:\\Projects");
        bag.WriteProperty("SkinBackColor", 0x00FF00u);
        txt box(&host.window);
        QSignalSpy change(&box, &txt::Change);
        box.ExtenderProperties().ToolTipText = "Folder to convert";
        box.ReadProperties(bag);
        box.show();
        QCOMPARE(change.count(), 0);
        QVERIFY(box.IsLocked());
        QVERIFY(box.hWndToolTip()->isReadOnly());
        QCOMPARE(box.Text(), QString("C:\\Projects"));
        QCOMPARE(box.hWndToolTip()->toolTip(), QString("Folder to convert"));
        PropertyBag out;
        box.WriteProperties(out);
        QVERIFY((out.Keys() == std::vector<std::string>{"Locked", "SkinBackColor", "Text"}));
    }
};

QTEST_MAIN(TestTxt)
#include "tst_txt.moc"
