#include "cli/restore_command.h"

#include <algorithm>

#include "cli/recursive_command.h"
#include "cli/terminal_text.h"
#include "engine/text_util.h"

namespace tavkonv40::cli {

namespace {

class StreamOutput final : public RestoreOutput {
  public:
    StreamOutput(std::ostream& out, std::ostream& err) : out_(out), err_(err) {}
    void line(const std::string& text) override { out_ << text << '\n'; }
    void error(const std::string& text) override {
        out_ << "error: " << text << '\n';
        err_ << "tavkonv40: " << text << '\n';
    }
    void warning(const std::string& text) override { err_ << "tavkonv40: " << text << '\n'; }
    std::string shown(const std::string& name) override { return quotedName(name); }
    std::string word(const std::string& name) override { return shellWord(name); }

  private:
    std::ostream& out_;
    std::ostream& err_;
};

// A --recursive run leaves a backup in each folder it converted, none at the top: a restore of the
// top names the subfolders that hold one.
std::string subfolderBackupsNote(FileReader& fs, const std::string& folder) {
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

std::string counted(std::size_t n, const char* one, const char* many) {
    return std::to_string(n) + (n == 1 ? one : many);
}

void printCounts(const RestoreResult& r, RestoreMode mode, std::ostream& out) {
    out << (mode == RestoreMode::DryRun ? "Would restore " : "Restored ") << counted(r.restored, " file", " files")
        << ", " << r.unchanged << " already as in the backup, " << r.onlyInFolder.size() << " only in the folder, "
        << counted(r.errors, " error", " errors");
    if (!r.changedSinceRun.empty()) out << ", " << r.changedSinceRun.size() << " changed since the run";
    if (!r.changedSinceBackup.empty()) out << ", " << r.changedSinceBackup.size() << " changed since the backup";
    out << '\n';
}

// What the end of a restore says beyond its counts: that nothing needed restoring, how to take
// back the files kept, and which older backups are left. Restoring the newest puts the folder back
// only as the last run found it; after two runs, the state before the first is in the oldest.
void printRestoreEnding(const RestoreResult& r, const std::string& folder, const RestoreRequest& request,
                        std::ostream& out) {
    const RestoreMode mode = request.mode;
    if (r.restored == 0 && r.errors == 0 && r.changedSinceRun.empty())
        out << (mode == RestoreMode::DryRun ? "Nothing would be restored" : "Nothing was restored")
            << (r.changedSinceBackup.empty() ? ": the folder's files already hold what "
                                             : ": the files the run wrote already hold what ")
            << r.backup << " holds\n";
    if (!r.changedSinceRun.empty())
        out << (r.changedSinceRun.size() == 1 ? "1 file the run wrote was"
                                              : std::to_string(r.changedSinceRun.size()) + " files the run wrote were")
            << " changed since the run and kept; to overwrite every such file with the backup's copy: tavkonv40 "
               "restore "
            << (request.backup.empty() ? std::string() : "--backup " + shellWord(r.backup) + " ") << "--force "
            << shellWord(folder) << '\n';
    // An interrupted run's copy is not among the dated backups: all of them are older.
    const auto& backups = r.backups;
    const auto it =
        std::find_if(backups.begin(), backups.end(), [&](const BackupEntry& b) { return b.name == r.backup; });
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

}  // namespace

RestoreResult restoreFolder(FileSystem& fs, const std::string& folderIn, const RestoreRequest& request,
                            std::ostream& out, std::ostream& err, const std::function<bool()>& stopRequested) {
    const std::string folder = withoutTrailingSlash(folderIn);
    StreamOutput output(out, err);
    RestoreResult r;
    try {
        r = tavkonv40::restoreFolder(fs, folder, request, output, stopRequested);
    } catch (const NoBackup& e) {
        if (e.why != NoBackup::Why::NoneAtAll) throw;
        throw NoBackup(e.what() + subfolderBackupsNote(fs, folder), e.why);
    }
    if (r.stopped || r.backup.empty()) return r;  // stopped, or only partial copies cleared
    printCounts(r, request.mode, out);
    printRestoreEnding(r, folder, request, out);
    return r;
}

RestoreResult restoreFolder(FileSystem& fs, const std::string& folder, const std::string& backupName, RestoreMode mode,
                            std::ostream& out, std::ostream& err, const std::function<bool()>& stopRequested) {
    RestoreRequest request;
    request.backup = backupName;
    request.mode = mode;
    return restoreFolder(fs, folder, request, out, err, stopRequested);
}

}  // namespace tavkonv40::cli
