// Whole folders converted by one run: one with two forms, a user control and two projects compared
// byte for byte with the files it must give, the example kept with LF line ends, which must
// convert exactly like its CR LF original, line ends aside, and input that is not what a Visual
// Basic 6 file should be: the run finishes, and each file ends up as the rules make it, bytes
// never re-encoded.
#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <string>

#include "tests/engine/test_support.h"
#include "tests/platform/disk_test_support.h"

namespace fs = std::filesystem;

namespace tavkonv40 {
namespace {

const fs::path kData = fs::path(__FILE__).parent_path().parent_path() / "data" / "whole_project";

TEST(WholeProject, FormsUserControlAndProjectsAreConvertedAsExpected) {
    std::map<std::string, std::string> input;
    for (const auto& entry : fs::directory_iterator(kData / "input"))
        if (entry.path().filename().string().front() != '.')
            input[entry.path().filename().string()] = test::readFile(entry.path());
    ASSERT_EQ(input.size(), 5u) << kData;

    FixedOptions options;
    // Microsoft options Button, Check/Option, Combo, Date/Time Picker, Frame, Label, ListView, Slider
    // and Text; List, Progress, Scroll and UpDown stay as they are.
    const std::pair<int, Edition> microsoft[] = {{0, Edition::V40},  {1, Edition::V40L}, {2, Edition::V40L},
                                                 {3, Edition::V40L}, {4, Edition::V40},  {5, Edition::V40},
                                                 {7, Edition::V40},  {10, Edition::V40}, {11, Edition::V40L}};
    for (const auto& [index, edition] : microsoft) options.selectMicrosoft(index, edition);
    options.selectFamily(0, Edition::V40);    // Button
    options.selectFamily(10, Edition::V40L);  // Grid: 4.0 only, so 4.0 all the same
    options.selectFamily(2, Edition::V40L);   // Balloons: referenced nowhere

    const auto run = test::runFolder(input, options);
    EXPECT_EQ(run.result.ending, RunEnding::Completed);
    EXPECT_TRUE(run.host.errors.empty());

    for (const auto& [name, bytes] : run.files) EXPECT_EQ(bytes, test::readFile(kData / "expected" / name)) << name;
}

std::string toLf(const std::string& s) {
    std::string out;
    out.reserve(s.size());
    for (std::size_t i = 0; i < s.size(); ++i)
        if (!(s[i] == '\r' && i + 1 < s.size() && s[i + 1] == '\n')) out += s[i];
    return out;
}

std::map<std::string, std::string> exampleFiles() {
    std::map<std::string, std::string> files;
    const fs::path dir = fs::path(__FILE__).parent_path().parent_path().parent_path() / "examples" / "OrderDesk";
    for (const auto& e : fs::directory_iterator(dir)) files[e.path().filename().string()] = test::readFile(e.path());
    return files;
}

TEST(LineEnds, LfFolderConvertsLikeItsCrLfOriginal) {
    const auto original = exampleFiles();
    ASSERT_FALSE(original.empty());
    std::mt19937 rng(2026);
    for (int round = 0; round < 40; ++round) {
        // Shuffle the example's lines into new forms, so the property is tried on many shapes.
        std::map<std::string, std::string> crlf = original;
        if (round > 0) {
            for (auto& [name, bytes] : crlf) {
                std::vector<std::string> lines;
                std::size_t b = 0;
                for (std::size_t e; (e = bytes.find("\r\n", b)) != std::string::npos; b = e + 2)
                    lines.push_back(bytes.substr(b, e - b));
                std::shuffle(lines.begin() + 1, lines.end(), rng);
                lines.resize(1 + rng() % lines.size());
                bytes.clear();
                for (const auto& l : lines) bytes += l + "\r\n";
                if (rng() % 4 == 0) bytes.resize(bytes.size() - 2);  // no final line end
            }
        }
        std::map<std::string, std::string> lf;
        for (const auto& [name, bytes] : crlf) lf[name] = toLf(bytes);

        FixedOptions options;
        options.selectAllFamilies(round % 2 ? Edition::V40L : Edition::V40);
        options.selectAllMicrosoft(round % 3 ? Edition::V40 : Edition::V40L);
        const auto a = test::runFolder(crlf, options).files;
        const auto b = test::runFolder(lf, options).files;
        for (const auto& [name, bytes] : a) {
            ASSERT_EQ(b.at(name), toLf(bytes)) << name << " in round " << round;
            if (crlf.at(name).find('\n') != std::string::npos) {
                ASSERT_EQ(b.at(name).find('\r'), std::string::npos) << name;
            }
        }
    }
}

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
    EXPECT_EQ(convertForm("VERSION 5.00\n" + tail), "VERSION 5.00\n\n" + tail);
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
