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
            if (top && parseBackupName(n)) continue;
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
            if (top && parseBackupName(n)) continue;
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

std::optional<BackupEntry> parseBackupName(const std::string& name) {
    if (name.size() != kPrefix.size() + 19 || name.compare(0, kPrefix.size(), kPrefix) != 0)
        return std::nullopt;
    const std::string stamp = name.substr(kPrefix.size());
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

RestoreResult restoreFolder(FileSystem& fs, const std::string& folderIn, const std::string& backupName,
                            RestoreMode mode, std::ostream& out, std::ostream& err) {
    const std::string folder = withoutTrailingSlash(folderIn);
    std::vector<BackupEntry> backups;
    try {
        backups = findBackups(fs, folder);
    } catch (const FileError& e) {
        throw NoBackup("cannot list " + e.path() + ": " + e.cause());
    }
    if (backups.empty()) throw NoBackup(folder + " holds no backup ('" + kPrefix + "mm.dd.yyyy hh.mm.ss')");
    const BackupEntry* chosen = &backups.back();
    if (!backupName.empty()) {
        const auto it = std::find_if(backups.begin(), backups.end(), [&](const BackupEntry& b) {
            return b.name == backupName || b.name == kPrefix + backupName;
        });
        if (it == backups.end()) throw NoBackup("no backup named '" + backupName + "' in " + folder);
        chosen = &*it;
    }
    out << (mode == RestoreMode::DryRun ? "Would restore " : "Restoring ") << folder << " from "
        << chosen->name << '\n';
    Restorer r(fs, mode, out, err);
    const std::string from = folder + "/" + chosen->name;
    r.folder(from, folder, "", true);
    r.extras(from, folder, "", true);
    out << (mode == RestoreMode::DryRun ? "Would restore " : "Restored ") << r.result.restored
        << (r.result.restored == 1 ? " file" : " files") << ", " << r.result.unchanged
        << " already as in the backup, " << r.result.onlyInFolder.size() << " only in the folder, "
        << r.result.errors << (r.result.errors == 1 ? " error" : " errors") << '\n';
    return r.result;
}

}  // namespace tavkonv40::cli
