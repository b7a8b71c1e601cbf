#include "engine/code_declarations.h"

#include <gtest/gtest.h>

#include "tests/engine/test_support.h"

namespace tavkonv40 {
namespace {

using test::RecordingHost;

std::string convert(const std::string& bytes, const OptionsSource& options, RecordingHost& host) {
    return test::runStep(CheckEVENTSForUpdate, bytes, options, host);
}

std::string convert(const std::string& bytes, const OptionsSource& options) {
    return test::runStep(CheckEVENTSForUpdate, bytes, options);
}

std::string convertLine(const std::string& line, int slot, Edition e) {
    FixedOptions o;
    o.selectFamily(slot, e);
    return convert(line, o);
}

constexpr int kButton = 0, kCalendar = 3;

TEST(CheckEVENTSForUpdate, NeedsABlankBeforeTheName) {
    FixedOptions o;
    o.selectAllFamilies(Edition::V40L);
    const std::string in = "tavQVButton20.x\r\nf(tavQVButton20.x)\r\nx\ttavQVButton20\r\n\"tavQVButton20.ocx\"\r\n";
    EXPECT_EQ(convert(in, o), in);
}

TEST(CheckEVENTSForUpdate, TheFirstFamilyFoundDecidesTheLine) {
    const std::string in = "Sub F(a As tavQVCalendar20.QVCalendar20, b As tavQVButton20.QVButton20)";
    FixedOptions calendarOnly;
    calendarOnly.selectFamily(kCalendar, Edition::V40);
    EXPECT_EQ(convert(in, calendarOnly), in);  // Button is tried first and is not selected
    FixedOptions both = calendarOnly;
    both.selectFamily(kButton, Edition::V40L);
    EXPECT_EQ(convert(in, both), "Sub F(a As tavQVCalendar20.QVCalendar20, b As tavQVButton40L.QVButton20)");
}

TEST(CheckEVENTSForUpdate, ReplacesTheFirstOccurrenceOfTheBareName) {
    EXPECT_EQ(convertLine("Dim a As tavQVButton20.X, b As tavQVButton20.Y", kButton, Edition::V40),
              "Dim a As tavQVButton40.X, b As tavQVButton20.Y");
    // The earlier occurrence without a blank before it is the one replaced.
    EXPECT_EQ(convertLine("x(tavQVButton20) As tavQVButton20.Y", kButton, Edition::V40),
              "x(tavQVButton40) As tavQVButton20.Y");
}

TEST(CheckEVENTSForUpdate, LinesAlreadyAtTheTargetAndConvertedBeginLinesStayTheSame) {
    FixedOptions o;
    o.selectAllFamilies(Edition::V40L);
    const std::string in = "   Begin tavQVButton40L.QVButton40L B1\r\nDim b As tavQVButton40L.QVButton40L\r\n";
    EXPECT_EQ(convert(in, o), in);
}

TEST(CheckEVENTSForUpdate, ShowsEveryLineAndStopsAtCancel) {
    FixedOptions o;
    o.selectFamily(kButton, Edition::V40);
    const std::string in = "Dim a As tavQVButton20.X\nDim b As tavQVButton20.X\n";
    RecordingHost host;
    host.recordStatus = true;
    host.cancelAtStatus = 1;
    EXPECT_EQ(convert(in, o, host), "Dim a As tavQVButton40.X\nDim b As tavQVButton20.X\n");
    ASSERT_EQ(host.statuses.size(), 1u);
    EXPECT_EQ(host.statuses[0], "Checking Line: 1  Dim a As tavQVButton20.X");
}

}  // namespace
}  // namespace tavkonv40
