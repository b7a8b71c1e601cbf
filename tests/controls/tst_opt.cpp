// Option button: the group rule, choices by mouse and key, BeforeValueChanged,
// ValueSetClick, glyph placement and background.  Reading and writing its
// stored properties is the property table's (tst_property_bag.cpp).
#include "controls/Opt.h"
#include "tests/controls/checks_support.h"

#include <QtTest>

#include <memory>

using namespace checks_support;
using test_support::FrameColour;
using test_support::PixelOf;

namespace {

// Option buttons side by side in one container of a shown window.
struct Panel {
    Host host;
    QWidget* container = new QWidget(&host.window);
    std::vector<std::unique_ptr<Opt>> opts;
    EventLog log;
    Panel() {
        container->setGeometry(0, 0, 320, 100);
        container->show();
    }
    Opt& Add(short groupID, bool grouped, bool value = false) {
        auto& o = opts.emplace_back(std::make_unique<Opt>(container));
        o->setGeometry(static_cast<int>(opts.size() - 1) * 40, 10, 36, 20);
        o->InitProperties();
        o->SetGroupID(groupID);
        o->SetGrouped(grouped);
        o->SetValue(value);
        o->show();
        return *o;
    }
    void Watch(Opt& o) {
        log.Watch(o);
        log.WatchMouse(o);
        QObject::connect(&o, &Opt::BeforeValueChanged, [this](bool& newValue, bool&) {
            log.entries << QString("BeforeValueChanged %1").arg(newValue);
        });
    }
    static void Click(Opt& o, Qt::MouseButton button = Qt::LeftButton) {
        QTest::mousePress(&o, button, {}, QPoint(5, 10));
        QTest::mouseRelease(&o, button, {}, QPoint(5, 10));
    }
};

}  // namespace

class TestOpt : public QObject {
    Q_OBJECT
  private slots:
    void trueValueClearsTheOthersOfTheGroup() {
        Panel p;
        Opt& a = p.Add(1, true, true);
        Opt& b = p.Add(1, true);
        Opt& other = p.Add(2, true, true);
        Opt& loose = p.Add(1, false, true);  // same GroupID, not grouped itself
        QVERIFY(a.Value());                  // `loose` is not grouped: it cleared nobody
        b.SetValue(true);
        QVERIFY(b.Value());
        QVERIFY(!a.Value());
        QVERIFY(!loose.Value());  // cleared: the rule looks at GroupID and Value only
        QVERIFY(other.Value());

        // A non-grouped button set True clears nobody.
        loose.SetValue(true);
        QVERIFY(b.Value());
    }

    void clickOnAGroupedButtonSelectsIt() {
        Panel p;
        Opt& a = p.Add(1, true, true);
        Opt& b = p.Add(1, true);
        p.Watch(b);
        Panel::Click(b);
        QVERIFY(b.Value());
        QVERIFY(!a.Value());
        QCOMPARE(p.log.entries, QStringList({"MouseDown 1", "BeforeValueChanged 1", "Click", "MouseUp 1"}));

        // Clicked again while on, with a partner in the container: kept, nobody asked.
        p.log.Clear();
        Panel::Click(b);
        QVERIFY(b.Value());
        QCOMPARE(p.log.entries, QStringList({"MouseDown 1", "MouseUp 1"}));
    }

    void loneGroupedAndNonGroupedButtonsTurnOff() {
        Panel p;
        Opt& lone = p.Add(7, true, true);
        Opt& free = p.Add(8, false, true);
        p.Watch(lone);
        p.Watch(free);
        Panel::Click(lone);
        QVERIFY(!lone.Value());
        Panel::Click(free);
        QVERIFY(!free.Value());
        QCOMPARE(p.log.Count("BeforeValueChanged 0"), 2);
        QCOMPARE(p.log.Count("Click"), 0);  // only a change to True clicks
    }

    void beforeValueChangedCanCancelOrChangeTheChoice() {
        Panel p;
        Opt& a = p.Add(1, true, true);
        Opt& b = p.Add(1, true);
        Opt& free = p.Add(5, false);
        p.Watch(b);
        bool cancel = true;
        QObject::connect(&b, &Opt::BeforeValueChanged, [&](bool&, bool& bCancel) { bCancel = cancel; });
        Panel::Click(b);
        QVERIFY(!b.Value());
        QCOMPARE(p.log.Count("Click"), 0);
        // The grouped button still clears its group after a cancelled choice.
        QVERIFY(!a.Value());

        QObject::connect(&free, &Opt::BeforeValueChanged, [](bool& newValue, bool&) { newValue = false; });
        Panel::Click(free);
        QVERIFY(!free.Value());

        cancel = false;
        Panel::Click(b);
        QVERIFY(b.Value());
    }

    void otherButtonsChooseWithoutClickAndReleaseOutsideChangesNothing() {
        Panel p;
        Opt& o = p.Add(3, false);
        p.Watch(o);
        QTest::mousePress(&o, Qt::LeftButton, {}, QPoint(5, 10));
        QVERIFY(o.IsPressed());
        QTest::mouseRelease(&o, Qt::LeftButton, {}, QPoint(200, 10));
        QVERIFY(!o.Value());
        QVERIFY(!o.IsPressed());
        Panel::Click(o, Qt::RightButton);
        QVERIFY(o.Value());
        Panel::Click(o, Qt::MiddleButton);
        QVERIFY(!o.Value());
        QCOMPARE(p.log.entries, QStringList({"MouseDown 1", "MouseUp 1", "MouseDown 2", "BeforeValueChanged 1",
                                             "MouseUp 2", "MouseDown 4", "BeforeValueChanged 0", "MouseUp 4"}));
    }

    void valueSetClickRaisesClickOnChangeToTrue() {
        Panel p;
        Opt& o = p.Add(3, false);
        p.Watch(o);
        o.SetValue(true);
        QCOMPARE(p.log.Count("Click"), 0);
        o.SetValue(false);
        o.SetValueSetClick(true);
        o.SetValue(true);
        o.SetValue(true);  // no change
        o.SetValue(false);
        QCOMPARE(p.log.Count("Click"), 1);

        // A click by mouse still raises exactly one Click.
        p.log.Clear();
        Panel::Click(o);
        QCOMPARE(p.log.Count("Click"), 1);
    }

    void spaceKeyChoosesLikeALeftClick() {
        Panel p;
        Opt& a = p.Add(1, true, true);
        Opt& b = p.Add(1, true);
        p.Watch(b);
        QTest::keyPress(&b, Qt::Key_Space);
        QVERIFY(b.IsSpaceDown());
        QCOMPARE(b.GlyphFrame(), 2);
        QTest::keyRelease(&b, Qt::Key_Space);
        QVERIFY(b.Value() && !a.Value());
        QCOMPARE(p.log.entries,
                 QStringList({"KeyDown 32", "KeyPress 32", "BeforeValueChanged 1", "Click", "KeyUp 32"}));
    }

    void glyphPlacementFollowsAlignment() {
        Panel p;
        Opt& o = p.Add(3, false);
        o.setGeometry(0, 0, 80, 21);
        AnswerSkin(o, "tst-option-strip", 13, 13, 8);
        o.ApplyCustomSkin();
        const int mid = o.height() / 2;
        const QColor back = PixelOf(o, 40, mid);
        QCOMPARE(PixelOf(o, 6, mid), FrameColour(0));
        QCOMPARE(PixelOf(o, 80 - 14 + 6, mid), back);

        o.SetAlignment(Opt::optGlyphRight);
        o.SetValue(true);
        QCOMPARE(PixelOf(o, 80 - 14 + 6, mid), FrameColour(4));
        QCOMPARE(PixelOf(o, 80 - 14 + 13, mid), back);  // the last column stays free
        QCOMPARE(PixelOf(o, 6, mid), back);

        o.SetAlignment(2);
        QVERIFY(o.GlyphRect().isEmpty());
        QCOMPARE(PixelOf(o, 80 - 14 + 6, mid), back);
        QCOMPARE(PixelOf(o, 6, mid), back);
    }

    void transparentButtonShowsItsContainer() {
        Panel p;
        p.container->setAutoFillBackground(true);
        QPalette pal = p.container->palette();
        pal.setColor(QPalette::Window, QColor(0, 120, 0));
        p.container->setPalette(pal);
        Opt& o = p.Add(3, false);
        QCOMPARE(PixelOf(o, 30, 10), QColor(212, 208, 200));  // opaque: button face
        o.SetBackStyle(Opt::bsTransparent);
        QCOMPARE(PixelOf(o, 30, 10), QColor(0, 120, 0));
    }
};

QTEST_MAIN(TestOpt)
#include "tst_opt.moc"
