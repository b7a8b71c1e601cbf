#include "engine/form_required_controls.h"

#include <gtest/gtest.h>

#include <cctype>
#include <string>
#include <vector>

#include "tests/engine/test_support.h"

namespace tavkonv40 {
namespace {

using test::crlf;

class FormRequiredControlsTest : public ::testing::Test {
  protected:
    std::string checkBytes(const std::string& bytes) {
        return test::runStep(CheckFormRequiredControls, bytes, options, host, state);
    }
    std::string check(const std::vector<std::string>& lines) { return checkBytes(crlf(lines)); }

    const std::string& header(int slot, Edition e) const { return state.tables.header(slot, e); }

    FixedOptions options;
    test::RecordingHost host;
    RunState state;
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

}  // namespace
}  // namespace tavkonv40
