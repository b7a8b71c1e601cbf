#include "engine/backup.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <thread>

#include "engine/file_session.h"
#include "engine/text_util.h"

namespace tavkonv40 {

namespace {

const std::string kBackupPrefix = "Nexaria Conversion Backup ";
const std::string kStagingPrefix = ".tavkonv40-backup-";
const std::string kPartialSuffix = ".partial";
const std::string kCompleteSuffix = ".complete";

// A partial copy is of no use to anyone; a failure to remove it is reported, since it then
// takes room in the user's folder.
void discard(FileSystem& fs, RunHost& host, const std::string& path) {
    try {
        fs.removeFolder(path);
    } catch (const FileError& e) {
        addErrorLine(host, errorLine("the partial backup copy could not be removed: " + std::string(e.what())));
    }
}

// Between the copy's files: the host gets a turn at once and then every 30 ms (a window stays
// painted and sees its Cancel however large the folder), with the count of files copied so far
// in its status line; a stop ends the copy.
class CopyTurns {
  public:
    explicit CopyTurns(RunHost& host) : host_(host) {}
    ~CopyTurns() {
        if (host_.showsStatus() && files_ > 0) host_.setStatus("");
    }
    CopyTurns(const CopyTurns&) = delete;
    CopyTurns& operator=(const CopyTurns&) = delete;

    bool operator()() {
        ++files_;
        const auto now = std::chrono::steady_clock::now();
        if (files_ == 1 || now - last_ >= std::chrono::milliseconds(30)) {
            last_ = now;
            if (host_.showsStatus()) host_.setStatus("Copying the folder for its backup: " + std::to_string(files_));
            host_.yield();
        }
        return host_.stopRequested();
    }

  private:
    RunHost& host_;
    long files_ = 0;
    std::chrono::steady_clock::time_point last_;
};

// Makes the complete staged copy, or says why it could not. Returns false after logging.
bool stage(FileSystem& fs, RunHost& host, const std::string& source, const std::string& partial,
           const std::string& complete, std::int64_t made) {
    CopyTurns turns(host);
    const FolderCopy how{isLeftOutOfBackup, [&turns] { return turns(); }};
    try {
        fs.checkFolderCopy(source, partial, how);
    } catch (const FileError& e) {
        addErrorLine(host, errorLine(noBackupMessage(source, e)));
        return false;
    }
    try {
        const CopyOutcome copied = fs.copyFolder(source, partial, how);
        logStoreWarnings(fs, host);
        if (copied == CopyOutcome::Stopped) {
            addErrorLine(host, errorLine("the backup copy was stopped before it was complete"));
            discard(fs, host, partial);
            return false;
        }
        // The record goes in with the copy (a dry run makes no copy to hold it), so that every
        // complete backup says when it was made. Every byte of the copy and its record reaches
        // the device before its name says it is complete, and that name before the first
        // project file is replaced.
        if (fs.isFolder(partial)) writeRecord(fs, partial, BackupRecord{made, {}, {}, {}});
        fs.flushFileSystem(source);
        fs.renameFolder(partial, complete);
        return true;
    } catch (const FileError& e) {
        addErrorLine(host, errorLine("the backup copy of " + source + " failed: " + e.what()));
        discard(fs, host, partial);
        return false;
    }
}

}  // namespace

std::string backupName(const std::tm& date, const std::tm& time) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%02d.%02d.%04d %02d.%02d.%02d", date.tm_mon + 1, date.tm_mday, date.tm_year + 1900,
                  time.tm_hour, time.tm_min, time.tm_sec);
    return kBackupPrefix + buf;
}

bool hasBackupPrefix(std::string_view name) { return name.starts_with(kBackupPrefix); }

std::string backupNamePattern() { return kBackupPrefix + "mm.dd.yyyy hh.mm.ss"; }

bool namesBackup(const std::string& wanted, const std::string& backupName) {
    return wanted == backupName || kBackupPrefix + wanted == backupName;
}

std::optional<BackupEntry> parseBackupName(const std::string& name) {
    if (name.size() != kBackupPrefix.size() + 19 || name.compare(0, kBackupPrefix.size(), kBackupPrefix) != 0)
        return std::nullopt;
    const std::string stamp = name.substr(kBackupPrefix.size());
    // "mm.dd.yyyy hh.mm.ss"
    static constexpr const char* kShape = "99.99.9999 99.99.99";
    for (std::size_t i = 0; i < stamp.size(); ++i) {
        const bool digit = stamp[i] >= '0' && stamp[i] <= '9';
        if (kShape[i] == '9' ? !digit : stamp[i] != kShape[i]) return std::nullopt;
    }
    auto num = [&](std::size_t at, std::size_t len) { return std::stoi(stamp.substr(at, len)); };
    BackupEntry e;
    e.name = name;
    e.when = {num(6, 4), num(0, 2), num(3, 2), num(11, 2), num(14, 2), num(17, 2)};
    return e;
}

std::string stagingName(const std::string& backupName, StagedState state) {
    return kStagingPrefix + backupName.substr(kBackupPrefix.size()) +
           (state == StagedState::Complete ? kCompleteSuffix : kPartialSuffix);
}

std::optional<StagedCopy> parseStagingName(const std::string& name) {
    if (name.compare(0, kStagingPrefix.size(), kStagingPrefix) != 0) return std::nullopt;
    const bool complete = name.ends_with(kCompleteSuffix);
    if (!complete && !name.ends_with(kPartialSuffix)) return std::nullopt;
    const std::size_t suffix = complete ? kCompleteSuffix.size() : kPartialSuffix.size();
    const std::string stamp = name.substr(kStagingPrefix.size(), name.size() - kStagingPrefix.size() - suffix);
    if (!parseBackupName(kBackupPrefix + stamp)) return std::nullopt;
    return StagedCopy{name, kBackupPrefix + stamp, complete ? StagedState::Complete : StagedState::Partial};
}

std::vector<StagedCopy> stagedCopies(FileReader& fs, const std::string& folder, StagedState state) {
    std::vector<StagedCopy> found;
    for (const auto& n : fs.listFolder(folder)) {
        auto staged = parseStagingName(n);
        if (staged && staged->state == state && fs.isFolder(folder + "/" + n)) found.push_back(std::move(*staged));
    }
    std::sort(found.begin(), found.end(),
              [](const StagedCopy& a, const StagedCopy& b) { return a.backupName < b.backupName; });
    return found;
}

namespace {

// The local time a name gives, on the scale of a record's time.
std::int64_t madeByName(const BackupEntry& e) {
    std::tm t{};
    t.tm_year = e.when[0] - 1900;
    t.tm_mon = e.when[1] - 1;
    t.tm_mday = e.when[2];
    t.tm_hour = e.when[3];
    t.tm_min = e.when[4];
    t.tm_sec = e.when[5];
    t.tm_isdst = -1;
    return static_cast<std::int64_t>(std::mktime(&t)) * 1'000'000'000;
}

}  // namespace

std::vector<BackupEntry> findBackups(FileReader& fs, const std::string& folderIn) {
    const std::string folder = withoutTrailingSlash(folderIn);
    std::vector<BackupEntry> backups;
    for (const auto& n : fs.listFolder(folder)) {
        auto e = parseBackupName(n);
        if (!e || !fs.isFolder(folder + "/" + n)) continue;
        const auto record = readRecord(fs, folder + "/" + n);
        e->recorded = record.has_value();
        e->made = record ? record->made : madeByName(*e);
        backups.push_back(std::move(*e));
    }
    std::sort(backups.begin(), backups.end(), [](const BackupEntry& a, const BackupEntry& b) {
        return a.made != b.made ? a.made < b.made : a.when < b.when;
    });
    return backups;
}

// Quoted word by word, so that it can be pasted as it stands.
std::string finishRestoreCommand(const std::string& folder, const std::string& backupName) {
    return "tavkonv40 restore " + (backupName.empty() ? std::string() : "--backup " + shellQuoted(backupName) + " ") +
           shellQuoted(folder);
}

std::string liveRunNotice(FileReader& fs, const std::string& folder, OwnLock ownLock) {
    if (ownLock == OwnLock::Held) return {};
    const long holder = fs.lockHolder(folder);
    if (holder == 0) return {};
    return "a run (process " + std::to_string(holder) + ") is working on " + folder + "; wait until it has ended";
}

bool isLeftOutOfBackup(const std::string& name) {
    return name == kLockFileName || name == kRestoreMarkName || parseBackupName(name) || parseStagingName(name);
}

std::string noBackupMessage(const std::string& folder, const FileError& e) {
    const bool itself = withoutTrailingSlash(e.path()) == withoutTrailingSlash(folder);
    return "no backup can be made of " + folder + ": " + (itself ? e.cause() : std::string(e.what()));
}

bool isInBackupFolder(std::string_view path) {
    while (!path.empty()) {
        const auto slash = path.find_first_of("/\\");
        const std::string component(path.substr(0, slash));
        if (parseBackupName(component) || parseStagingName(component)) return true;
        if (slash == std::string_view::npos) break;
        path.remove_prefix(slash + 1);
    }
    return false;
}

WriteRefusal writeRefusal(FileReader& fs, const std::string& folder) {
    std::string real = fs.realPath(folder);
    while (!real.empty() && isPathSeparator(real.back())) real.pop_back();
    // "/", "//", "C:\\": nothing but a root.
    if (real.empty() || (real.size() == 2 && real[1] == ':')) return WriteRefusal::Root;
    if (!isInBackupFolder(real) && !isInBackupFolder(fs.realPath(withoutTrailingSlash(folder))))
        return WriteRefusal::None;
    const auto last = lastPathSeparator(real);
    const std::string own = last == std::string::npos ? real : real.substr(last + 1);
    return parseBackupName(own) || parseStagingName(own) ? WriteRefusal::Backup : WriteRefusal::InsideBackup;
}

Backup BackupFolderToTemp(FileSystem& fs, RunHost& host, Clock& clock, const std::string& folder) {
    Backup b;
    const std::string source = withoutTrailingSlash(folder);
    const auto nameNow = [&clock] {
        const std::tm date = clock.now();  // the date and the time are read one after the other
        const std::tm time = clock.now();
        return backupName(date, time);
    };
    b.name = nameNow();
    // Names have no finer grain than a second: a run started within a second of the last one
    // (a Start right after a Cancel, a fix right after a run) waits for the next second's name
    // rather than fail for want of one.
    for (int tries = 0; tries < 12 && entryExists(fs, source + "/" + b.name); ++tries) {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        b.name = nameNow();
    }
    const std::string partial = source + "/" + stagingName(b.name, StagedState::Partial);
    const std::string complete = source + "/" + stagingName(b.name, StagedState::Complete);
    host.yield();
    if (entryExists(fs, source + "/" + b.name)) {
        // Two runs within one second: the finished copy could not take its dated name.
        addErrorLine(host, errorLine("no backup was made: " + source + "/" + b.name +
                                     " already exists; start the run again a second later"));
    } else if (b.made = clock.instant(); stage(fs, host, source, partial, complete, b.made)) {
        b.stagingPath = complete;
        b.copied = true;
        b.onDevice = fs.isFolder(complete);
    }
    host.yield();
    return b;
}

void recordRun(FileSystem& fs, RunHost& host, const Backup& backup, BackupRecord record) {
    if (!backup.onDevice || !fs.isFolder(backup.stagingPath)) return;
    record.made = backup.made;
    try {
        writeRecord(fs, backup.stagingPath, record);
    } catch (const FileError& e) {
        addErrorLine(host, errorLine("the backup's record of this run could not be written: " + std::string(e.what()) +
                                     "; restore will treat the backup as one without a record"));
    }
}

BackupPlacement BackupMoveIntoFolder(FileSystem& fs, RunHost& host, const Backup& backup, const std::string& folder) {
    // The folder text as the user gave it, less any separators it ends with (they would show
    // doubled), then the system's own separator ("\" on Windows).
    const std::string base = withoutTrailingSlash(folder);
    const std::string destination =
        (!base.empty() && isPathSeparator(base.back()) ? base : base + kPreferredSeparator) + backup.name;
    host.yield();
    // No copy, no backup to name.
    if (!backup.copied) return {};
    // Something removed the staged copy while the run converted: the run must not claim a backup.
    if (backup.onDevice && fs.entryInfo(backup.stagingPath).type == EntryType::Missing) {
        addErrorLine(host, errorLine("the backup is gone: " + backup.stagingPath +
                                     " was removed during the run, so no copy of the files as they were before it "
                                     "exists"));
        return {};
    }
    bool placed = false;
    try {
        fs.renameFolder(backup.stagingPath, withoutTrailingSlash(folder) + "/" + backup.name);
        placed = true;
    } catch (const FileError& e) {
        addErrorLine(host, errorLine("the backup could not be given its dated name: " + std::string(e.what()) +
                                     "; the complete copy is " + backup.stagingPath));
    }
    host.yield();
    AddLogLine(host, "Backup of original folder saved to:");
    AddLogLine(host, "");
    AddLogLine(host, placed ? destination : backup.stagingPath);
    return {placed ? destination : backup.stagingPath, placed};
}

}  // namespace tavkonv40
