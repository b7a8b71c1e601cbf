// What must hold before a run may touch a folder: no other run or restore is working on it, and
// no interrupted run has left its backup there (that backup holds the only copy of files the
// interrupted run may have half converted). The guard holds the folder's lock for its lifetime.
#pragma once

#include <string>

#include "engine/backup.h"
#include "engine/file_system.h"

namespace tavkonv40 {

enum class RunRefusal { None, FolderBusy, InterruptedRun, NoBackup };

class RunGuard {
  public:
    // Takes the lock, then looks for staged copies: a complete one refuses the run, partial ones
    // (a run stopped while copying, before it changed anything) are removed.
    RunGuard(FileSystem& fs, const std::string& folder);
    ~RunGuard();
    RunGuard(const RunGuard&) = delete;
    RunGuard& operator=(const RunGuard&) = delete;

    RunRefusal refusal() const { return refusal_; }
    // Why the run may not start, for the log (empty when it may).
    const std::string& reason() const { return reason_; }

  private:
    void lookForStagedCopies();

    FileSystem& fs_;
    std::string folder_;
    bool locked_ = false;
    RunRefusal refusal_ = RunRefusal::None;
    std::string reason_;
};

// The message a run or a check gives for a complete staged copy in `folder`, or for the mark of a
// restore that was stopped, or an empty string when there is neither. Unless the caller holds the
// folder's lock itself, a live process holding it is named instead (its files are in use, not
// abandoned), whatever the folder holds.
std::string interruptedRunNotice(FileReader& fs, const std::string& folder, OwnLock ownLock);

}  // namespace tavkonv40
