// A folder with two forms, a user control and two projects, converted by one run and compared
// byte for byte with the files it must give.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "tests/engine/test_support.h"
#include "tests/platform/disk_test_support.h"

namespace tavkonv40 {
namespace {

const std::filesystem::path kData =
    std::filesystem::path(__FILE__).parent_path().parent_path() / "data" / "whole_project";

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

    for (const auto& [name, bytes] : run.files) EXPECT_EQ(bytes, test::readFile(kData / "expected" / name)) << name;
}

}  // namespace
}  // namespace tavkonv40
