// Input that is not what a Visual Basic 6 file should be: the run finishes, and each file ends up
// as the rules make it, bytes never re-encoded.
#include <gtest/gtest.h>

#include <random>

#include "tests/engine/test_support.h"

namespace tavkonv40 {
namespace {

test::FolderRun runForm(const std::string& bytes) {
    FixedOptions options;
    options.selectAllFamilies(Edition::V40);
    options.selectAllMicrosoft(Edition::V40);
    return test::runFolder({{"X.frm", bytes}}, options);
}

std::string convertForm(const std::string& bytes) { return runForm(bytes).files.at("X.frm"); }

TEST(BadInput, EmptyFormIsLeftEmpty) { EXPECT_EQ(convertForm(""), ""); }

TEST(BadInput, FirstLineBecomesVersionWhateverItHeld) {
    // The required-references step always rewrites line 1; the backup keeps the original.
    EXPECT_EQ(convertForm("Not a form\r\nsecond\r\n"), "VERSION 5.00\r\n\r\nsecond\r\n");
    EXPECT_EQ(convertForm("single line, no end"), "VERSION 5.00\r\n");
}

TEST(BadInput, LoneLineEndsNulAndHighBytesSurvive) {
    const std::string tail = std::string("a\0b\rc\xff\xfe\x80\nd", 11);
    const std::string out = convertForm("VERSION 5.00\n" + tail);
    EXPECT_EQ(out, "VERSION 5.00\n\n" + tail);
}

TEST(BadInput, ConvertsLinesInsideOtherwiseOddFiles) {
    const std::string in = std::string("VERSION 5.00\r\n\xC4\xD6\0\r\n", 18) +
                           "Object = \"{3F2A9C41-7B0E-4D1A-9E55-2C8B6F104A11}#1.0#0\"; \"tavQVButton20.ocx\"";
    const std::string out = convertForm(in);
    EXPECT_EQ(out.find("tavQVButton20"), std::string::npos);
    EXPECT_EQ(out.substr(14, 5), std::string("\r\n\xC4\xD6\0", 5));
    EXPECT_EQ(out.back(), '"') << "still no final line end";
}

TEST(BadInput, RandomBinaryAndHugeLinesFinish) {
    std::mt19937 rng(5);
    for (int round = 0; round < 30; ++round) {
        std::string bytes(1 + rng() % 20000, '\0');
        for (char& c : bytes) c = static_cast<char>(rng());
        // Salt with the words the steps look for, so their paths are taken.
        for (const char* w : {"Begin VB.TextBox x\r\n", "MultiLine\n", " tavQVButton20 ", "End\r", "Object={",
                              "BeginProperty Font\r\n", "\"tavQVButton20.ocx\"\r\n"})
            bytes.insert(rng() % bytes.size(), w);
        const auto run = runForm(bytes);
        EXPECT_TRUE(run.host.errors.empty());
        EXPECT_EQ(run.host.log.back(), "Conversion complete.5:49:20 PM");
    }
    const std::string huge = "VERSION 5.00\r\n" + std::string(1 << 20, 'x') + " tavQVButton20.QVButton20\r\n";
    const std::string out = convertForm(huge);
    EXPECT_EQ(out.size(), huge.size() + 2);  // one empty line after VERSION 5.00
    EXPECT_NE(out.find(" tavQVButton40.QVButton20"), std::string::npos);
}

}  // namespace
}  // namespace tavkonv40
