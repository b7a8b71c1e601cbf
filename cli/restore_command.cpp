#include "restore_command.h"

#include <algorithm>
#include <cstdio>
#include <set>

#include "text_util.h"

namespace tavkonv40::cli {

namespace {

const std::string kPrefix = "Nexaria Conversion Backup ";

class Restorer {
public:
    Restorer(FileSystem& fs, RestoreMode mode, std::ostream& out, std::ostream& err)
        : fs_(fs), mode_(mode), out_(out), err_(err) {}

    // `from` in the backup, `to` in the folder, `rel` the path both share, shown to the user.
    void folder(const std::string& from, const std::string& to, const std::string& rel, bool top) {
        std::vector<std::string> names;
        try {
            names = fs_.listFolder(from);
        } catch (const FileError& e) {
            error("cannot list " + e.path() + ": " + e.cause());
            return;
        }
        std::sort(names.begin(), names.end());
        for (const auto& n : names) {
            // Backups the backup holds are earlier runs' and stay where they are.
            if (top && isLeftOutOfBackup(n)) continue;
            const std::string src = from + "/" + n, dst = to + "/" + n, r = rel + n;
            if (fs_.isSymbolicLink(src)) continue;  // the run never rewrites links
            if (fs_.isFolder(src)) {
                if (!exists(dst)) {
                    act("created folder", "would create folder", r);
                    if (mode_ == RestoreMode::Restore) {
                        try {
                            fs_.createFolder(dst);
                        } catch (const FileError& e) {
                            error("cannot create " + e.path() + ": " + e.cause());
                            continue;
                        }
                    }
                }
                folder(src, dst, r + "/", false);
            } else {
                file(src, dst, r);
            }
        }
    }

    // Files of the folder the backup does not hold.
    void extras(const std::string& from, const std::string& to, const std::string& rel, bool top) {
        std::vector<std::string> names;
        try {
            names = fs_.listFolder(to);
        } catch (const FileError&) {
            return;
        }
        std::sort(names.begin(), names.end());
        for (const auto& n : names) {
            if (top && isLeftOutOfBackup(n)) continue;
            const std::string src = from + "/" + n, dst = to + "/" + n, r = rel + n;
            if (!exists(src)) {
                result.onlyInFolder.push_back(r);
                out_ << "only in the folder, left alone: " << r << '\n';
            } else if (fs_.isFolder(dst) && fs_.isFolder(src) && !fs_.isSymbolicLink(dst)) {
                extras(src, dst, r + "/", false);
            }
        }
    }

    RestoreResult result;

private:
    bool exists(const std::string& path) { return entryExists(fs_, path); }

    void file(const std::string& src, const std::string& dst, const std::string& rel) {
        try {
            const std::string bytes = fs_.readFile(src);
            if (!exists(dst)) {
                act("created", "would create", rel);
                if (mode_ == RestoreMode::Restore) fs_.createFile(dst, bytes);
            } else if (fs_.isFolder(dst)) {
                throw FileError(dst, "the folder holds a folder of that name");
            } else if (fs_.readFile(dst) == bytes) {
                ++result.unchanged;
                return;
            } else {
                act("restored", "would restore", rel);
                if (mode_ == RestoreMode::Restore) fs_.writeFile(dst, bytes);
            }
            ++result.restored;
        } catch (const FileError& e) {
            error("cannot restore " + rel + ": " + e.what());
        }
    }

    void act(const char* done, const char* wouldDo, const std::string& rel) {
        out_ << (mode_ == RestoreMode::DryRun ? wouldDo : done) << ": " << rel << '\n';
    }

    void error(const std::string& message) {
        ++result.errors;
        out_ << "error: " << message << '\n';
        err_ << "tavkonv40: " << message << '\n';
    }

    FileSystem& fs_;
    RestoreMode mode_;
    std::ostream& out_;
    std::ostream& err_;
};

}  // namespace

std::vector<BackupEntry> findBackups(FileSystem& fs, const std::string& folderIn) {
    const std::string folder = withoutTrailingSlash(folderIn);
    std::vector<BackupEntry> backups;
    for (const auto& n : fs.listFolder(folder)) {
        auto e = parseBackupName(n);
        if (e && fs.isFolder(folder + "/" + n)) backups.push_back(std::move(*e));
    }
    std::sort(backups.begin(), backups.end(),
              [](const BackupEntry& a, const BackupEntry& b) { return a.when < b.when; });
    return backups;
}

namespace {

// Holds the folder's lock for a restore that writes.
class RestoreLock {
public:
    RestoreLock(FileSystem& fs, const std::string& folder, RestoreMode mode) : fs_(fs), folder_(folder) {
        if (mode == RestoreMode::DryRun) return;
        FolderLock lock;
        try {
            lock = fs_.lockFolder(folder_);
        } catch (const FileError& e) {
            throw FolderBusy("cannot lock " + folder_ + ": " + e.cause());
        }
        if (!lock.taken)
            throw FolderBusy("another run (process " + std::to_string(lock.holder) + ") is working on " +
                             folder_ + "; wait until it has ended");
        locked_ = true;
    }
    ~RestoreLock() {
        if (locked_) fs_.unlockFolder(folder_);
    }
    RestoreLock(const RestoreLock&) = delete;
    RestoreLock& operator=(const RestoreLock&) = delete;

private:
    FileSystem& fs_;
    std::string folder_;
    bool locked_ = false;
};

std::vector<StagedCopy> stagedCopies(FileSystem& fs, const std::string& folder, StagedState state) {
    std::vector<StagedCopy> found;
    for (const auto& n : fs.listFolder(folder)) {
        auto staged = parseStagingName(n);
        if (staged && staged->state == state && fs.isFolder(folder + "/" + n)) found.push_back(std::move(*staged));
    }
    return found;
}

bool namesBackup(const std::string& wanted, const std::string& backupName) {
    return wanted == backupName || kPrefix + wanted == backupName;
}

// A run stopped while it was copying changed no file: its partial copy is only removed.
bool dropPartialCopies(FileSystem& fs, const std::string& folder, RestoreMode mode, std::ostream& out) {
    const auto partial = stagedCopies(fs, folder, StagedState::Partial);
    for (const auto& p : partial) {
        out << p.name << " is the incomplete copy of a run that was stopped while copying; that run changed no file"
            << (mode == RestoreMode::Restore ? ", so the copy is removed\n" : ", so it would be removed\n");
        if (mode == RestoreMode::Restore) fs.removeFolder(folder + "/" + p.name);
    }
    return !partial.empty();
}

// The interrupted run's copy becomes an ordinary dated backup once the files hold its bytes.
void settleStagedCopy(FileSystem& fs, const std::string& folder, const StagedCopy& staged, std::ostream& out,
                      std::ostream& err) {
    try {
        fs.flushFileSystem(folder);
        fs.renameFolder(folder + "/" + staged.name, folder + "/" + staged.backupName);
        out << "The interrupted run's backup is now " << staged.backupName << '\n';
    } catch (const FileError& e) {
        err << "tavkonv40: the interrupted run's backup keeps its name " << staged.name << ": " << e.what() << '\n';
    }
}

// Restored files are written without a flush each; one flush brings them all to the device.
void flushRestored(FileSystem& fs, const std::string& folder, std::ostream& err) {
    try {
        fs.flushFileSystem(folder);
    } catch (const FileError& e) {
        err << "tavkonv40: the restored files could not be flushed to the device: " << e.what() << '\n';
    }
}

}  // namespace

RestoreResult restoreFolder(FileSystem& fs, const std::string& folderIn, const std::string& backupName,
                            RestoreMode mode, std::ostream& out, std::ostream& err) {
    const std::string folder = withoutTrailingSlash(folderIn);
    const RestoreLock lock(fs, folder, mode);
    std::vector<BackupEntry> backups;
    std::vector<StagedCopy> interrupted;
    bool droppedPartial = false;
    try {
        backups = findBackups(fs, folder);
        interrupted = stagedCopies(fs, folder, StagedState::Complete);
        if (interrupted.empty() && backupName.empty()) droppedPartial = dropPartialCopies(fs, folder, mode, out);
    } catch (const FileError& e) {
        throw NoBackup("cannot list " + e.path() + ": " + e.cause());
    }
    if (droppedPartial) return {};
    std::optional<StagedCopy> staged;
    std::string chosen;
    if (!interrupted.empty() && (backupName.empty() || namesBackup(backupName, interrupted.back().backupName))) {
        staged = interrupted.back();
        chosen = staged->name;
    } else if (backupName.empty()) {
        if (backups.empty()) throw NoBackup(folder + " holds no backup ('" + kPrefix + "mm.dd.yyyy hh.mm.ss')");
        chosen = backups.back().name;
    } else {
        const auto it = std::find_if(backups.begin(), backups.end(),
                                     [&](const BackupEntry& b) { return namesBackup(backupName, b.name); });
        if (it == backups.end()) throw NoBackup("no backup named '" + backupName + "' in " + folder);
        chosen = it->name;
    }
    out << (mode == RestoreMode::DryRun ? "Would restore " : "Restoring ") << folder << " from " << chosen
        << (staged ? " (the backup of an interrupted run)" : "") << '\n';
    Restorer r(fs, mode, out, err);
    const std::string from = folder + "/" + chosen;
    r.folder(from, folder, "", true);
    r.extras(from, folder, "", true);
    if (mode == RestoreMode::Restore && staged && r.result.errors == 0) settleStagedCopy(fs, folder, *staged, out, err);
    else if (mode == RestoreMode::Restore) flushRestored(fs, folder, err);
    out << (mode == RestoreMode::DryRun ? "Would restore " : "Restored ") << r.result.restored
        << (r.result.restored == 1 ? " file" : " files") << ", " << r.result.unchanged
        << " already as in the backup, " << r.result.onlyInFolder.size() << " only in the folder, "
        << r.result.errors << (r.result.errors == 1 ? " error" : " errors") << '\n';
    return r.result;
}

}  // namespace tavkonv40::cli
