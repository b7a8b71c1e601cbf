// The walk of a restore through its backup: what is decided about each file and folder.
#pragma once

#include <functional>
#include <optional>
#include <set>
#include <string>

#include "engine/backup_record.h"
#include "engine/restore.h"

namespace tavkonv40 {

// What a restore does with one file of the backup.
enum class FileAction {
    Write,          // put the backup's copy back where the folder's file differs
    Compare,        // leave it; name it when it differs from the backup
    ChangedByUser,  // the run wrote it and it has changed since: leave it and name it
    Skip,           // not part of this restore
};

// Whether a folder the restore creates in a dry run is on the way: nothing below it exists yet.
enum class Parent { Exists, Planned };

class RestoreWalk {
  public:
    // `decide` is given the path relative to the folder and the folder's current file there.
    RestoreWalk(FileSystem& fs, RestoreMode mode, RestoreOutput& out, const std::function<bool()>& stop,
                std::function<FileAction(const std::string& rel, const std::string& dst)> decide,
                const std::optional<BackupRecord>& record)
        : fs_(fs), mode_(mode), out_(out), stop_(stop), decide_(std::move(decide)), record_(record) {}

    // `from` in the backup, `to` in the folder, `rel` the path both share, shown to the user.
    void folder(const std::string& from, const std::string& to, const std::string& rel, Parent parent);
    // Files of the folder the backup does not hold.
    void extras(const std::string& from, const std::string& to, const std::string& rel);
    // Whether any file below `rel` (a folder, ending in "/") would be written.
    std::function<bool(const std::string& rel)> writesBelow;
    // The command that would overwrite the file at `rel` all the same.
    std::function<std::string(const std::string& rel)> overwriteCommand;

    RestoreResult result;

  private:
    bool dry() const { return mode_ == RestoreMode::DryRun; }
    bool stopping();
    void subfolder(const std::string& src, const std::string& dst, const std::string& r, Parent parent);
    void keepFolderLook(const std::string& src, const std::string& dst, const std::string& r);
    void file(const std::string& src, const std::string& dst, const std::string& rel, const EntryInfo& info,
              Parent parent);
    void write(const std::string& src, const std::string& dst, const std::string& rel, EntryType there, Parent parent);
    void compare(const std::string& src, const std::string& dst, const std::string& rel);
    void act(const char* done, const char* wouldDo, const std::string& rel);
    void error(const std::string& message);

    FileSystem& fs_;
    RestoreMode mode_;
    RestoreOutput& out_;
    const std::function<bool()>& stop_;
    std::function<FileAction(const std::string&, const std::string&)> decide_;
    const std::optional<BackupRecord>& record_;
};

}  // namespace tavkonv40
