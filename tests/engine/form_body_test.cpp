#include "form_body.h"

#include <gtest/gtest.h>

#include "test_support.h"

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

constexpr int kButton = 0, kPList = 28, kProgress = 26, kSideBarMenu = 32, kSlider = 33, kSpin = 34,
              kUpDn = 41, kGrid = 10, kCalendar = 3;

TEST(SpliceClassToken, ReplacesTheFirstOccurrenceAndKeepsTheRest) {
    EXPECT_EQ(SpliceClassToken("  Begin a.b X Begin a.b", "40L", "Begin a.b", "Begin lib", ".Cls"),
              "  Begin lib40L.Cls40L X Begin a.b");
    EXPECT_EQ(SpliceClassToken("Begin a.b X", "40", "Begin a.b", "Begin lib", ".Cls", ClassSuffix::Omit),
              "Begin lib40.Cls X");
    EXPECT_EQ(SpliceClassToken("nothing", "40", "Begin a.b", "Begin lib", ".Cls"), "nothing");
}

TEST(ConvertFormBody, RenamesLibraryAndClassKeepingIndentAndControlName) {
    const std::string in = "   Begin tavQVButton20T.QVButton20T Command1\r\n";
    EXPECT_EQ(convertLine(in, kButton, Edition::V40), "   Begin tavQVButton40.QVButton40 Command1\r\n");
    EXPECT_EQ(convertLine(in, kButton, Edition::V40L), "   Begin tavQVButton40L.QVButton40L Command1\r\n");
    EXPECT_EQ(convertLine("Begin tavQVButton40B.QVButton40 B", kButton, Edition::V40),
              "Begin tavQVButton40.QVButton40 B");
    EXPECT_EQ(convert(in, FixedOptions{}), in);
}

TEST(ConvertFormBody, ClassReorganisationsFollowTheTargetEdition) {
    EXPECT_EQ(convertLine("Begin tavQVSpin20.QVSpin20 S", kSpin, Edition::V40), "Begin tavQVSpin40.QVVSpin40 S");
    EXPECT_EQ(convertLine("Begin tavQVSpin20.QVSpin20 S", kSpin, Edition::V40L), "Begin tavQVSpin40L.QVSpin40L S");
    EXPECT_EQ(convertLine("Begin tavQVSpin40.QVHSpin40 S", kSpin, Edition::V40), "Begin tavQVSpin40.QVHSpin40 S");
    EXPECT_EQ(convertLine("Begin tavQVSpin40.QVHSpin40 S", kSpin, Edition::V40L), "Begin tavQVSpin40L.QVSpin40L S");
    EXPECT_EQ(convertLine("Begin tavQVProgress30.ProgressWait30 P", kProgress, Edition::V40),
              "Begin tavQVProgress40.ProgressHWait40 P");
    EXPECT_EQ(convertLine("Begin tavQVProgress30.ProgressWait30 P", kProgress, Edition::V40L),
              "Begin tavQVProgress40L.QVProgressWait40L P");
    // The 20T single up-down becomes horizontal, the 20 one vertical.
    EXPECT_EQ(convertLine("Begin tavQVUpDn20T.QVUpDn20T U", kUpDn, Edition::V40), "Begin tavQVUpDn40.QVHUpDn40 U");
    EXPECT_EQ(convertLine("Begin tavQVUpDn20.QVUpDn20 U", kUpDn, Edition::V40), "Begin tavQVUpDn40.QVVUpDn40 U");
}

TEST(ConvertFormBody, NamesThatLeaveTheNamingRule) {
    EXPECT_EQ(convertLine("Begin tavQVSideBarMenu20.QVStaticLabel L", kSideBarMenu, Edition::V40),
              "Begin tavQVSMB40.QVStaticLabel L");
    EXPECT_EQ(convertLine("Begin tavQVSideBarMenu20.QVSideMenu20 M", kSideBarMenu, Edition::V40L),
              "Begin tavQVSMB40L.QVSideMenu40L M");
    EXPECT_EQ(convertLine("Begin tavQVPList20.PropertyList P", kPList, Edition::V40), "Begin tavQVPList40.QVPList40 P");
    EXPECT_EQ(convertLine("Begin tavQVPList20.ColorPicker20 C", kPList, Edition::V40),
              "Begin tavQVPList40.ColorPicker40 C");
    EXPECT_EQ(convertLine("Begin tavQVSliderT.tavHSlider20T H", kSlider, Edition::V40L),
              "Begin tavQVSlider40L.tavHSlider40L H");
}

TEST(ConvertFormBody, RecognisesOnlyTheListedEditions) {
    // Grid knows only its 4.0 token; the 4.0 calendar is listed under tavQVStyleCalendar only.
    const std::string grid = "Begin tavQVGrid30.QVGrid30 G";
    EXPECT_EQ(convertLine(grid, kGrid, Edition::V40), grid);
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
