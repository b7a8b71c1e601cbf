// Whole files on disk, for the tests that run the real binary.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace tavkonv40::test {

inline std::string readFile(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void writeFile(const std::filesystem::path& p, const std::string& bytes) {
    std::ofstream(p, std::ios::binary) << bytes;
}

// An empty folder of the running test's own in the temporary folder ("tavkonv40-KIND-PID-TEST").
inline std::filesystem::path freshTestFolder(const std::string& kind) {
    const auto root =
        std::filesystem::temp_directory_path() / ("tavkonv40-" + kind + "-" + std::to_string(::getpid()) + "-" +
                                                  ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::remove_all(root);
    std::filesystem::create_directories(root);
    return root;
}

}  // namespace tavkonv40::test
