#include "cli/restore_command.h"

#include <algorithm>
#include <new>
#include <optional>

#include "cli/recursive_command.h"
#include "cli/terminal_text.h"
#include "engine/run_guard.h"
#include "engine/text_util.h"

namespace tavkonv40::cli {

namespace {

const std::string kPrefix = "Nexaria Conversion Backup ";

// Whether a folder the restore creates in a dry run is on the way: nothing below it exists yet.
enum class Parent { Exists, Planned };

class Restorer {
  public:
    Restorer(FileSystem& fs, RestoreMode mode, const std::function<bool()>& stopRequested, std::ostream& out,
             std::ostream& err)
        : fs_(fs), mode_(mode), stopRequested_(stopRequested), out_(out), err_(err) {}

    // `from` in the backup, `to` in the folder, `rel` the path both share, shown to the user.
    void folder(const std::string& from, const std::string& to, const std::string& rel, Parent parent) {
        std::vector<std::string> names;
        try {
            names = fs_.listFolder(from);
        } catch (const FileError& e) {
            error("cannot list " + quotedName(e.path()) + ": " + e.cause());
            return;
        }
        sortInListingOrder(names);
        for (const auto& n : names) {
            // Backups the backup holds (older ones kept them, at any depth) are earlier runs' and
            // stay where they are.
            if (isLeftOutOfBackup(n)) continue;
            const std::string src = from + "/" + n, dst = to + "/" + n, r = rel + n;
            const EntryInfo info = fs_.entryInfo(src);
            if (info.type == EntryType::SymbolicLink) continue;  // the run never rewrites links
            if (info.type == EntryType::Folder)
                subfolder(src, dst, r, parent);
            else
                file(src, dst, r, info, parent);
        }
    }

    // Files of the folder the backup does not hold.
    void extras(const std::string& from, const std::string& to, const std::string& rel) {
        std::vector<std::string> names;
        try {
            names = fs_.listFolder(to);
        } catch (const FileError&) {
            return;
        }
        sortInListingOrder(names);
        for (const auto& n : names) {
            if (isLeftOutOfBackup(n)) continue;  // never in a backup
            const std::string src = from + "/" + n, dst = to + "/" + n, r = rel + n;
            const EntryType inBackup = fs_.entryInfo(src).type;
            if (inBackup == EntryType::Missing) {
                result.onlyInFolder.push_back(r);
                out_ << "only in the folder, left alone: " << quotedName(r) << '\n';
            } else if (inBackup == EntryType::Folder && fs_.entryInfo(dst).type == EntryType::Folder) {
                extras(src, dst, r + "/");
            }
        }
    }

    RestoreResult result;

  private:
    bool dry() const { return mode_ == RestoreMode::DryRun; }

    // Asked between two files. Once stopped, the walk goes on only to count what it did not reach.
    bool stopping() {
        if (!result.stopped && !dry() && stopRequested_ && stopRequested_()) result.stopped = true;
        return result.stopped;
    }

    void subfolder(const std::string& src, const std::string& dst, const std::string& r, Parent parent) {
        if (stopping()) return folder(src, dst, r + "/", parent);
        const EntryType there = parent == Parent::Planned ? EntryType::Missing : fs_.entryInfo(dst).type;
        if (there == EntryType::Folder) return folder(src, dst, r + "/", parent);
        if (there != EntryType::Missing) {
            // Entering a link would write wherever it points.
            error("cannot restore " + quotedName(r) + "/: the folder holds " + std::string(entryTypeText(there)) +
                  " of that name, which restore does not replace or enter");
            return;
        }
        try {
            if (dry() && parent == Parent::Exists) fs_.checkReplaceable(dst);
            if (!dry()) fs_.createFolder(dst);
        } catch (const FileError& e) {
            error("cannot create " + quotedName(r) + "/: " + e.cause());
            return;
        }
        act("created folder", "would create folder", r);
        folder(src, dst, r + "/", dry() ? Parent::Planned : Parent::Exists);
        // A folder only half filled keeps the default bits: a read-only one would keep the restore
        // that finishes the job from filling it.
        if (!dry() && !result.stopped) keepFolderLook(src, dst, r);
    }

    void keepFolderLook(const std::string& src, const std::string& dst, const std::string& r) {
        try {
            fs_.giveFolderAttributes(dst, src);
        } catch (const FileError& e) {
            error("cannot give " + quotedName(r) + "/ the backup's permissions: " + e.cause());
        }
    }

    void file(const std::string& src, const std::string& dst, const std::string& rel, const EntryInfo& info,
              Parent parent) {
        if (stopping()) {
            ++result.notReached;
            return;
        }
        ++result.reached;
        try {
            if (info.type != EntryType::RegularFile)
                throw FileError(src,
                                "the backup holds " + std::string(entryTypeText(info.type)) + ", not a regular file");
            const std::string bytes = fs_.readFile(src);
            const EntryType there = parent == Parent::Planned ? EntryType::Missing : fs_.entryInfo(dst).type;
            if (there == EntryType::Folder) throw FileError(dst, "the folder holds a folder of that name");
            if (there == EntryType::RegularFile && fs_.readFile(dst) == bytes) {
                ++result.unchanged;
                return;
            }
            // Anything else there (a changed file, a link, a FIFO) is replaced, never opened.
            if (dry() && parent == Parent::Exists) fs_.checkReplaceable(dst);
            if (!dry()) fs_.replaceFile(dst, bytes, src);
            const bool created = there == EntryType::Missing;
            act(created ? "created" : "restored", created ? "would create" : "would restore", rel);
            ++result.restored;
        } catch (const FileError& e) {
            error("cannot restore " + quotedName(rel) + ": " + quotedName(e.path()) + ": " + e.cause());
        } catch (const std::bad_alloc&) {
            error("cannot restore " + quotedName(rel) + ": not enough memory to hold it");
        }
    }

    void act(const char* done, const char* wouldDo, const std::string& rel) {
        out_ << (dry() ? wouldDo : done) << ": " << quotedName(rel) << '\n';
    }

    void error(const std::string& message) {
        ++result.errors;
        out_ << "error: " << message << '\n';
        err_ << "tavkonv40: " << message << '\n';
    }

    FileSystem& fs_;
    RestoreMode mode_;
    const std::function<bool()>& stopRequested_;
    std::ostream& out_;
    std::ostream& err_;
};

// "NAME", "NAME/", "FOLDER/NAME/" (what tab completion gives) or just "mm.dd.yyyy hh.mm.ss":
// the name asked for, without the folder.
std::string askedBackupName(FileSystem& fs, const std::string& folder, const std::string& asked) {
    std::string name = withoutTrailingSlash(asked);
    const auto slash = name.find_last_of('/');
    if (slash == std::string::npos) return name;
    const std::string where = slash == 0 ? "/" : name.substr(0, slash);
    if (fs.realPath(where) != fs.realPath(folder))
        throw NoBackup("the backup '" + quotedName(asked) + "' is not in " + quotedName(folder));
    return name.substr(slash + 1);
}

}  // namespace

std::vector<BackupEntry> findBackups(FileSystem& fs, const std::string& folderIn) {
    const std::string folder = withoutTrailingSlash(folderIn);
    std::vector<BackupEntry> backups;
    for (const auto& n : fs.listFolder(folder)) {
        auto e = parseBackupName(n);
        if (!e) continue;
        const EntryInfo info = fs.entryInfo(folder + "/" + n);
        if (info.type != EntryType::Folder) continue;
        e->modified = info.modified;
        backups.push_back(std::move(*e));
    }
    std::sort(backups.begin(), backups.end(), [](const BackupEntry& a, const BackupEntry& b) {
        return a.modified != b.modified ? a.modified < b.modified : a.when < b.when;
    });
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
            throw FolderBusy("another run (process " + std::to_string(lock.holder) + ") is working on " + folder_ +
                             "; wait until it has ended");
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

// A run stopped while it was copying changed no file: its partial copy is only removed. Returns
// how many partial copies were found and how many of them could not be removed.
struct DroppedCopies {
    std::size_t found = 0;
    int errors = 0;
};

DroppedCopies dropPartialCopies(FileSystem& fs, const std::string& folder, RestoreMode mode, std::ostream& out,
                                std::ostream& err) {
    const auto partial = stagedCopies(fs, folder, StagedState::Partial);
    DroppedCopies dropped{partial.size(), 0};
    for (const auto& p : partial) {
        const std::string what =
            p.name + " is the incomplete copy of a run that was stopped while copying; that run changed no file";
        if (mode == RestoreMode::DryRun) {
            out << what << ", so it would be removed\n";
            continue;
        }
        try {
            fs.removeFolder(folder + "/" + p.name);
            out << what << ", so the copy was removed\n";
        } catch (const FileError& e) {
            ++dropped.errors;
            const std::string message =
                what + ", but it could not be removed: " + quotedName(e.path()) + ": " + e.cause();
            out << "error: " << message << '\n';
            err << "tavkonv40: " << message << '\n';
        }
    }
    return dropped;
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

// The mark that a restore is under way reaches the device before the first file is written, so
// a restore stopped in any way (a kill, a power cut) is found by the next run or check. It holds
// the name of the backup, which is what a second restore must use to finish the first.
void markRestore(FileSystem& fs, const std::string& folder, const std::string& backupName, std::ostream& err) {
    const std::string mark = folder + "/" + kRestoreMarkName;
    try {
        if (entryExists(fs, mark)) fs.removeFolder(mark);
        fs.createFile(mark, backupName);
        fs.flushFileSystem(folder);
    } catch (const FileError& e) {
        err << "tavkonv40: warning: a stop of this restore could not be made known to later runs: " << e.what() << '\n';
    }
}

void unmarkRestore(FileSystem& fs, const std::string& folder, std::ostream& err) {
    try {
        fs.removeFolder(folder + "/" + kRestoreMarkName);
    } catch (const FileError& e) {
        err << "tavkonv40: the restore is complete, but its mark could not be removed (remove it before running "
               "again): "
            << e.what() << '\n';
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

// A --recursive run leaves a backup in each folder it converted, none at the top: a restore of the
// top names the subfolders that hold one.
std::string subfolderBackupsNote(FileSystem& fs, const std::string& folder) {
    std::vector<std::string> unlisted, holding;
    try {
        for (const auto& f : projectFolders(fs, folder, unlisted))
            if (f != folder && !findBackups(fs, f).empty()) holding.push_back(f);
    } catch (const FileError&) {
        return {};
    }
    if (holding.empty()) return {};
    std::string note = holding.size() == 1 ? "; 1 subfolder holds backups"
                                           : "; " + std::to_string(holding.size()) + " subfolders hold backups";
    note += " (as a --recursive run leaves them), each restored on its own: tavkonv40 restore SUBFOLDER";
    for (const auto& f : holding) note += "\n  " + quotedName(f);
    return note;
}

// What the end of a restore says beyond its counts: that nothing needed restoring, and which older
// backups are left. Restoring the newest puts the folder back only as the last run found it;
// after two runs, the state before the first is in the oldest.
void printRestoreEnding(const RestoreResult& r, const std::vector<BackupEntry>& backups, const std::string& chosen,
                        const std::string& folder, RestoreMode mode, std::ostream& out) {
    if (r.restored == 0 && r.errors == 0)
        out << (mode == RestoreMode::DryRun ? "Nothing would be restored" : "Nothing was restored")
            << ": the folder's files already hold what " << chosen << " holds\n";
    // An interrupted run's copy is not among the dated backups: all of them are older.
    const auto it =
        std::find_if(backups.begin(), backups.end(), [&](const BackupEntry& b) { return b.name == chosen; });
    const auto older = static_cast<std::size_t>(it - backups.begin());
    if (older == 0) return;
    const std::string& oldest = backups.front().name;
    if (older == 1)
        out << "1 older backup remains, '" << oldest << "': it holds the folder as it was before an earlier run";
    else
        out << older << " older backups remain; the oldest, '" << oldest
            << "', holds the folder as it was before the earliest run that left one";
    out << "; to restore it: tavkonv40 restore --backup " << shellWord(oldest) << ' ' << shellWord(folder) << '\n';
}

// The backup a restore uses: an interrupted run's complete copy when there is one (and it is the
// one asked for), else the one asked for, else the newest.
struct ChosenBackup {
    std::string name;                  // the folder's name in `folder`
    std::optional<StagedCopy> staged;  // set for an interrupted run's copy
    // What the restore's mark holds and what a restore that finishes this one is given.
    std::string markName() const { return staged ? staged->backupName : name; }
};

ChosenBackup chooseBackup(FileSystem& fs, const std::string& folder, const std::string& backupName,
                          const std::vector<BackupEntry>& backups, const std::vector<StagedCopy>& interrupted) {
    const std::string wanted = askedBackupName(fs, folder, backupName);
    if (!interrupted.empty() && (backupName.empty() || namesBackup(wanted, interrupted.back().backupName)))
        return {interrupted.back().name, interrupted.back()};
    if (backupName.empty()) {
        if (backups.empty())
            throw NoBackup(quotedName(folder) + " holds no backup ('" + kPrefix + "mm.dd.yyyy hh.mm.ss')" +
                           subfolderBackupsNote(fs, folder));
        return {backups.back().name, std::nullopt};
    }
    const auto it =
        std::find_if(backups.begin(), backups.end(), [&](const BackupEntry& b) { return namesBackup(wanted, b.name); });
    if (it == backups.end())
        throw NoBackup("no backup named '" + quotedName(backupName) + "' in " + quotedName(folder));
    return {it->name, std::nullopt};
}

// A restore stopped between two files: what is written stays (each file whole), the mark stays,
// and the user learns how far it got and how to finish it.
void reportStop(FileSystem& fs, const std::string& folder, const ChosenBackup& chosen, const RestoreResult& r,
                std::ostream& err) {
    flushRestored(fs, folder, err);
    err << "tavkonv40: the restore of " << quotedName(folder) << " was stopped after " << r.reached << " of "
        << r.reached + r.notReached << (r.reached + r.notReached == 1 ? " file" : " files")
        << "; runs wait until it is finished: " << finishRestoreCommand(folder, chosen.markName()) << '\n';
}

}  // namespace

RestoreResult restoreFolder(FileSystem& fs, const std::string& folderIn, const std::string& backupName,
                            RestoreMode mode, std::ostream& out, std::ostream& err,
                            const std::function<bool()>& stopRequested) {
    const std::string folder = withoutTrailingSlash(folderIn);
    const RestoreLock lock(fs, folder, mode);
    std::vector<BackupEntry> backups;
    std::vector<StagedCopy> interrupted;
    try {
        backups = findBackups(fs, folder);
        interrupted = stagedCopies(fs, folder, StagedState::Complete);
    } catch (const FileError& e) {
        throw NoBackup("cannot list " + quotedName(e.path()) + ": " + e.cause());
    }
    if (interrupted.empty() && backupName.empty()) {
        const DroppedCopies dropped = dropPartialCopies(fs, folder, mode, out, err);
        if (dropped.found > 0) {
            RestoreResult r;
            r.errors = dropped.errors;
            return r;
        }
    }
    const ChosenBackup chosen = chooseBackup(fs, folder, backupName, backups, interrupted);
    const bool dry = mode == RestoreMode::DryRun;
    out << (dry ? "Would restore " : "Restoring ") << quotedName(folder) << " from " << chosen.name
        << (chosen.staged ? " (the backup of an interrupted run)" : "") << '\n';
    if (!dry) markRestore(fs, folder, chosen.markName(), err);
    Restorer r(fs, mode, stopRequested, out, err);
    const std::string from = folder + "/" + chosen.name;
    r.folder(from, folder, "", Parent::Exists);
    if (r.result.stopped) {
        reportStop(fs, folder, chosen, r.result, err);
        return r.result;
    }
    r.extras(from, folder, "");
    if (!dry && chosen.staged && r.result.errors == 0)
        settleStagedCopy(fs, folder, *chosen.staged, out, err);
    else if (!dry)
        flushRestored(fs, folder, err);
    if (!dry) unmarkRestore(fs, folder, err);
    out << (dry ? "Would restore " : "Restored ") << r.result.restored << (r.result.restored == 1 ? " file" : " files")
        << ", " << r.result.unchanged << " already as in the backup, " << r.result.onlyInFolder.size()
        << " only in the folder, " << r.result.errors << (r.result.errors == 1 ? " error" : " errors") << '\n';
    printRestoreEnding(r.result, backups, chosen.name, folder, mode, out);
    return r.result;
}

}  // namespace tavkonv40::cli
