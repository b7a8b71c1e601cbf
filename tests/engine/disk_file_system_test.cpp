#include "disk_file_system.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "../cli/disk_test_support.h"

namespace fs = std::filesystem;

namespace tavkonv40 {
namespace {

class DiskTest : public ::testing::Test {
protected:
    void SetUp() override { root = test::freshTestFolder("disk"); }
    void TearDown() override {
        std::error_code ec;
        fs::permissions(root, fs::perms::owner_all, fs::perm_options::add, ec);
        fs::remove_all(root, ec);
    }
    void put(const fs::path& p, const std::string& bytes) {
        fs::create_directories(p.parent_path());
        std::ofstream(p, std::ios::binary) << bytes;
    }
    std::string get(const fs::path& p) { return disk.readFile(p.string()); }

    fs::path root;
    DiskFileSystem disk;
};

TEST_F(DiskTest, WriteReplacesContentKeepsModeAndLeavesNoTemporaryFile) {
    put(root / "a.frm", "old");
    fs::permissions(root / "a.frm", fs::perms(0640));
    disk.writeFile((root / "a.frm").string(), "new\r\n");
    EXPECT_EQ(get(root / "a.frm"), "new\r\n");
    EXPECT_EQ(fs::status(root / "a.frm").permissions(), fs::perms(0640));
    EXPECT_EQ(std::distance(fs::directory_iterator(root), fs::directory_iterator()), 1);
}

TEST_F(DiskTest, ReadOnlyFileIsRefusedEvenForRoot) {
    put(root / "ro.frm", "keep");
    fs::permissions(root / "ro.frm", fs::perms(0444));
    EXPECT_THROW(disk.writeFile((root / "ro.frm").string(), "x"), FileError);
    EXPECT_EQ(get(root / "ro.frm"), "keep");
}

TEST_F(DiskTest, SymbolicLinkStaysALinkAndItsTargetIsRewritten) {
    put(root / "real.frm", "old");
    fs::create_symlink("real.frm", root / "link.frm");
    disk.writeFile((root / "link.frm").string(), "new");
    EXPECT_TRUE(fs::is_symlink(root / "link.frm"));
    EXPECT_EQ(get(root / "real.frm"), "new");
}

TEST_F(DiskTest, ReadingADirectoryOrAMissingFileNamesTheCause) {
    fs::create_directories(root / "dir.frm");
    try {
        disk.readFile((root / "dir.frm").string());
        FAIL();
    } catch (const FileError& e) {
        EXPECT_EQ(e.cause(), "Is a directory");
    }
    EXPECT_THROW(disk.readFile((root / "gone.frm").string()), FileError);
    EXPECT_THROW(disk.listFolder((root / "nowhere").string()), FileError);
}

TEST_F(DiskTest, CopyKeepsLinksAsLinksAndMoveWorksAcrossFileSystems) {
    put(root / "src" / "a.frm", "a");
    put(root / "src" / "sub" / "b.ctl", "b");
    fs::create_symlink("/etc/hostname", root / "src" / "outside");
    disk.copyFolder((root / "src").string(), (root / "copy").string());
    EXPECT_EQ(get(root / "copy" / "sub" / "b.ctl"), "b");
    EXPECT_TRUE(fs::is_symlink(root / "copy" / "outside"));

    struct stat a {}, b {};
    const fs::path other = "/dev/shm";
    if (::stat(root.c_str(), &a) != 0 || ::stat(other.c_str(), &b) != 0 || a.st_dev == b.st_dev)
        GTEST_SKIP() << "no second file system to move across";
    const fs::path far = other / ("tavkonv40-move-" + std::to_string(::getpid()));
    fs::remove_all(far);
    disk.moveFolder((root / "copy").string(), far.string());
    EXPECT_FALSE(fs::exists(root / "copy"));
    EXPECT_EQ(get(far / "sub" / "b.ctl"), "b");
    EXPECT_TRUE(fs::is_symlink(far / "outside"));
    disk.moveFolder(far.string(), (root / "back").string());
    EXPECT_EQ(get(root / "back" / "a.frm"), "a");
    EXPECT_THROW(disk.moveFolder((root / "src").string(), (root / "back").string()), FileError);
}

}  // namespace
}  // namespace tavkonv40
