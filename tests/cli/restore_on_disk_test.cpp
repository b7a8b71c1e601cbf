// Restore on a POSIX disk: what a folder it has to make again gets from the backup.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "platform/disk_file_system.h"
#include "tests/cli/cli_test_support.h"

namespace tavkonv40 {
namespace {

namespace fs = std::filesystem;

// Permission bits as the backup holds them, a read-only folder's too (its files go in first), the
// setgid bit of a shared folder, and the owner where the restore may give it (root).
TEST(RestoreOnDisk, AFolderMadeAgainGetsTheBackupsPermissionBitsAndOwner) {
    const fs::path root = test::freshTestFolder("restore-modes");
    const fs::path backup = root / "Nexaria Conversion Backup 01.01.2026 08.00.00";
    test::writeFile(backup / "A.frm", "original A");
    test::writeFile(backup / "shared" / "frozen" / "B.frm", "original B");
    test::writeFile(backup / "private" / "C.frm", "original C");
    test::writeFile(root / "A.frm", "converted A");
    const bool asRoot = ::geteuid() == 0;
    if (asRoot) {
        ASSERT_EQ(::chown((backup / "private").c_str(), 65534, 65534), 0);
    }
    fs::permissions(backup / "private", fs::perms(0700));
    fs::permissions(backup / "shared", fs::perms(02770));
    fs::permissions(backup / "shared" / "frozen", fs::perms(0555));

    DiskFileSystem disk;
    test::FixedClock clock;
    const std::atomic<bool> cancel{false};
    const auto r = test::invoke(disk, clock, cancel, {"restore", root.string()});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(test::readFile(root / "shared" / "frozen" / "B.frm"), "original B");
    EXPECT_EQ(test::readFile(root / "private" / "C.frm"), "original C");
    EXPECT_EQ(fs::status(root / "private").permissions(), fs::perms(0700));
    EXPECT_EQ(fs::status(root / "shared").permissions(), fs::perms(02770));
    EXPECT_EQ(fs::status(root / "shared" / "frozen").permissions(), fs::perms(0555));
    struct stat st {};
    ASSERT_EQ(::stat((root / "private").c_str(), &st), 0);
    if (asRoot) {
        EXPECT_EQ(st.st_uid, 65534u);
    }

    for (const fs::path& p : {root / "shared" / "frozen", backup / "shared" / "frozen"})
        fs::permissions(p, fs::perms::owner_all, fs::perm_options::add);
    fs::remove_all(root);
}

}  // namespace
}  // namespace tavkonv40
