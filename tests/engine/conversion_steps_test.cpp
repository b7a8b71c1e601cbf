// The line rules of the header, Begin-line, declaration and project reference steps that the
// tables alone do not show (forms_table_driven_test runs every table row), and how every step
// shows its lines and stops at a cancel.
#include <gtest/gtest.h>

#include <set>

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

class ProjectReferencesTest : public ::testing::Test {
  protected:
    std::string run(void (*step)(StepContext&), const std::vector<std::string>& lines) {
        return test::runStep(step, crlf(lines), options, host, state);
    }
    const std::string& project(int slot, Edition e) const { return state.tables.project(slot, e); }

    FixedOptions options;
    test::RecordingHost host;
    RunState state;
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
