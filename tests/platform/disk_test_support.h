// Whole files and folders on disk, for the tests that run the real binary.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <string>

#include "engine/file_system.h"

namespace tavkonv40::test {

inline std::string readFile(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Makes the folders the file goes in first.
inline void writeFile(const std::filesystem::path& p, const std::string& bytes) {
    if (p.has_parent_path()) std::filesystem::create_directories(p.parent_path());
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

// The error of type E (a FileError unless named) that `f` throws, if it throws one.
template <typename E = FileError, typename F>
std::optional<E> errorOf(F f) {
    try {
        f();
    } catch (const E& e) {
        return e;
    }
    return std::nullopt;
}

// A folder of the test's own on disk, removed afterwards even where the test took its owner's
// permissions away.
class DiskFolderTest : public ::testing::Test {
  protected:
    void SetUp() override { root = freshTestFolder("disk"); }
    void TearDown() override {
        std::error_code ec;
        std::filesystem::permissions(root, std::filesystem::perms::owner_all, std::filesystem::perm_options::add, ec);
        std::filesystem::remove_all(root, ec);
    }
    void put(const std::filesystem::path& p, const std::string& bytes) { writeFile(p, bytes); }

    std::filesystem::path root;
};

// Every entry under `root` by its path relative to it: a file's bytes (for one over a megabyte,
// such as a huge sparse one, its size and time), a link's target (never followed), "folder" or
// "special". The dated backups a run adds are left out unless asked for.
inline std::map<std::string, std::string> snapshot(const std::filesystem::path& root, bool withBackups = false) {
    namespace fs = std::filesystem;
    std::map<std::string, std::string> s;
    for (auto it = fs::recursive_directory_iterator(root); it != fs::recursive_directory_iterator(); ++it) {
        const std::string rel = fs::relative(it->path(), root).string();
        const auto status = it->symlink_status();
        if (!withBackups && it->path().filename().string().rfind("Nexaria Conversion Backup ", 0) == 0) {
            it.disable_recursion_pending();
            continue;
        }
        if (fs::is_symlink(status))
            s[rel] = "-> " + fs::read_symlink(it->path()).string();
        else if (fs::is_regular_file(status) && it->file_size() > (1u << 20))
            s[rel] = std::to_string(it->file_size()) + " bytes, written " +
                     std::to_string(it->last_write_time().time_since_epoch().count());
        else if (fs::is_regular_file(status))
            s[rel] = readFile(it->path());
        else
            s[rel] = fs::is_directory(status) ? "folder" : "special";
    }
    return s;
}

}  // namespace tavkonv40::test
