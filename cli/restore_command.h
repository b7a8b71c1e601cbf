// Puts a folder's files back from one of the dated backups a run leaves inside it.
#pragma once

#include <functional>
#include <ostream>
#include <stdexcept>
#include <string>
#include <vector>

#include "engine/backup.h"
#include "engine/file_system.h"

namespace tavkonv40::cli {

enum class RestoreMode { Restore, DryRun };

using tavkonv40::BackupEntry;
using tavkonv40::parseBackupName;

// The folder's backups, oldest first: by each backup folder's own modification time, the date
// and time in the name deciding between equal times (a clock moved back by a time-zone or
// daylight-saving change does not make an older backup look newer, nor does copying the project
// folder elsewhere, which gives every entry a new change time in the order of the copy).
std::vector<BackupEntry> findBackups(FileSystem& fs, const std::string& folder);

struct RestoreResult {
    int restored = 0;   // rewritten or created
    int unchanged = 0;  // already held the backup's bytes
    int errors = 0;
    std::vector<std::string> onlyInFolder;  // relative paths, left alone
    // Set when a request to stop ended the restore between two files: `reached` files of the
    // backup were gone through (restored, already as in the backup, or failed), `notReached` not.
    bool stopped = false;
    int reached = 0;
    int notReached = 0;
};

class NoBackup : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// Another run or restore holds the folder's lock.
class FolderBusy : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// Copies every file and subfolder of the backup back over the folder's own, leaving the backups
// themselves alone, and lists the files found only in the folder. Each file is written
// atomically with the backup's permission bits, owner and time; a symbolic link in the folder is
// replaced, never written through, and a linked folder is never entered. Files that already
// match are left untouched. `backupName` empty means the newest backup; it may also be given as
// just its date and time, or as a path ending in it. The complete backup an interrupted run left
// under its staging name comes first (it is the newest, and the files may be half converted);
// once restored from, it takes its dated name. Holds the folder's lock meanwhile. Throws
// NoBackup when there is no such backup, FolderBusy when another run holds the folder. Each
// action is one line on `out`, printed once it is done; errors also go to `err`.
// `stopRequested` is asked before each file; once it says yes the restore writes nothing more,
// leaves its mark (so that runs wait for the restore to be finished) and says on `err` how far
// it got and the command that finishes it. A dry run is never stopped.
RestoreResult restoreFolder(FileSystem& fs, const std::string& folder, const std::string& backupName, RestoreMode mode,
                            std::ostream& out, std::ostream& err, const std::function<bool()>& stopRequested = {});

}  // namespace tavkonv40::cli
