// The engine's FileSystem on a POSIX disk.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "engine/file_system.h"

namespace tavkonv40 {

// Whether a rewritten file is flushed to the device before it replaces the old one. A run does
// not need it: its backup copy is flushed before the first file is replaced and the whole file
// system once more before the run reports completion. The other setting exists so that
// benchmarks can show what a flush per file would cost.
enum class FlushBeforeReplace { Yes, No };

class DiskFileSystem : public FileSystem {
  public:
    explicit DiskFileSystem(FlushBeforeReplace flush = FlushBeforeReplace::No) : flush_(flush) {}

    std::vector<std::string> listFolder(const std::string& folder) override;
    std::string readFile(const std::string& path) override;
    // Writes a temporary file beside the target, gives it the target's permission bits and
    // renames it over the target. Refuses files whose permission bits deny writing,
    // also for root.
    void writeFile(const std::string& path, const std::string& bytes) override;
    // Clones files where the file system can (reflink), else copies in the kernel
    // (copy_file_range), hole by hole for sparse files.
    CopyOutcome copyFolder(const std::string& from, const std::string& to, const FolderCopy& how) override;
    void checkFolderCopy(const std::string& from, const std::string& to, const FolderCopy& how) override;
    void renameFolder(const std::string& from, const std::string& to) override;
    void flushFileSystem(const std::string& path) override;
    void removeFolder(const std::string& path) override;
    FolderLock lockFolder(const std::string& folder) override;
    void unlockFolder(const std::string& folder) override;
    long lockHolder(const std::string& folder) override;
    bool isSymbolicLink(const std::string& path) override;
    bool isFolder(const std::string& path) override;
    void checkWritable(const std::string& path) override;
    std::string realPath(const std::string& path) override;
    EntryInfo entryInfo(const std::string& path) override;
    void replaceFile(const std::string& path, const std::string& bytes, const std::string& model) override;
    void checkReplaceable(const std::string& path) override;
    // Writes a temporary file beside the new one and links it into place.
    void createFile(const std::string& path, const std::string& bytes) override;
    void createFolder(const std::string& path) override;
    void giveFolderAttributes(const std::string& path, const std::string& model) override;
    std::vector<std::string> takeWarnings() override { return std::exchange(warnings_, {}); }

  private:
    FlushBeforeReplace flush_;
    std::vector<std::string> warnings_;
    // The open lock files of the folders this process holds (a descriptor on POSIX, a handle on
    // Windows): the system lets go of each when the process ends, however it ends, which is what
    // tells a held lock from a stale one.
    std::map<std::string, std::intptr_t> heldLocks_;
};

}  // namespace tavkonv40
