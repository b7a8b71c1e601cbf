#include "engine/project_references.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "engine/project_reference_names.h"
#include "tests/engine/test_support.h"

namespace tavkonv40 {
namespace {

using test::crlf;

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

}  // namespace
}  // namespace tavkonv40
