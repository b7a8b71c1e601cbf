#include "engine/form_body.h"

#include <gtest/gtest.h>

#include "tests/engine/test_support.h"

namespace tavkonv40 {
namespace {

using test::RecordingHost;

std::string convert(const std::string& bytes, const OptionsSource& options) {
    return test::runStep(ConvertFormBody, bytes, options);
}

// One Begin line converted with only `slot` selected at edition e.
std::string convertLine(const std::string& line, int slot, Edition e) {
    FixedOptions o;
    o.selectFamily(slot, e);
    return convert(line, o);
}

constexpr int kButton = 0, kSpin = 34, kCalendar = 3;

TEST(SpliceClassToken, ReplacesTheFirstOccurrenceAndKeepsTheRest) {
    EXPECT_EQ(SpliceClassToken("  Begin a.b X Begin a.b", "40L", "Begin a.b", "Begin lib", ".Cls"),
              "  Begin lib40L.Cls40L X Begin a.b");
    EXPECT_EQ(SpliceClassToken("Begin a.b X", "40", "Begin a.b", "Begin lib", ".Cls", ClassSuffix::Omit),
              "Begin lib40.Cls X");
    EXPECT_EQ(SpliceClassToken("nothing", "40", "Begin a.b", "Begin lib", ".Cls"), "nothing");
}

TEST(ConvertFormBody, RecognisesOnlyTheListedEditions) {
    // The 4.0 calendar is listed under tavQVStyleCalendar only (unlisted Grid and Button
    // editions: FormSteps.AFileWithNothingToConvertStaysByteIdentical).
    const std::string calendar = "Begin tavQVCalendar40.QVCalendar40 C";
    EXPECT_EQ(convertLine(calendar, kCalendar, Edition::V40L), calendar);
    EXPECT_EQ(convertLine("Begin tavQVStyleCalendar40.QVCalendar40 C", kCalendar, Edition::V40L),
              "Begin tavQVCalendar40L.QVCalendar40L C");
    // BeginProperty lines and other letter case pass the first test and fail every token.
    const std::string other = "BeginProperty Font\r\nbegin tavQVButton20.QVButton20 X\r\n";
    EXPECT_EQ(convertLine(other, kButton, Edition::V40), other);
}

TEST(ConvertFormBody, EveryFamilyIsTriedAndEachRewriteStartsFromTheLineAsRead) {
    // Two families in one line: the later family's rewrite replaces the earlier one's.
    FixedOptions o;
    o.selectFamily(kButton, Edition::V40L);
    o.selectFamily(kSpin, Edition::V40L);
    EXPECT_EQ(convert("Begin tavQVButton20.QVButton20 Begin tavQVSpin20.QVSpin20", o),
              "Begin tavQVButton20.QVButton20 Begin tavQVSpin40L.QVSpin40L");
}

TEST(ConvertFormBody, CancelBeforeTheStepLeavesTheFileAlone) {
    FixedOptions o;
    o.selectAllFamilies(Edition::V40);
    TextFile file("Begin tavQVButton20.QVButton20 B\r\n");
    RecordingHost host;
    host.cancel = true;
    RunState state;
    StepContext ctx{file, o, host, state};
    ConvertFormBody(ctx);
    EXPECT_FALSE(file.changed());
}

}  // namespace
}  // namespace tavkonv40
