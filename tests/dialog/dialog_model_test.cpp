// The dialog's rules without a widget: click rules, the commands and their
// captions, the folder and Start, one run at a time, the cancel flag, the
// options the engine reads while a run goes on, and the folders no run takes.
#include "dialog/dialog_model.h"
#include "dialog/folder_guard.h"
#include "dialog/init_conversion.h"
#include "dialog/form_arrangement.h"
#include "dialog/form_geometry.h"
#include "dialog/form_render.h"
#include "dialog/panel_scroll.h"

#include "testing/memory_file_system.h"
#include "tests/controls/fake_site.h"
#include "tests/engine/test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>

namespace dialog {
namespace {

using tavkonv40::Edition;
using tavkonv40::kFamilyCount;
using tavkonv40::kMicrosoftOptionCount;

bool Only40(int optionIndex) {
    return tavkonv40::familyByOptionIndex(optionIndex)->offers40L == tavkonv40::Offers40L::No;
}
int RowOf(int optionIndex) { return tavkonv40::familyByOptionIndex(optionIndex)->optionRow; }

// The form's log and status label; `onYield` stands for the user's clicks at a yield.
class FakeDisplay : public RunDisplay {
  public:
    void clearLog() override { log.clear(); }
    void appendLog(std::string_view line, tavkonv40::LogLineKind kind) override {
        log.emplace_back(line);
        if (kind == tavkonv40::LogLineKind::Error) errors.emplace_back(line);
    }
    void yield() override {
        if (onYield) onYield();
    }
    void setStatus(std::string_view text) override { status = text; }

    long count(const std::string& prefix) const {
        return std::count_if(log.begin(), log.end(), [&](const std::string& l) { return l.rfind(prefix, 0) == 0; });
    }
    bool has(const std::string& line) const { return std::find(log.begin(), log.end(), line) != log.end(); }

    std::vector<std::string> log, errors;
    std::function<void()> onYield;
    std::string status;
};

const std::string kButton20 =
    "VERSION 5.00\r\nBegin VB.Form F\r\n   Begin tavQVButton20.QVButton20 cmd\r\n   End\r\nEnd\r\n";

class ModelRun : public ::testing::Test {
  protected:
    ModelRun() {
        fs.addFile("/p/a.frm", kButton20);
        fs.addFile("/p/b.frm", kButton20);
        model.setFolder("/p");
    }
    StartOutcome start() { return model.start(RunServices{fs, display, clock}); }
    long backups() const {
        return std::count_if(fs.files().begin(), fs.files().end(), [](const auto& f) {
            return f.first.rfind("/p/Nexaria Conversion Backup ", 0) == 0 && f.first.ends_with("/a.frm");
        });
    }

    DialogModel model;
    tavkonv40::MemoryFileSystem fs;
    FakeDisplay display;
    tavkonv40::test::SteppingClock clock;
};

// ---- options and commands ---------------------------------------------------------------------

TEST(DialogModelOptions, FamilyClickEnablesItsPairUnlessOfferedOnlyAs40) {
    DialogModel m;
    for (int k = 0; k < kFamilyCount; ++k) {
        m.setFamilyTicked(k, true);
        EXPECT_TRUE(m.familySelected(k));
        EXPECT_EQ(m.rowEnabled(RowOf(k)), !Only40(k)) << "option index " << k;
        EXPECT_TRUE(m.rowTo40(RowOf(k)));
    }
    // Calendar (option index 1) stands on row 2; clearing it disables the pair but keeps the choice.
    m.chooseRowEdition(2, Edition::V40L);
    m.setFamilyTicked(1, false);
    EXPECT_FALSE(m.rowEnabled(2));
    EXPECT_FALSE(m.rowTo40(2));
    EXPECT_EQ(m.familyRow(1), 2);

    m.setMicrosoftTicked(12, true);
    EXPECT_TRUE(m.microsoftEnabled(12));
    m.setMicrosoftTicked(12, false);
    EXPECT_FALSE(m.microsoftEnabled(12));  // which slot each option names: tst_options.cpp
}

TEST(DialogModelOptions, SelectAllAndClearAllSwapTheirButtonsAndSetAllSwitchesEveryRow) {
    DialogModel m;
    EXPECT_TRUE(m.commandEnabled(cmdSelectAllSuite));
    EXPECT_FALSE(m.commandEnabled(cmdClearAllSuite));
    m.chooseRowEdition(0, Edition::V40L);
    EXPECT_EQ(m.press(cmdSelectAllSuite), CommandEffect::None);
    EXPECT_FALSE(m.commandEnabled(cmdSelectAllSuite));
    EXPECT_TRUE(m.commandEnabled(cmdClearAllSuite));
    for (int k = 0; k < kFamilyCount; ++k) EXPECT_EQ(m.rowEnabled(RowOf(k)), !Only40(k));
    EXPECT_EQ(m.press(cmdSelectAllSuite), CommandEffect::None);  // disabled: nothing happens
    m.press(cmdClearAllSuite);
    for (int k = 0; k < kFamilyCount; ++k) EXPECT_FALSE(m.familyTicked(k) || m.rowEnabled(RowOf(k)));
    EXPECT_FALSE(m.rowTo40(0));  // Clear All keeps the chosen editions
    EXPECT_TRUE(m.commandEnabled(cmdSelectAllSuite));

    m.press(cmdSelectAllMicrosoft);
    for (int i = 0; i < kMicrosoftOptionCount; ++i) EXPECT_TRUE(m.microsoftSelected(i) && m.microsoftEnabled(i));
    EXPECT_TRUE(m.commandEnabled(cmdClearAllMicrosoft) && !m.commandEnabled(cmdSelectAllMicrosoft));
    m.press(cmdClearAllMicrosoft);
    for (int i = 0; i < kMicrosoftOptionCount; ++i) EXPECT_FALSE(m.microsoftSelected(i) || m.microsoftEnabled(i));

    // Set All switches every row and its own caption, and ticks no check box.
    EXPECT_EQ(m.commandCaption(cmdSetAllSuite), "Set All To 4.0L");
    m.press(cmdSetAllSuite);
    EXPECT_EQ(m.commandCaption(cmdSetAllSuite), "Set All To 4.0");
    for (int k = 0; k < kFamilyCount; ++k) EXPECT_EQ(m.rowTo40(RowOf(k)), Only40(k)) << "option index " << k;
    EXPECT_FALSE(m.familyTicked(0));
    EXPECT_EQ(m.rowEdition(1), Edition::V40);  // ButtonBar offers only 4.0
    m.press(cmdSetAllSuite);
    EXPECT_EQ(m.commandCaption(cmdSetAllSuite), "Set All To 4.0L");
    for (int r = 0; r < kFamilyCount; ++r) EXPECT_TRUE(m.rowTo40(r));

    m.press(cmdSetAllMicrosoft);
    for (int i = 0; i < kMicrosoftOptionCount; ++i) EXPECT_EQ(m.microsoftEdition(i), Edition::V40L);
    EXPECT_EQ(m.commandCaption(cmdSetAllMicrosoft), "Set All To 4.0");
}

TEST(DialogModelOptions, TabHeaderChoosesThePanelBySideStartFollowsTheFolderAndDefaultsComeBackOnLoad) {
    DialogModel m;
    const std::pair<double, Panel> presses[] = {
        {200, Panel::Microsoft}, {155, Panel::Microsoft},   {20, Panel::Suite},     {155, Panel::Suite},
        {0, Panel::Suite},       {310.5, Panel::Microsoft}, {400, Panel::Microsoft}};
    for (const auto& [x, expected] : presses) {
        m.pressTabHeader(x);
        EXPECT_EQ(m.selectedPanel(), expected) << "x = " << x;
    }

    int changes = 0;
    m.setOnChange([&] { ++changes; });
    EXPECT_FALSE(m.startEnabled());
    EXPECT_EQ(m.press(cmdStart), CommandEffect::None);
    EXPECT_TRUE(m.setFolder("/t"));
    EXPECT_TRUE(m.startEnabled());
    EXPECT_EQ(m.press(cmdStart), CommandEffect::StartRun);
    EXPECT_EQ(m.press(cmdBrowse), CommandEffect::ChooseFolder);
    EXPECT_EQ(m.press(cmdCloseCancel), CommandEffect::CloseDialog);
    EXPECT_EQ(m.press(cmdHelp), CommandEffect::None);
    m.setFolder("");
    EXPECT_FALSE(m.startEnabled());
    EXPECT_GE(changes, 2);

    m.setFolder("/t");
    m.press(cmdSelectAllSuite);
    m.pressTabHeader(200);
    m.loadDefaults();
    EXPECT_TRUE(m.folder().empty());
    EXPECT_FALSE(m.familyTicked(0));
    EXPECT_EQ(m.selectedPanel(), Panel::Suite);
    EXPECT_TRUE(m.commandEnabled(cmdSelectAllSuite));
}

// ---- runs -----------------------------------------------------------------------------------------

TEST_F(ModelRun, NothingStartsASecondRunWhileOneGoesOn) {
    int yields = 0;
    display.onYield = [&] {
        if (++yields != 3) return;
        EXPECT_TRUE(model.running());
        EXPECT_FALSE(model.startEnabled());
        EXPECT_FALSE(model.setFolder("/elsewhere"));  // typed
        EXPECT_FALSE(model.setFolder(""));            // emptied
        EXPECT_EQ(model.folder(), "/p");
        EXPECT_FALSE(model.folderEditable());
        EXPECT_FALSE(model.commandEnabled(cmdBrowse));
        EXPECT_EQ(model.press(cmdBrowse), CommandEffect::None);  // chosen
        EXPECT_EQ(model.press(cmdStart), CommandEffect::None);
        EXPECT_EQ(start(), StartOutcome::Refused);
        EXPECT_EQ(model.commandCaption(cmdCloseCancel), "Cancel");
    };
    EXPECT_EQ(start(), StartOutcome::Ran);
    EXPECT_GT(yields, 3);
    EXPECT_EQ(display.count("Starting conversion"), 1);
    EXPECT_EQ(display.count("Conversion complete."), 1);
    EXPECT_EQ(backups(), 1);
    EXPECT_FALSE(model.running());
    EXPECT_TRUE(model.startEnabled());
    EXPECT_EQ(model.commandCaption(cmdCloseCancel), "Close");
}

// The window gets its turns while the backup is copied, the status line counting the files; a
// Cancel then stops the copy, removes it and changes nothing.
TEST_F(ModelRun, CancelDuringTheBackupCopyStopsItAndChangesNothing) {
    const auto before = fs.files();
    display.onYield = [&] {
        if (display.status.starts_with("Copying the folder for its backup: ")) model.press(cmdCloseCancel);
    };
    EXPECT_EQ(start(), StartOutcome::Ran);
    EXPECT_EQ(fs.files(), before);
    EXPECT_TRUE(display.has("    -error: the backup copy was stopped before it was complete"));
    EXPECT_EQ(display.count("Conversion cancelled."), 1);
    EXPECT_EQ(display.status, "");
}

TEST_F(ModelRun, CancelStopsThatRunOnlyAndIsRemembered) {
    EXPECT_EQ(InitConversionResult(model), 0);
    display.onYield = [&] {
        if (display.has("VB Form file (a.frm).  File is now up to date.")) model.press(cmdCloseCancel);
    };
    EXPECT_EQ(start(), StartOutcome::Ran);
    EXPECT_EQ(display.count("Conversion cancelled."), 1);
    EXPECT_FALSE(display.has("Found VB Form file (b.frm).  Checking update requirements....."));
    EXPECT_TRUE(model.cancelledOnce());

    display.onYield = nullptr;
    clock.seconds = 1;  // a later second: the first run's backup has this second's name
    EXPECT_EQ(start(), StartOutcome::Ran);
    EXPECT_FALSE(model.cancelRequested());
    EXPECT_EQ(display.count("Conversion cancelled."), 0);
    EXPECT_TRUE(display.has("Found VB Form file (b.frm).  Checking update requirements....."));
    EXPECT_EQ(InitConversionResult(model), -1);  // a later run, not cancelled, changes nothing
    model.loadDefaults();                        // nor does a new opening of the form
    EXPECT_EQ(InitConversionResult(model), -1);
    model.cancel();  // outside a run: nothing to cancel
    EXPECT_FALSE(model.cancelRequested());
}

TEST_F(ModelRun, TheEngineReadsTheOptionsLiveDuringTheRun) {
    display.onYield = [&] {
        if (display.has("VB Form file (a.frm).  File is now up to date.") && !model.familyTicked(0)) {
            model.setFamilyTicked(0, true);  // Button
            model.chooseRowEdition(0, Edition::V40L);
        }
    };
    start();
    EXPECT_EQ(fs.file("/p/a.frm").find("QVButton40"), std::string::npos);
    EXPECT_NE(fs.file("/p/b.frm").find("tavQVButton40L.QVButton40L"), std::string::npos);
}

TEST_F(ModelRun, RootAndBackupFoldersGiveAnErrorLineAndNoRun) {
    fs.addFile("/p/Nexaria Conversion Backup 02.01.2026 09.03.07/a.frm", kButton20);
    for (const std::string folder : {"/", "/p/..", "/p/Nexaria Conversion Backup 02.01.2026 09.03.07",
                                     "/p/Nexaria Conversion Backup 02.01.2026 09.03.07/sub"}) {
        model.setFolder(folder);
        display.log = {"an earlier run's line"};
        EXPECT_EQ(start(), StartOutcome::FolderRefused) << folder;
        ASSERT_EQ(display.log.size(), 1u) << folder;
        EXPECT_EQ(display.errors.back(), display.log[0]);
        EXPECT_EQ(display.log[0].rfind("    -error: " + folder + ": ", 0), 0u) << display.log[0];
        EXPECT_FALSE(model.running());
    }
    EXPECT_EQ(fs.file("/p/a.frm"), kButton20);
    EXPECT_EQ(backups(), 1);  // only the one the test made

    // The guard refuses backups and the root only.
    EXPECT_TRUE(RefusedFolder(fs, "/home/me/Nexaria Conversion Backup 12.05.2026 17.13.35").has_value());
    EXPECT_TRUE(RefusedFolder(fs, "/home/me/Nexaria Conversion Backup 12.05.2026 17.13.35/sub").has_value());
    EXPECT_FALSE(RefusedFolder(fs, "/home/me/Nexaria Conversion Backup 12.05.2026 17.13.35 copy").has_value());
    EXPECT_FALSE(RefusedFolder(fs, "/home/me/Nexaria Conversion Backups/project").has_value());
    EXPECT_FALSE(RefusedFolder(fs, "relative/project").has_value());
    EXPECT_TRUE(RefusedFolder(fs, "//").has_value());
}

// ---- the panel's scroll bar --------------------------------------------------------------------------

TEST(PanelScrolling, FollowsThePanelAndTheSpaceForIt) {
    // Fits: no bar, back at the top.
    PanelScroll s = ScrollFor(385, 400, 40);
    EXPECT_FALSE(s.enabled);
    EXPECT_EQ(s.value, 0);
    // The heights at which the suite panel used to be cut off need the bar.
    s = ScrollFor(385, 340, 0);
    EXPECT_TRUE(s.enabled);
    EXPECT_EQ(s.max, 45);
    EXPECT_EQ(s.page, 45);  // never more than the range, or the bar refuses it
    EXPECT_EQ(s.visible, 340);
    s = ScrollFor(385, 92, 500);
    EXPECT_EQ(s.max, 293);
    EXPECT_EQ(s.page, 92);
    EXPECT_EQ(s.value, 293);  // kept inside the range after the window grew

    const std::array<int, 4> wheels[] = {{92, 0, -120, 51}, {92, 20, 120, 0}, {92, 290, -240, 293}, {400, 0, -120, 0}};
    for (const auto& [visible, value, delta, expected] : wheels)
        EXPECT_EQ(WheelScroll(ScrollFor(385, visible, value), delta, 17), expected) << value << ", " << delta;

    // The focused row comes into sight by the least move: down to show its bottom, up to show
    // its top, not at all when it shows; a row taller than the space shows its top.
    const std::array<int, 5> shows[] = {{92, 0, 100, 117, 25},  {92, 60, 34, 51, 34},   {92, 30, 40, 57, 30},
                                        {92, 0, 200, 400, 200}, {92, 0, 370, 400, 293}, {400, 0, 370, 385, 0}};
    for (const auto& [visible, value, top, bottom, expected] : shows)
        EXPECT_EQ(ScrollToShow(ScrollFor(385, visible, value), top, bottom, visible), expected) << top << "-" << bottom;
}

// Both forms set their bar by one rule from the space the arrangement gives the panel: at the
// smallest window a panel scrolls a row per step, by the wheel and to the focused row.  The range,
// the page and the bar at the design size: tst_layout; the wheel's step and the panel's place:
// tst_options.
TEST(PanelScrolling, TheFormsBarFollowsTheArrangement) {
    using namespace geometry;
    const auto explanation = [](int) { return 26; };
    const FormArrangement a = ArrangeForm(kDesignWidth, MinimumFormHeight(explanation), explanation);
    const int small = ArrangePanelFrame({0, 0, a.tabFrame.width, a.tabFrame.height}).scrollBar.height;
    FakeSite site;
    VSC bar{site};
    bar.InitProperties();
    RenderPanelScroll(bar, Panel::Suite, small);
    EXPECT_EQ(bar.SmallChange(), kSuiteRowPitch);
    EXPECT_TRUE(WheelPanelScroll(bar, Panel::Suite, small, -120));
    EXPECT_FALSE(ScrollPanelToShow(bar, Panel::Suite, small, 3 * kSuiteRowPitch, 4 * kSuiteRowPitch));
    EXPECT_TRUE(ScrollPanelToShow(bar, Panel::Suite, small, kSuitePanelHeight - 20, kSuitePanelHeight));
    EXPECT_EQ(bar.Value(), bar.Max());
    RenderPanelScroll(bar, Panel::Microsoft, small);
    EXPECT_EQ(bar.SmallChange(), kMicrosoftRowPitch);
}

}  // namespace
}  // namespace dialog
