// The dated copy of the chosen folder that every run leaves inside it.
//
// The copy is made inside the folder itself, under a hidden staging name, so that it lives on
// the same device as the files it protects and a run killed at any moment leaves it where
// `restore` looks: ".tavkonv40-backup-<stamp>.partial" while it is being copied, renamed to
// ".tavkonv40-backup-<stamp>.complete" once every byte of it has reached the device (the rename
// is the completeness marker), and renamed to its dated name when the run ends. Nothing is
// converted before the complete copy exists; a staged copy that is still there means the run
// that made it was interrupted.
#pragma once

#include <array>
#include <ctime>
#include <optional>
#include <string>
#include <string_view>

#include "engine/file_system.h"
#include "engine/run_host.h"

namespace tavkonv40 {

struct Backup {
    std::string name;         // "Nexaria Conversion Backup mm.dd.yyyy hh.mm.ss"
    std::string stagingPath;  // the complete staged copy inside the folder
    bool copied = false;      // complete and on the device
};

std::string backupName(const std::tm& date, const std::tm& time);

struct BackupEntry {
    std::string name;  // "Nexaria Conversion Backup mm.dd.yyyy hh.mm.ss"
    // yyyy, mm, dd, hh, mm, ss: compares by date and time, which the name's order does not.
    std::array<int, 6> when{};
    // The folder's own modification time (EntryInfo::modified): set when its run made it, and kept
    // by copies of the project folder that keep times (cp -a, rsync, tar), which set the time an
    // entry last changed to the moment of the copy.
    std::int64_t modified = 0;
};

// The name's date and time, or nothing when the name is not a backup's.
std::optional<BackupEntry> parseBackupName(const std::string& name);

enum class StagedState { Partial, Complete };

struct StagedCopy {
    std::string name;        // the staging folder's own name
    std::string backupName;  // the dated name it would have been given
    StagedState state = StagedState::Partial;
};

std::string stagingName(const std::string& backupName, StagedState state);
std::optional<StagedCopy> parseStagingName(const std::string& name);

// What a backup leaves out of the folder's copy: earlier backups and staged copies (each new
// backup would otherwise hold every earlier one), the lock file and a restore's mark.
bool isLeftOutOfBackup(const std::string& name);

// Whether the path names a backup folder (dated or staged) or something inside one: one of its
// components is such a name ("/" and "\\" both separate components). Give it an absolute path
// with no "." or ".." in it, or a folder reached through them is missed.
bool isInBackupFolder(std::string_view path);

// "no backup can be made of FOLDER: CAUSE", naming the entry that failed when it is not the
// folder itself. The same words whether the run or its dry run meets the failure.
std::string noBackupMessage(const std::string& folder, const FileError& e);

// Copies the folder into its staging copy inside it and flushes it to the device. A failure or
// a stop request is logged as an error line; the partial copy is then removed and `copied`
// stays false.
Backup BackupFolderToTemp(FileSystem& fs, RunHost& host, Clock& clock, const std::string& folder);

struct BackupPlacement {
    std::string destination;  // where the backup went, as the log names it; empty when no copy was made
    bool placed = false;      // false when no complete backup could be placed there
};

// Gives the staged copy its dated name and logs where it is (the three lines are written
// whenever a complete copy exists).
BackupPlacement BackupMoveIntoFolder(FileSystem& fs, RunHost& host, const Backup& backup, const std::string& folder);

}  // namespace tavkonv40
