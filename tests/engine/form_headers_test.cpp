#include "engine/form_headers.h"

#include <gtest/gtest.h>

#include "tests/engine/test_support.h"

namespace tavkonv40 {
namespace {

using test::RecordingHost;

std::string convert(const std::string& bytes, const OptionsSource& options, RecordingHost& host) {
    return test::runStep(ConvertFormHeaders, bytes, options, host);
}

std::string convert(const std::string& bytes, const OptionsSource& options) {
    return test::runStep(ConvertFormHeaders, bytes, options);
}

std::string headerLine(const std::string& file) {
    return "Object = \"{11111111-2222-3333-4444-555555555555}#2.0#0\"; \"" + file + "\"";
}

const std::string& reference(int slot, Edition e) {
    static const ReferenceTables tables = BuildReferenceTables();
    return tables.header(slot, e);
}

constexpr int kButton = 0;

TEST(EndsWithQuotedName, MatchesOnlyTheExactQuotedNameAtTheEnd) {
    EXPECT_TRUE(EndsWithQuotedName("x; \"tavQVButton20.ocx\"", "tavQVButton20.ocx"));
    EXPECT_TRUE(EndsWithQuotedName("\"tavQVButton20.ocx\"", "tavQVButton20.ocx"));
    EXPECT_FALSE(EndsWithQuotedName("tavQVButton20.ocx\"", "tavQVButton20.ocx"));       // too short
    EXPECT_FALSE(EndsWithQuotedName("x \"tavQVButton20.ocx\" ", "tavQVButton20.ocx"));  // blank after
    EXPECT_FALSE(EndsWithQuotedName("x \"TAVQVButton20.ocx\"", "tavQVButton20.ocx"));   // case
    EXPECT_FALSE(EndsWithQuotedName("x \"mytavQVButton20.ocx\"", "tavQVButton20.ocx"));
    EXPECT_FALSE(EndsWithQuotedName("", "a"));
}

TEST(ConvertFormHeaders, LeavesUnknownNamesAndOtherLineFormsAlone) {
    FixedOptions o;
    o.selectAllFamilies(Edition::V40);
    const std::string in = "Object = \"{831FDD16-0C5C-11D2-A9FC-0000F8754DA1}#2.0#0\"; \"MSCOMCTL.OCX\"\r\n" +
                           headerLine("tavnxbutton20.ocx") + "\r\n"     // letter case differs
                           + headerLine("tavQVButton21.ocx") + "\r\n"   // edition not listed for Button
                           + headerLine("tavQVButton20.ocx") + " \r\n"  // blank after the quote
                           + "Object={11111111-2222-3333-4444-555555555555}#2.0#0; \"tavQVButton20.ocx\"\r\n" +
                           "' \"tavQVButton20.ocx\"\r\n";
    EXPECT_EQ(convert(in, o), in);
}

TEST(ConvertFormHeaders, KeywordIsFoundIgnoringCaseAnywhereInTheLine) {
    FixedOptions o;
    o.selectFamily(kButton, Edition::V40);
    EXPECT_EQ(convert("  oBJECT = \"x\"; \"tavQVButton.ocx\"", o), reference(kButton, Edition::V40));
}

TEST(ConvertFormHeaders, ShowsEveryLineAndStopsAtCancel) {
    FixedOptions o;
    o.selectFamily(kButton, Edition::V40);
    const std::string in = headerLine("tavQVButton20.ocx") + "\r\n" + headerLine("tavQVButton30.ocx") + "\r\n";

    RecordingHost shown;
    shown.recordStatus = true;
    convert(in, o, shown);
    ASSERT_EQ(shown.statuses.size(), 2u);
    EXPECT_EQ(shown.statuses[1], "Checking Line: 2  " + headerLine("tavQVButton30.ocx"));

    // Cancel after the first line: that line stays converted, the second is never looked at.
    RecordingHost host;
    host.recordStatus = true;
    host.cancelAtStatus = 1;
    EXPECT_EQ(convert(in, o, host),
              reference(kButton, Edition::V40) + "\r\n" + headerLine("tavQVButton30.ocx") + "\r\n");
    EXPECT_EQ(host.statuses.size(), 1u);
}

}  // namespace
}  // namespace tavkonv40
