// A folder with two forms, a user control and two projects, converted by one run and compared
// line by line with the files it must give.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/engine/test_support.h"
#include "tests/platform/disk_test_support.h"

namespace tavkonv40 {
namespace {

const std::filesystem::path kData =
    std::filesystem::path(__FILE__).parent_path().parent_path() / "data" / "whole_project";

std::vector<std::string> splitCrLf(const std::string& bytes) {
    std::vector<std::string> lines;
    std::size_t begin = 0;
    for (auto brk = bytes.find("\r\n"); brk != std::string::npos; brk = bytes.find("\r\n", begin)) {
        lines.push_back(bytes.substr(begin, brk - begin));
        begin = brk + 2;
    }
    lines.push_back(bytes.substr(begin));
    return lines;
}

TEST(WholeProject, FormsUserControlAndProjectsAreConvertedAsExpected) {
    std::map<std::string, std::string> input;
    for (const auto& entry : std::filesystem::directory_iterator(kData / "input"))
        if (entry.path().filename().string().front() != '.')
            input[entry.path().filename().string()] = test::readFile(entry.path());
    ASSERT_EQ(input.size(), 5u) << kData;

    FixedOptions options;
    options.selectMicrosoft(0, Edition::V40);    // Button
    options.selectMicrosoft(1, Edition::V40L);   // Check/Option
    options.selectMicrosoft(2, Edition::V40L);   // Combo
    options.selectMicrosoft(3, Edition::V40L);   // Date/Time Picker
    options.selectMicrosoft(4, Edition::V40);    // Frame
    options.selectMicrosoft(5, Edition::V40);    // Label
    options.selectMicrosoft(7, Edition::V40);    // ListView
    options.selectMicrosoft(10, Edition::V40);   // Slider
    options.selectMicrosoft(11, Edition::V40L);  // Text
    // List, Progress, Scroll and UpDown stay as they are.
    options.selectFamily(0, Edition::V40);    // Button
    options.selectFamily(10, Edition::V40L);  // Grid: 4.0 only, so 4.0 all the same
    options.selectFamily(2, Edition::V40L);   // Balloons: referenced nowhere

    const auto run = test::runFolder(input, options);
    EXPECT_EQ(run.result.ending, RunEnding::Completed);
    EXPECT_TRUE(run.host.errors.empty());

    for (const auto& [name, bytes] : run.files) {
        SCOPED_TRACE(name);
        const auto want = splitCrLf(test::readFile(kData / "expected" / name));
        const auto got = splitCrLf(bytes);
        for (std::size_t i = 0; i < std::min(want.size(), got.size()); ++i)
            ASSERT_EQ(got[i], want[i]) << "line " << i + 1;
        ASSERT_EQ(got.size(), want.size());
    }
}

}  // namespace
}  // namespace tavkonv40
