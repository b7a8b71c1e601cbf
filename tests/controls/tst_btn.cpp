// The command button through the real event path.
#include "tests/controls/test_support.h"

#include "controls/BTN.h"
#include "controls/suite/qt/gdi_qt.h"
#include "controls/suite/gdi.h"
#include "controls/suite/tavResSrv40.h"

#include <QSignalSpy>
#include <QtTest>

using test_support::FrameColour;

namespace {

// A host form in run (or design) mode with buttons created from a bag.
struct Form {
    QWidget window;
    Form() {
        window.resize(400, 200);
        window.setFocusPolicy(Qt::StrongFocus);
    }
    BTN* add(const PropertyBag& bag, QRect geo = QRect(10, 10, 100, 30), HostMode mode = HostMode::Run) {
        QtAmbient a;
        a.Mode = mode;
        a.DisplayName = "BTN1";
        auto* b = new BTN(&window, a);
        b->setGeometry(geo);
        b->ReadProperties(bag);
        return b;
    }
    void show() {
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        window.setFocus();
    }
};

PropertyBag bagWith(std::initializer_list<std::pair<const char*, PropertyValue>> values) {
    PropertyBag bag;
    for (const auto& [k, v] : values) bag.WriteProperty(k, v);
    return bag;
}

void hover(BTN* b, QPoint at) {
    QTest::mouseMove(b, at);
    QTRY_VERIFY(b->IsMouseOver());
}

// A QuerySkin handler that answers every piece with a flat-coloured strip.
struct FlatSkins {
    int frames = 8;
    QList<long> asked;
    bool answer = true;
    void operator()(long res, SkinMapInfo& skin, SkinSource& source) {
        asked << res;
        if (!answer) return;
        skin.ImageName = gdi::qt::Text(QString("test%1").arg(res));
        skin.MaskColor = 0xFF00FF;
        skin.MapMargin = gdi::RECT{0, 0, 0, 0};  // a release keeps the old margins
        QList<QColor> colours = test_support::FrameColours(frames);
        if (res == 1517) std::rotate(colours.begin(), colours.begin() + 3, colours.end());  // drop part differs
        source.picture = gdi::qt::FromQImage(test_support::FlatStrip(10, 6, colours));
    }
};

}  // namespace

class TestBTN : public QObject {
    Q_OBJECT
  private slots:
    void cleanup() { QCOMPARE(tavResSrv40::OutstandingRequests(), 0); }

    void pressAndReleaseInsideAndOutside() {
        Form f;
        BTN* b = f.add({});
        f.show();
        QSignalSpy click(b, &BTN::Click), down(b, &BTN::MouseDown), up(b, &BTN::MouseUp);
        hover(b, {20, 15});
        QTest::mousePress(b, Qt::LeftButton, {}, {20, 15});
        QVERIFY(b->IsPressed());
        QCOMPARE(b->BodyFrame(), 6);
        QTest::mouseRelease(b, Qt::LeftButton, {}, {20, 15});
        QCOMPARE(click.count(), 1);
        QCOMPARE(up.count(), 1);
        QCOMPARE(down.at(0).at(0).toInt(), 1);  // left button
        QCOMPARE(down.at(0).at(2).toInt(), 20);

        QTest::mousePress(b, Qt::LeftButton, {}, {20, 15});
        QTest::mouseMove(b, {300, 100});
        QTest::mouseRelease(b, Qt::LeftButton, {}, {300, 100});
        QVERIFY(!b->IsPressed());
        QCOMPARE(click.count(), 1);
        QCOMPARE(up.count(), 1);
        QCOMPARE(down.count(), 2);
    }

    void dropZonePressAndRelease() {
        Form f;
        BTN* b = f.add(bagWith({{"ButtonStyle", 2}, {"DropDown", true}}));
        f.show();
        QCOMPARE(b->DropWidth(), 12);
        const QRect zone = b->DropZoneRect();
        QCOMPARE(zone.left(), 100 - 11 + 1);  // right of W - d, d = drop part width 11
        QCOMPARE(b->HitTest({100 - 11, 5}), BTN::ButtonPart::Body);
        QSignalSpy dropDown(b, SIGNAL(DropDown(int, int, int, int)));
        QSignalSpy dropUp(b, &BTN::DropUp), down(b, &BTN::MouseDown), up(b, &BTN::MouseUp);

        hover(b, zone.center());
        QTest::mousePress(b, Qt::LeftButton, {}, zone.center());
        QVERIFY(b->IsDropPressed() && !b->IsPressed());
        QCOMPARE(b->DropFrame(), 2);
        QCOMPARE(b->BodyFrame(), 1);  // the body only hovers
        QTest::mouseRelease(b, Qt::LeftButton, {}, zone.center());
        QCOMPARE(dropUp.count(), 1);
        QCOMPARE(up.count(), 0);

        // Pressed in the zone, released outside: DropDown and MouseDown only.
        QTest::mousePress(b, Qt::LeftButton, {}, zone.center());
        QTest::mouseRelease(b, Qt::LeftButton, {}, {250, 150});
        QCOMPARE(dropDown.count(), 2);
        QCOMPARE(down.count(), 2);
        QCOMPARE(dropUp.count(), 1);
        QCOMPARE(up.count(), 0);
        QVERIFY(!b->IsDropPressed());
    }

    void toggleFlipsAlsoWhenReleasedOutside() {
        Form f;
        BTN* b = f.add(bagWith({{"ButtonStyle", 0}, {"Toggle", true}}));
        f.show();
        QSignalSpy up(b, &BTN::MouseUp);
        QTest::mouseClick(b, Qt::LeftButton, {}, {20, 15});
        QVERIFY(b->TogglePressed());
        QTest::mousePress(b, Qt::LeftButton, {}, {20, 15});
        QTest::mouseRelease(b, Qt::LeftButton, {}, {300, 150});
        QVERIFY(!b->TogglePressed());
        QCOMPARE(up.count(), 1);
        // A double click's second press presses nothing: one flip, one Click.
        QSignalSpy click(b, &BTN::Click);
        test_support::DoubleClick(b, {20, 15});
        QVERIFY(b->TogglePressed());
        QCOMPARE(click.count(), 1);
        QCOMPARE(up.count(), 2);
    }

    void groupedButtonsReleaseEachOther() {
        Form f;
        const auto grouped = bagWith({{"Grouped", true}, {"GroupID", 3}});
        BTN* a = f.add(grouped, {10, 10, 80, 30});
        BTN* b = f.add(grouped, {100, 10, 80, 30});
        BTN* other = f.add(bagWith({{"Grouped", true}, {"GroupID", 4}}), {190, 10, 80, 30});
        f.show();
        QVERIFY(a->Toggle());  // a grouped button is always a toggle
        QTest::mouseClick(other, Qt::LeftButton, {}, {10, 10});
        QTest::mouseClick(a, Qt::LeftButton, {}, {10, 10});
        QVERIFY(a->TogglePressed());
        QTest::mouseClick(b, Qt::LeftButton, {}, {10, 10});
        QVERIFY(b->TogglePressed());
        QVERIFY(!a->TogglePressed());
        QVERIFY(other->TogglePressed());  // another group
        QSignalSpy up(b, &BTN::MouseUp), click(b, &BTN::Click);
        QTest::mouseClick(b, Qt::LeftButton, {}, {10, 10});
        QVERIFY(b->TogglePressed());  // clicking the pressed one leaves it pressed
        QCOMPARE(up.count(), 0);
        QCOMPARE(click.count(), 1);  // the host's click still comes
    }

    void groupFallbackWalksTheContainerLateBound() {
        Form f;
        QtAmbient a;
        a.EnumeratesParentControls = false;
        auto* x = new BTN(&f.window, a);
        x->ReadProperties(bagWith({{"Grouped", true}, {"GroupID", 2}}));
        auto* plainToggle = new BTN(&f.window, a);  // not grouped, but same GroupID and pressed
        plainToggle->ReadProperties(bagWith({{"Toggle", true}, {"TogglePressed", true}, {"GroupID", 2}}));
        x->SetTogglePressed(true);
        QVERIFY(!plainToggle->TogglePressed());
    }

    void accessKeysAndSpace() {
        Form f;
        BTN* b = f.add(bagWith({{"Caption", u"Fish && &Chips"}}));
        BTN* g = f.add(bagWith({{"Caption", u"&Grouped"}, {"Grouped", true}, {"GroupID", 1}}), {10, 50, 100, 30});
        f.show();
        QCOMPARE(b->AccessKey(), QChar('c'));
        QSignalSpy click(b, &BTN::Click), gclick(g, &BTN::Click);
        QTest::keyClick(&f.window, Qt::Key_C, Qt::AltModifier);
        QCOMPARE(click.count(), 1);
        QTest::keyClick(&f.window, Qt::Key_G, Qt::AltModifier);
        QVERIFY(g->TogglePressed());
        QTest::keyClick(&f.window, Qt::Key_G, Qt::AltModifier);
        QCOMPARE(gclick.count(), 1);  // a pressed group member raises nothing

        b->setFocus();
        QSignalSpy keyDown(b, &BTN::KeyDown), keyUp(b, &BTN::KeyUp), keyPress(b, &BTN::KeyPress);
        QTest::keyPress(b, Qt::Key_Space);
        QVERIFY(b->IsSpaceDown());
        QCOMPARE(b->BodyFrame(), 6);
        QTest::keyRelease(b, Qt::Key_Space);
        QVERIFY(!b->IsSpaceDown());
        QCOMPARE(click.count(), 2);
        QCOMPARE(keyDown.at(0).at(0).toInt(), 32);
        QCOMPARE(keyPress.at(0).at(0).toInt(), 32);
        QCOMPARE(keyUp.count(), 1);
        QTest::keyClick(b, Qt::Key_A);
        QCOMPARE(click.count(), 2);
        QCOMPARE(keyDown.last().at(0).toInt(), 65);

        b->SetCaption("&");
        QVERIFY(b->AccessKey().isNull());
        b->SetCaption("a&&b");
        QVERIFY(b->AccessKey().isNull());
    }

    // Which frame a state shows is button_layout's (button_layout_test.cpp); here,
    // that hover, the host's Default, focus and Enabled reach it.
    void framesFollowHoverDefaultFocusAndEnabled() {
        Form f;
        BTN* b = f.add(bagWith({{"Grouped", true}}));
        f.show();
        hover(b, {30, 10});
        QVERIFY(winmsg::IsTimerRunning(b, 1));
        QCOMPARE(b->BodyFrame(), 1);
        QTest::mouseMove(b->window(), QPoint(390, 190));
        QTRY_VERIFY(!b->IsMouseOver());
        QVERIFY(!winmsg::IsTimerRunning(b, 1));
        b->SetShowAsDefault(true);
        QCOMPARE(b->BodyFrame(), 2);
        b->ExtenderProperties().Default = false;  // the host's Default wins
        b->Refresh();
        QCOMPARE(b->BodyFrame(), 0);
        b->SetTogglePressed(true);
        b->setFocus();
        QTRY_VERIFY(b->HasFocusState());
        QCOMPARE(b->BodyFrame(), 6);
        hover(b, {30, 10});
        b->SetEnabled(false);
        QVERIFY(!winmsg::IsTimerRunning(b, 1));
        QCOMPARE(b->BodyFrame(), 7);
    }

    void paintedFramesFollowTheRulesWithAFlatTestSkin() {
        Form f;
        BTN* b = f.add(bagWith({{"ButtonStyle", 2}, {"DropDown", true}}), {10, 10, 120, 30});
        FlatSkins skins;
        skins.frames = 7;
        connect(b, &BTN::QuerySkin, [&](long r, SkinMapInfo& s, SkinSource& src) { skins(r, s, src); });
        b->ApplyCustomSkin();
        QCOMPARE(skins.asked, (QList<long>{1523, 1517, 1511}));
        QCOMPARE(b->BodySkin().IMGHeight, 6);  // 7 frames of the custom strip
        f.show();
        auto bodyColour = [&] { return test_support::PixelOf(*b, 20, 3); };
        auto dropColour = [&] { return test_support::PixelOf(*b, 115, 3); };
        QCOMPARE(bodyColour(), FrameColour(0));
        QCOMPARE(dropColour(), FrameColour(3));  // drop strip is rotated by three
        hover(b, {20, 15});
        QCOMPARE(b->BodyFrame(), 1);
        QCOMPARE(bodyColour(), FrameColour(1));
        QCOMPARE(dropColour(), FrameColour(4));
        QTest::mousePress(b, Qt::LeftButton, {}, {20, 15});
        QCOMPARE(bodyColour(), FrameColour(2));
        QCOMPARE(dropColour(), FrameColour(5));  // pressing the body presses the drop part too
        QTest::mouseRelease(b, Qt::LeftButton, {}, {20, 15});
        b->SetEnabled(false);  // styles 0 and 2 have no disabled frame (3 would be yellow)
        QCOMPARE(bodyColour(), FrameColour(0));
        delete b;  // before the handler it calls
    }

    void xpButtonShowsWhatLiesBehindWhereItsSkinLeavesPixelsOut() {
        Form f;
        QPalette pal = f.window.palette();
        pal.setColor(QPalette::Window, QColor(10, 200, 30));
        f.window.setPalette(pal);
        f.window.setAutoFillBackground(true);
        BTN* b = f.add(PropertyBag());
        // A skin whose three left columns are the mask colour, kept 1:1 by its margins.
        QImage strip = test_support::FlatStrip(10, 6, test_support::FrameColours(8));
        for (int y = 0; y < strip.height(); ++y)
            for (int x = 0; x < 3; ++x) strip.setPixel(x, y, qRgb(255, 0, 255));
        connect(b, &BTN::QuerySkin, this, [&](long, SkinMapInfo& skin, SkinSource& source) {
            skin.ImageName = gdi::qt::Text(QStringLiteral("tst-btn-masked-edge"));
            skin.MaskColor = 0xFF00FF;
            skin.MapMargin = gdi::RECT{3, 0, 3, 0};
            source.picture = gdi::qt::FromQImage(strip);
        });
        b->ApplyCustomSkin();
        f.show();
        QCOMPARE(test_support::PixelOf(*b, 1, 15), QColor(10, 200, 30));  // not BackColor's grey
        QCOMPARE(test_support::PixelOf(*b, 50, 15), FrameColour(0));
        b->ApplyDefaultSkin();
    }

    void windowRegionCutsTheFourCornerPixels() {
        Form f;
        BTN* xp = f.add({}, {10, 10, 50, 20});
        BTN* classic = f.add(bagWith({{"ButtonStyle", 0}}), {10, 40, 50, 20});
        f.show();
        const QRegion r = xp->WindowRegion();
        for (QPoint corner : {QPoint(0, 0), QPoint(49, 0), QPoint(0, 19), QPoint(49, 19)}) QVERIFY(!r.contains(corner));
        for (QPoint edge : {QPoint(1, 0), QPoint(0, 1), QPoint(48, 19), QPoint(49, 18), QPoint(25, 10)})
            QVERIFY(r.contains(edge));
        QCOMPARE(xp->mask(), r);
        QVERIFY(classic->WindowRegion().isEmpty());
        xp->SetButtonStyle(0);
        QVERIFY(xp->WindowRegion().isEmpty());
    }

    void propertyRulesAndTheirMessages() {
        test_support::MessageRecorder rec;
        Form f;
        BTN* b = f.add(bagWith({{"ButtonStyle", 2}, {"DropDown", true}}));
        b->SetBackStyle(0);
        b->SetButtonStyle(1);  // back to opaque, no drop-down
        QCOMPARE(b->BackStyle(), 1);
        QVERIFY(!b->DropDown());
        b->SetBackStyle(0);
        QCOMPARE(b->BackStyle(), 1);
        QCOMPARE(rec.shown.size(), std::size_t(1));
        QCOMPARE(rec.shown[0].title, QString("QV Command Button Property Manger"));
        QCOMPARE(rec.shown[0].prompt, QString("This value is not allowed for Windows XP style buttons."));
        QCOMPARE(rec.shown[0].icon(), int(MsgBox::vbExclamation));

        b->SetDropDown(true);  // refused silently in run mode
        QVERIFY(!b->DropDown());
        QCOMPARE(rec.shown.size(), std::size_t(1));
        BTN* designed = f.add({}, {}, HostMode::Design);
        designed->SetDropDown(true);
        QCOMPARE(rec.shown.back().prompt, QString("Drop Down is not allowed for this button style."));
        QCOMPARE(rec.shown.back().title, QString("QV Command Button Property Manager"));

        b->SetButtonStyle(2);
        b->SetToggle(true);
        b->SetDropDown(true);
        QVERIFY(!b->Toggle() && b->DropDown());
        QVERIFY(rec.shown.back().prompt.startsWith("Grouped and Toggle properties must be False"));
        b->SetGrouped(true);
        QVERIFY(b->Grouped() && b->Toggle() && !b->DropDown());
        QVERIFY(rec.shown.back().prompt.startsWith("The DropDown property must be False"));
        b->SetToggle(false);
        QVERIFY(b->Toggle());
        QVERIFY(rec.shown.back().prompt.endsWith("then set it's Grouped property to false."));
        QCOMPARE(rec.shown.back().icon(), int(MsgBox::vbInformation));

        b->SetGrouped(false);
        b->SetToggle(false);
        b->SetTogglePressed(true);  // ignored unless Toggle
        QVERIFY(!b->TogglePressed());
        b->SetCaption(QString("O") + QChar(0) + "K");
        QCOMPARE(b->Caption(), QString("OK"));
    }

    void propertiesRoundTripWithoutStoringDefaults() {
        Form f;
        BTN* b = f.add({});
        PropertyBag bag;
        b->WriteProperties(bag);
        QVERIFY(bag.Keys().empty());
        b->SetCaption("&Go");
        b->SetButtonStyle(0);
        b->SetXPTheme(2);
        b->SetForeColor(0xFF);
        b->WriteProperties(bag);
        QVERIFY(
            (bag.Keys() == std::vector<std::string>{"ButtonStyle", "Caption", "ForeColor"}));  // XPTheme is not written

        PropertyBag stored = bag;
        stored.Write<short>("XPTheme", 2, 0);
        stored.Write<bool>("Grouped", true, false);
        BTN* loaded = f.add(stored);
        QCOMPARE(loaded->Caption(), QString("&Go"));
        QCOMPARE(loaded->XPTheme(), short(2));
        QCOMPARE(loaded->LoadedTheme(), 0);  // the stored theme does not reload the skins
        QVERIFY(loaded->Toggle());           // a grouped button is made a toggle
        loaded->SetXPTheme(1);
        QCOMPARE(loaded->LoadedTheme(), 1);

        BTN* fresh = new BTN(&f.window, QtAmbient{HostMode::Run, "cmdOK", QFont(), true});
        fresh->InitProperties();
        QCOMPARE(fresh->Caption(), QString("cmdOK"));
        QVERIFY(fresh->BodySkin().MemDC != 0);
    }

    void customSkinFallBacks() {
        Form f;
        BTN* xp = f.add({});
        // No QuerySkin handler: style 1 stays without pieces until ApplyDefaultSkin.
        xp->ApplyCustomSkin();
        QCOMPARE(xp->BodySkin().MemDC, gdi::HDC(0));
        xp->ApplyDefaultSkin();
        QVERIFY(xp->BodySkin().MemDC != 0);
        QVERIFY(xp->BodySkin().ImageName.empty());

        // Style 0 is never asked and gets its built-in pieces.
        BTN* classic = f.add(bagWith({{"ButtonStyle", 0}, {"DropDown", true}}));
        FlatSkins skins;
        connect(classic, &BTN::QuerySkin, [&](long r, SkinMapInfo& s, SkinSource& src) { skins(r, s, src); });
        classic->ApplyCustomSkin();
        QVERIFY(skins.asked.isEmpty());
        QVERIFY(classic->BodySkin().MemDC != 0 && classic->DropSkin().MemDC != 0 && classic->ArrowSkin().MemDC != 0);

        // A style 1 custom strip is cut into 8 frames; a name with no picture stops.
        FlatSkins xpSkins;
        connect(xp, &BTN::QuerySkin, [&](long r, SkinMapInfo& s, SkinSource& src) { xpSkins(r, s, src); });
        xp->ApplyCustomSkin();
        QVERIFY(xp->BodySkin().ImageName == u"test1100");
        QCOMPARE(xp->BodySkin().IMGHeight, 6);
        QCOMPARE(xp->BodySkin().DCWidth, 10);
        xpSkins.answer = false;
        xp->ApplyCustomSkin();
        QCOMPARE(xp->BodySkin().MemDC, gdi::HDC(0));
    }

    void customLayoutTakesTheDrawingSpace() {
        Form f;
        BTN* b = f.add(bagWith({{"Caption", u"Go"}}), {0, 0, 100, 40});
        QCOMPARE(b->DrawingArea(), QRect(4, 4, 92, 32));
        connect(b, &BTN::QueryLayout, [](SkinButtonLayoutInfo& l) {
            l.LayoutMode = sknLayoutSeperates;
            l.DrawingSpace = gdi::RECT{0, 2, 0, 5};
        });
        b->ApplyCustomLayout();
        QCOMPARE(b->DrawingArea(), QRect(0, 2, 100, 33));
        b->ApplyDefaultLayout();
        QCOMPARE(b->DrawingArea(), QRect(4, 4, 92, 32));
        f.show();
        b->resize(6, 6);
        QCOMPARE(b->size(), QSize(10, 10));  // never under 150 twips
    }

    void aDestroyedButtonLeavesNoHandleBehind() {
        const std::size_t before = gdi::LiveHandleCount();
        {
            Form f;
            BTN* b = f.add(bagWith({{"ButtonStyle", 2}, {"DropDown", true}, {"BackStyle", 0}}));
            f.add(bagWith({{"Caption", u"&x"}}), {10, 50, 100, 30});
            f.show();
            hover(b, {20, 10});
            QTest::mousePress(b, Qt::LeftButton, {}, {20, 10});
            b->grab();
            QTest::mouseRelease(b, Qt::LeftButton, {}, {20, 10});
            QVERIFY(gdi::LiveHandleCount() > before);
        }
        QCOMPARE(gdi::LiveHandleCount(), before);
    }
};

QTEST_MAIN(TestBTN)
#include "tst_btn.moc"
