#include "engine/microsoft_controls.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "tests/engine/test_support.h"

namespace tavkonv40 {
namespace {

constexpr const char* kFontId = "{0BE35203-8F91-11CE-9DE3-00AA004BB851}";

using test::crlf;

class MicrosoftControlsTest : public ::testing::Test {
  protected:
    std::string convert(const std::vector<std::string>& lines) {
        return test::runStep(CheckFRMVBBODYForUpdate, crlf(lines), options, host, state);
    }

    FixedOptions options;
    test::RecordingHost host;
    RunState state;
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

}  // namespace
}  // namespace tavkonv40
