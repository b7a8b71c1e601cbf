// The option panels: the click rules, the "Select All" / "Clear All" / "Set
// All" commands, the Tags, the tabs and the panel scroll bar.
#include "tests/dialog/dialog_test_support.h"

#include <QWheelEvent>

using namespace dialog_test;

namespace {

struct Pair {
    OptWidget* to40;
    OptWidget* to4L;
};
Pair SuitePair(QWidget* w, int row) {
    return {Find<OptWidget>(w, "chkPropTo40", row), Find<OptWidget>(w, "chkPropTo4L", row)};
}
Pair MicrosoftPair(QWidget* w, int i) {
    return {Find<OptWidget>(w, "chkVBPropTo40", i), Find<OptWidget>(w, "chkVBPropTo4L", i)};
}

bool Only40(int optionIndex) {
    return tavkonv40::familyByOptionIndex(optionIndex)->offers40L == tavkonv40::Offers40L::No;
}

}  // namespace

class OptionsTest : public QObject {
    Q_OBJECT
    IsolatedSettings m_settings;

  private slots:
    // The panels load from the catalogue.  The commands' and the clicks' rules are the model's
    // (dialog_model_test.cpp); here the buttons reach it (one loop wires them all) and the rows and
    // captions show what it decided.
    void panelsLoadFromTheCatalogueAndShowWhatCommandsAndClicksDecide() {
        WithOpenDialog([](QWidget* w) {
            for (const auto& family : tavkonv40::families()) {
                auto* chk = Find<CHKBOXWidget>(w, "chkProp", family.optionIndex);
                QCOMPARE(QString::fromStdU16String(chk->Control().Caption()).toStdString(),
                         std::string(family.caption));
                QCOMPARE(dialog::TagOf(chk), family.optionRow);
                QVERIFY(!chk->Value());
                // Each check box stands on its row, beside its option pair.
                QCOMPARE(chk->geometry().center().y(), SuitePair(w, family.optionRow).to40->geometry().center().y());
            }
            for (int i = 0; i < tavkonv40::kMicrosoftOptionCount; ++i)  // each box's Tag is its option's slot
                QCOMPARE(dialog::TagOf(Find(w, "chkVBProp", i)), tavkonv40::microsoftOptions().at(std::size_t(i)).slot);
            for (int r = 0; r < tavkonv40::kFamilyCount; ++r) {
                const Pair p = SuitePair(w, r);
                QVERIFY(p.to40->Value() && !p.to4L->Value() && !p.to40->isEnabled() && !p.to4L->isEnabled());
            }

            auto* selectAll = Find<BTNWidget>(w, "cmd", 3);
            auto* clearAll = Find<BTNWidget>(w, "cmd", 4);
            Click(selectAll);
            QVERIFY(!selectAll->Control().Enabled() && clearAll->Control().Enabled());
            for (const auto& family : tavkonv40::families()) {
                QVERIFY(Find<CHKBOXWidget>(w, "chkProp", family.optionIndex)->Value());
                QCOMPARE(SuitePair(w, family.optionRow).to4L->isEnabled(), !Only40(family.optionIndex));
            }
            auto* setAll = Find<BTNWidget>(w, "cmd", 9);
            Click(setAll);
            QVERIFY(setAll->Control().Caption() == u"Set All To 4.0");
            QVERIFY(SuitePair(w, 0).to4L->Value() && !SuitePair(w, 0).to40->Value());
            QVERIFY(SuitePair(w, 1).to40->Value());  // ButtonBar: 4.0 only
            Click(clearAll);
            QVERIFY(!SuitePair(w, 0).to4L->isEnabled() && SuitePair(w, 0).to4L->Value());

            // A Microsoft row's clicks; the suite rows are wired by the same code (their clicks:
            // runThroughTheDialog).  The right and middle buttons choose an option too (without
            // Click): what the row shows after the next redraw is what the run reads.
            ClickTab(w, 200);
            ClickGlyph(Find(w, "chkVBProp", 12));
            const Pair combo = MicrosoftPair(w, 12);
            QVERIFY(combo.to40->isEnabled() && combo.to4L->isEnabled());
            ClickGlyph(combo.to4L, Qt::RightButton);
            ClickGlyph(Find(w, "chkVBProp", 11));  // redraws every row from what the run reads
            QVERIFY(combo.to4L->Value() && !combo.to40->Value());
            ClickGlyph(combo.to40, Qt::MiddleButton);
            ClickGlyph(Find(w, "chkVBProp", 11));  // cleared again: its pair off
            QVERIFY(combo.to40->Value() && !combo.to4L->Value() && !MicrosoftPair(w, 11).to40->isEnabled());
        });
    }

    void tabsSwitchPanelsAndResetTheirScroll() {
        WithOpenDialog([](QWidget* w) {
            auto* title = Find<QLabel>(w, QStringLiteral("Label1_0"));
            QWidget* suite = Find(w, QStringLiteral("CTRLContainer_0"));
            QWidget* microsoft = Find(w, QStringLiteral("CTRLContainer_1"));
            auto* vs = Find<VSCWidget>(w, QStringLiteral("VS"));
            QCOMPARE(title->text(), QStringLiteral("Nexaria Controls"));

            // A small window needs the scroll bar for the suite panel; the wheel over any row scrolls it.
            const QSize design = w->size();
            w->resize(w->width(), w->minimumHeight());
            QTRY_VERIFY(vs->Control().Enabled());
            QWidget* row = Find(w, "chkProp", 5);
            QWheelEvent down(QPointF(5, 5), row->mapToGlobal(QPointF(5, 5)), QPoint(), QPoint(0, -120), Qt::NoButton,
                             Qt::NoModifier, Qt::NoScrollPhase, false);
            QApplication::sendEvent(row, &down);
            QCOMPARE(vs->Control().Value(), 3L * 17);
            QCOMPARE(suite->y(), 30 - 51);

            // Which side picks which panel is the model's; the title that follows: tabWalksTheControlsInScreenOrder.
            ClickTab(w, 200);
            QVERIFY(microsoft->isVisible() && !suite->isVisible());
            QCOMPARE(vs->Control().Value(), 0L);
            QCOMPARE(suite->y(), 30);
            QCOMPARE(microsoft->y(), 30);

            ClickTab(w, 20);
            QVERIFY(suite->isVisible() && !microsoft->isVisible());
            QApplication::sendEvent(row, &down);  // enlarging until the panel fits puts it back at the top
            w->resize(design);
            QVERIFY(!vs->Control().Enabled());
            QCOMPARE(vs->Control().Value(), 0L);
            QCOMPARE(suite->y(), 30);

            // A row that had the focus goes out of sight with its panel; the focus must not land
            // in the folder box with its text selected, where the next key would replace it.
            w->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(w));
            TypeFolder(w, QStringLiteral("/some/folder"));
            ClickGlyph(Find(w, "chkProp", 0));
            ClickTab(w, 200);
            auto* box = Find<txtWidget>(w, QStringLiteral("txtPath"));
            QVERIFY(!box->Editor()->hasFocus());
            QVERIFY(!box->Editor()->hasSelectedText());
        });
    }

    // Tab walks the screen's order: the tab strip, each suite row (check box, then its edition
    // buttons once the box is ticked) down the left column and then the right, the panel's
    // commands, the folder box, "...", the log, Close; disabled controls are passed over.
    void tabWalksTheControlsInScreenOrder() {
        WithOpenDialog([](QWidget* w) {
            w->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(w));
            int ticked = 0;  // the first row that offers 4.0L
            while (Only40(tavkonv40::familyByOptionRow(ticked)->optionIndex)) ++ticked;
            ClickGlyph(Find(w, "chkProp", tavkonv40::familyByOptionRow(ticked)->optionIndex));
            QWidget* header = Find(w, QStringLiteral("TabHeader"));
            const QImage unfocused = header->grab().toImage();
            header->setFocus(Qt::TabFocusReason);
            QVERIFY(header->grab().toImage() != unfocused);  // the focus shows
            // The arrow keys choose a tab.
            auto* title = Find<QLabel>(w, QStringLiteral("Label1_0"));
            QTest::keyClick(header, Qt::Key_Right);
            QCOMPARE(title->text(), QStringLiteral("Microsoft Controls"));
            QTest::keyClick(header, Qt::Key_Left);
            QCOMPARE(title->text(), QStringLiteral("Nexaria Controls"));
            QStringList expected{QStringLiteral("TabHeader")};
            for (int row = 0; row < tavkonv40::kFamilyCount; ++row) {
                expected << QStringLiteral("chkProp_%1").arg(tavkonv40::familyByOptionRow(row)->optionIndex);
                if (row == ticked)
                    expected << QStringLiteral("chkPropTo40_%1").arg(row) << QStringLiteral("chkPropTo4L_%1").arg(row);
            }
            // Select All, Set All, the folder box's editor, "...", the log, Close, and round again.
            expected += QStringList{"cmd_3", "cmd_9", "txtText", "cmd_5", "List1", "cmd_1", "TabHeader"};
            QStringList walked{QApplication::focusWidget()->objectName()};
            for (qsizetype i = 1; i < expected.size(); ++i) {
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
                walked << QApplication::focusWidget()->objectName();
            }
            QCOMPARE(walked, expected);

            // Enter in the folder box starts a run (here on a folder that is not there).
            TypeFolder(w, QStringLiteral("/no/such/folder"));
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
            QVERIFY(LogOf(w).join('\n').contains(QStringLiteral("/no/such/folder")));
        });
    }

    void optionsStartFromDefaultsAtEveryOpening() {
        frmProps dialog;  // the same form, opened again
        WithOpenDialog(dialog, [](QWidget* w) { ClickGlyph(Find(w, "chkProp", 0)); });
        WithOpenDialog(dialog, [](QWidget* w) { QVERIFY(!Find<CHKBOXWidget>(w, "chkProp", 0)->Value()); });
    }
};

QTEST_MAIN(OptionsTest)
#include "tst_options.moc"
