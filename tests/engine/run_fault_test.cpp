// Faults injected through the file store: a file that vanishes between listing and conversion, a
// write that fails: each is reported once, by name and cause, and everything else is converted.
// A backup that cannot be made whole, a folder another run holds or an interrupted run's backup:
// nothing is converted. Last, a run on the real disk while another program rewrites a file.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <thread>
#include <utility>

#include "engine/backup.h"
#include "engine/conversion_run.h"
#include "engine/project_check.h"
#include "platform/disk_file_system.h"
#include "testing/memory_file_system.h"
#include "tests/engine/test_support.h"
#include "tests/platform/disk_test_support.h"

namespace tavkonv40 {
namespace {

const std::string kForm =
    "VERSION 5.00\r\nObject = \"{3F2A9C41-7B0E-4D1A-9E55-2C8B6F104A11}#1.0#0\"; \"tavQVButton20.ocx\"\r\n"
    "Begin VB.Form F \r\nEnd\r\n";
const std::string kProject = "Type=Exe\r\nObject={3F2A9C41-7B0E-4D1A-9E55-2C8B6F104A11}#1.0#0; tavQVButton20.ocx\r\n";

class RunFaultTest : public ::testing::Test {
  protected:
    void SetUp() override {
        fs.addFile("/p/A.frm", kForm);
        fs.addFile("/p/B.frm", kForm);
        fs.addFile("/p/P.vbp", kProject);
        fs.addFile("/p/Q.vbp", kProject);
        options.selectAllFamilies(Edition::V40);
    }
    RunResult run() {
        RunEnvironment env{fs, host, options, clock};
        return RunConversion(env, "/p");
    }
    bool converted(const std::string& path) const { return fs.file(path).find("tavQVButton20") == std::string::npos; }
    // The run is refused for `why`, names `cause` in its one error line and changes nothing.
    RunResult expectRefused(RunRefusal why, const std::string& cause) {
        const auto before = fs.files();
        const auto result = run();
        EXPECT_EQ(result.refusal, why);
        EXPECT_TRUE(test::oneLineHolding(host.errors, cause));
        EXPECT_EQ(fs.files(), before);
        return result;
    }

    MemoryFileSystem fs;
    test::RecordingHost host;
    test::FixedClock clock;
    FixedOptions options;
};

// What a store could not keep of a file it wrote (an ACL, an extended attribute) is one warning
// line where it happened; the file is converted all the same and no error is counted.
TEST_F(RunFaultTest, WhatTheStoreCouldNotKeepIsAWarningLineNotAnError) {
    fs.beforeWrite = [&](const std::string& path) {
        if (path == "/p/A.frm") fs.warnings.push_back(path + ": its extended attributes (user.x) were not kept");
    };
    const auto result = run();
    EXPECT_TRUE(host.errors.empty());
    EXPECT_TRUE(converted("/p/A.frm"));
    const auto at = std::find(host.log.begin(), host.log.end(),
                              "    -warning: /p/A.frm: its extended attributes (user.x) were not kept");
    ASSERT_NE(at, host.log.end());
    EXPECT_EQ(*(at + 1), "VB Form file (A.frm).  File is now up to date.");
    EXPECT_TRUE(result.backupPlaced);
}

TEST_F(RunFaultTest, ProjectDeletedBetweenListingAndConversion) {
    int listings = 0;
    bool formsDone = false;
    host.onLine = [&](const std::string& line) { formsDone |= line.rfind("VB Form file (B.frm)", 0) == 0; };
    fs.reorderListing = [&](std::vector<std::string>&) {
        if (formsDone && ++listings == 2) fs.remove("/p/P.vbp");  // the project pass's listing
    };
    const auto result = run();
    EXPECT_EQ(result.fileErrors, 1);
    EXPECT_TRUE(test::oneLineHolding(host.errors, "/p/P.vbp: No such file or directory"));
    EXPECT_TRUE(converted("/p/Q.vbp"));
    EXPECT_EQ(fs.file(std::string("/p/") + test::kBackupName + "/P.vbp"), kProject);
}

TEST_F(RunFaultTest, FailedWriteLeavesTheFileAsItWas) {
    fs.beforeWrite = [](const std::string& path) {
        if (path == "/p/A.frm") throw FileError(path, "Input/output error");
    };
    const auto result = run();
    EXPECT_EQ(result.fileErrors, 1);
    EXPECT_EQ(fs.file("/p/A.frm"), kForm);
    EXPECT_TRUE(converted("/p/B.frm"));
    EXPECT_TRUE(converted("/p/P.vbp"));
    EXPECT_TRUE(test::oneLineHolding(host.errors, "cannot write /p/A.frm: Input/output error"));
}

// No command reads a file above the size limit, so a conversion must not write one; a check
// calls such a file too large, not unreadable.
TEST_F(RunFaultTest, AFileTheConversionWouldGrowPastTheSizeLimitIsLeftAsItWas) {
    const std::string padded = kForm + "' " + std::string(40, '-') + "\r\n";
    fs.addFile("/p/A.frm", padded);
    fs.largestFile = padded.size();
    const auto result = run();
    EXPECT_EQ(result.fileErrors, 1);
    EXPECT_EQ(fs.file("/p/A.frm"), padded);
    EXPECT_TRUE(converted("/p/B.frm"));
    EXPECT_TRUE(test::oneLineHolding(host.errors, "cannot write /p/A.frm: converted it would be " +
                                                      std::to_string(padded.size() + 2) + " bytes, larger than " +
                                                      std::to_string(padded.size()) + " bytes"));

    fs.largestFile = kForm.size();
    const auto found = checkProject(fs, "/p");
    ASSERT_FALSE(found.empty());
    EXPECT_EQ(found.front().file, "A.frm");
    EXPECT_EQ(found.front().kind, FindingKind::TooLarge);
    EXPECT_EQ(found.front().message.rfind("too large to check: it is larger than", 0), 0u) << found.front().message;
}

// Another program writing in the folder during a run (an editor, a synchronisation tool) keeps
// what it wrote: a file made or changed after the backup copy is not converted, since the backup
// could not give its present bytes back, and neither is one changed while it was converted. The
// memory store's copy keeps no modification times, so the bytes decide for the untouched files.
TEST_F(RunFaultTest, WhatAnotherProgramWritesDuringTheRunIsKept) {
    const std::string editedB = kForm + "' edited after the copy\r\n";
    const std::string editedA = kForm + "' edited while it was converted\r\n";
    bool inA = false;
    host.onLine = [&](const std::string& line) {
        if (line.rfind("Starting conversion", 0) == 0) {
            fs.addFile("/p/B.frm", editedB);
            fs.addFile("/p/R.vbp", kProject);  // the project pass lists the folder afresh
        }
        if (line.rfind("Found VB Form file (", 0) == 0) inA = line.rfind("Found VB Form file (A.frm)", 0) == 0;
        if (inA && line == "    -checking form body.....") fs.addFile("/p/A.frm", editedA);
    };
    const auto result = run();
    EXPECT_EQ(result.fileErrors, 3);
    EXPECT_EQ(fs.file("/p/A.frm"), editedA);
    EXPECT_EQ(fs.file("/p/B.frm"), editedB);
    EXPECT_EQ(fs.file("/p/R.vbp"), kProject);
    EXPECT_TRUE(converted("/p/P.vbp"));
    EXPECT_TRUE(converted("/p/Q.vbp"));
    ASSERT_EQ(host.errors.size(), 3u);
    EXPECT_TRUE(test::holds(host.errors[0], "/p/A.frm: another program changed it while it was being converted"));
    EXPECT_TRUE(test::holds(host.errors[1], "/p/B.frm: another program changed it after the backup copy was made"));
    EXPECT_TRUE(test::holds(host.errors[2], "/p/R.vbp: it appeared after the backup copy was made"));
}

// Whatever keeps the backup from being whole, nothing is converted and nothing is left behind.
TEST_F(RunFaultTest, AnIncompleteBackupConvertsNothing) {
    fs.addFile("/p/sub/deep.txt", "x");
    fs.copyFailures["/p/sub/deep.txt"] = "No space left on device";
    const auto result = expectRefused(RunRefusal::NoBackup, "/p/sub/deep.txt: No space left on device");
    EXPECT_EQ(result.ending, RunEnding::NotStarted);
    EXPECT_FALSE(result.backupPlaced);
    EXPECT_EQ(result.backupPath, "") << "no copy, no backup to point at";
    EXPECT_EQ(std::find(host.log.begin(), host.log.end(), "Backup of original folder saved to:"), host.log.end());
}

// The run and its dry run say it in the same words, naming the folder once.
TEST(NoBackupMessage, NamesTheFolderOnceAndTheEntryThatFailed) {
    EXPECT_EQ(noBackupMessage("ro/", FileError("ro", "Permission denied")),
              "no backup can be made of ro/: Permission denied");
    EXPECT_EQ(noBackupMessage("p", FileError("p/sub/x", "No space left on device")),
              "no backup can be made of p: p/sub/x: No space left on device");
}

TEST_F(RunFaultTest, AStopDuringTheCopyRemovesItAndConvertsNothing) {
    const auto before = fs.files();
    struct StoppingHost : test::RecordingHost {
        bool stopRequested() const override { return stop; }
        bool stop = false;
    } stopping;
    fs.afterCopiedFile = [&](const std::string&) { stopping.stop = stopping.cancel = true; };
    RunEnvironment env{fs, stopping, options, clock};
    const auto result = RunConversion(env, "/p");
    EXPECT_EQ(result.refusal, RunRefusal::NoBackup);
    EXPECT_EQ(result.ending, RunEnding::Cancelled) << "the user did cancel";
    EXPECT_EQ(fs.files(), before);
    EXPECT_EQ(fs.listFolder("/p").size(), 4u);
}

// A file another program rewrites while the copy holds its bytes is copied again: the backup holds
// the new bytes whole. One that never holds still keeps the backup from being whole.
TEST_F(RunFaultTest, AFileRewrittenOnceDuringTheCopyIsCopiedAgain) {
    const std::string saved = kForm + "' saved again\r\n";
    bool rewritten = false;
    fs.duringCopy = [&](const std::string& path) {
        if (path == "/p/B.frm" && !std::exchange(rewritten, true)) fs.addFile(path, saved);
    };
    EXPECT_EQ(run().refusal, RunRefusal::None);
    EXPECT_EQ(fs.file(std::string("/p/") + test::kBackupName + "/B.frm"), saved);
    EXPECT_TRUE(converted("/p/B.frm"));
}

TEST_F(RunFaultTest, AFileThatKeepsChangingDuringTheCopyConvertsNothing) {
    int saves = 0;
    fs.duringCopy = [&](const std::string& path) {
        if (path == "/p/B.frm") fs.addFile(path, kForm + std::string(static_cast<std::size_t>(++saves), '\''));
    };
    const auto before = fs.files();
    EXPECT_EQ(run().refusal, RunRefusal::NoBackup);
    EXPECT_TRUE(test::oneLineHolding(host.errors, "/p/B.frm: it kept changing while it was being copied"));
    EXPECT_EQ(fs.files().size(), before.size()) << "the partial copy is removed";
    EXPECT_FALSE(converted("/p/A.frm"));
}

TEST_F(RunFaultTest, BackupNameTakenConvertsNothing) {
    fs.addFolder(std::string("/p/") + test::kBackupName);
    expectRefused(RunRefusal::NoBackup, "already exists");
}

// A folder another run holds or an interrupted run's complete backup: interrupted_run_test.
TEST_F(RunFaultTest, APartialCopyIsClearedAndTheRunGoesOn) {
    // A partial copy means its run stopped before converting anything: it is only removed.
    fs.addFile("/p/.tavkonv40-backup-02.01.2026 09.00.00.partial/A.frm", "");
    test::RecordingHost again;
    RunEnvironment env{fs, again, options, clock};
    EXPECT_EQ(RunConversion(env, "/p").refusal, RunRefusal::None);
    EXPECT_TRUE(again.errors.empty());
    EXPECT_FALSE(fs.hasFolder("/p/.tavkonv40-backup-02.01.2026 09.00.00.partial"));
    EXPECT_TRUE(converted("/p/A.frm"));
}

namespace fs = std::filesystem;

// A sync tool truncating and rewriting a large file once the copy has begun to copy it: a backup
// that is placed holds one version of the file as it was at one moment, never the old bytes cut
// where the rewrite caught them nor a mix of old and new.
class SyncDuringCopy : public DiskFileSystem {
  public:
    CopyOutcome copyFolder(const std::string& from, const std::string& to, const FolderCopy& how) override {
        std::atomic<bool> done{false};
        std::thread sync([&] {
            const fs::path copied = fs::path(to) / "data.bin";
            std::error_code ec;
            while (!done && (!fs::exists(copied, ec) || fs::file_size(copied, ec) == 0)) std::this_thread::yield();
            if (!done) test::writeFile(fs::path(from) / "data.bin", newer);
        });
        try {
            const CopyOutcome outcome = DiskFileSystem::copyFolder(from, to, how);
            done = true;
            sync.join();
            return outcome;
        } catch (...) {
            done = true;
            sync.join();
            throw;
        }
    }
    const std::string older = std::string(32 << 20, 'o'), newer = std::string((32 << 20) + 4096, 'n');
};

TEST(RunOnDisk, AFileRewrittenDuringTheCopyIsNeverCutInAPlacedBackup) {
    const fs::path root = test::freshTestFolder("run-on-disk");
    SyncDuringCopy disk;
    test::writeFile(root / "A.frm", kForm);
    test::writeFile(root / "data.bin", disk.older);
    FixedOptions options;
    options.selectAllFamilies(Edition::V40);
    const auto run = test::runFolder(disk, root.string(), {"A.frm"}, options);
    if (run.result.backupPlaced) {
        const std::string copy = test::readFile(root / test::kBackupName / "data.bin");
        const bool newerSoFar = copy.find_first_not_of('n') == std::string::npos;  // read while being written
        EXPECT_TRUE(copy == disk.older || newerSoFar) << copy.size() << " bytes, " << copy.front() << copy.back();
    } else {
        ASSERT_FALSE(run.host.errors.empty());
        EXPECT_TRUE(test::holds(run.host.errors[0], "data.bin: it kept changing while it was being copied"));
    }
    fs::remove_all(root);
}

}  // namespace
}  // namespace tavkonv40
