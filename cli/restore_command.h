// Puts a folder's files back from one of the dated backups a run leaves inside it.
#pragma once

#include <array>
#include <optional>
#include <stdexcept>
#include <ostream>
#include <string>
#include <vector>

#include "file_system.h"

namespace tavkonv40::cli {

enum class RestoreMode { Restore, DryRun };

struct BackupEntry {
    std::string name;  // "Nexaria Conversion Backup mm.dd.yyyy hh.mm.ss"
    // yyyy, mm, dd, hh, mm, ss: compares by date and time, which the name's order does not.
    std::array<int, 6> when{};
};

// The name's date and time, or nothing when the name is not a backup's.
std::optional<BackupEntry> parseBackupName(const std::string& name);

// The folder's backups, oldest first.
std::vector<BackupEntry> findBackups(FileSystem& fs, const std::string& folder);

struct RestoreResult {
    int restored = 0;   // rewritten or created
    int unchanged = 0;  // already held the backup's bytes
    int errors = 0;
    std::vector<std::string> onlyInFolder;  // relative paths, left alone
};

class NoBackup : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Copies every file and subfolder of the backup back over the folder's own (each file written
// atomically, files that already match left untouched), leaving the backups themselves alone;
// lists the files found only in the folder. `backupName` empty means the newest backup; it may
// also be given as just its date and time. Throws NoBackup when there is no such backup.
// Each action is one line on `out`; errors also go to `err`.
RestoreResult restoreFolder(FileSystem& fs, const std::string& folder, const std::string& backupName,
                            RestoreMode mode, std::ostream& out, std::ostream& err);

}  // namespace tavkonv40::cli
