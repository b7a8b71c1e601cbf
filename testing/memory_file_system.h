// An in-memory FileSystem: tests and dry runs. Paths are plain strings with "/" separators.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "engine/file_system.h"

namespace tavkonv40 {

class MemoryFileSystem : public FileSystem {
  public:
    void addFolder(const std::string& path);
    void addFile(const std::string& path, std::string bytes);  // creates the parent folders
    void setReadOnly(const std::string& path) { readOnly_.insert(path); }
    void remove(const std::string& path);
    // The time stamp entryInfo reports; entries get increasing ones as they are added.
    void setChanged(const std::string& path, std::int64_t changed) { changed_[path] = changed; }

    bool hasFile(const std::string& path) const { return files_.count(path) != 0; }
    bool hasFolder(const std::string& path) const { return folders_.count(path) != 0; }
    const std::string& file(const std::string& path) const;
    const std::map<std::string, std::string>& files() const { return files_; }

    // Listing order is the map's order unless a test asks for another one.
    std::function<void(std::vector<std::string>&)> reorderListing;
    // Called before every write; may throw to inject a failure.
    std::function<void(const std::string& path)> beforeWrite;
    int writeCount = 0;
    int flushCount = 0;
    std::map<std::string, int> readCount;  // readFile calls, by path
    // Entries the backup copy cannot copy, with the cause copyFolder and checkFolderCopy give.
    std::map<std::string, std::string> copyFailures;
    // Called after each file the copy makes (tests cancel or count at a chosen point).
    std::function<void(const std::string& path)> afterCopiedFile;
    // Called while the copy holds a file's bytes and before it looks at the file again, as another
    // program writing the file during the copy would (change it with addFile, which stamps it).
    std::function<void(const std::string& path)> duringCopy;
    // Folders another (running) process holds the lock of, with its process id.
    std::map<std::string, long> lockedByOthers;

    // What largestProjectFile() answers: a test lowers it to try the limit with small files.
    std::uintmax_t largestFile = kLargestProjectFile;
    // What takeWarnings hands out next (a test's stand-in for attributes a disk could not keep).
    std::vector<std::string> warnings;
    std::vector<std::string> takeWarnings() override { return std::exchange(warnings, {}); }

    std::uintmax_t largestProjectFile() const override { return largestFile; }
    std::vector<std::string> listFolder(const std::string& folder) override;
    std::string readFile(const std::string& path) override;
    void writeFile(const std::string& path, const std::string& bytes) override;
    CopyOutcome copyFolder(const std::string& from, const std::string& to, const FolderCopy& how) override;
    void checkFolderCopy(const std::string& from, const std::string& to, const FolderCopy& how) override;
    void renameFolder(const std::string& from, const std::string& to) override;
    void flushFileSystem(const std::string&) override { ++flushCount; }
    void removeFolder(const std::string& path) override;
    FolderLock lockFolder(const std::string& folder) override;
    void unlockFolder(const std::string& folder) override;
    long lockHolder(const std::string& folder) override;
    bool isSymbolicLink(const std::string&) override { return false; }  // a memory store has no links
    bool isFolder(const std::string& path) override;
    void checkWritable(const std::string& path) override;
    void createFile(const std::string& path, const std::string& bytes) override;
    void createFolder(const std::string& path) override;
    void giveFolderAttributes(const std::string&, const std::string&) override {}  // a memory store keeps no modes
    std::string realPath(const std::string& path) override;
    EntryInfo entryInfo(const std::string& path) override;
    void replaceFile(const std::string& path, const std::string& bytes, const std::string& model) override;
    void checkReplaceable(const std::string& path) override;

  private:
    void stamp(const std::string& path) { changed_[path] = ++clock_; }
    std::string copyUnchanged(const std::string& path);
    std::vector<std::string> namesIn(const std::string& folder) const;  // the listing, unreordered

    std::map<std::string, std::string> files_;
    std::set<std::string> folders_;
    std::set<std::string> readOnly_;
    std::map<std::string, std::int64_t> changed_;
    std::int64_t clock_ = 0;
};

}  // namespace tavkonv40
