// The dated copy of the chosen folder that every run leaves inside it.
#pragma once

#include <array>
#include <ctime>
#include <optional>
#include <string>
#include <string_view>

#include "file_system.h"
#include "run_host.h"

namespace tavkonv40 {

struct Backup {
    std::string name;      // "Nexaria Conversion Backup mm.dd.yyyy hh.mm.ss"
    std::string tempFolder;  // the run's own folder inside the temporary folder
    std::string tempPath;    // tempFolder + "/" + name
    bool copied = false;
};

std::string backupName(const std::tm& date, const std::tm& time);

struct BackupEntry {
    std::string name;  // "Nexaria Conversion Backup mm.dd.yyyy hh.mm.ss"
    // yyyy, mm, dd, hh, mm, ss: compares by date and time, which the name's order does not.
    std::array<int, 6> when{};
    std::int64_t changed = 0;  // the folder's own time stamp (EntryInfo::changed)
};

// The name's date and time, or nothing when the name is not a backup's.
std::optional<BackupEntry> parseBackupName(std::string_view name);

// Whether the path names a backup folder or something inside one: one of its components is a
// backup's name ("/" and "\\" both separate components). Give it an absolute path with no "." or ".." in it, or a folder reached through
// them is missed.
bool isInBackupFolder(std::string_view path);

// Copies the folder into the temporary folder. A failure is logged as an error line.
Backup BackupFolderToTemp(FileSystem& fs, RunHost& host, Clock& clock, const std::string& folder);

struct BackupPlacement {
    std::string destination;  // where the backup goes, as the log names it
    bool placed = false;      // false when no complete backup could be placed there
};

// Moves the copy into the folder and logs where it went (the three lines are written whatever
// happened).
BackupPlacement BackupMoveIntoFolder(FileSystem& fs, RunHost& host, const Backup& backup,
                                     const std::string& folder);

}  // namespace tavkonv40
