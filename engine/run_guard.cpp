#include "engine/run_guard.h"

#include "engine/backup.h"
#include "engine/file_kind.h"
#include "engine/text_util.h"

namespace tavkonv40 {

RunGuard::RunGuard(FileSystem& fs, const std::string& folder) : fs_(fs), folder_(withoutTrailingSlash(folder)) {
    // Asked before the lock is taken, for a dry run, whose store takes none: a live run's staged
    // copy must not be called an interrupted run's.
    const long holder = fs_.lockHolder(folder_);
    FolderLock lock;
    try {
        lock = fs_.lockFolder(folder_);
    } catch (const FileError& e) {
        // A folder that cannot hold a lock file cannot hold the backup either.
        refusal_ = RunRefusal::NoBackup;
        reason_ = noBackupMessage(folder_, e);
        return;
    }
    if (!lock.taken) {
        refusal_ = RunRefusal::FolderBusy;
        reason_ = "another run (process " + std::to_string(lock.holder) + ") is working on " + folder_ +
                  "; wait until it has ended (a lock " + folder_ + "/" + kLockFileName +
                  " left by a run that no longer exists is taken over)";
        return;
    }
    locked_ = true;
    // Still the other process's after "taking" it: the store takes no lock (a dry run's).
    if (holder != 0 && fs_.lockHolder(folder_) == holder) {
        refusal_ = RunRefusal::FolderBusy;
        reason_ = liveRunNotice(fs_, folder_, OwnLock::NotHeld);
        return;
    }
    lookForStagedCopies();
}

RunGuard::~RunGuard() {
    if (locked_) fs_.unlockFolder(folder_);
}

void RunGuard::lookForStagedCopies() {
    reason_ = interruptedRunNotice(fs_, folder_, OwnLock::Held);
    if (!reason_.empty()) {
        refusal_ = RunRefusal::InterruptedRun;
        return;
    }
    std::vector<std::string> names;
    try {
        names = fs_.listFolder(folder_);
    } catch (const FileError&) {
        return;  // the backup copy reports it
    }
    for (const auto& n : names) {
        const auto staged = parseStagingName(n);
        if (!staged || staged->state != StagedState::Partial) continue;
        try {
            fs_.removeFolder(folder_ + "/" + n);
        } catch (const FileError& e) {
            refusal_ = RunRefusal::NoBackup;
            reason_ = "the partial backup copy of a stopped run could not be removed: " + std::string(e.what());
            return;
        }
    }
}

namespace {

// A restore stopped half way left some files as its backup holds them and others as the run
// made them: converting that mix would bury the difference under another backup.
std::string interruptedRestoreNotice(FileReader& fs, const std::string& folder) {
    const std::string mark = folder + "/" + kRestoreMarkName;
    if (fs.entryInfo(mark).type != EntryType::RegularFile) return {};
    std::string from;
    try {
        from = fs.readFile(mark);
    } catch (const FileError&) {}
    const bool named = parseBackupName(from).has_value();
    return folder + " was being restored" + (named ? " from " + from : std::string()) +
           " when the restore was stopped; some files may be restored and others not. Finish it (" +
           finishRestoreCommand(folder, named ? from : std::string()) + "), or remove " + mark +
           ", before converting again";
}

// Whether every form, user control and project directly in the folder holds what the staged copy
// holds: then the interrupted run changed nothing it could have half converted.
bool matchesCopy(FileReader& fs, const std::string& folder, const std::string& copy) {
    try {
        for (const auto& n : fs.listFolder(copy)) {
            if (!fileKindOfName(n) || fs.entryInfo(copy + "/" + n).type != EntryType::RegularFile) continue;
            if (!sameBytes(fs, folder + "/" + n, copy + "/" + n)) return false;
        }
        return true;
    } catch (const FileError&) {
        return false;
    }
}

}  // namespace

std::string interruptedRunNotice(FileReader& fs, const std::string& folderIn, OwnLock ownLock) {
    const std::string folder = withoutTrailingSlash(folderIn);
    if (std::string live = liveRunNotice(fs, folder, ownLock); !live.empty()) return live;
    if (std::string restore = interruptedRestoreNotice(fs, folder); !restore.empty()) return restore;
    try {
        for (const auto& staged : stagedCopies(fs, folder, StagedState::Complete)) {
            const std::string intro = folder + " holds the backup of an interrupted run (" + staged.name + "); ";
            const std::string command = finishRestoreCommand(folder, {});
            if (matchesCopy(fs, folder, folder + "/" + staged.name))
                return intro +
                       "the files it could have changed still match that backup. Let restore give it its "
                       "dated name (" +
                       command + ") before converting again";
            return intro + "some files may be half converted. Put them back (" + command + ") before converting again";
        }
    } catch (const FileError&) {}
    return {};
}

}  // namespace tavkonv40
