// The dated copy of the chosen folder that every run leaves inside it.
#pragma once

#include <ctime>
#include <string>

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
