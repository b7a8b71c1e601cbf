// Restore against the run that made the backup: it takes back the run's own writes and nothing
// else, never writes a copy that is not what the run read, and speaks of a live run's files and
// a stopped restore's mark truthfully.
#include <gtest/gtest.h>

#include "engine/overlay_file_system.h"
#include "engine/restore.h"
#include "engine/run_guard.h"
#include "testing/corpus.h"
#include "tests/engine/test_support.h"
#include "tests/platform/disk_test_support.h"

namespace tavkonv40 {
namespace {

class CollectedOutput final : public RestoreOutput {
  public:
    void line(const std::string& text) override { out += text + "\n"; }
    void error(const std::string& text) override { out += "error: " + text + "\n"; }
    void warning(const std::string& text) override { err += text + "\n"; }
    std::string shown(const std::string& name) override { return name; }
    std::string word(const std::string& name) override { return name; }
    std::string out, err;
};

const std::string kDated = std::string("/p/") + test::kBackupName;
const std::string kStaged = "/p/.tavkonv40-backup-02.01.2026 09.03.07.complete";
const std::string kMark = std::string("/p/") + kRestoreMarkName;

class RestoreTest : public ::testing::Test {
  protected:
    void SetUp() override {
        options.selectAllFamilies(Edition::V40);
        options.selectAllMicrosoft(Edition::V40);
        fs.addFile("/p/F.frm", corpus::makeForm(1, "F", {2048}));
        fs.addFile("/p/G.frm", corpus::makeForm(2, "G", {2048}));
        fs.addFile("/p/modOrders.bas", "Sub Orders()\r\nEnd Sub\r\n");
        original = fs.files();
    }
    RunResult run() {
        RunEnvironment env{fs, host, options, clock};
        return RunConversion(env, "/p");
    }
    RestoreResult restore(RestoreScope scope = RestoreScope::RunsWrites, const std::string& backup = {},
                          RestoreMode mode = RestoreMode::Restore, std::vector<std::string> files = {}) {
        return restoreFolder(fs, "/p", {backup, mode, scope, ChangedFiles::Kept, std::move(files)}, output);
    }

    MemoryFileSystem fs;
    test::RecordingHost host;
    test::FixedClock clock;
    FixedOptions options;
    CollectedOutput output;
    std::map<std::string, std::string> original;
};

TEST_F(RestoreTest, TakesBackTheRunsWritesAndKeepsEveryEditMadeSince) {
    ASSERT_TRUE(run().backupPlaced);
    ASSERT_NE(fs.file("/p/F.frm"), original.at("/p/F.frm"));
    fs.addFile("/p/F.frm", "the user's edit of the converted form");
    fs.addFile("/p/modOrders.bas", "Sub Orders()\r\n' a new routine\r\nEnd Sub\r\n");

    const auto r = restore();
    EXPECT_EQ(r.errors, 0) << output.out;
    EXPECT_EQ(fs.file("/p/G.frm"), original.at("/p/G.frm"));
    EXPECT_EQ(fs.file("/p/F.frm"), "the user's edit of the converted form");
    EXPECT_TRUE(test::holds(fs.file("/p/modOrders.bas"), "a new routine"));
    EXPECT_EQ(r.changedSinceRun, std::vector<std::string>{"F.frm"});
    EXPECT_EQ(r.changedSinceBackup, std::vector<std::string>{"modOrders.bas"});
    EXPECT_TRUE(test::holds(output.out,
                            "changed since the run, not overwritten: F.frm (to overwrite it: tavkonv40 "
                            "restore --file F.frm /p)\n"));
    EXPECT_FALSE(fs.hasFile(kMark));

    // Asked for, the edited form is overwritten too; --all puts back the module as well.
    EXPECT_THROW(restore(RestoreScope::RunsWrites, {}, RestoreMode::Restore, {"F.frm", "nothing.frm"}), NoBackup);
    restore(RestoreScope::RunsWrites, {}, RestoreMode::Restore, {"F.frm"});
    EXPECT_EQ(fs.file("/p/F.frm"), original.at("/p/F.frm"));
    restore(RestoreScope::All);
    EXPECT_EQ(fs.files().at("/p/modOrders.bas"), original.at("/p/modOrders.bas"));
}

// A copy that is not what the run read (cut short or rewritten while it was copied) is never
// written, and the restore that meets it keeps its mark and says how to finish.
TEST_F(RestoreTest, NeverWritesACopyThatIsNotWhatTheRunReadAndKeepsItsMarkOnErrors) {
    ASSERT_TRUE(run().backupPlaced);
    const std::string converted = fs.file("/p/F.frm");
    fs.addFile(kDated + "/F.frm", original.at("/p/F.frm").substr(0, 100));

    const auto r = restore();
    EXPECT_EQ(r.errors, 1);
    EXPECT_EQ(fs.file("/p/F.frm"), converted);
    EXPECT_EQ(fs.file("/p/G.frm"), original.at("/p/G.frm"));
    EXPECT_TRUE(test::holds(output.out, "not what the run read"));
    EXPECT_TRUE(r.markKept);
    EXPECT_TRUE(fs.hasFile(kMark));
    EXPECT_TRUE(test::holds(output.err, "ended with 1 error; runs wait until it is finished"));
    EXPECT_TRUE(test::holds(interruptedRunNotice(fs, "/p", OwnLock::NotHeld), "was being restored"));
}

// A form another program rewrote during the copy is declined by the run; its copy is not the
// form's and is never put back, not even by --all.
TEST_F(RestoreTest, AFileDeclinedAsChangedAfterTheCopyIsNeverPutBack) {
    fs.afterCopiedFile = [&](const std::string& path) {
        if (path.ends_with("/F.frm")) fs.addFile("/p/F.frm", "rewritten during the copy");
    };
    ASSERT_TRUE(run().backupPlaced);
    fs.afterCopiedFile = nullptr;
    restore(RestoreScope::All);
    EXPECT_EQ(fs.file("/p/F.frm"), "rewritten during the copy");
    EXPECT_EQ(fs.file("/p/G.frm"), original.at("/p/G.frm"));
}

TEST_F(RestoreTest, AStagedCopyRemovedDuringTheRunIsReportedGone) {
    host.onLine = [&](const std::string& line) {
        if (line.starts_with("Starting conversion")) fs.removeFolder(kStaged);
    };
    const RunResult r = run();
    EXPECT_FALSE(r.backupPlaced);
    ASSERT_FALSE(host.errors.empty());
    EXPECT_TRUE(test::holds(host.errors.back(), "the backup is gone"));
    for (const auto& line : host.log) EXPECT_NE(line, "Backup of original folder saved to:");
}

// While another process holds the lock, its staged copy and mark are in use, not abandoned:
// nothing advises restoring or removing them.
TEST_F(RestoreTest, ALiveRunsFilesAreNeverCalledAbandoned) {
    fs.addFile(kStaged + "/F.frm", original.at("/p/F.frm"));
    fs.addFile(kMark, test::kBackupName);
    fs.lockedByOthers["/p"] = 4242;
    const std::string live = "a run (process 4242) is working on /p; wait until it has ended";
    EXPECT_EQ(interruptedRunNotice(fs, "/p", OwnLock::NotHeld), live);
    OverlayFileSystem dry(fs);
    const RunGuard guard(dry, "/p");
    EXPECT_EQ(guard.refusal(), RunRefusal::FolderBusy);
    EXPECT_EQ(guard.reason(), live);
    const auto busy = test::errorOf<FolderBusy>([&] { restore(RestoreScope::RunsWrites, {}, RestoreMode::DryRun); });
    ASSERT_TRUE(busy) << "a dry restore must not go on";
    EXPECT_EQ(busy->what(), live);
}

// A restore from an older backup while an interrupted run's copy is there leaves that copy as an
// ordinary dated backup (it may hold work newer than the one restored), so later runs go on.
TEST_F(RestoreTest, RestoringAnotherBackupSettlesTheInterruptedRunsCopy) {
    const std::string older = "Nexaria Conversion Backup 01.01.2026 08.00.00";
    fs.addFile("/p/" + older + "/F.frm", "older");
    fs.addFile(kStaged + "/F.frm", original.at("/p/F.frm"));
    fs.addFile("/p/.tavkonv40-backup-02.01.2026 09.03.08.partial/F.frm", "");
    // Its files match it: nothing was half converted, and the refusal does not say so.
    EXPECT_TRUE(test::holds(interruptedRunNotice(fs, "/p", OwnLock::Held), "still match that backup"));
    restore(RestoreScope::All, older);
    EXPECT_EQ(fs.file("/p/F.frm"), "older");
    EXPECT_EQ(fs.file(kDated + "/F.frm"), original.at("/p/F.frm"));
    EXPECT_TRUE(test::holds(output.out, "The interrupted run's backup is now " + std::string(test::kBackupName)));
    EXPECT_TRUE(stagedCopies(fs, "/p", StagedState::Partial).empty());
    EXPECT_EQ(interruptedRunNotice(fs, "/p", OwnLock::NotHeld), "");
}

// A stopped restore is finished only from its own backup: a plain restore names it.
TEST_F(RestoreTest, AStoppedRestoreIsFinishedOnlyFromItsOwnBackup) {
    const std::string older = "Nexaria Conversion Backup 01.01.2026 08.00.00";
    fs.addFile("/p/" + older + "/F.frm", "older");
    fs.addFile(kDated + "/F.frm", "newer");
    fs.addFile(kMark, older);
    const auto busy = test::errorOf<FolderBusy>([&] { restore(); });
    ASSERT_TRUE(busy) << "a plain restore must not finish another backup's restore";
    EXPECT_TRUE(
        test::holds(busy->what(), "only that backup can finish it: tavkonv40 restore --backup \"" + older + "\" /p"));
    EXPECT_TRUE(fs.hasFile(kMark));
    restore(RestoreScope::RunsWrites, older);
    EXPECT_EQ(fs.file("/p/F.frm"), "older");
    EXPECT_FALSE(fs.hasFile(kMark));
}

// Between backups without a record (made before records existed), the date in the name decides,
// read as a date: mm.dd.yyyy sorts wrongly as text. Such a backup is restored whole.
TEST(RestoreOrder, NewestBackupWithoutARecordByDateAndBackupsInsideBackupsStay) {
    MemoryFileSystem mem;
    const std::string older = "Nexaria Conversion Backup 12.31.2025 23.59.59";
    const std::string newer = "Nexaria Conversion Backup 01.02.2026 08.00.00";
    mem.addFile("/p/A.frm", "converted");
    mem.addFile("/p/" + newer + "/A.frm", "original");
    mem.addFile("/p/" + newer + "/" + older + "/A.frm", "oldest");
    mem.addFile("/p/" + older + "/A.frm", "oldest");
    mem.setChanged("/p/" + newer, 7);
    mem.setChanged("/p/" + older, 7);
    mem.addFolder("/p/Nexaria Conversion Backup 13.45.2026 xx");  // not a backup's name
    const auto backups = findBackups(mem, "/p");
    ASSERT_EQ(backups.size(), 2u);
    EXPECT_EQ(backups.back().name, newer);
    EXPECT_FALSE(parseBackupName("Nexaria Conversion Backup 1.2.2026 08.00.00"));

    CollectedOutput out;
    const auto files = mem.files();
    const auto r = restoreFolder(mem, "/p", RestoreRequest{}, out);
    EXPECT_EQ(r.restored, 1);
    EXPECT_EQ(mem.file("/p/A.frm"), "original");
    EXPECT_EQ(mem.files().size(), files.size()) << "no backup was copied back into the folder";

    restoreFolder(mem, "/p",
                  {"12.31.2025 23.59.59", RestoreMode::Restore, RestoreScope::RunsWrites, ChangedFiles::Kept, {}}, out);
    EXPECT_EQ(mem.file("/p/A.frm"), "oldest");
}

TEST(BackupRecordTest, ReadsBackWhatItWroteAndRefusesAnythingElse) {
    BackupRecord r{123456789012345, {{"a\\b\nc\r.frm", stampOf("x")}}, {{"F.frm", stampOf("yy")}}, {"D.ctl"}};
    const std::string text = formatRecord(r);
    const auto back = parseRecord(text);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->made, r.made);
    EXPECT_EQ(back->read, r.read);
    EXPECT_EQ(back->wrote, r.wrote);
    EXPECT_EQ(back->declined, r.declined);
    for (const std::string& bad :
         std::vector<std::string>{text.substr(0, text.size() - 1), std::string(), "tavkonv40 backup record 2\nmade 1\n",
                                  text + "made 2\n", text + "wrote 1 00 F.frm\n", text + "declined a/b\n",
                                  text + "read 2 0123456789abcdef F.frm\n" + "read 2 0123456789abcdef F.frm\n"})
        EXPECT_FALSE(parseRecord(bad)) << bad;
}

}  // namespace
}  // namespace tavkonv40
