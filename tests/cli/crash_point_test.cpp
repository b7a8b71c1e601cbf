// Crash consistency, proved point by point: a store that records every write, rename, removal
// and flush of a run can "crash" after any of them. What was flushed survives; anything after the
// last flush may be lost, kept, or kept with its file contents empty (renames reach the device
// before data on some file systems), in any mix. For every crash point and several such mixes,
// either every file still holds its original bytes or `restore` gives them back.
#include <gtest/gtest.h>

#include <random>
#include <sstream>

#include "tests/engine/test_support.h"
#include "engine/conversion_run.h"
#include "engine/run_guard.h"
#include "testing/corpus.h"
#include "testing/memory_file_system.h"
#include "cli/restore_command.h"

namespace tavkonv40 {
namespace {

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
        record({OpKind::PutFile, path, {}, bytes});
    }
    void createFile(const std::string& path, const std::string& bytes) override {
        MemoryFileSystem::createFile(path, bytes);
        record({OpKind::PutFile, path, {}, bytes});
    }
    void replaceFile(const std::string& path, const std::string& bytes, const std::string& model) override {
        MemoryFileSystem::replaceFile(path, bytes, model);
        record({OpKind::PutFile, path, {}, bytes});
    }
    void createFolder(const std::string& path) override {
        MemoryFileSystem::createFolder(path);
        record(Op(OpKind::CreateFolder, path));
    }
    CopyOutcome copyFolder(const std::string& from, const std::string& to, const FolderCopy& how) override {
        const CopyOutcome outcome = MemoryFileSystem::copyFolder(from, to, how);
        // One entry at a time, parents first, as a real copy goes.
        record(Op(OpKind::CreateFolder, to));
        for (const auto& [path, bytes] : files())
            if (path.rfind(to + "/", 0) == 0) {
                for (auto slash = path.find('/', to.size() + 1); slash != std::string::npos;
                     slash = path.find('/', slash + 1))
                    record(Op(OpKind::CreateFolder, path.substr(0, slash)));
                record({OpKind::PutFile, path, {}, bytes});
            }
        return outcome;
    }
    // A real rename flushes its folder entry before it returns.
    void renameFolder(const std::string& from, const std::string& to) override {
        MemoryFileSystem::renameFolder(from, to);
        record(Op(OpKind::RenameFolder, from, to));
        ops.back().durableFrom = ops.size();
    }
    void removeFolder(const std::string& path) override {
        MemoryFileSystem::removeFolder(path);
        record(Op(OpKind::RemoveFolder, path));
    }
    // A crash point of its own: a crash just before the flush may lose what a crash just after it
    // keeps.
    void flushFileSystem(const std::string& path) override {
        MemoryFileSystem::flushFileSystem(path);
        record(Op(OpKind::Flush, path));
        for (auto& op : ops) op.durableFrom = std::min(op.durableFrom, ops.size());
    }

    std::vector<Op> ops;

  private:
    void record(Op op) { ops.push_back(std::move(op)); }
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

bool inPlace(MemoryFileSystem& disk, const MemoryFileSystem& start) {
    for (const auto& [path, bytes] : start.files())
        if (!disk.hasFile(path) || disk.file(path) != bytes) return false;
    return true;
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
            if (inPlace(disk, start) && interruptedRunNotice(disk, "/p", OwnLock::Held).empty()) continue;
            std::ostringstream out, err;
            try {
                cli::restoreFolder(disk, "/p", "", cli::RestoreMode::Restore, out, err);
            } catch (const cli::NoBackup&) {}
            for (const auto& [path, bytes] : start.files())
                ASSERT_TRUE(disk.hasFile(path) && disk.file(path) == bytes)
                    << path << " lost after a crash at point " << point << " of " << fs.ops.size() << "\n"
                    << out.str() << err.str();
        }
    }
    EXPECT_GT(fs.ops.size(), 15u);
    RecordProperty("crash_states_checked", checked);
}

}  // namespace
}  // namespace tavkonv40
