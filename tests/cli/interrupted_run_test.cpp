// What the command line says and does around a run that cannot or must not start: another run
// holds the folder, an interrupted run left its backup, the log cannot be written; a restore that
// is stopped half way; and crash consistency, proved point by point: a store that records every
// write, rename, removal and flush of a run can "crash" after any of them. What was flushed
// survives; anything after the last flush may be lost, kept, or kept with its file contents empty
// (renames reach the device before data on some file systems), in any mix. For every crash point
// and several such mixes, either every file still holds its original bytes or `restore` gives
// them back.
#include <gtest/gtest.h>

#include <random>
#include <sstream>

#include "cli/restore_command.h"
#include "engine/conversion_run.h"
#include "engine/run_guard.h"
#include "testing/corpus.h"
#include "tests/cli/cli_test_support.h"

namespace tavkonv40::cli {
namespace {

using test::holds;

const std::string kForm =
    "VERSION 5.00\r\nObject = \"{3F2A9C41-7B0E-4D1A-9E55-2C8B6F104A11}#1.0#0\"; \"tavQVButton20.ocx\"\r\n"
    "Begin VB.Form F \r\nEnd\r\n";
const std::string kStaged = "/p/.tavkonv40-backup-02.01.2026 09.00.00.complete";

class InterruptedRunTest : public test::InProcessCli<> {
  protected:
    void SetUp() override { fs.addFile("/p/A.frm", kForm); }
};

TEST_F(InterruptedRunTest, ItsBackupStopsRunsIsNamedByCheckAndIsWhatRestoreUses) {
    // The interrupted run had converted A.frm and was about to convert B.frm.
    fs.addFile(kStaged + "/A.frm", kForm);
    fs.addFile(kStaged + "/B.frm", "original B");
    fs.addFile("/p/A.frm", "half converted");
    fs.addFile("/p/B.frm", "original B");
    fs.addFolder("/p/Nexaria Conversion Backup 01.01.2026 08.00.00");
    const auto before = fs.files();

    for (const char* dry : {"--dry-run", "--quiet"}) {
        const auto run = invoke({dry, "--all-families", "/p"});
        EXPECT_EQ(run.status, 2) << dry;
        EXPECT_TRUE(holds(run.err, "interrupted run"));
        EXPECT_TRUE(holds(run.err, "tavkonv40 restore /p"));
        EXPECT_EQ(fs.files(), before);
    }
    const auto check = invoke({"check", "/p"});
    EXPECT_TRUE(holds(check.err, "interrupted run"));
    EXPECT_NE(check.status, 0);

    const auto restore = invoke({"restore", "/p"});
    EXPECT_EQ(restore.status, 0) << restore.err;
    EXPECT_TRUE(holds(restore.out, "(the backup of an interrupted run)"));
    EXPECT_EQ(fs.file("/p/A.frm"), kForm);
    EXPECT_EQ(fs.file("/p/B.frm"), "original B");
    EXPECT_FALSE(fs.hasFolder(kStaged));
    EXPECT_EQ(fs.file("/p/Nexaria Conversion Backup 02.01.2026 09.00.00/A.frm"), kForm);
    EXPECT_GT(fs.flushCount, 0);
    EXPECT_EQ(invoke({"--quiet", "--all-families", "/p"}).status, 0);
}

// The command the notice gives can be pasted as it stands, blanks in the folder's name and all.
TEST_F(InterruptedRunTest, TheNoticeGivesACommandThatCanBePasted) {
    fs.addFile("/my p/A.frm", kForm);
    fs.addFile("/my p/.tavkonv40-backup-02.01.2026 09.00.00.complete/A.frm", kForm);
    EXPECT_TRUE(holds(invoke({"--quiet", "--all-families", "/my p"}).err, "(tavkonv40 restore \"/my p\")"));
}

TEST_F(InterruptedRunTest, APartialCopyMeansNothingWasChangedAndRestoreOnlyClearsIt) {
    fs.addFile("/p/.tavkonv40-backup-02.01.2026 09.00.00.partial/A.frm", "");
    fs.addFile("/p/Nexaria Conversion Backup 01.01.2026 08.00.00/A.frm", "an older run's");
    const auto restore = invoke({"restore", "/p"});
    EXPECT_EQ(restore.status, 0);
    EXPECT_TRUE(holds(restore.out, "changed no file"));
    EXPECT_EQ(fs.file("/p/A.frm"), kForm) << "the older backup must not be put back";
    EXPECT_FALSE(fs.hasFolder("/p/.tavkonv40-backup-02.01.2026 09.00.00.partial"));
}

// A restore stopped half way (killed, a power cut) leaves some files restored and others as the
// run made them. Its mark, on the device before the first file is written, stops runs until a
// restore from the same backup has finished the job.
TEST_F(InterruptedRunTest, ARestoreStoppedHalfWayStopsRunsUntilItIsFinished) {
    const std::string backup = "Nexaria Conversion Backup 01.01.2026 08.00.00";
    fs.addFile("/p/" + backup + "/A.frm", "original A");
    fs.addFile("/p/" + backup + "/B.frm", "original B");
    fs.addFile("/p/B.frm", "converted B");
    bool markedFirst = false;
    fs.beforeWrite = [&](const std::string& path) {
        if (path != "/p/.tavkonv40-restoring") {
            markedFirst = fs.hasFile("/p/.tavkonv40-restoring") && fs.flushCount > 0;
            throw FileError(path, "the restore is killed here");
        }
    };
    invoke({"restore", "/p"});
    EXPECT_TRUE(markedFirst) << "the mark must be on the device before the first file is written";
    fs.beforeWrite = nullptr;
    fs.addFile("/p/.tavkonv40-restoring", backup);  // what the killed restore left

    const auto before = fs.files();
    const auto run = invoke({"--quiet", "--all-families", "/p"});
    EXPECT_EQ(run.status, 2);
    EXPECT_TRUE(holds(run.err, "/p was being restored from " + backup));
    EXPECT_TRUE(holds(run.err, "(tavkonv40 restore --backup \"" + backup + "\" /p)"));
    EXPECT_EQ(fs.files(), before);
    const auto check = invoke({"check", "/p"});
    EXPECT_TRUE(holds(check.err, "was being restored"));

    const auto restore = invoke({"restore", "--backup", backup, "/p"});
    EXPECT_EQ(restore.status, 0) << restore.err;
    EXPECT_FALSE(holds(restore.out, ".tavkonv40-restoring")) << "the mark is not the user's file";
    EXPECT_EQ(fs.file("/p/B.frm"), "original B");
    EXPECT_FALSE(fs.hasFile("/p/.tavkonv40-restoring"));
    EXPECT_EQ(invoke({"--quiet", "--all-families", "/p"}).status, 0);
    const std::string newBackup = std::string("/p/") + test::kBackupName;
    ASSERT_TRUE(fs.hasFolder(newBackup));
    EXPECT_FALSE(fs.hasFile(newBackup + "/.tavkonv40-restoring"));
}

// Ctrl-C (any request to stop) ends a restore between two files: the file being written is
// written whole, the rest stay as they are, the mark keeps runs away, and the message gives the
// command that finishes the job. A dry run goes on to its end.
TEST_F(InterruptedRunTest, AStopRequestEndsARestoreBetweenTwoFilesAndSaysHowToFinishIt) {
    const std::string backup = "Nexaria Conversion Backup 01.01.2026 08.00.00";
    const std::string folder = "/my p";
    fs.addFile(folder + "/" + backup + "/A.frm", "original A");
    fs.addFile(folder + "/" + backup + "/B.frm", "original B");
    fs.addFile(folder + "/" + backup + "/sub/C.frm", "original C");
    fs.addFile(folder + "/A.frm", "converted A");
    fs.addFile(folder + "/B.frm", "converted B");

    cancel = true;
    const auto dry = invoke({"restore", "--dry-run", folder});
    EXPECT_EQ(dry.status, 0) << dry.err;
    EXPECT_TRUE(holds(dry.out, "would create: sub/C.frm"));
    cancel = false;

    fs.beforeWrite = [&](const std::string& path) {
        if (path == folder + "/A.frm") cancel = true;
    };
    const auto stopped = invoke({"restore", folder});
    fs.beforeWrite = nullptr;
    cancel = false;
    EXPECT_EQ(stopped.status, 3);
    const std::string finish = "tavkonv40 restore --backup \"" + backup + "\" \"" + folder + "\"";
    EXPECT_TRUE(holds(stopped.err, "was stopped after 1 of 3 files; runs wait until it is finished: " + finish + "\n"));
    EXPECT_EQ(fs.file(folder + "/A.frm"), "original A");
    EXPECT_EQ(fs.file(folder + "/B.frm"), "converted B");
    EXPECT_FALSE(fs.hasFolder(folder + "/sub"));
    EXPECT_EQ(fs.file(folder + "/.tavkonv40-restoring"), backup);
    EXPECT_GT(fs.flushCount, 0) << "what was restored reaches the device";
    const auto run = invoke({"--quiet", "--all-families", folder});
    EXPECT_EQ(run.status, 2);
    EXPECT_TRUE(holds(run.err, "(" + finish + ")"));

    // The command as the message gives it finishes the job.
    const auto finished = invoke({"restore", "--backup", backup, folder});
    EXPECT_EQ(finished.status, 0) << finished.err;
    EXPECT_EQ(fs.file(folder + "/B.frm"), "original B");
    EXPECT_EQ(fs.file(folder + "/sub/C.frm"), "original C");
    EXPECT_FALSE(fs.hasFile(folder + "/.tavkonv40-restoring"));
}

// An interrupted run's copy is restored under its staging name, but the mark, and so the command
// that finishes a stopped restore, names the backup it becomes.
TEST_F(InterruptedRunTest, AStoppedRestoreOfAnInterruptedRunsCopyIsFinishedByItsDatedName) {
    fs.addFile(kStaged + "/A.frm", kForm);
    fs.addFile(kStaged + "/B.frm", "original B");
    fs.addFile("/p/A.frm", "half converted");
    cancel = true;
    const auto stopped = invoke({"restore", "/p"});
    cancel = false;
    EXPECT_EQ(stopped.status, 3);
    const std::string dated = "Nexaria Conversion Backup 02.01.2026 09.00.00";
    EXPECT_TRUE(holds(stopped.err,
                      "stopped after 0 of 2 files; runs wait until it is finished: tavkonv40 restore "
                      "--backup \"" +
                          dated + "\" /p\n"));
    EXPECT_TRUE(fs.hasFolder(kStaged)) << "it keeps its staging name until the files hold its bytes";
    EXPECT_EQ(invoke({"restore", "--backup", dated, "/p"}).status, 0);
    EXPECT_EQ(fs.file("/p/A.frm"), kForm);
    EXPECT_TRUE(fs.hasFolder("/p/" + dated));
}

TEST_F(InterruptedRunTest, AFolderAnotherRunHoldsIsRefusedByRunAndRestore) {
    fs.addFile("/p/Nexaria Conversion Backup 01.01.2026 08.00.00/A.frm", "older");
    fs.lockedByOthers["/p"] = 4242;
    const auto before = fs.files();
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"--quiet", "--all-families", "/p"}, {"restore", "/p"}}) {
        const auto r = invoke(args);
        EXPECT_EQ(r.status, 2) << args[0];
        EXPECT_TRUE(holds(r.err, "process 4242"));
        EXPECT_EQ(fs.files(), before);
    }
}

TEST_F(InterruptedRunTest, ALogNobodyCanReadEndsTheRunCancelledAndFails) {
    std::ostream lost(nullptr);  // every write fails, as on a closed pipe or a full device
    std::ostringstream err;
    Services s{fs, clock, lost, err, cancel};
    const int status = runCommandLine({"--all-families", "/p"}, s);
    EXPECT_EQ(status, kCancelled);
    EXPECT_TRUE(holds(err.str(), "standard output could not be written"));
    EXPECT_EQ(fs.file("/p/A.frm"), kForm) << "cancelled at the first log line, before any file";
    EXPECT_TRUE(fs.hasFolder(std::string("/p/") + test::kBackupName));

    EXPECT_NE(runCommandLine({"catalogue"}, s), kCompleted);
}

// ---- crash points ----------------------------------------------------------------------------

enum class OpKind { PutFile, CreateFolder, RenameFolder, RemoveFolder, Flush };

struct Op {
    Op(OpKind k, std::string p, std::string t = {}, std::string b = {})
        : kind(k), path(std::move(p)), to(std::move(t)), bytes(std::move(b)) {}
    OpKind kind;
    std::string path, to;                // `to` for a rename
    std::string bytes;                   // for PutFile
    std::size_t durableFrom = SIZE_MAX;  // the crash points from which this op surely survives
};

enum class Fate { Lost, Kept, KeptEmpty };

// Every change is applied at once (reads see it) and recorded with the moment it became durable.
class RecordingFileSystem : public MemoryFileSystem {
  public:
    void writeFile(const std::string& path, const std::string& bytes) override {
        MemoryFileSystem::writeFile(path, bytes);
        ops.push_back({OpKind::PutFile, path, {}, bytes});
    }
    void createFile(const std::string& path, const std::string& bytes) override {
        MemoryFileSystem::createFile(path, bytes);
        ops.push_back({OpKind::PutFile, path, {}, bytes});
    }
    void replaceFile(const std::string& path, const std::string& bytes, const std::string& model) override {
        MemoryFileSystem::replaceFile(path, bytes, model);
        ops.push_back({OpKind::PutFile, path, {}, bytes});
    }
    void createFolder(const std::string& path) override {
        MemoryFileSystem::createFolder(path);
        ops.push_back(Op(OpKind::CreateFolder, path));
    }
    CopyOutcome copyFolder(const std::string& from, const std::string& to, const FolderCopy& how) override {
        const CopyOutcome outcome = MemoryFileSystem::copyFolder(from, to, how);
        // One entry at a time, parents first, as a real copy goes.
        ops.push_back(Op(OpKind::CreateFolder, to));
        for (const auto& [path, bytes] : files())
            if (path.rfind(to + "/", 0) == 0) {
                for (auto slash = path.find('/', to.size() + 1); slash != std::string::npos;
                     slash = path.find('/', slash + 1))
                    ops.push_back(Op(OpKind::CreateFolder, path.substr(0, slash)));
                ops.push_back({OpKind::PutFile, path, {}, bytes});
            }
        return outcome;
    }
    // A real rename flushes its folder entry before it returns.
    void renameFolder(const std::string& from, const std::string& to) override {
        MemoryFileSystem::renameFolder(from, to);
        ops.push_back(Op(OpKind::RenameFolder, from, to));
        ops.back().durableFrom = ops.size();
    }
    void removeFolder(const std::string& path) override {
        MemoryFileSystem::removeFolder(path);
        ops.push_back(Op(OpKind::RemoveFolder, path));
    }
    // A crash point of its own: a crash just before the flush may lose what a crash just after it
    // keeps.
    void flushFileSystem(const std::string& path) override {
        MemoryFileSystem::flushFileSystem(path);
        ops.push_back(Op(OpKind::Flush, path));
        for (auto& op : ops) op.durableFrom = std::min(op.durableFrom, ops.size());
    }

    std::vector<Op> ops;
};

void apply(MemoryFileSystem& disk, const Op& op, Fate fate) {
    const auto parent = op.path.substr(0, op.path.find_last_of('/'));
    switch (op.kind) {
        case OpKind::PutFile:
            if (disk.isFolder(parent)) disk.addFile(op.path, fate == Fate::KeptEmpty ? std::string() : op.bytes);
            break;
        case OpKind::CreateFolder:
            if (disk.isFolder(parent)) disk.addFolder(op.path);
            break;
        case OpKind::RenameFolder:
            if (disk.isFolder(op.path) && !entryExists(disk, op.to)) disk.renameFolder(op.path, op.to);
            break;
        case OpKind::RemoveFolder: disk.removeFolder(op.path); break;
        case OpKind::Flush: break;
    }
}

// What a crash after the first `point` ops leaves: `fateOf` decides each op not yet durable.
template <typename FateOf>
MemoryFileSystem survivor(const MemoryFileSystem& start, const std::vector<Op>& ops, std::size_t point, FateOf fateOf) {
    MemoryFileSystem disk = start;
    for (std::size_t i = 0; i < point; ++i) {
        const Fate fate = ops[i].durableFrom <= point ? Fate::Kept : fateOf(i);
        if (fate != Fate::Lost) apply(disk, ops[i], fate);
    }
    return disk;
}

// The first file of `start` that `disk` no longer holds as it was; empty when there is none.
std::string firstLost(MemoryFileSystem& disk, const MemoryFileSystem& start) {
    for (const auto& [path, bytes] : start.files())
        if (!disk.hasFile(path) || disk.file(path) != bytes) return path;
    return {};
}

TEST(CrashPointTest, EveryCrashPointLeavesEveryOriginalByteRecoverable) {
    RecordingFileSystem fs;
    for (int i = 0; i < 4; ++i) {
        const std::string name = "F" + std::to_string(i);
        fs.addFile("/p/" + name + ".frm", corpus::makeForm(i, name, {4096}));
    }
    fs.addFile("/p/U.ctl", corpus::makeUserControl(7, "U", 2048));
    fs.addFile("/p/P.vbp", corpus::makeProject(8, 4, 1));
    fs.addFile("/p/notes/readme.txt", "kept\r\n");
    fs.addFile("/p/Nexaria Conversion Backup 01.01.2026 08.00.00/F0.frm", "an earlier run's");
    const MemoryFileSystem start = fs;

    test::RecordingHost host;
    test::FixedClock clock;
    FixedOptions options;
    options.selectAllFamilies(Edition::V40);
    options.selectAllMicrosoft(Edition::V40);
    RunEnvironment env{fs, host, options, clock};
    ASSERT_EQ(RunConversion(env, "/p").refusal, RunRefusal::None);
    ASSERT_TRUE(host.errors.empty());

    std::mt19937 rng(15);
    std::uniform_int_distribution<int> pick(0, 2);
    int checked = 0;
    for (std::size_t point = 0; point <= fs.ops.size(); ++point) {
        std::vector<std::function<Fate(std::size_t)>> mixes{
            [](std::size_t) { return Fate::Lost; },
            [](std::size_t) { return Fate::Kept; },
            [](std::size_t) { return Fate::KeptEmpty; },
        };
        for (int r = 0; r < 4; ++r) mixes.push_back([&](std::size_t) { return static_cast<Fate>(pick(rng)); });
        for (const auto& mix : mixes) {
            MemoryFileSystem disk = survivor(start, fs.ops, point, mix);
            ++checked;
            // Files that look intact are no proof: an interrupted run's backup must be one that
            // restore can be run from, so restore runs whenever a run or check would ask for it.
            if (firstLost(disk, start).empty() && interruptedRunNotice(disk, "/p", OwnLock::Held).empty()) continue;
            std::ostringstream out, err;
            try {
                cli::restoreFolder(disk, "/p", "", cli::RestoreMode::Restore, out, err);
            } catch (const cli::NoBackup&) {}
            ASSERT_EQ(firstLost(disk, start), "")
                << "lost after a crash at point " << point << " of " << fs.ops.size() << "\n"
                << out.str() << err.str();
        }
    }
    EXPECT_GT(fs.ops.size(), 15u);
    RecordProperty("crash_states_checked", checked);
}

}  // namespace
}  // namespace tavkonv40::cli
