#include "backup.h"

#include <cstdio>

#include "file_session.h"
#include "text_util.h"

namespace tavkonv40 {

namespace {

// A partial or moved-out temporary copy is of no use to anyone.
void discard(FileSystem& fs, const std::string& folder) {
    try {
        fs.removeFolder(folder);
    } catch (const FileError&) {
    }
}

}  // namespace

std::string backupName(const std::tm& date, const std::tm& time) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%02d.%02d.%04d %02d.%02d.%02d", date.tm_mon + 1, date.tm_mday,
                  date.tm_year + 1900, time.tm_hour, time.tm_min, time.tm_sec);
    return std::string("Nexaria Conversion Backup ") + buf;
}

namespace {

const std::string_view kBackupPrefix = "Nexaria Conversion Backup ";

}  // namespace

std::optional<BackupEntry> parseBackupName(std::string_view name) {
    if (name.size() != kBackupPrefix.size() + 19 || name.substr(0, kBackupPrefix.size()) != kBackupPrefix)
        return std::nullopt;
    const std::string_view stamp = name.substr(kBackupPrefix.size());
    // "mm.dd.yyyy hh.mm.ss"
    static constexpr std::string_view kShape = "99.99.9999 99.99.99";
    for (std::size_t i = 0; i < stamp.size(); ++i) {
        const bool digit = stamp[i] >= '0' && stamp[i] <= '9';
        if (kShape[i] == '9' ? !digit : stamp[i] != kShape[i]) return std::nullopt;
    }
    const auto num = [&](std::size_t at, std::size_t len) {
        int n = 0;
        for (char c : stamp.substr(at, len)) n = n * 10 + (c - '0');
        return n;
    };
    BackupEntry e;
    e.name = std::string(name);
    e.when = {num(6, 4), num(0, 2), num(3, 2), num(11, 2), num(14, 2), num(17, 2)};
    return e;
}

bool isInBackupFolder(std::string_view path) {
    while (!path.empty()) {
        const auto slash = path.find_first_of("/\\");
        if (parseBackupName(path.substr(0, slash))) return true;
        if (slash == std::string_view::npos) break;
        path.remove_prefix(slash + 1);
    }
    return false;
}

Backup BackupFolderToTemp(FileSystem& fs, RunHost& host, Clock& clock, const std::string& folder) {
    Backup b;
    const std::tm date = clock.now();
    const std::tm time = clock.now();
    b.name = backupName(date, time);
    std::string temp;
    try {
        temp = fs.createTemporaryFolder();
    } catch (const FileError& e) {
        addErrorLine(host, errorLine(std::string("no backup was made: the temporary folder is not available: ") +
                                     e.what()));
        return b;
    }
    b.tempFolder = temp;
    b.tempPath = temp + "/" + b.name;
    host.yield();
    const std::string source = withoutTrailingSlash(folder);
    if (b.tempPath == source || isInsideFolder(b.tempPath, source)) {
        addErrorLine(host, errorLine("no backup was made: the temporary folder " + temp + " lies inside " + source));
    } else {
        try {
            fs.copyFolder(source, b.tempPath);
            b.copied = true;
        } catch (const FileError& e) {
            addErrorLine(host, errorLine("the backup copy of " + source + " failed: " + e.what() +
                                         "; no complete backup exists"));
        }
    }
    if (!b.copied) discard(fs, temp);
    host.yield();
    return b;
}

BackupPlacement BackupMoveIntoFolder(FileSystem& fs, RunHost& host, const Backup& backup,
                                     const std::string& folder) {
    // The folder text as the user gave it, so a trailing separator shows doubled, as typed.
    const std::string destination = folder + "/" + backup.name;
    bool placed = false;
    host.yield();
    if (backup.copied) {
        try {
            fs.moveFolder(backup.tempPath, destination);
            placed = true;
            discard(fs, backup.tempFolder);
        } catch (const FileError& e) {
            addErrorLine(host, errorLine("the backup could not be moved into the folder: " +
                                     std::string(e.what()) + "; the copy remains at " +
                                     backup.tempPath));
        }
    }
    host.yield();
    AddLogLine(host, "Backup of original folder saved to:");
    AddLogLine(host, "");
    AddLogLine(host, destination);
    return {destination, placed};
}

}  // namespace tavkonv40
