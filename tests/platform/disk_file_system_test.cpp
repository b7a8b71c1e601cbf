// The POSIX disk store's own behaviour: rewrites, links, FIFOs and devices, the backup copy, the
// lock, and extended attributes and ACLs. What every store does is in file_store_contract_test.cpp.
#include "platform/disk_file_system.h"

#include <gtest/gtest.h>
#include <limits.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <array>
#include <chrono>
#include <csignal>
#include <cstdint>
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
        const auto e = test::errorOf([&] { get(root / name); });
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
         {test::errorOf([&] { disk.checkFolderCopy((root / "src").string(), (root / "copy").string(), {}); }),
          test::errorOf([&] { disk.copyFolder((root / "src").string(), (root / "copy").string(), {}); })}) {
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
    EXPECT_TRUE(asOrdinaryUser([&] { return !test::errorOf([&] { disk.removeFolder(copy); }); }));
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
        const auto e = test::errorOf(copy);
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
        const auto e = test::errorOf([&] { disk.lockFolder(folder); });
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

// Extended attributes and POSIX ACLs: kept through a rewrite, the backup copy and a restore, and
// one warning per file where the receiving file system refuses them.

// An ACL with an entry for one more user (user:nobody:rw-) over group::r--, in the kernel's form
// of the system.posix_acl_access attribute: a version word, then tag, permissions and id per entry.
std::string aclGivingNobodyReadWrite() {
    std::string acl;
    const auto add = [&acl](std::uint32_t word) { acl.append(reinterpret_cast<const char*>(&word), 4); };
    add(2);  // version
    for (const auto [tag, perm, id] : {std::array<std::uint32_t, 3>{0x01, 6, ~0u},
                                       {0x02, 6, 65534},
                                       {0x04, 4, ~0u},
                                       {0x10, 6, ~0u},
                                       {0x20, 0, ~0u}}) {
        add(tag | perm << 16);
        add(id);
    }
    return acl;
}

// The attributes a test looks at, as the kernel gives them back ("" when absent).
std::string attribute(const fs::path& p, const char* name) {
    std::string value(4096, '\0');
    const ssize_t n = ::getxattr(p.c_str(), name, value.data(), value.size());
    value.resize(n < 0 ? 0 : static_cast<std::size_t>(n));
    return value;
}

// What `cp -a` keeps: the ACL (which would otherwise turn group::r-- into the mask's rw-) and the
// extended attributes (a Samba share keeps a file's Windows attributes in user.DOSATTRIB), on the
// rewritten file, on both files and folders of the backup copy, and on what is put back from it.
TEST_F(DiskTest, AclsAndExtendedAttributesAreKeptThroughRewriteCopyAndRestore) {
    put(root / "src" / "sub" / "a.frm", "old");
    const fs::path file = root / "src" / "sub" / "a.frm", folder = root / "src" / "sub";
    const std::string acl = aclGivingNobodyReadWrite();
    for (const auto& p : {file, folder}) {
        if (::setxattr(p.c_str(), "user.DOSATTRIB", "0x20", 4, 0) != 0 ||
            ::setxattr(p.c_str(), "system.posix_acl_access", acl.data(), acl.size(), 0) != 0)
            GTEST_SKIP() << "no extended attributes or ACLs here";
    }
    const auto keeps = [&](const fs::path& p, const fs::path& model) {
        EXPECT_EQ(attribute(p, "user.DOSATTRIB"), "0x20") << p;
        EXPECT_EQ(attribute(p, "system.posix_acl_access"), attribute(model, "system.posix_acl_access")) << p;
        EXPECT_EQ(fs::status(p).permissions(), fs::status(model).permissions()) << p;
    };
    const std::string original = attribute(file, "system.posix_acl_access");
    disk.writeFile(file.string(), "new");
    keeps(file, folder);
    EXPECT_EQ(attribute(file, "system.posix_acl_access"), original);
    ASSERT_EQ(disk.copyFolder((root / "src").string(), (root / "copy").string(), {}), CopyOutcome::Complete);
    keeps(root / "copy" / "sub" / "a.frm", file);
    keeps(root / "copy" / "sub", folder);
    disk.replaceFile(file.string(), "back", (root / "copy" / "sub" / "a.frm").string());
    disk.replaceFile((root / "src" / "b.frm").string(), "new", (root / "copy" / "sub" / "a.frm").string());
    keeps(file, root / "copy" / "sub" / "a.frm");
    keeps(root / "src" / "b.frm", file);
    fs::create_directory(root / "again");
    disk.giveFolderAttributes((root / "again").string(), (root / "copy" / "sub").string());
    keeps(root / "again", folder);
    EXPECT_TRUE(disk.takeWarnings().empty());
}

// A copy onto a file system without extended attributes (ramfs, mounted in a mount namespace of the
// test's own) is made all the same, with one warning per file that names it and what was lost.
TEST_F(DiskTest, AttributesTheCopysFileSystemRefusesAreOneWarningPerFile) {
    put(root / "src" / "a.frm", "a");
    put(root / "src" / "b.frm", "b");
    fs::create_directory(root / "ram");
    if (::setxattr((root / "src" / "a.frm").c_str(), "user.DOSATTRIB", "0x20", 4, 0) != 0)
        GTEST_SKIP() << "no extended attributes here";
    const pid_t child = ::fork();
    if (child == 0) {
        if (::unshare(CLONE_NEWNS) != 0 || ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
            ::mount("none", (root / "ram").c_str(), "ramfs", 0, nullptr) != 0)
            ::_exit(77);
        const std::string copy = (root / "ram" / "copy").string();
        const bool copied = disk.copyFolder((root / "src").string(), copy, {}) == CopyOutcome::Complete;
        const auto warnings = disk.takeWarnings();
        ::_exit(copied && disk.readFile(copy + "/a.frm") == "a" &&
                        warnings == std::vector<std::string>{copy + "/a.frm: its extended attributes (user.DOSATTRIB) "
                                                                    "were not kept: the file system there does not "
                                                                    "support them"}
                    ? 0
                    : 1);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    if (WIFEXITED(status) && WEXITSTATUS(status) == 77) GTEST_SKIP() << "no mount namespace for this test";
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
}

}  // namespace
}  // namespace tavkonv40
