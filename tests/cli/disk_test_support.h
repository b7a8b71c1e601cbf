// Whole files on disk, for the tests that run the real binary.
#pragma once

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

}  // namespace tavkonv40::test
