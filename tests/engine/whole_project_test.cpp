// Whole folders converted by one run: one with two forms, a user control and two projects compared
// byte for byte with the files it must give, and the example kept with LF line ends, which must
// convert exactly like its CR LF original, line ends aside.
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

}  // namespace
}  // namespace tavkonv40
