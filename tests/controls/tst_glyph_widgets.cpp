// The Qt hosts of the check box, option button, command button and text box: real mouse and key
// events reach the control, its events come back as signals; timers, enabling and hiding reach
// it; what it paints shows; group rules find their partners through Qt properties or the form's
// widgets; access keys, Enter and Escape come as shortcuts; the text box's QLineEdit is where
// the box says and reports to it.  The behaviour itself: against a fake host (*_test.cpp).
#include "controls/qt/BTNWidget.h"
#include "controls/qt/GlyphWidgets.h"
#include "controls/qt/txtWidget.h"
#include "controls/modSkinConstants.h"
#include "controls/suite/memory_dc.h"
#include "controls/suite/qt/gdi_qt.h"
#include "controls/suite/tavGFX40.h"

#include <QLabel>
#include <QLineEdit>
#include <QtTest>

namespace {

// Frame k of the test strips is flat in a colour of its own.
QColor FrameColour(int k) { return QColor(20 * k, 255 - 20 * k, 90); }

// Answers a control's QuerySkin with a strip of eight 13 x 13 frames under `name`.
template <typename Control>
void AnswerSkin(Control& control, const QString& name) {
    QImage strip(13, 13 * 8, QImage::Format_ARGB32);
    for (int y = 0; y < strip.height(); ++y)
        for (int x = 0; x < 13; ++x) strip.setPixel(x, y, FrameColour(y / 13).rgb());
    QObject::connect(&control, &Control::QuerySkin, &control, [=](long, SkinMapInfo& skin, SkinSource& source) {
        skin.ImageName = gdi::qt::Text(name);
        skin.MapMargin = {};
        skin.MaskColor = static_cast<std::int32_t>(modSkinConstants::kSkinMaskColor);
        source.picture = gdi::qt::FromQImage(strip);
    });
}

// Records a control's mouse, click and key events in the order raised.
template <typename Control>
void Record(Control& c, QStringList& log) {
    QObject::connect(&c, &Control::Click, [&log] { log << "Click"; });
    QObject::connect(&c, &Control::MouseDown, [&log](int b, int, int, int) { log << QString("MouseDown %1").arg(b); });
    QObject::connect(&c, &Control::MouseUp, [&log](int b, int, int, int) { log << QString("MouseUp %1").arg(b); });
    QObject::connect(&c, &Control::KeyDown, [&log](int code, int) { log << QString("KeyDown %1").arg(code); });
    QObject::connect(&c, &Control::KeyPress, [&log](int ascii) { log << QString("KeyPress %1").arg(ascii); });
    QObject::connect(&c, &Control::KeyUp, [&log](int code, int) { log << QString("KeyUp %1").arg(code); });
}

// One move event to `pos`, delivered whether or not the platform cursor already is there.
void MoveMouse(QWidget* widget, QPoint pos) {
    QMouseEvent me(QEvent::MouseMove, pos, widget->mapToGlobal(pos), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &me);
}

QColor PixelOf(QWidget& w, int x, int y) { return w.grab().toImage().pixelColor(x, y); }

// A shown top-level window to put controls in.
struct Host {
    QWidget window;
    Host() {
        window.resize(320, 120);
        window.show();
        (void)QTest::qWaitForWindowExposed(&window);
    }
};

// The smallest part of `picture` within `area` (logical units) that holds every pixel that is not
// white: the text's ink, at the picture's device pixels.
QImage InkOf(const QPixmap& picture, QRect area) {
    const QImage image = picture.toImage().convertToFormat(QImage::Format_RGB32);
    const qreal ratio = picture.devicePixelRatio();
    const QRect device(qRound(area.left() * ratio), qRound(area.top() * ratio), qRound(area.width() * ratio),
                       qRound(area.height() * ratio));
    QRect ink;
    for (int y = device.top(); y <= device.bottom(); ++y)
        for (int x = device.left(); x <= device.right(); ++x)
            if (image.valid(x, y) && image.pixel(x, y) != qRgb(255, 255, 255)) ink |= QRect(x, y, 1, 1);
    return image.copy(ink);
}

// Fills `widget` with `back` behind whatever it paints, `text` for its writing.
void Paint(QWidget& widget, QColor back, QColor text = Qt::black) {
    QPalette palette = widget.palette();
    palette.setColor(QPalette::Window, back);
    palette.setColor(QPalette::WindowText, text);
    widget.setPalette(palette);
    widget.setAutoFillBackground(true);
}

}  // namespace

class TestGlyphWidgets : public QObject {
    Q_OBJECT
  private slots:
    void checkBoxTakesQtEventsAndPaintsItsGlyphAndTheTextBoxsEditorReports() {
        Host host;
        CHKBOXWidget box(&host.window);
        QStringList log;
        box.setGeometry(10, 10, 120, 21);
        box.Control().InitProperties();
        AnswerSkin(box, "tst-check-strip");
        box.Control().ApplyCustomSkin();
        box.show();
        Record(box, log);
        const QPoint inside(5, box.height() / 2);
        MoveMouse(&box, inside);
        QVERIFY(box.IsTimerRunning(modSkinConstants::kHoverTimerId));
        QTest::mouseClick(&box, Qt::LeftButton, {}, inside);
        QVERIFY(box.Value());
        QCOMPARE(PixelOf(box, 6, inside.y()), FrameColour(5));
        QTest::keyClick(&box, Qt::Key_Space);
        QVERIFY(!box.Value());
        QCOMPARE(log,
                 QStringList({"MouseDown 1", "Click", "MouseUp 1", "KeyDown 32", "KeyPress 32", "Click", "KeyUp 32"}));

        MoveMouse(&host.window, QPoint(319, 119));  // onto the window, away from the box
        box.Control().WindowProc(winmsg::WM_TIMER, modSkinConstants::kHoverTimerId, 0);
        QVERIFY(!box.Control().IsMouseOver());
        MoveMouse(&box, inside);  // disabling and hiding the widget stop the hover
        box.Control().SetEnabled(false);
        QVERIFY(!box.isEnabled());
        QVERIFY(!box.IsTimerRunning(modSkinConstants::kHoverTimerId));
        box.Control().SetEnabled(true);
        MoveMouse(&box, inside);
        box.hide();
        QVERIFY(!box.IsTimerRunning(modSkinConstants::kHoverTimerId));

        // The text box's editor lies where the box says and reports the mouse to it.
        txtWidget text(&host.window);
        text.setGeometry(10, 10, 200, 24);
        text.Control().InitProperties();
        text.Control().SetFont(gdi::Font{u"DejaVu Sans", 0, 20});
        text.show();
        QLineEdit& editor = *text.Editor();
        QCOMPARE(editor.geometry(), gdi::qt::ToQRect(text.Control().InnerRect()));
        MoveMouse(&editor, QPoint(5, 5));
        QVERIFY(text.IsTimerRunning(modSkinConstants::kHoverTimerId));
        QCOMPARE(PixelOf(text, 0, 0), gdi::qt::ToQColor(txt::OutlineColour(txt::FrameState::Hover)));
    }

    // The stored BackColor fills the box, a run-time BackStyle of 0 shows the
    // window behind it, and the focus rectangle follows its stored setting.
    void checkBoxBackgroundsAndFocusRectangle() {
        for (const bool allowed : {true, false}) {
            Host host;
            Paint(host.window, QColor(10, 200, 30));
            PropertyBag bag;
            bag.WriteProperty("BackColor", std::int64_t{0x0000C0});  // red
            bag.WriteProperty("ForeColor", std::int64_t{0xC00000});  // blue text, so black dots stand out
            bag.WriteProperty("DrawFocusRectangle", allowed);
            bag.WriteProperty("Caption", u"Focus");
            CHKBOXWidget box(&host.window);
            box.setGeometry(0, 0, 100, 24);
            box.Control().ReadProperties(bag);
            box.show();
            QCOMPARE(PixelOf(box, 99, 0), QColor(0xC0, 0, 0));
            QFocusEvent in(QEvent::FocusIn, Qt::TabFocusReason);
            QApplication::sendEvent(&box, &in);
            const gdi::RECT caption = box.Control().CaptionRect();
            QCOMPARE(caption.Left, 17);
            QCOMPARE(PixelOf(box, caption.Left - 1, caption.Top - 1) == QColor(Qt::black), allowed);
            box.Control().SetBackStyle(CHKBOX::bsTransparent);
            QCOMPARE(PixelOf(box, 99, 0), QColor(10, 200, 30));
        }
    }

    void optionButtonsFindTheirGroupAndShowTheirContainer() {
        Host host;
        QWidget container(&host.window);
        container.setGeometry(0, 0, 320, 100);
        Paint(container, QColor(0, 120, 0));
        container.show();
        OptWidget a(&container), b(&container);
        int x = 0;
        for (OptWidget* o : {&a, &b}) {
            o->setGeometry(x, 10, 80, 21);
            x += 90;
            o->Control().InitProperties();
            o->SetGroupID(1);
            o->SetGrouped(true);
            o->show();
        }
        a.SetValue(true);
        int asked = 0;
        QObject::connect(&b, &OptWidget::BeforeValueChanged, [&](bool&, bool&) { ++asked; });
        QTest::mouseClick(&b, Qt::LeftButton, {}, QPoint(5, 10));
        QVERIFY(b.Value() && !a.Value());
        QCOMPARE(asked, 1);

        AnswerSkin(a, "tst-option-strip");
        a.Control().ApplyCustomSkin();
        a.Control().SetAlignment(Opt::optGlyphRight);
        QCOMPARE(PixelOf(a, 80 - 14 + 6, 10), FrameColour(0));
        QCOMPARE(PixelOf(a, 40, 10), QColor(212, 208, 200));  // opaque: button face
        a.Control().SetBackStyle(Opt::bsTransparent);
        QCOMPARE(PixelOf(a, 40, 10), QColor(0, 120, 0));
    }

    void commandButtonsTakeTheirFormsKeysAndFindTheirGroupAnywhere() {
        Host host;
        QWidget left(&host.window), right(&host.window);
        right.move(160, 0);
        BTNWidget a(&left), b(&right), go(&right);
        go.move(0, 40);
        PropertyBag bag;
        bag.WriteProperty("Grouped", true);
        for (BTNWidget* w : {&a, &b}) w->Control().ReadProperties(bag);
        for (QWidget* w : std::initializer_list<QWidget*>{&left, &right, &a, &b, &go}) w->show();
        bag.Clear();
        bag.WriteProperty("Caption", u"&Go");
        go.Control().ReadProperties(bag);
        host.window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&host.window));
        QStringList log;
        Record(go, log);
        QTest::keyClick(&host.window, Qt::Key_G, Qt::AltModifier);
        go.SetDefault(true);
        QCOMPARE(go.Control().BodyFrame(), 2);  // shown as the default button
        QTest::keyClick(&host.window, Qt::Key_Return);
        QCOMPARE(log.count("Click"), 2);
        b.SetCancel(true);
        QTest::keyClick(&host.window, Qt::Key_Escape);
        QVERIFY(b.TogglePressed());
        QTest::mouseClick(&a, Qt::LeftButton, {}, QPoint(10, 10));
        QVERIFY(a.TogglePressed() && !b.TogglePressed());  // in another container

        // Without the form's list: the container's widgets, through their Qt properties.
        BTNWidget x(&left, QtAmbient{HostMode::Run, {}, {}, false});
        x.Control().SetGrouped(true);
        x.Control().SetTogglePressed(true);
        QVERIFY(!a.TogglePressed());
    }

    // A caption is drawn at the screen's device pixels (ctest runs this at 1, 1.5 and 2 times), so
    // its glyphs are the very pixels a plain label draws for the same text and font, rather than
    // a 1x drawing scaled up.
    void captionIsAsSharpAsAPlainLabel() {
        Host host;
        QFont font(QStringLiteral("DejaVu Sans"));
        font.setPixelSize(13);
        PropertyBag bag;
        bag.WriteProperty("BackColor", std::int64_t{0xFFFFFF});
        bag.WriteProperty("ForeColor", std::int64_t{0});
        bag.WriteProperty("Caption", u"Hill Mix");
        CHKBOXWidget box(&host.window);
        box.setGeometry(0, 0, 140, 24);
        box.Control().ReadProperties(bag);
        box.Control().SetFont(gdi::qt::FontOf(font));
        box.show();
        QLabel label(QStringLiteral("Hill Mix"), &host.window);
        label.setFont(font);
        Paint(label, Qt::white);
        // The label's text starts where the caption does, at the same fraction of a device pixel.
        const QRect captionRect = gdi::qt::ToQRect(box.Control().CaptionRect());
        label.setAlignment(Qt::AlignLeft | Qt::AlignTop);
        label.setContentsMargins(captionRect.left(), captionRect.top(), 0, 0);
        label.setGeometry(0, 40, 140, 24);
        label.show();
        const QImage caption = InkOf(box.grab(), captionRect);
        QVERIFY(!caption.isNull());
        QCOMPARE(caption, InkOf(label.grab(), captionRect));
    }

    // A masked picture brought to a fractional ratio is resampled smoothly, yet none of its mask
    // colour (magenta) blends into its edges: red over white stays free of blue.
    void maskedPictureLeavesNoFringeWhenScaled() {
        Host host;
        QImage picture(8, 8, QImage::Format_ARGB32);
        picture.fill(QColor(255, 0, 255));
        for (int y = 2; y < 6; ++y)
            for (int x = 2; x < 6; ++x) picture.setPixelColor(x, y, Qt::red);
        tavSCls40::MemoryDC surface;
        QVERIFY(surface.Create(gdi::qt::Window(&host.window), 12, 12, gdi::RGB(255, 255, 255)));
        QVERIFY(tavGFX40::gfxDrawTransparentBitmap(surface.hDC(), gdi::qt::FromQImage(picture), 2, 2,
                                                   gdi::RGB(255, 0, 255)));
        const QImage& drawn = *gdi::qt::DcImage(surface.hDC());
        QCOMPARE(drawn.width(), qRound(12 * host.window.devicePixelRatioF()));
        for (int y = 0; y < drawn.height(); ++y)
            for (int x = 0; x < drawn.width(); ++x)
                QVERIFY2(drawn.pixelColor(x, y).blue() == drawn.pixelColor(x, y).green(),
                         qPrintable(QString("%1, %2").arg(x).arg(y)));
    }
};

QTEST_MAIN(TestGlyphWidgets)
#include "tst_glyph_widgets.moc"
