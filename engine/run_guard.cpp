#include "engine/run_guard.h"

#include "engine/backup.h"
#include "engine/text_util.h"

namespace tavkonv40 {

RunGuard::RunGuard(FileSystem& fs, const std::string& folder) : fs_(fs), folder_(withoutTrailingSlash(folder)) {
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
    lookForStagedCopies();
}

RunGuard::~RunGuard() {
    if (locked_) fs_.unlockFolder(folder_);
}

void RunGuard::lookForStagedCopies() {
    reason_ = interruptedRunNotice(fs_, folder_);
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

std::string interruptedRunNotice(FileSystem& fs, const std::string& folderIn) {
    const std::string folder = withoutTrailingSlash(folderIn);
    try {
        for (const auto& n : fs.listFolder(folder)) {
            const auto staged = parseStagingName(n);
            if (staged && staged->state == StagedState::Complete && fs.isFolder(folder + "/" + n))
                return folder + " holds the backup of an interrupted run (" + n +
                       "); some files may be half converted. Put them back with 'tavkonv40 restore " + folder +
                       "', or remove that folder, before converting again";
        }
    } catch (const FileError&) {}
    return {};
}

}  // namespace tavkonv40
