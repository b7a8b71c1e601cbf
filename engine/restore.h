// Puts a folder's files back from one of the backups a run leaves inside it.
//
// By default a restore takes back the run and only the run: the files the run wrote (its
// backup's record names them), and only where each is still as the run left it. A file changed
// since is named and kept; files the run never wrote are left as they are and named where they
// differ from the backup. The whole folder is put back only when asked (RestoreScope::All) or
// when the backup has no record (made before records existed). A copy whose bytes differ from
// what the run read is never written. An interrupted run's complete staged copy comes first; the
// forms, user controls and projects directly in the folder are what that run may have half
// converted, and those are put back.
#pragma once

#include <functional>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "engine/backup.h"
#include "engine/file_system.h"

namespace tavkonv40 {

enum class RestoreMode { Restore, DryRun };
enum class RestoreScope { RunsWrites, All };
// Whether files changed since the run are overwritten too.
enum class ChangedFiles { Kept, Overwritten };

struct RestoreRequest {
    std::string backup;  // its name, its date and time, or a path ending in it; empty: the newest
    RestoreMode mode = RestoreMode::Restore;
    RestoreScope scope = RestoreScope::RunsWrites;
    ChangedFiles changed = ChangedFiles::Kept;
    // Only these files (paths relative to the folder) are put back, whatever their state.
    std::vector<std::string> files;
};

// Where a restore's lines go. The caller decides how a name is shown and quoted.
class RestoreOutput {
  public:
    virtual ~RestoreOutput() = default;
    virtual void line(const std::string& text) = 0;     // what was done, one line each
    virtual void error(const std::string& text) = 0;    // a failure (counted by the restore)
    virtual void warning(const std::string& text) = 0;  // said once, on the error stream
    virtual std::string shown(const std::string& name) = 0;
    virtual std::string word(const std::string& name) = 0;  // a name to paste into a command
};

struct RestoreResult {
    int restored = 0;   // rewritten or created
    int unchanged = 0;  // already held the backup's bytes
    int errors = 0;
    std::vector<std::string> onlyInFolder;        // relative paths, left alone
    std::vector<std::string> changedSinceRun;     // written by the run, changed since: kept
    std::vector<std::string> changedSinceBackup;  // not written by the run, differ from the backup: kept
    // Set when a request to stop ended the restore between two files: `reached` files of the
    // backup were gone through (restored, already as in the backup, or failed), `notReached` not.
    bool stopped = false;
    int reached = 0;
    int notReached = 0;
    std::string backup;                // the backup restored from (its name in the folder)
    std::vector<BackupEntry> backups;  // the folder's dated backups before the restore, oldest first
    bool markKept = false;             // the restore's mark stays: runs wait until it is finished
};

class NoBackup : public std::runtime_error {
  public:
    enum class Why { NoneAtAll, Other };
    explicit NoBackup(const std::string& what, Why reason = Why::Other) : std::runtime_error(what), why(reason) {}
    Why why;
};

// Another run or restore holds the folder's lock, or a stopped restore must be finished first.
class FolderBusy : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// Restores `folder` as the request says, holding the folder's lock meanwhile (a dry run takes none
// and writes nothing). Each file is written atomically with the backup's permission bits, owner and
// time; a symbolic link in the folder is replaced, never written through, and a linked folder is
// never entered. A mark that reaches the device before the first write stays when the restore is
// stopped or ends with errors, so that runs wait until a restore from the same backup finishes
// the job; a stopped restore is finished only from its own backup. `stop` is asked before each
// file. Throws NoBackup when there is no such backup, FolderBusy when the folder is in use.
RestoreResult restoreFolder(FileSystem& fs, const std::string& folder, const RestoreRequest& request,
                            RestoreOutput& out, const std::function<bool()>& stop = {});

}  // namespace tavkonv40
