// The line rules of every conversion step that the tables alone do not show
// (catalogue_test runs every table row), and how every step shows its lines and stops at
// a cancel.
#include <gtest/gtest.h>

#include <cctype>
#include <map>
#include <set>
#include <utility>

#include "engine/code_declarations.h"
#include "engine/form_body.h"
#include "engine/form_headers.h"
#include "engine/form_required_controls.h"
#include "engine/microsoft_controls.h"
#include "engine/project_reference_names.h"
#include "engine/project_references.h"
#include "tests/engine/test_support.h"

namespace tavkonv40 {
namespace {

using test::crlf;

using StepFn = void (*)(StepContext&);
constexpr int kButton = 0, kCalendar = 3, kSpin = 34;

std::string convertLine(StepFn step, const std::string& line, int slot, Edition e) {
    FixedOptions o;
    o.selectFamily(slot, e);
    return test::runStep(step, line, o);
}

std::string objectLine(const std::string& file) {
    return "Object = \"{11111111-2222-3333-4444-555555555555}#2.0#0\"; \"" + file + "\"";
}

TEST(ConvertFormHeaders, KeywordInAnyCaseAnywhereButTheNameExactlyAtTheEnd) {
    FixedOptions o;
    o.selectAllFamilies(Edition::V40);
    const std::string in = "Object = \"{831FDD16-0C5C-11D2-A9FC-0000F8754DA1}#2.0#0\"; \"MSCOMCTL.OCX\"\r\n" +
                           objectLine("tavnxbutton20.ocx") + "\r\n"     // letter case differs
                           + objectLine("tavQVButton21.ocx") + "\r\n"   // edition not listed for Button
                           + objectLine("tavQVButton20.ocx") + " \r\n"  // blank after the quote
                           + "Object={11111111-2222-3333-4444-555555555555}#2.0#0; \"tavQVButton20.ocx\"\r\n" +
                           "' \"tavQVButton20.ocx\"\r\n";
    EXPECT_EQ(test::runStep(ConvertFormHeaders, in, o), in);
    EXPECT_EQ(convertLine(ConvertFormHeaders, "  oBJECT = \"x\"; \"tavQVButton.ocx\"", kButton, Edition::V40),
              test::headerLine("Button", Edition::V40));
}

TEST(SpliceClassToken, ReplacesTheFirstOccurrenceAndKeepsTheRest) {
    EXPECT_EQ(SpliceClassToken("  Begin a.b X Begin a.b", "40L", "Begin a.b", "Begin lib", ".Cls"),
              "  Begin lib40L.Cls40L X Begin a.b");
    EXPECT_EQ(SpliceClassToken("Begin a.b X", "40", "Begin a.b", "Begin lib", ".Cls", ClassSuffix::Omit),
              "Begin lib40.Cls X");
    EXPECT_EQ(SpliceClassToken("nothing", "40", "Begin a.b", "Begin lib", ".Cls"), "nothing");
}

TEST(ConvertFormBody, OnlyListedEditionsAndEachRewriteStartsFromTheLineAsRead) {
    // The 4.0 calendar is listed under tavQVStyleCalendar only (unlisted Grid and Button
    // editions: FormSteps.AFileWithNothingToConvertStaysByteIdentical).
    const std::string calendar = "Begin tavQVCalendar40.QVCalendar40 C";
    EXPECT_EQ(convertLine(ConvertFormBody, calendar, kCalendar, Edition::V40L), calendar);
    EXPECT_EQ(convertLine(ConvertFormBody, "Begin tavQVStyleCalendar40.QVCalendar40 C", kCalendar, Edition::V40L),
              "Begin tavQVCalendar40L.QVCalendar40L C");
    // BeginProperty lines and other letter case pass the first test and fail every token.
    const std::string other = "BeginProperty Font\r\nbegin tavQVButton20.QVButton20 X\r\n";
    EXPECT_EQ(convertLine(ConvertFormBody, other, kButton, Edition::V40), other);
    // Two families in one line: the later family's rewrite replaces the earlier one's.
    FixedOptions o;
    o.selectFamily(kButton, Edition::V40L);
    o.selectFamily(kSpin, Edition::V40L);
    EXPECT_EQ(test::runStep(ConvertFormBody, "Begin tavQVButton20.QVButton20 Begin tavQVSpin20.QVSpin20", o),
              "Begin tavQVButton20.QVButton20 Begin tavQVSpin40L.QVSpin40L");
}

TEST(CheckEVENTSForUpdate, ABlankBeforeTheNameTheFirstFamilyAndTheFirstOccurrence) {
    FixedOptions all;
    all.selectAllFamilies(Edition::V40L);
    const std::string unblanked =
        "tavQVButton20.x\r\nf(tavQVButton20.x)\r\nx\ttavQVButton20\r\n\"tavQVButton20.ocx\"\r\n";
    EXPECT_EQ(test::runStep(CheckEVENTSForUpdate, unblanked, all), unblanked);
    const std::string converted = "   Begin tavQVButton40L.QVButton40L B1\r\nDim b As tavQVButton40L.QVButton40L\r\n";
    EXPECT_EQ(test::runStep(CheckEVENTSForUpdate, converted, all), converted);

    const std::string two = "Sub F(a As tavQVCalendar20.QVCalendar20, b As tavQVButton20.QVButton20)";
    FixedOptions calendarOnly;
    calendarOnly.selectFamily(kCalendar, Edition::V40);
    EXPECT_EQ(test::runStep(CheckEVENTSForUpdate, two, calendarOnly), two);  // Button is tried first
    FixedOptions both = calendarOnly;
    both.selectFamily(kButton, Edition::V40L);
    EXPECT_EQ(test::runStep(CheckEVENTSForUpdate, two, both),
              "Sub F(a As tavQVCalendar20.QVCalendar20, b As tavQVButton40L.QVButton20)");

    EXPECT_EQ(
        convertLine(CheckEVENTSForUpdate, "Dim a As tavQVButton20.X, b As tavQVButton20.Y", kButton, Edition::V40),
        "Dim a As tavQVButton40.X, b As tavQVButton20.Y");
    // The earlier occurrence without a blank before it is the one replaced.
    EXPECT_EQ(convertLine(CheckEVENTSForUpdate, "x(tavQVButton20) As tavQVButton20.Y", kButton, Edition::V40),
              "x(tavQVButton40) As tavQVButton20.Y");
}

TEST(ProjectFamilyNames, EachFamilyOnceWithItsCatalogueOptionAndNoNameEndingAnotherFamilys) {
    std::set<int> slots;
    for (const auto& f : projectFamilyNames()) {
        slots.insert(f.slot);
        EXPECT_EQ(f.optionIndex, familyBySlot(f.slot).optionIndex) << familyBySlot(f.slot).label;
        EXPECT_FALSE(f.names[0].empty());
        for (const auto name : f.names) {
            if (name.empty()) continue;
            // The step skips lines not ending in ".ocx" before it tries the families.
            EXPECT_TRUE(name.ends_with(".ocx")) << name;
            for (const auto& other : projectFamilyNames()) {
                if (other.slot == f.slot) continue;
                for (const auto o : other.names) {
                    if (o.empty()) continue;
                    EXPECT_FALSE(o.ends_with(name)) << o << " ends with " << name;
                }
            }
        }
    }
    EXPECT_EQ(slots.size(), static_cast<std::size_t>(kFamilyCount));
}

// A step over lines in memory, with the options and the run's state a test gives it.
class StepTest : public ::testing::Test {
  protected:
    std::string run(StepFn step, const std::vector<std::string>& lines) {
        return test::runStep(step, crlf(lines), options, host, state);
    }

    FixedOptions options;
    test::RecordingHost host;
    RunState state;
};

class ProjectReferencesTest : public StepTest {
  protected:
    const std::string& project(int slot, Edition e) const { return state.tables.project(slot, e); }
};

TEST_F(ProjectReferencesTest, RecognisedLinesOfSelectedFamiliesBecomeTheChosenEditionsLine) {
    options.selectFamily(0, Edition::V40);    // Button
    options.selectFamily(22, Edition::V40L);  // MText
    options.selectFamily(10, Edition::V40L);  // Grid, which has 4.0 only
    const std::vector<std::string> in{"Type=Exe",
                                      "Object={11111111-2222-3333-4444-555555555555}#2.0#0; tavQVButton20.ocx",
                                      "Object={11111111-2222-3333-4444-555555555555}#2.0#0; tavQVButton20.ocx ",
                                      "object={11111111-2222-3333-4444-555555555555}#1.0#0; tavQVMultiLineText30.ocx",
                                      "Object={11111111-2222-3333-4444-555555555555}#1.0#0; tavQVGrid30.ocx",
                                      "Object={11111111-2222-3333-4444-555555555555}#1.0#0; tavQVCalendar20.ocx",
                                      "Object={11111111-2222-3333-4444-555555555555}#1.0#0; tavqvbutton20.ocx",
                                      "Form=Form1.frm"};
    auto want = in;
    want[1] = project(0, Edition::V40);
    want[3] = project(22, Edition::V40L);  // "Object=" is found in any letter case
    want[4] = project(10, Edition::V40);
    // A trailing blank, an unselected family and a name in another case are not recognised.
    EXPECT_EQ(run(ConvertProjectObjects, in), crlf(want));
}

TEST_F(ProjectReferencesTest, ProjectListsAreTheirOwnNotTheCataloguesStems) {
    // NumberPicker and ColorPicker lines as the catalogue writes them are not project names.
    options.selectAllFamilies(Edition::V40);
    const std::vector<std::string> in{project(23, Edition::V40), project(4, Edition::V40),
                                      "Object={A}#1.0#0; tavQVNP40.ocx"};
    EXPECT_EQ(run(ConvertProjectObjects, in), crlf({in[0], in[1], project(23, Edition::V40)}));
}

TEST_F(ProjectReferencesTest, NeededLinesGoAfterTheLastObjectLineFollowedByAnEmptyLine) {
    options.selectMicrosoft(1, Edition::V40);
    options.selectMicrosoft(11, Edition::V40L);
    state.projectNeedsLibrary[11] = true;
    state.projectNeedsLibrary[1] = true;
    const std::vector<std::string> in{"Type=Exe", "Reference=*\\G{0}#2.0#0#stdole2.tlb#OLE Automation",
                                      "Object={A}#1.0#0; one.ocx", "OBJECT={B}#1.0#0; two.ocx", "Form=Form1.frm"};
    EXPECT_EQ(run(CheckProjectRequiredControls, in),
              crlf({in[0], in[1], in[2], in[3], project(31, Edition::V40), project(38, Edition::V40L), "", in[4]}));
}

TEST_F(ProjectReferencesTest, APresentLineClearsItsFlagForTheRestOfTheRunButAddingDoesNot) {
    state.projectNeedsLibrary[0] = true;
    const auto& button = project(0, Edition::V40);
    const std::vector<std::string> lacking{"Object={A}#1.0#0; one.ocx", "Form=F.frm"};
    const auto given = crlf({lacking[0], button, "", lacking[1]});
    EXPECT_EQ(run(CheckProjectRequiredControls, lacking), given);
    EXPECT_EQ(run(CheckProjectRequiredControls, lacking), given);
    EXPECT_TRUE(state.projectNeedsLibrary[0]);
    // A project holding it still gains an empty line after its last "Object=" line.
    EXPECT_EQ(run(CheckProjectRequiredControls, {button, "Form=F.frm"}), crlf({button, "", "Form=F.frm"}));
    EXPECT_FALSE(state.projectNeedsLibrary[0]);
    EXPECT_EQ(run(CheckProjectRequiredControls, lacking), crlf({lacking[0], "", lacking[1]}));
}

constexpr const char* kFontId = "{0BE35203-8F91-11CE-9DE3-00AA004BB851}";

class MicrosoftControlsTest : public StepTest {
  protected:
    std::string convert(const std::vector<std::string>& lines) { return run(CheckFRMVBBODYForUpdate, lines); }
};

// The option button (4.0L), the frame and the label (4.0) as WholeProject's forms show them.
TEST_F(MicrosoftControlsTest, EveryControlOfTheTableGetsItsLibraryAndClass) {
    struct Case {
        const char* line;
        int option;
        Edition edition;
        const char* converted;
    };
    const Case cases[] = {
        {"Begin VB.CheckBox c", 1, Edition::V40, "Begin tavQVSelection40.QVCheckBox40 c"},
        {"Begin VB.TextBox c", 11, Edition::V40, "Begin tavQVText40.QVText40 c"},
        {"Begin MSComctlLib.Slider c", 10, Edition::V40L, "Begin tavQVSlider40L.tavHSlider40L c"},
        {"Begin VB.VScrollBar c", 9, Edition::V40, "Begin tavQVScroll40.QVVScroll40 c"},
        {"Begin VB.HScrollBar c", 9, Edition::V40L, "Begin tavQVScroll40L.QVHScroll40L c"},
        {"Begin VB.CommandButton c", 0, Edition::V40L, "Begin tavQVButton40L.QVButton40L c"},
        {"Begin VB.ComboBox c", 2, Edition::V40, "Begin tavQVCombo40.QVCombo40 c"},
        {"Begin MSComctlLib.ListView c", 7, Edition::V40L, "Begin tavQVListView40L.QVListView40L c"},
        {"Begin MSComctlLib.ProgressBar c", 8, Edition::V40, "Begin tavQVProgress40.ProgressBar40 c"},
        {"Begin MSComCtl2.UpDown c", 12, Edition::V40L, "Begin tavQVUpDn40L.QVUpDn40L c"},
        {"Begin MSComCtl2.DTPicker c", 3, Edition::V40, "Begin tavQVDatePicker40.QVDatePicker40 c"},
        {"Begin VB.ListBox c", 6, Edition::V40L, "Begin tavQVListControl40L.tavQVList40L c"},
    };
    for (const auto& c : cases) {
        options = FixedOptions();
        state = RunState();
        options.selectMicrosoft(c.option, c.edition);
        EXPECT_EQ(convert({std::string("   ") + c.line, "   End"}), crlf({std::string("   ") + c.converted, "   End"}));
        for (int i = 0; i < kMicrosoftOptionCount; ++i) {
            const auto k = static_cast<std::size_t>(i);
            EXPECT_EQ(state.formNeedsLibrary[k] && state.projectNeedsLibrary[k], i == c.option)
                << c.line << " option " << i;
        }
    }
}

TEST_F(MicrosoftControlsTest, UnselectedUnknownAndOtherCaseBeginLinesStayAsTheyAre) {
    options.selectMicrosoft(0, Edition::V40);
    const std::vector<std::string> form{"begin vb.commandbutton c1", "End", "Begin VB.PictureBox p1", "End",
                                        "Begin VB.HScrollBar h1",    "End"};
    EXPECT_EQ(convert(form), crlf(form));
    EXPECT_FALSE(state.formNeedsLibrary[9]);
    EXPECT_FALSE(state.projectNeedsLibrary[0]);
}

// A form's lines before the step, and the lines the step changes (by index) with the options given.
struct Rewrite {
    const char* what;
    std::vector<std::pair<int, Edition>> selected;
    std::vector<std::string> lines;
    std::map<std::size_t, std::string> changed;
};

void PrintTo(const Rewrite& r, std::ostream* os) { *os << r.what; }

class MicrosoftControlRewrites : public ::testing::TestWithParam<Rewrite> {};

TEST_P(MicrosoftControlRewrites, ChangeOnlyTheLinesTheRulesName) {
    const auto& r = GetParam();
    FixedOptions options;
    for (const auto& [option, edition] : r.selected) options.selectMicrosoft(option, edition);
    auto want = r.lines;
    for (const auto& [index, line] : r.changed) want[index] = line;
    EXPECT_EQ(test::runStep(CheckFRMVBBODYForUpdate, crlf(r.lines), options), crlf(want));
}

const std::vector<std::pair<int, Edition>> kButtonScrollListView{
    {0, Edition::V40L}, {9, Edition::V40}, {7, Edition::V40}};

// The rules WholeProject's forms show are not repeated here: a font line given the identifier with
// its indentation, one that has it already, a caption "End", a frame's first child's font.
INSTANTIATE_TEST_SUITE_P(
    FontLines, MicrosoftControlRewrites,
    ::testing::Values(
        Rewrite{"scroll bars' fonts are not touched",
                kButtonScrollListView,
                {"Begin VB.VScrollBar v", "BeginProperty Font", "EndProperty", "End"},
                {{0, "Begin tavQVScroll40.QVVScroll40 v"}}},
        Rewrite{"the list view's font line becomes its default item font",
                kButtonScrollListView,
                {"Begin MSComctlLib.ListView lv", "  BeginProperty Font trailing", "  EndProperty", "End"},
                {{0, "Begin tavQVListView40.QVListView40 lv"},
                 {1, std::string("  BeginProperty DefaultItemFont ") + kFontId}}},
        Rewrite{"the scan of a button passes EndProperty lines; that of a date picker stops at them",
                {{0, Edition::V40}, {3, Edition::V40}},
                {"Begin VB.CommandButton b", "   BeginProperty Picture", "   EndProperty", "   BeginProperty Font",
                 "   EndProperty", "End", "Begin MSComCtl2.DTPicker d", "   BeginProperty Picture", "   EndProperty",
                 "   BeginProperty Font", "   EndProperty", "End"},
                {{0, "Begin tavQVButton40.QVButton40 b"},
                 {3, std::string("   BeginProperty Font ") + kFontId},
                 {6, "Begin tavQVDatePicker40.QVDatePicker40 d"}}}));

INSTANTIATE_TEST_SUITE_P(
    LookAhead, MicrosoftControlRewrites,
    ::testing::Values(
        // txtLast's MultiLine look stops at its own End and does not see txtOther's property.
        Rewrite{"a multi-line text box becomes the multi-line control with an empty text",
                {{11, Edition::V40}},
                {"   Begin VB.TextBox txtNotes", "      Height          =   975", "      MultiLine       =   -1  'True",
                 "      Text            =   \"Form1.frx\":0000", "   End", "   Begin VB.TextBox txtName",
                 "      Text            =   \"Smith\"", "   End", "   Begin VB.TextBox txtLast",
                 "      Text            =   \"Jones\"", "   End", "   Begin VB.TextBox txtOther",
                 "      MultiLine       =   -1  'True", "   End"},
                {{0, "   Begin tavQVMultiLineText40.QVMultiLineText40 txtNotes"},
                 {3, "      Text            =   \"\""},
                 {5, "   Begin tavQVText40.QVText40 txtName"},
                 {8, "   Begin tavQVText40.QVText40 txtLast"},
                 {11, "   Begin tavQVMultiLineText40.QVMultiLineText40 txtOther"}}},
        Rewrite{"slider orientation is looked for up to the next Begin, even past its End",
                {{10, Edition::V40L}},
                {"Begin MSComctlLib.Slider s1", "   Orientation = 1", "End", "Begin MSComctlLib.Slider s2", "End",
                 "Begin MSComctlLib.Slider s3", "End", "Begin VB.Timer t", "   Orientation in a later control's block",
                 "End", "Begin MSComctlLib.Slider s4", "End", "Attribute VB_Name = \"F\"",
                 "' Orientation is set at run time"},
                {{0, "Begin tavQVSlider40L.tavVSlider40L s1"},
                 {3, "Begin tavQVSlider40L.tavHSlider40L s2"},
                 {5, "Begin tavQVSlider40L.tavHSlider40L s3"},
                 {10, "Begin tavQVSlider40L.tavVSlider40L s4"}}}));

class FormRequiredControlsTest : public StepTest {
  protected:
    std::string checkBytes(const std::string& bytes) {
        return test::runStep(CheckFormRequiredControls, bytes, options, host, state);
    }
    std::string check(const std::vector<std::string>& lines) { return run(CheckFormRequiredControls, lines); }
    const std::string& header(int slot, Edition e) const { return state.tables.header(slot, e); }

    const std::vector<std::string> form{"VERSION 5.00", "Begin VB.Form Form1", "End"};
};

TEST_F(FormRequiredControlsTest, ALinePresentInAnyCaseClearsTheFlagAndOnlyTheEmptyLineIsAdded) {
    state.formNeedsLibrary[0] = true;
    std::string lower = header(0, Edition::V40);
    for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    EXPECT_EQ(check({"VERSION 5.00", lower, "Begin VB.Form Form1", "End"}),
              crlf({"VERSION 5.00", "", lower, "Begin VB.Form Form1", "End"}));
    EXPECT_FALSE(state.formNeedsLibrary[0]);
}

TEST_F(FormRequiredControlsTest, TheOtherEditionsLineDoesNotCount) {
    state.formNeedsLibrary[0] = true;
    const auto& light = header(0, Edition::V40L);
    EXPECT_EQ(check({"VERSION 5.00", light, "Begin VB.Form Form1"}),
              crlf({"VERSION 5.00", header(0, Edition::V40), "", light, "Begin VB.Form Form1"}));
}

TEST_F(FormRequiredControlsTest, EveryRunAddsAnotherEmptyLineAndLineOneIsReplacedWhateverItHeld) {
    const auto once = check(form);
    EXPECT_EQ(once, crlf({"VERSION 5.00", "", "Begin VB.Form Form1", "End"}));
    EXPECT_EQ(checkBytes(once), crlf({"VERSION 5.00", "", "", "Begin VB.Form Form1", "End"}));
    EXPECT_EQ(check({"VERSION 6.00", "Begin VB.Form Form1"}), crlf({"VERSION 5.00", "", "Begin VB.Form Form1"}));
    // Without a final line break the form still gets exactly one empty line.
    EXPECT_EQ(checkBytes(std::string("VERSION 5.00\r\nBegin VB.Form Form1")),
              "VERSION 5.00\r\n\r\nBegin VB.Form Form1");
    // An empty file is left alone, with no line 1 to replace.
    state.formNeedsLibrary[0] = true;
    EXPECT_EQ(checkBytes(std::string()), "");
    EXPECT_TRUE(state.formNeedsLibrary[0]);
}

// The header may stand anywhere in any line, beside other object lines and in any case.
TEST_F(FormRequiredControlsTest, AHeaderCountsWhereverItStandsAmongOtherObjectLines) {
    const auto required = [&](int option) {
        return state.tables.header(options.microsoftSlot(option), options.microsoftEdition(option));
    };
    state.formNeedsLibrary[0] = state.formNeedsLibrary[1] = state.formNeedsLibrary[2] = true;
    std::string upper = required(2);
    for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    const std::vector<std::string> lines{
        "VERSION 5.00",        "Object = \"{00000000-0000-0000-0000-000000000000}#1.0#0\"; \"x.ocx\"",
        "Begin VB.Form Form1", "' kept: " + required(1) + " (see above)",
        "x = 1: " + upper,     "End"};
    std::vector<std::string> expected = lines;
    expected[0] = "VERSION 5.00\r\n" + required(0) + "\r\n";
    EXPECT_EQ(check(lines), crlf(expected));
    EXPECT_TRUE(state.formNeedsLibrary[0]);
    EXPECT_FALSE(state.formNeedsLibrary[1]);
    EXPECT_FALSE(state.formNeedsLibrary[2]);
}

// A step shows each line it checks and, asked to cancel, stops before the next line: what it
// changed so far stays (a Microsoft control it started is finished), nothing after it changes.
TEST(ConversionSteps, EachShowsItsLinesAndStopsAtACancel) {
    using Prepare = void (*)(FixedOptions&, RunState&);
    // The step's result on `lines` when the status of line `cancelAtStatus` asks for a cancel (0:
    // asked before the step), and the first `statuses` lines shown, in full.
    const auto expectStep = [](const char* step, StepFn run, Prepare prepare, const std::vector<std::string>& lines,
                               std::size_t cancelAtStatus, const std::vector<std::string>& expected,
                               std::size_t statuses) {
        SCOPED_TRACE(step);
        FixedOptions options;
        RunState state;
        prepare(options, state);
        test::RecordingHost host;
        host.recordStatus = true;
        host.cancel = cancelAtStatus == 0;
        host.cancelAtStatus = cancelAtStatus;
        EXPECT_EQ(test::runStep(run, crlf(lines), options, host, state), crlf(expected));
        ASSERT_EQ(host.statuses.size(), statuses);
        for (std::size_t i = 0; i < statuses; ++i)
            EXPECT_EQ(host.statuses[i], "Checking Line: " + std::to_string(i + 1) + "  " + lines[i]);
    };
    const Prepare button = [](FixedOptions& o, RunState&) { o.selectFamily(kButton, Edition::V40); };
    const Prepare needsButton = [](FixedOptions&, RunState& s) {
        s.formNeedsLibrary[0] = s.projectNeedsLibrary[0] = true;
    };
    const std::string h20 = objectLine("tavQVButton20.ocx"), h30 = objectLine("tavQVButton30.ocx");
    const std::string h40 = test::headerLine("Button", Edition::V40), p20 = "Object={A}#1.0#0; tavQVButton.ocx";
    const std::string font = "   BeginProperty Font {0BE35203-8F91-11CE-9DE3-00AA004BB851}";
    expectStep("headers", ConvertFormHeaders, button, {h20, h30, h20}, 2, {h40, h40, h20}, 2);
    expectStep("declarations", CheckEVENTSForUpdate, button, {"Dim a As tavQVButton20.X", "Dim b As tavQVButton20.X"},
               1, {"Dim a As tavQVButton40.X", "Dim b As tavQVButton20.X"}, 1);
    expectStep("project objects", ConvertProjectObjects, button, {p20, "Type=Exe", p20}, 2,
               {test::projectLine("Button", Edition::V40), "Type=Exe", p20}, 2);
    expectStep(
        "Microsoft controls", CheckFRMVBBODYForUpdate,
        [](FixedOptions& o, RunState&) { o.selectMicrosoft(0, Edition::V40); },
        {"Begin VB.CommandButton a", "   BeginProperty Font", "   EndProperty", "End", "Begin VB.CommandButton b",
         "End"},
        1, {"Begin tavQVButton40.QVButton40 a", font, "   EndProperty", "End", "Begin VB.CommandButton b", "End"}, 1);
    expectStep(
        "Begin lines", ConvertFormBody, [](FixedOptions& o, RunState&) { o.selectAllFamilies(Edition::V40); },
        {"Begin tavQVButton20.QVButton20 B"}, 0, {"Begin tavQVButton20.QVButton20 B"}, 0);
    expectStep("form references", CheckFormRequiredControls, needsButton, {"VERSION 5.00", "Begin VB.Form F", "End"}, 0,
               {"VERSION 5.00", "Begin VB.Form F", "End"}, 0);
    expectStep("project references", CheckProjectRequiredControls, needsButton,
               {"Object={A}#1.0#0; one.ocx", "Form=F.frm"}, 0, {"Object={A}#1.0#0; one.ocx", "Form=F.frm"}, 0);
}

}  // namespace
}  // namespace tavkonv40
