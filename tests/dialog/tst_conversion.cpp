// The dialog from end to end: a folder typed into the box, options ticked by
// clicking, "Start", the log and the files; "Cancel" during a run; the cancel
// flag as InitConversion reports it.
#include "tests/dialog/dialog_test_support.h"

#include "dialog/clsPropPage.h"
#include "dialog/frmProps.h"

#include "engine/conversion_run.h"
#include "platform/disk_file_system.h"
#include "platform/qt/folder_chooser.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>

using namespace dialog_test;

namespace {

// The example project copied into `into`.
void CopyExample(const QString& into) {
    QDir().mkpath(into);
    const QDir source(QStringLiteral(TAVKONV40_EXAMPLES "/OrderDesk"));
    for (const QString& name : source.entryList(QDir::Files)) QFile::copy(source.filePath(name), into + u'/' + name);
}

QByteArray Read(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Log lines with the folder, the times and the backup stamps made neutral.
QStringList Neutral(QStringList lines, const QString& folder) {
    static const QRegularExpression time(QStringLiteral("\\d{1,2}:\\d\\d:\\d\\d(\\s?[AP]M)?"));
    static const QRegularExpression stamp(QStringLiteral("\\d\\d\\.\\d\\d\\.\\d{4} \\d\\d\\.\\d\\d\\.\\d\\d"));
    for (QString& line : lines) {
        line.replace(folder, QStringLiteral("<folder>"));
        line.replace(stamp, QStringLiteral("<stamp>"));
        line.replace(time, QStringLiteral("<time>"));
    }
    return lines;
}

class RecordingHost : public tavkonv40::RunHost {
  public:
    QStringList lines;
    void appendLog(std::string_view line, tavkonv40::LogLineKind) override {
        lines << QString::fromUtf8(line.data(), static_cast<qsizetype>(line.size()));
    }
    bool cancelRequested() const override { return false; }
};

}  // namespace

class ConversionTest : public QObject {
    Q_OBJECT
    IsolatedSettings m_settings;

  private slots:
    // The dialog converts exactly what the engine converts with the same
    // choices, and logs exactly the engine's lines.
    void runThroughTheDialog() {
        QTemporaryDir tmp;
        const QString folder = tmp.path() + QString::fromUtf8("/über Проект");  // typed, reaches the run as UTF-8
        const QString reference = tmp.path() + QStringLiteral("/reference");
        CopyExample(folder);
        CopyExample(reference);

        QStringList log;
        QString statusAfter;
        const std::int16_t result = WithOpenDialog([&](QWidget* w) {
            TypeFolder(w, folder);
            ClickGlyph(Find(w, "chkProp", 0));  // QVButton, row 0
            ClickGlyph(Find(w, "chkProp", 7));  // QVFrame, row 9
            ClickGlyph(Find(w, "chkPropTo4L", 9));
            ClickTab(w, 200);
            ClickGlyph(Find(w, "chkVBProp", 2));  // Combo
            ClickGlyph(Find(w, "chkVBPropTo4L", 2));
            Click(Find(w, "cmd", 0));
            log = LogOf(w);
            statusAfter = Find<QLabel>(w, QStringLiteral("lbl_5"))->text();
            const LB& list = Find<LBWidget>(w, QStringLiteral("List1"))->Control();
            QCOMPARE(list.ListIndex(), list.ListCount() - 1);
        });
        QCOMPARE(result, std::int16_t(0));
        QCOMPARE(statusAfter, QString());

        tavkonv40::FixedOptions options;
        options.selectFamily(tavkonv40::familyByOptionIndex(0)->slot, tavkonv40::Edition::V40);
        options.selectFamily(tavkonv40::familyByOptionIndex(7)->slot, tavkonv40::Edition::V40L);
        options.selectMicrosoft(2, tavkonv40::Edition::V40L);
        tavkonv40::DiskFileSystem fs;
        tavkonv40::SystemClock clock;
        RecordingHost host;
        tavkonv40::RunEnvironment env{fs, host, options, clock};
        tavkonv40::RunConversion(env, reference.toStdString());

        // The lines' wording is the engine's (conversion_run_test.cpp); here, that they all arrive.
        QCOMPARE(Neutral(log, folder), Neutral(host.lines, reference));
        QVERIFY(log.last().startsWith(QStringLiteral("Conversion complete.")));

        for (const QString& name : QDir(reference).entryList(QDir::Files))
            QCOMPARE(Read(folder + u'/' + name), Read(reference + u'/' + name));
        // The ticked choices took effect (so the comparison above is not of two idle runs):
        // the button family now names 4.0, the frame 4.0L, the Microsoft combo became a suite combo.
        QVERIFY(Read(folder + QStringLiteral("/frmMain.frm")).contains("QVButton40"));
        QVERIFY(Read(folder + QStringLiteral("/frmMain.frm")).contains("QVFrame40L"));
        QVERIFY(!Read(folder + QStringLiteral("/frmOrders.frm")).contains("VB.ComboBox"));
    }

    // While the first form is converted the window pumps its events: the box is locked, Start
    // disabled, closing refused, and "Cancel" reaches the run; InitConversion reports the cancel.
    // Where the run stops after it and which commands it ignores: ModelRun.
    void cancelDuringTheFormPass() {
        QTemporaryDir tmp;
        const QString folder = tmp.path() + QStringLiteral("/project");
        CopyExample(folder);

        const std::int16_t result = WithOpenDialog([&](QWidget* w) {
            TypeFolder(w, folder);
            auto* list = Find<LBWidget>(w, QStringLiteral("List1"));
            auto* start = Find<BTNWidget>(w, "cmd", 0);
            auto* cancel = Find<BTNWidget>(w, "cmd", 1);
            bool clicked = false;
            QObject::connect(list, &LBWidget::ListIndexChange, w, [&] {
                const LB& lb = list->Control();
                if (clicked || !QString::fromStdU16String(lb.ItemText(lb.ListCount() - 1))
                                    .startsWith(QStringLiteral("Found VB Form file")))
                    return;
                clicked = true;
                QVERIFY(!start->Control().Enabled());
                QVERIFY(Find<txtWidget>(w, QStringLiteral("txtPath"))->Control().IsLocked());
                w->close();
                QVERIFY(w->isVisible());
                QTimer::singleShot(0, cancel, [cancel] { Click(cancel); });
            });
            Click(start);
            QVERIFY(start->Control().Enabled());
        });
        QCOMPARE(result, std::int16_t(-1));
    }

    // "..." asks the chooser with its instruction and the box's folder; a
    // chosen folder fills the box, a cancelled choice leaves it alone.
    void folderChooserThroughItsSeam() {
        QStringList asked;  // each call's instruction and starting folder
        QStringList answers = {QStringLiteral("/chosen/folder"), QString()};
        QWidget* owners = nullptr;
        platform_qt::ScopedFolderChooser chooser([&](QWidget* owner, const QString& text, const QString& initial) {
            asked << text + u'|' + initial;
            owners = owner;
            return answers.takeFirst();
        });
        WithOpenDialog([&](QWidget* w) {
            auto* box = Find<txtWidget>(w, QStringLiteral("txtPath"));
            TypeFolder(w, QStringLiteral("/typed"));
            Click(Find(w, "cmd", 5));
            QCOMPARE(box->Text(), QStringLiteral("/chosen/folder"));
            Click(Find(w, "cmd", 5));
            QCOMPARE(box->Text(), QStringLiteral("/chosen/folder"));
        });
        QCOMPARE(asked, QStringList({"Select a Folder|/typed", "Select a Folder|/chosen/folder"}));
        QVERIFY(owners != nullptr);
    }

    void entryClassReturnsZeroWithoutARun() {
        clsPropPage page;
        QString title;
        QCOMPARE(WithOpenDialog(page, [&](QWidget* w) { title = w->windowTitle(); }), std::int16_t(0));
        QCOMPARE(title, QStringLiteral("Nexaria Version 4.0 GUID Conversion Utility"));
        QCOMPARE(WithOpenDialog(page, [](QWidget*) {}), std::int16_t(0));
    }

    // The public steps work on a file with the dialog's own options.
    void publicStepsRunOnOneFile() {
        QTemporaryDir tmp;
        CopyExample(tmp.path());
        const QString form = tmp.path() + QStringLiteral("/frmMain.frm");
        const QByteArray before = Read(form);
        frmProps dialog;
        dialog.CheckEVENTSForUpdate(form.toStdString());
        dialog.CheckFRMVBBODYForUpdate(form.toStdString());
        // Nothing is selected at load, so nothing may change.
        QCOMPARE(Read(form), before);
    }
};

QTEST_MAIN(ConversionTest)
#include "tst_conversion.moc"
