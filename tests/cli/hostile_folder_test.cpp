// Folders a user may point the tool at by mistake or that hold odd entries, through the real
// binary: each case ends with the expected exit status and message, never hangs or aborts, and
// leaves every byte in the folder (and outside it) as it was, unless the case says otherwise.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <thread>
#include <vector>

#include "platform/disk_file_system.h"
#include "tests/cli/cli_test_support.h"
#include "tests/platform/disk_test_support.h"

namespace fs = std::filesystem;

namespace {

using tavkonv40::test::readFile;
using tavkonv40::test::snapshot;
using tavkonv40::test::writeFile;

struct Outcome {
    int status = -1;  // the exit status; 128 + the signal when one ended the run
    std::string out, err;
};

// Runs the real binary to its end, under `memoryLimit` bytes of address space when given and with
// `environment` set, and returns what it printed: standard output and standard error go through
// files beside `scratch`, so that a test reads every byte whatever the binary does with its
// streams. Stopped after ten seconds, so that a hang fails the test instead of blocking it.
Outcome runProgram(std::vector<std::string> args, const fs::path& scratch, rlim_t memoryLimit = 0,
                   const std::map<std::string, std::string>& environment = {}) {
    const fs::path outFile = scratch.string() + ".out", errFile = scratch.string() + ".err";
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::alarm(10);
        for (const auto& [k, v] : environment) ::setenv(k.c_str(), v.c_str(), 1);
        if (memoryLimit) {
            const rlimit limit{memoryLimit, memoryLimit};
            ::setrlimit(RLIMIT_AS, &limit);
        }
        if (!std::freopen(outFile.c_str(), "w", stdout) || !std::freopen(errFile.c_str(), "w", stderr)) ::_exit(126);
        std::vector<char*> argv{const_cast<char*>(TAVKONV40_BINARY)};
        for (auto& a : args) argv.push_back(a.data());
        argv.push_back(nullptr);
        ::execv(TAVKONV40_BINARY, argv.data());
        ::_exit(127);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    Outcome o;
    o.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    o.out = readFile(outFile);
    o.err = readFile(errFile);
    fs::remove(outFile);
    fs::remove(errFile);
    return o;
}

const std::string kForm =
    "VERSION 5.00\r\nBegin VB.Form F\r\n   Begin tavQVButton20.QVButton20 cmd\r\n   End\r\nEnd\r\n";
const std::string kBackup = "Nexaria Conversion Backup 01.02.2026 09.03.07";

// Runs the binary with `args` ("F" begins paths in the test's folder), under `memoryLimit` bytes
// when given.
Outcome runBinary(const fs::path& root, const fs::path& folder, std::vector<std::string> args, rlim_t memoryLimit = 0) {
    for (auto& a : args)
        if (a == "F" || a.rfind("F/", 0) == 0) a = folder.string() + a.substr(1);
    return runProgram(args, root / "out", memoryLimit);
}

bool underSanitizer() {
#if defined(__SANITIZE_ADDRESS__)
    return true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
    return true;
#endif
#endif
    return false;
}

struct Case {
    const char* name;
    std::function<void(const fs::path& folder)> setUp;
    std::vector<std::string> args;
    int status;
    std::string message;  // expected in standard error
    bool unchanged = true;
    rlim_t memoryLimit = 0;
};

// What the cases put into the folder.
void aForm(const fs::path& f) { writeFile(f / "A.frm", kForm); }
void aFifo(const fs::path& f) { ::mkfifo((f / "x.frm").c_str(), 0644); }
void aDeviceLink(const fs::path& f) { fs::create_symlink("/dev/zero", f / "zero.frm"); }
void nothing(const fs::path&) {}
std::function<void(const fs::path&)> both(void (*one)(const fs::path&), void (*other)(const fs::path&)) {
    return [=](const fs::path& f) {
        one(f);
        other(f);
    };
}
std::function<void(const fs::path&)> aSparseForm(std::uintmax_t size) {
    return [=](const fs::path& f) {
        writeFile(f / "big.frm", "");
        fs::resize_file(f / "big.frm", size);
    };
}

const std::vector<Case>& cases() {
    using Args = std::vector<std::string>;
    static const std::vector<Case> all{
        {"FIFO named like a form: the backup refuses it, nothing is converted", both(aForm, aFifo),
         Args{"--all-families", "F"}, 1, "x.frm"},
        {"FIFO named like a form: check reports it without opening it", aFifo, Args{"check", "F"}, 1, ""},
        {"link to a device named like a form: the run refuses the link", both(aForm, aDeviceLink),
         Args{"--family", "Button", "F"}, 1, "zero.frm: it is a symbolic link", false},
        {"link to a device named like a form: check", aDeviceLink, Args{"check", "F"}, 1, ""},
        {"link to a form outside the folder: the run refuses the link and leaves its target",
         both(aForm, [](const fs::path& f) { fs::create_symlink("../outside.frm", f / "out.frm"); }),
         Args{"--all-families", "F"}, 1, "out.frm: it is a symbolic link", false},
        {"FIFO in a subfolder: a dry run says the backup cannot be made",
         both(aForm,
              [](const fs::path& f) {
                  fs::create_directories(f / "data");
                  ::mkfifo((f / "data" / "feed").c_str(), 0600);
              }),
         Args{"--dry-run", "--all-families", "F"}, 1, "named pipe"},
        {"a backup folder as the target of a run", [](const fs::path& f) { writeFile(f / kBackup / "A.frm", kForm); },
         Args{"--all-families", "F/" + kBackup}, 2, "is a backup folder"},
        {"a folder inside a backup as the target of a restore",
         [](const fs::path& f) { writeFile(f / kBackup / "sub" / "A.frm", kForm); },
         Args{"restore", "F/" + kBackup + "/sub"}, 2, "is a backup folder"},
        {"the root folder (dry run, so a broken guard cannot harm)", nothing, Args{"--dry-run", "--all-families", "/"},
         2, "root folder"},
        {"the root folder for restore", nothing, Args{"restore", "--dry-run", "/"}, 2, "root folder"},
        {"no form, user control or project directly in the folder",
         [](const fs::path& f) {
             writeFile(f / "readme.txt", "x");
             writeFile(f / "sub" / "A.frm", kForm);
         },
         Args{"--all-families", "F"}, 2, "holds no form (.frm), user control (.ctl) or project (.vbp)"},
        {"a file above the size limit is refused unread", aSparseForm((std::uintmax_t{256} << 20) + 1),
         Args{"--all-families", "F"}, 1, "larger than 256 MB", false},
        {"a file larger than the memory the run may use", aSparseForm(std::uintmax_t{200} << 20),
         Args{"--all-families", "F"}, 1, "big.frm: not enough memory", false, rlim_t{100} << 20},
        {"a form in the folder as the report's path", aForm, Args{"--all-families", "--report", "F/A.frm", "F"}, 2,
         "inside the folder being converted"},
        {"a report whose folder does not exist: refused before the fixes", aForm,
         Args{"check", "--fix", "--report", "F/../missing/r.json", "F"}, 2, "/missing does not exist"},
        {"--family swallowing the folder", aForm, Args{"--family", "F"}, 2, "which is a folder, as its value"},
    };
    return all;
}

class HostileFolderTest : public ::testing::TestWithParam<std::size_t> {};

TEST_P(HostileFolderTest, ExitStatusMessageAndBytes) {
    const Case& c = cases()[GetParam()];
    SCOPED_TRACE(c.name);
    if (c.memoryLimit && underSanitizer()) GTEST_SKIP() << "the sanitizer needs more address space than the limit";
    const fs::path root = tavkonv40::test::freshTestFolder("hostile-" + std::to_string(GetParam()));
    const fs::path folder = root / "project";
    fs::create_directories(folder);
    writeFile(root / "outside.frm", kForm);
    c.setUp(folder);
    const auto before = snapshot(root);
    const Outcome o = runBinary(root, folder, c.args, c.memoryLimit);
    EXPECT_EQ(o.status, c.status) << o.err;
    EXPECT_NE(o.err.find(c.message), std::string::npos) << o.err;
    if (c.unchanged) {
        EXPECT_EQ(snapshot(root), before);
    }
    // Nothing outside the folder is ever touched.
    EXPECT_EQ(readFile(root / "outside.frm"), kForm);
    fs::remove_all(root);
}

INSTANTIATE_TEST_SUITE_P(Cases, HostileFolderTest, ::testing::Range(std::size_t{0}, cases().size()));

// A project folder of the test's own on disk, removed afterwards.
class OnDisk : public ::testing::Test {
  protected:
    void TearDown() override { fs::remove_all(root); }
    const fs::path root = tavkonv40::test::freshTestFolder("hostile"), folder = root / "project";
};

TEST_F(OnDisk, ALinkInTheFolderIsReplacedAndALinkedFolderNeverEntered) {
    const fs::path outside = root / "outside";
    writeFile(folder / kBackup / "A.frm", kForm);
    writeFile(folder / kBackup / "res" / "B.frm", kForm);
    fs::permissions(folder / kBackup / "A.frm", fs::perms(0640));
    writeFile(outside / "A.frm", "theirs");
    writeFile(outside / "B.frm", "theirs");
    fs::create_symlink(outside / "A.frm", folder / "A.frm");
    fs::create_directory_symlink(outside, folder / "res");

    const Outcome dry = runBinary(root, folder, {"restore", "--dry-run", "F"});
    EXPECT_NE(dry.out.find("would restore: A.frm\n"), std::string::npos) << dry.out;
    const Outcome o = runBinary(root, folder, {"restore", "F"});
    EXPECT_EQ(o.status, 1) << "the linked folder is an error";
    EXPECT_NE(o.err.find("res/: the folder holds a symbolic link"), std::string::npos) << o.err;
    EXPECT_NE(o.out.find("restored: A.frm\n"), std::string::npos) << o.out;
    EXPECT_FALSE(fs::is_symlink(folder / "A.frm"));
    EXPECT_EQ(readFile(folder / "A.frm"), kForm);
    EXPECT_EQ(fs::status(folder / "A.frm").permissions(), fs::perms(0640)) << "the backup's mode";
    EXPECT_EQ(readFile(outside / "A.frm"), "theirs");
    EXPECT_EQ(readFile(outside / "B.frm"), "theirs");
}

// A project folder copied elsewhere with its times (cp -a, rsync -a) has its backups copied in
// the order the copy met them, which gives each a new change time: the newest is still the one
// its run made last.
TEST_F(OnDisk, TheNewestBackupSurvivesACopyOfTheProjectFolder) {
    const std::string older = "Nexaria Conversion Backup 12.31.2025 23.59.00";
    const std::string newer = "Nexaria Conversion Backup 01.02.2026 09.03.07";  // sorts first by name
    writeFile(folder / older / "A.frm", "original");
    writeFile(folder / newer / "A.frm", "after the first run");
    writeFile(folder / "A.frm", "after the second run");
    const auto now = fs::file_time_type::clock::now();
    fs::last_write_time(folder / older, now - std::chrono::hours(48));
    fs::last_write_time(folder / newer, now - std::chrono::hours(24));
    // The copy reaches the older one last: its change time is now the later one.
    fs::permissions(folder / newer, fs::perms(0755));
    std::this_thread::sleep_for(std::chrono::milliseconds(20));  // past the change time's grain
    fs::permissions(folder / older, fs::perms(0755));

    const Outcome o = runBinary(root, folder, {"restore", "F"});
    EXPECT_EQ(o.status, 0) << o.err;
    EXPECT_EQ(o.out.rfind("Restoring " + folder.string() + " from " + newer + "\n", 0), 0u) << o.out;
    EXPECT_EQ(readFile(folder / "A.frm"), "after the first run");
}

// The folder named through a link is converted and backed up for real; the temporary folder
// plays no part, and no temporary file is left behind.
TEST_F(OnDisk, AFolderGivenThroughALinkIsConvertedAndReallyBackedUp) {
    writeFile(folder / "A.frm", kForm);
    writeFile(root / "not-a-folder", "x");
    fs::create_directory_symlink(folder, root / "via-link");
    const Outcome o = runProgram({"--all-families", (root / "via-link").string()}, root / "out", 0,
                                 {{"TMPDIR", (root / "not-a-folder").string()}});
    EXPECT_EQ(o.status, 0) << o.err;
    EXPECT_EQ(readFile(folder / "A.frm").find("tavQVButton20"), std::string::npos);
    std::size_t entries = 0;
    for (const auto& e : fs::directory_iterator(folder)) {
        ++entries;
        if (e.path().filename() == "A.frm") continue;
        EXPECT_EQ(e.path().filename().string().rfind("Nexaria Conversion Backup ", 0), 0u) << e.path();
        EXPECT_FALSE(fs::is_symlink(e.path()));
        EXPECT_EQ(readFile(e.path() / "A.frm"), kForm);
    }
    EXPECT_EQ(entries, 2u);
}

// A name can carry escape sequences or a line break: the log written to a file keeps it raw, as
// the log's exact text; what is shown to a person quotes it.
TEST_F(OnDisk, ControlCharactersAreQuotedForPeopleAndRawInTheLogFile) {
    const std::string evil = "a\x1b[2J\nConversion complete.frm";
    writeFile(folder / evil, "VERSION 5.00\r\n");
    fs::permissions(folder / evil, fs::perms(0444));  // its error line names it
    const Outcome o = runBinary(root, folder, {"--all-families", "F"});
    EXPECT_EQ(o.status, 1);
    EXPECT_NE(o.out.find("(" + evil + ")"), std::string::npos) << "the log file holds the raw name";
    EXPECT_EQ(o.err.find('\x1b'), std::string::npos) << o.err;
    EXPECT_NE(o.err.find("\"a\\033[2J\\nConversion complete.frm\""), std::string::npos) << o.err;
    const Outcome check = runBinary(root, folder, {"check", "F"});
    EXPECT_EQ(check.out.find('\x1b'), std::string::npos) << check.out;
}

// Permission bits as the backup holds them, a read-only folder's too (its files go in first), the
// setgid bit of a shared folder, and the owner where the restore may give it (root).
TEST_F(OnDisk, AFolderMadeAgainGetsTheBackupsPermissionBitsAndOwner) {
    const fs::path backup = folder / kBackup;
    writeFile(backup / "A.frm", "original A");
    writeFile(backup / "shared" / "frozen" / "B.frm", "original B");
    writeFile(backup / "private" / "C.frm", "original C");
    writeFile(folder / "A.frm", "converted A");
    const bool asRoot = ::geteuid() == 0;
    if (asRoot) {
        ASSERT_EQ(::chown((backup / "private").c_str(), 65534, 65534), 0);
    }
    fs::permissions(backup / "private", fs::perms(0700));
    fs::permissions(backup / "shared", fs::perms(02770));
    fs::permissions(backup / "shared" / "frozen", fs::perms(0555));

    tavkonv40::DiskFileSystem disk;
    tavkonv40::test::FixedClock clock;
    const std::atomic<bool> cancel{false};
    const auto r = tavkonv40::test::invoke(disk, clock, cancel, {"restore", folder.string()});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(readFile(folder / "shared" / "frozen" / "B.frm"), "original B");
    EXPECT_EQ(readFile(folder / "private" / "C.frm"), "original C");
    EXPECT_EQ(fs::status(folder / "private").permissions(), fs::perms(0700));
    EXPECT_EQ(fs::status(folder / "shared").permissions(), fs::perms(02770));
    EXPECT_EQ(fs::status(folder / "shared" / "frozen").permissions(), fs::perms(0555));
    struct stat st {};
    ASSERT_EQ(::stat((folder / "private").c_str(), &st), 0);
    if (asRoot) {
        EXPECT_EQ(st.st_uid, 65534u);
    }

    for (const fs::path& p : {folder / "shared" / "frozen", backup / "shared" / "frozen"})
        fs::permissions(p, fs::perms::owner_all, fs::perm_options::add);
}

}  // namespace
