// A store that reads through to another one and keeps every write in memory: a dry run works on
// it exactly as a real run works on the disk, and afterwards the writes say what the run would
// have changed. The backup's folder copy and rename only check what the real calls would refuse
// (checkFolderCopy reads the real tree); nothing is copied, so even a huge folder costs no more
// than the files a run rewrites. A dry run takes no lock: it changes nothing.
#pragma once

#include <map>
#include <string>

#include "engine/file_system.h"

namespace tavkonv40 {

class OverlayFileSystem : public FileSystem {
  public:
    explicit OverlayFileSystem(FileSystem& base);

    // Path -> bytes of every file written, in path order. Files created are included.
    const std::map<std::string, std::string>& writes() const { return writes_; }

    std::uintmax_t largestProjectFile() const override { return base_.largestProjectFile(); }
    std::vector<std::string> listFolder(const std::string& folder) override;
    std::string readFile(const std::string& path) override;
    void writeFile(const std::string& path, const std::string& bytes) override;
    CopyOutcome copyFolder(const std::string& from, const std::string& to, const FolderCopy& how) override;
    void checkFolderCopy(const std::string& from, const std::string& to, const FolderCopy& how) override;
    void renameFolder(const std::string& from, const std::string& to) override;
    void flushFileSystem(const std::string&) override {}
    void removeFolder(const std::string& path) override;
    FolderLock lockFolder(const std::string&) override { return {true, 0}; }
    void unlockFolder(const std::string&) override {}
    long lockHolder(const std::string& folder) override { return base_.lockHolder(folder); }
    bool isSymbolicLink(const std::string& path) override;
    bool isFolder(const std::string& path) override;
    void checkWritable(const std::string& path) override;
    void createFile(const std::string& path, const std::string& bytes) override;
    void createFolder(const std::string& path) override;
    void giveFolderAttributes(const std::string&, const std::string&) override {}
    std::string realPath(const std::string& path) override;
    EntryInfo entryInfo(const std::string& path) override;
    void replaceFile(const std::string& path, const std::string& bytes, const std::string& model) override;
    void checkReplaceable(const std::string& path) override;

  private:
    bool exists(const std::string& path);

    FileSystem& base_;
    std::map<std::string, std::string> writes_;
};

}  // namespace tavkonv40
