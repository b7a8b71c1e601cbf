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
#include <vector>
#include <string>
#include <string_view>

#include "engine/backup_record.h"
#include "engine/file_system.h"
#include "engine/run_host.h"

namespace tavkonv40 {

struct Backup {
    std::string name;         // the dated name, backupName(...)
    std::string stagingPath;  // the complete staged copy inside the folder
    bool copied = false;      // complete and on the device
    std::int64_t made = 0;    // Clock::instant() when the copy began: what its record keeps
    bool onDevice = false;    // the copy exists (a dry run only checks that it could be made)
};

std::string backupName(const std::tm& date, const std::tm& time);
// Whether a name begins as every backup's does (a walk of a tree skips such folders).
bool hasBackupPrefix(std::string_view name);
// What a backup's name looks like, for a message: the prefix and "mm.dd.yyyy hh.mm.ss".
std::string backupNamePattern();
// Whether `wanted` (a backup's full name or just its "mm.dd.yyyy hh.mm.ss") names `backupName`.
bool namesBackup(const std::string& wanted, const std::string& backupName);

struct BackupEntry {
    std::string name;  // backupName(...)
    // yyyy, mm, dd, hh, mm, ss: compares by date and time, which the name's order does not.
    std::array<int, 6> when{};
    // When the backup was made, in nanoseconds since 1970: from its record, or for a backup made
    // before records existed, the local time its name gives. A folder's own times are not used:
    // anything that creates and removes a file inside a backup changes them.
    std::int64_t made = 0;
    bool recorded = false;  // `made` comes from the backup's record
};

// The name's date and time, or nothing when the name is not a backup's.
std::optional<BackupEntry> parseBackupName(const std::string& name);

// The folder's dated backups, oldest first, by the time each was made (see BackupEntry::made);
// the date and time in the name decide between equal times. Throws FileError when the folder
// cannot be listed.
std::vector<BackupEntry> findBackups(FileReader& fs, const std::string& folder);

enum class StagedState { Partial, Complete };

struct StagedCopy {
    std::string name;        // the staging folder's own name
    std::string backupName;  // the dated name it would have been given
    StagedState state = StagedState::Partial;
};

std::string stagingName(const std::string& backupName, StagedState state);
std::optional<StagedCopy> parseStagingName(const std::string& name);
// The staged copies of that state directly in the folder. Throws FileError when it cannot be listed.
std::vector<StagedCopy> stagedCopies(FileReader& fs, const std::string& folder, StagedState state);

// The command that finishes a stopped restore of `folder` from the backup of that name (the newest
// when the name is empty), as a user can paste it.
std::string finishRestoreCommand(const std::string& folder, const std::string& backupName);

// "a run (process N) is working on FOLDER; wait until it has ended": said of a staged copy or a
// restore's mark while a live process holds the folder, instead of calling them abandoned.
// Empty when no other process holds the folder's lock (`ownLock`: this command holds it itself).
enum class OwnLock { Held, NotHeld };
std::string liveRunNotice(FileReader& fs, const std::string& folder, OwnLock ownLock);

// What a backup leaves out of the folder's copy: earlier backups and staged copies (each new
// backup would otherwise hold every earlier one), the lock file and a restore's mark.
bool isLeftOutOfBackup(const std::string& name);

// Whether the path names a backup folder (dated or staged) or something inside one: one of its
// components is such a name ("/" and "\\" both separate components). Give it an absolute path
// with no "." or ".." in it, or a folder reached through them is missed.
bool isInBackupFolder(std::string_view path);

// Why nothing may be written in a folder, whoever asks (a run, its fixes, a restore, the dialog):
// the root folder, or a backup (dated or staged) or a folder inside one, whose conversion would
// leave nothing to restore the project from. Links and "." / ".." are resolved through the file
// store as far as the path exists.
enum class WriteRefusal { None, Root, Backup, InsideBackup };
WriteRefusal writeRefusal(FileReader& fs, const std::string& folder);

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

// Rewrites the staged copy's record with what the run read, wrote and declined, before the run's
// one flush. A failure is logged: restore then treats the backup as one made without a record.
void recordRun(FileSystem& fs, RunHost& host, const Backup& backup, BackupRecord record);

// Gives the staged copy its dated name and logs where it is (the three lines are written
// whenever a complete copy exists). A staged copy that something removed during the run is
// reported as gone, and no "saved to" lines are written.
BackupPlacement BackupMoveIntoFolder(FileSystem& fs, RunHost& host, const Backup& backup, const std::string& folder);

}  // namespace tavkonv40
