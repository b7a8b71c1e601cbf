#include "platform/disk_file_system.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <limits.h>
#include <sys/wait.h>
#include <csignal>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>

#include "platform/room_text.h"
#include "tests/platform/disk_test_support.h"

namespace fs = std::filesystem;

namespace tavkonv40 {
namespace {

class DiskTest : public test::DiskFolderTest {
  protected:
    std::string get(const fs::path& p) { return disk.readFile(p.string()); }
    DiskFileSystem disk;
};

// A rewrite goes through a temporary beside the file, which must still fit beside the longest
// name a folder takes; a symbolic link stays a link, its target rewritten; setuid and setgid stay.
TEST_F(DiskTest, RewriteFitsTheLongestNameKeepsLinksAndSetidBits) {
    const std::string name = std::string(NAME_MAX - 4, 'n') + ".frm";
    put(root / name, "old");
    disk.writeFile((root / name).string(), "new");
    EXPECT_EQ(get(root / name), "new");
    disk.replaceFile((root / name).string(), "back", (root / name).string());
    EXPECT_EQ(get(root / name), "back");
    EXPECT_EQ(std::distance(fs::directory_iterator(root), fs::directory_iterator()), 1);

    put(root / "real.frm", "old");
    fs::create_symlink("real.frm", root / "link.frm");
    disk.writeFile((root / "link.frm").string(), "new");
    EXPECT_TRUE(fs::is_symlink(root / "link.frm"));
    EXPECT_EQ(get(root / "real.frm"), "new");

    put(root / "tool.frm", "old");
    fs::permissions(root / "tool.frm", fs::perms(06755));
    disk.writeFile((root / "tool.frm").string(), "new");
    EXPECT_EQ(fs::status(root / "tool.frm").permissions(), fs::perms(06755));
}

// What restore needs: the model's mode and time on the new file, a link replaced, not followed.
TEST_F(DiskTest, ReplaceTakesTheModelsModeAndTimeAndReplacesALinkInsteadOfWritingThroughIt) {
    put(root / "backup" / "a.frm", "original");
    fs::permissions(root / "backup" / "a.frm", fs::perms(0604));
    const auto old = fs::file_time_type::clock::now() - std::chrono::hours(24 * 30);
    fs::last_write_time(root / "backup" / "a.frm", old);
    put(root / "outside.frm", "outside");
    fs::create_symlink(root / "outside.frm", root / "a.frm");
    disk.replaceFile((root / "a.frm").string(), "original", (root / "backup" / "a.frm").string());
    EXPECT_FALSE(fs::is_symlink(root / "a.frm"));
    EXPECT_EQ(get(root / "a.frm"), "original");
    EXPECT_EQ(get(root / "outside.frm"), "outside");
    EXPECT_EQ(fs::status(root / "a.frm").permissions(), fs::perms(0604));
    EXPECT_EQ(fs::last_write_time(root / "a.frm"), old);
    disk.replaceFile((root / "new.frm").string(), "x", (root / "backup" / "a.frm").string());
    EXPECT_EQ(fs::status(root / "new.frm").permissions(), fs::perms(0604));
}

TEST_F(DiskTest, FifosAndDevicesAreRefusedWithoutBlockingAndSaySoInEntryInfo) {
    ASSERT_EQ(::mkfifo((root / "x.frm").c_str(), 0644), 0);
    fs::create_symlink("/dev/zero", root / "zero.frm");
    EXPECT_EQ(disk.entryInfo((root / "x.frm").string()).type, EntryType::Fifo);
    const EntryInfo link = disk.entryInfo((root / "zero.frm").string());
    EXPECT_EQ(link.type, EntryType::SymbolicLink);
    EXPECT_EQ(link.target, EntryType::Device);
    for (const char* name : {"x.frm", "zero.frm"}) {
        const auto e = test::fileErrorOf([&] { get(root / name); });
        ASSERT_TRUE(e) << name << " was read";
        EXPECT_NE(e->cause().find("not a regular file"), std::string::npos) << e->cause();
    }
    EXPECT_EQ(whyNotReadable(disk, (root / "zero.frm").string(), Links::Followed),
              "it is a symbolic link to a device, not a regular file");
    put(root / "big.frm", "");
    fs::resize_file(root / "big.frm", kLargestProjectFile + 1);  // sparse: takes no room
    EXPECT_NE(whyNotReadable(disk, (root / "big.frm").string(), Links::Refused).find("larger than 256 MB"),
              std::string::npos);
}

TEST_F(DiskTest, CopyKeepsWhatCpArchiveKeeps) {
    put(root / "src" / "a.frm", "a");
    put(root / "src" / "sub" / "b.ctl", "b");
    fs::create_symlink("/etc/hostname", root / "src" / "outside");
    fs::permissions(root / "src" / "a.frm", fs::perms(0604));
    fs::permissions(root / "src" / "sub", fs::perms(0750));
    const auto old = fs::file_time_type::clock::now() - std::chrono::hours(24 * 400);
    fs::last_write_time(root / "src" / "a.frm", old);
    {
        // Four megabytes of hole around one byte: the copy must not fill it in.
        std::ofstream sparse(root / "src" / "sparse.bin", std::ios::binary);
        sparse.seekp(4 << 20);
        sparse << 'x';
    }
    ASSERT_EQ(disk.copyFolder((root / "src").string(), (root / "copy").string(), {}), CopyOutcome::Complete);
    EXPECT_TRUE(fs::is_symlink(root / "copy" / "outside"));
    EXPECT_EQ(fs::status(root / "copy" / "a.frm").permissions(), fs::perms(0604));
    EXPECT_EQ(fs::status(root / "copy" / "sub").permissions(), fs::perms(0750));
    EXPECT_EQ(fs::last_write_time(root / "copy" / "a.frm"), old);
    EXPECT_EQ(get(root / "copy" / "sparse.bin"), std::string(4 << 20, '\0') + "x");
    struct stat st {};
    ASSERT_EQ(::stat((root / "copy" / "sparse.bin").c_str(), &st), 0);
    EXPECT_LT(st.st_blocks * 512, 1 << 20);
}

TEST_F(DiskTest, EntriesThatCannotBeCopiedAreNamedBeforeAndDuringTheCopy) {
    put(root / "src" / "a.frm", "a");
    fs::create_directories(root / "src" / "deep");
    ASSERT_EQ(::mkfifo((root / "src" / "deep" / "pipe").c_str(), 0600), 0);
    for (const auto& e :
         {test::fileErrorOf([&] { disk.checkFolderCopy((root / "src").string(), (root / "copy").string(), {}); }),
          test::fileErrorOf([&] { disk.copyFolder((root / "src").string(), (root / "copy").string(), {}); })}) {
        ASSERT_TRUE(e);
        EXPECT_EQ(e->path(), (root / "src" / "deep" / "pipe").string());
        EXPECT_NE(e->cause().find("named pipe"), std::string::npos);
    }
    // Left out, it no longer matters.
    const FolderCopy how{[](const std::string& n) { return n == "deep"; }, nullptr};
    EXPECT_NO_THROW(disk.checkFolderCopy((root / "src").string(), (root / "copy2").string(), how));
}

// Runs `body` in a child process as an ordinary user (nobody, when the test runs as root, who may
// remove anything): whether it returned true.
bool asOrdinaryUser(const std::function<bool()>& body) {
    const pid_t child = ::fork();
    if (child == 0) {
        if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) ::_exit(2);
        ::_exit(body() ? 0 : 1);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// A copy of a tree that holds read-only folders is read-only there too; a copy the run must
// throw away (stopped, failed, or left by a killed run) is removed all the same, or every later
// run on the folder would be refused for it.
TEST_F(DiskTest, ACopyWithReadOnlyFoldersIsRemovedByItsOwner) {
    put(root / "own" / "copy" / "docs" / "deeper" / "a.txt", "a");
    put(root / "own" / "copy" / "docs" / "b.txt", "b");
    if (::geteuid() == 0) {
        ASSERT_EQ(::chown((root / "own").c_str(), 65534, 65534), 0);
        for (const auto& p : fs::recursive_directory_iterator(root / "own"))
            ASSERT_EQ(::lchown(p.path().c_str(), 65534, 65534), 0);
    }
    fs::permissions(root / "own" / "copy" / "docs" / "deeper", fs::perms(0500));
    fs::permissions(root / "own" / "copy" / "docs", fs::perms(0555));
    const std::string copy = (root / "own" / "copy").string();
    EXPECT_TRUE(asOrdinaryUser([&] { return !test::fileErrorOf([&] { disk.removeFolder(copy); }); }));
    EXPECT_FALSE(fs::exists(root / "own" / "copy"));
}

// Tests run as root, who may read anything: only an ordinary user meets a file the copy cannot read,
// which must fail the copy and its check by name, never be passed over as if it were gone.
TEST_F(DiskTest, AnUnreadableFileFailsTheCopyAndItsCheckByName) {
    put(root / "src" / "a.frm", "a");
    put(root / "src" / "sub" / "secret.frm", "s");
    fs::permissions(root / "src" / "sub" / "secret.frm", fs::perms::none);
    fs::permissions(root, fs::perms::all);
    const std::string src = (root / "src").string(), secret = (root / "src" / "sub" / "secret.frm").string();
    const auto refusedByName = [&](const std::function<void()>& copy) {
        const auto e = test::fileErrorOf(copy);
        return e && e->path() == secret && e->cause() == "Permission denied";
    };
    EXPECT_TRUE(asOrdinaryUser([&] {
        return refusedByName([&] { disk.checkFolderCopy(src, (root / "c1").string(), {}); }) &&
               refusedByName([&] { disk.copyFolder(src, (root / "c2").string(), {}); });
    }));
}

// Rounded up for what is needed and down for what is free, so neither number says more than is so.
TEST(RoomText, SaysTrueNumbersBelowAndAboveAMegabyte) {
    EXPECT_EQ(roomText(620 * 1024 - 10, 404 * 1024 + 1000), "(the backup copy needs about 620 KB, 404 KB are free)");
    EXPECT_EQ(roomText((1 << 20) + 1, (1 << 20) - 1), "(the backup copy needs about 1.1 MB, 1023 KB are free)");
    EXPECT_EQ(roomText(std::uintmax_t{5} << 30, (std::uintmax_t{3} << 30) + (1 << 20)),
              "(the backup copy needs about 5.0 GB, 3.0 GB are free)");
}

// Something else at the lock's name is never waited on (a FIFO would block the open), followed or
// taken over: every command is refused at once, saying what is there and what to do.
TEST_F(DiskTest, ALockNameHeldByAnythingButALockFileIsRefusedAtOnce) {
    const std::string folder = root.string(), lock = (root / kLockFileName).string();
    const auto refusal = [&] {
        const auto e = test::fileErrorOf([&] { disk.lockFolder(folder); });
        return e ? e->cause() : std::string("taken");
    };
    ::alarm(20);  // a blocking open would hang here
    ASSERT_EQ(::mkfifo(lock.c_str(), 0644), 0);
    EXPECT_EQ(refusal(),
              lock + " is a named pipe (FIFO), not a lock this tool made; remove or rename it, then run again");
    EXPECT_EQ(disk.lockHolder(folder), 0);
    fs::remove(lock);
    put(root / "elsewhere", std::to_string(::getpid()) + "\n");
    fs::create_symlink(root / "elsewhere", lock);
    EXPECT_NE(refusal().find(" is a symbolic link, not a lock"), std::string::npos);
    ::alarm(0);
    EXPECT_EQ(get(root / "elsewhere"), std::to_string(::getpid()) + "\n");
}

// After a reboot, or in a restarted container, the id a killed run left in its lock may belong to
// another process: the lock is stale all the same. A run that holds it, however, is never passed
// over, and its lock is free the moment it is killed.
TEST_F(DiskTest, ALockIsHeldExactlyAsLongAsItsRunLives) {
    const std::string folder = root.string();
    put(root / kLockFileName, "1\n");  // a live process that holds no lock here
    ASSERT_TRUE(disk.lockFolder(folder).taken);
    disk.unlockFolder(folder);

    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    const pid_t child = ::fork();
    if (child == 0) {
        DiskFileSystem own;
        const char taken = own.lockFolder(folder).taken ? 'y' : 'n';
        [[maybe_unused]] const auto n = ::write(ready[1], &taken, 1);
        ::pause();
        ::_exit(0);
    }
    char taken = 0;
    ASSERT_EQ(::read(ready[0], &taken, 1), 1);
    EXPECT_EQ(taken, 'y');
    EXPECT_EQ(disk.lockHolder(folder), child);
    const FolderLock busy = disk.lockFolder(folder);
    EXPECT_FALSE(busy.taken);
    EXPECT_EQ(busy.holder, child);
    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);
    ::close(ready[0]);
    ::close(ready[1]);
    EXPECT_EQ(disk.lockHolder(folder), 0);  // the lock file of a killed run
    EXPECT_TRUE(disk.lockFolder(folder).taken);
    EXPECT_EQ(disk.lockHolder(folder), ::getpid());
    disk.unlockFolder(folder);
    EXPECT_EQ(disk.lockHolder(folder), 0);

    // Another user sharing the folder sees who holds it, and does not take it over.
    fs::permissions(root, fs::perms::all);
    ASSERT_TRUE(disk.lockFolder(folder).taken);
    EXPECT_TRUE(asOrdinaryUser([&] {
        DiskFileSystem other;
        const FolderLock lock = other.lockFolder(folder);
        return !lock.taken && lock.holder == ::getppid();
    }));
    disk.unlockFolder(folder);
}

}  // namespace
}  // namespace tavkonv40
