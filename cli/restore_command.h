// The restore command: puts a folder's files back from one of its backups (engine/restore.h) and
// prints what it did.
#pragma once

#include <functional>
#include <ostream>
#include <string>

#include "engine/restore.h"

namespace tavkonv40::cli {

using tavkonv40::BackupEntry;
using tavkonv40::findBackups;
using tavkonv40::FolderBusy;
using tavkonv40::NoBackup;
using tavkonv40::parseBackupName;
using tavkonv40::RestoreMode;
using tavkonv40::RestoreRequest;
using tavkonv40::RestoreResult;

// Restores as the request says. Each action is one line on `out`, printed once it is done; errors
// also go to `err`, and so do warnings and how to finish a restore that was stopped or failed.
// The last lines count what was done and name the older backups left. Throws NoBackup (naming
// the subfolders that hold backups when the folder holds none) and FolderBusy.
RestoreResult restoreFolder(FileSystem& fs, const std::string& folder, const RestoreRequest& request, std::ostream& out,
                            std::ostream& err, const std::function<bool()>& stopRequested = {});

// The same for the backup of that name (the newest when empty), restored as by default.
RestoreResult restoreFolder(FileSystem& fs, const std::string& folder, const std::string& backupName, RestoreMode mode,
                            std::ostream& out, std::ostream& err, const std::function<bool()>& stopRequested = {});

}  // namespace tavkonv40::cli
