#include "engine/restore.h"

#include <algorithm>
#include <optional>

#include "engine/file_kind.h"
#include "engine/restore_walk.h"
#include "engine/text_util.h"

namespace tavkonv40 {

namespace {

// Holds the folder's lock for a restore that writes; a dry run only asks who holds it.
class RestoreLock {
  public:
    RestoreLock(FileSystem& fs, const std::string& folder, RestoreMode mode) : fs_(fs), folder_(folder) {
        if (mode == RestoreMode::DryRun) {
            if (const std::string live = liveRunNotice(fs_, folder_, OwnLock::NotHeld); !live.empty())
                throw FolderBusy(live);
            return;
        }
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

// "NAME", "NAME/", "FOLDER/NAME/" (what tab completion gives) or just "mm.dd.yyyy hh.mm.ss":
// the name asked for, without the folder.
std::string askedBackupName(FileReader& fs, const std::string& folder, const std::string& asked, RestoreOutput& out) {
    std::string name = withoutTrailingSlash(asked);
    const auto slash = name.find_last_of('/');
    if (slash == std::string::npos) return name;
    const std::string where = slash == 0 ? "/" : name.substr(0, slash);
    if (fs.realPath(where) != fs.realPath(folder))
        throw NoBackup("the backup '" + out.shown(asked) + "' is not in " + out.shown(folder));
    return name.substr(slash + 1);
}

// The backup a restore uses: an interrupted run's complete copy when there is one (and it is the
// one asked for), else the one asked for, else the newest.
struct ChosenBackup {
    std::string name;                  // the folder's name in `folder`
    std::optional<StagedCopy> staged;  // set for an interrupted run's copy
    // What the restore's mark holds and what a restore that finishes this one is given.
    std::string markName() const { return staged ? staged->backupName : name; }
};

ChosenBackup chooseBackup(FileReader& fs, const std::string& folder, const std::string& asked,
                          const std::vector<BackupEntry>& backups, const std::vector<StagedCopy>& interrupted,
                          RestoreOutput& out) {
    const std::string wanted = askedBackupName(fs, folder, asked, out);
    if (!interrupted.empty() && (asked.empty() || namesBackup(wanted, interrupted.back().backupName)))
        return {interrupted.back().name, interrupted.back()};
    if (asked.empty()) {
        if (backups.empty())
            throw NoBackup(out.shown(folder) + " holds no backup ('" + backupNamePattern() + "')",
                           NoBackup::Why::NoneAtAll);
        return {backups.back().name, std::nullopt};
    }
    const auto it =
        std::find_if(backups.begin(), backups.end(), [&](const BackupEntry& b) { return namesBackup(wanted, b.name); });
    if (it == backups.end()) throw NoBackup("no backup named '" + out.shown(asked) + "' in " + out.shown(folder));
    return {it->name, std::nullopt};
}

// The backup a stopped restore was using, when its mark names one.
std::optional<std::string> stoppedRestoreBackup(FileReader& fs, const std::string& folder) {
    const std::string mark = folder + "/" + kRestoreMarkName;
    if (fs.entryInfo(mark).type != EntryType::RegularFile) return std::nullopt;
    try {
        std::string name = fs.readFile(mark);
        if (parseBackupName(name)) return name;
    } catch (const FileError&) {}
    return std::nullopt;
}

// A run stopped while it was copying changed no file: its partial copy is only removed.
int dropPartialCopies(FileSystem& fs, const std::string& folder, RestoreMode mode, RestoreOutput& out) {
    int errors = 0;
    for (const auto& p : stagedCopies(fs, folder, StagedState::Partial)) {
        const std::string what =
            p.name + " is the incomplete copy of a run that was stopped while copying; that run changed no file";
        if (mode == RestoreMode::DryRun) {
            out.line(what + ", so it would be removed");
            continue;
        }
        try {
            fs.removeFolder(folder + "/" + p.name);
            out.line(what + ", so the copy was removed");
        } catch (const FileError& e) {
            ++errors;
            out.error(what + ", but it could not be removed: " + out.shown(e.path()) + ": " + e.cause());
        }
    }
    return errors;
}

// An interrupted run's copy becomes an ordinary dated backup once nothing more is restored from
// it, so that it neither stops later runs nor is lost.
void settleStagedCopy(FileSystem& fs, const std::string& folder, const StagedCopy& staged, RestoreOutput& out) {
    try {
        fs.flushFileSystem(folder);
        fs.renameFolder(folder + "/" + staged.name, folder + "/" + staged.backupName);
        out.line("The interrupted run's backup is now " + staged.backupName);
    } catch (const FileError& e) {
        out.warning("the interrupted run's backup keeps its name " + staged.name + ": " + e.what() +
                    "; runs wait until it is restored (" + finishRestoreCommand(folder, staged.backupName) + ")");
    }
}

// The mark that a restore is under way reaches the device before the first file is written, so
// a restore stopped in any way (a kill, a power cut) is found by the next run or check. It holds
// the name of the backup, which is what a second restore must use to finish the first.
void markRestore(FileSystem& fs, const std::string& folder, const std::string& backupName, RestoreOutput& out) {
    const std::string mark = folder + "/" + kRestoreMarkName;
    try {
        if (entryExists(fs, mark)) fs.removeFolder(mark);
        fs.createFile(mark, backupName);
        fs.flushFileSystem(folder);
    } catch (const FileError& e) {
        out.warning(std::string("warning: a stop of this restore could not be made known to later runs: ") + e.what());
    }
}

void unmarkRestore(FileSystem& fs, const std::string& folder, RestoreOutput& out) {
    try {
        fs.removeFolder(folder + "/" + kRestoreMarkName);
    } catch (const FileError& e) {
        out.warning(std::string("the restore is complete, but its mark could not be removed (remove it before "
                                "running again): ") +
                    e.what());
    }
}

// Restored files are written without a flush each; one flush brings them all to the device.
void flushRestored(FileSystem& fs, const std::string& folder, RestoreOutput& out) {
    try {
        fs.flushFileSystem(folder);
    } catch (const FileError& e) {
        out.warning(std::string("the restored files could not be flushed to the device: ") + e.what());
    }
}

// Whether the folder's file at `dst` holds exactly the bytes of `stamp`.
bool holds(FileReader& fs, const std::string& dst, const FileStamp& stamp) {
    try {
        const EntryInfo info = fs.entryInfo(dst);
        return info.type == EntryType::RegularFile && info.size == stamp.size && stampOf(fs.readFile(dst)) == stamp;
    } catch (const FileError&) {
        return false;
    }
}

}  // namespace

namespace {

// What a restore does with each file, from what was asked and what the backup's record says.
class Plan {
  public:
    Plan(FileSystem& fs, const RestoreRequest& request, const ChosenBackup& chosen,
         const std::optional<BackupRecord>& record)
        : fs_(fs), request_(request), chosen_(chosen), record_(record) {}

    // The whole backup is put back: asked for, or a backup made before records existed.
    bool whole() const {
        return request_.scope == RestoreScope::All || (!chosen_.staged && !record_ && request_.files.empty());
    }

    FileAction decide(const std::string& rel, const std::string& dst) const {
        if (!request_.files.empty())
            return std::find(request_.files.begin(), request_.files.end(), rel) != request_.files.end()
                       ? FileAction::Write
                       : FileAction::Skip;
        const bool declined = record_ && record_->declined.count(rel);
        if (whole()) return declined ? FileAction::Compare : FileAction::Write;
        const bool top = rel.find('/') == std::string::npos;
        const FileStamp* written = wroteStamp(rel);
        // The files an interrupted run may have half converted.
        if (chosen_.staged)
            return top && !declined && (fileKindOfName(rel) || written) ? FileAction::Write : FileAction::Compare;
        if (!written) return FileAction::Compare;
        if (request_.changed == ChangedFiles::Overwritten || holds(fs_, dst, *written)) return FileAction::Write;
        return FileAction::ChangedByUser;
    }

    bool writesBelow(const std::string& relFolder) const {
        if (!request_.files.empty())
            return std::any_of(request_.files.begin(), request_.files.end(),
                               [&](const std::string& f) { return f.starts_with(relFolder); });
        return whole();
    }

  private:
    const FileStamp* wroteStamp(const std::string& rel) const {
        if (!record_) return nullptr;
        const auto it = record_->wrote.find(rel);
        return it == record_->wrote.end() ? nullptr : &it->second;
    }

    FileSystem& fs_;
    const RestoreRequest& request_;
    const ChosenBackup& chosen_;
    const std::optional<BackupRecord>& record_;
};

// What is left once the walk is over: the mark goes when every file is as asked; staged copies
// that do not stop runs any more are given their dated names or removed, and said so.
void endRestore(FileSystem& fs, const std::string& folder, const ChosenBackup& chosen, RestoreResult& r,
                RestoreOutput& out) {
    if (r.errors > 0) {
        flushRestored(fs, folder, out);
        r.markKept = true;
        out.warning("the restore of " + out.shown(folder) + " ended with " + std::to_string(r.errors) +
                    (r.errors == 1 ? " error" : " errors") +
                    "; runs wait until it is finished: once the cause is dealt with, run " +
                    finishRestoreCommand(folder, chosen.markName()));
        return;
    }
    if (chosen.staged) settleStagedCopy(fs, folder, *chosen.staged, out);
    for (const auto& other : stagedCopies(fs, folder, StagedState::Complete))
        if (other.name != chosen.name) settleStagedCopy(fs, folder, other, out);
    r.errors += dropPartialCopies(fs, folder, RestoreMode::Restore, out);
    flushRestored(fs, folder, out);
    unmarkRestore(fs, folder, out);
}

}  // namespace

RestoreResult restoreFolder(FileSystem& fs, const std::string& folderIn, const RestoreRequest& request,
                            RestoreOutput& out, const std::function<bool()>& stop) {
    const std::string folder = withoutTrailingSlash(folderIn);
    const RestoreLock lock(fs, folder, request.mode);
    const bool dry = request.mode == RestoreMode::DryRun;
    std::vector<BackupEntry> backups;
    std::vector<StagedCopy> interrupted;
    try {
        backups = findBackups(fs, folder);
        interrupted = stagedCopies(fs, folder, StagedState::Complete);
    } catch (const FileError& e) {
        throw NoBackup("cannot list " + out.shown(e.path()) + ": " + e.cause());
    }
    const auto stoppedFrom = stoppedRestoreBackup(fs, folder);
    if (interrupted.empty() && request.backup.empty() && !stoppedFrom &&
        !stagedCopies(fs, folder, StagedState::Partial).empty()) {
        RestoreResult r;
        r.errors = dropPartialCopies(fs, folder, request.mode, out);
        return r;
    }
    const ChosenBackup chosen = chooseBackup(fs, folder, request.backup, backups, interrupted, out);
    if (stoppedFrom && *stoppedFrom != chosen.markName())
        throw FolderBusy(folder + " was being restored from " + *stoppedFrom +
                         " when that restore was stopped; only that backup can finish it: " +
                         finishRestoreCommand(folder, *stoppedFrom));
    const std::string from = folder + "/" + chosen.name;
    for (const auto& asked : request.files)
        if (fs.entryInfo(from + "/" + asked).type != EntryType::RegularFile)
            throw NoBackup(chosen.name + " holds no file " + out.shown(asked) + "; nothing was restored");
    const auto record = readRecord(fs, from);
    const Plan plan(fs, request, chosen, record);
    out.line((dry ? "Would restore " : "Restoring ") + out.shown(folder) + " from " + chosen.name +
             (chosen.staged ? " (the backup of an interrupted run)" : ""));
    if (plan.whole() && request.scope != RestoreScope::All)
        out.line(
            "(the backup was made before backups kept a record of their run, so every file it holds is put "
            "back)");
    if (!dry) markRestore(fs, folder, chosen.markName(), out);
    RestoreWalk walk(
        fs, request.mode, out, stop,
        [&plan](const std::string& rel, const std::string& dst) { return plan.decide(rel, dst); }, record);
    walk.writesBelow = [&plan](const std::string& rel) { return plan.writesBelow(rel); };
    walk.overwriteCommand = [&](const std::string& rel) {
        return "tavkonv40 restore " +
               (request.backup.empty() ? std::string() : "--backup " + out.word(chosen.markName()) + " ") + "--file " +
               out.word(rel) + " " + out.word(folder);
    };
    walk.folder(from, folder, "", Parent::Exists);
    RestoreResult& r = walk.result;
    r.backup = chosen.name;
    r.backups = backups;
    if (r.stopped) {
        flushRestored(fs, folder, out);
        r.markKept = true;
        out.warning("the restore of " + out.shown(folder) + " was stopped after " + std::to_string(r.reached) + " of " +
                    std::to_string(r.reached + r.notReached) + (r.reached + r.notReached == 1 ? " file" : " files") +
                    "; runs wait until it is finished: " + finishRestoreCommand(folder, chosen.markName()));
        return r;
    }
    if (request.files.empty()) walk.extras(from, folder, "");

    if (!dry) endRestore(fs, folder, chosen, r, out);
    return r;
}

}  // namespace tavkonv40
