// The engine's FileSystem on a POSIX disk.
#pragma once

#include "file_system.h"

namespace tavkonv40 {

// Whether a rewritten file is flushed to the device before it replaces the old one. Flushing
// is what makes a file the log calls up to date survive a power cut on every file system; the
// other setting exists so that benchmarks can show what the flush costs.
enum class FlushBeforeReplace { Yes, No };

class DiskFileSystem : public FileSystem {
public:
    explicit DiskFileSystem(FlushBeforeReplace flush = FlushBeforeReplace::Yes) : flush_(flush) {}

    std::vector<std::string> listFolder(const std::string& folder) override;
    std::string readFile(const std::string& path) override;
    // Writes a temporary file beside the target, flushes it, gives it the target's permission
    // bits and renames it over the target. Refuses files whose permission bits deny writing,
    // also for root.
    void writeFile(const std::string& path, const std::string& bytes) override;
    void copyFolder(const std::string& from, const std::string& to) override;
    void moveFolder(const std::string& from, const std::string& to) override;
    std::string createTemporaryFolder() override;
    void removeFolder(const std::string& path) override;
    bool isSymbolicLink(const std::string& path) override;
    bool isFolder(const std::string& path) override;
    void checkWritable(const std::string& path) override;
    std::string realPath(const std::string& path) override;
    EntryInfo entryInfo(const std::string& path) override;
    void replaceFile(const std::string& path, const std::string& bytes, const std::string& model) override;
    void checkReplaceable(const std::string& path) override;
    // Writes a temporary file beside the new one, flushes it and renames it into place.
    void createFile(const std::string& path, const std::string& bytes) override;
    void createFolder(const std::string& path) override;

private:
    FlushBeforeReplace flush_;
};

}  // namespace tavkonv40
