// An in-memory FileSystem: tests and dry runs. Paths are plain strings with "/" separators.
#pragma once

#include <functional>
#include <map>
#include <set>
#include <string>

#include "file_system.h"

namespace tavkonv40 {

class MemoryFileSystem : public FileSystem {
public:
    void addFolder(const std::string& path);
    void addFile(const std::string& path, std::string bytes);  // creates the parent folders
    void setReadOnly(const std::string& path, bool readOnly = true);
    void remove(const std::string& path);
    // Marks an existing file as a symbolic link (its bytes stand for the target's).
    void setSymbolicLink(const std::string& path) { links_.insert(path); }

    bool hasFile(const std::string& path) const { return files_.count(path) != 0; }
    bool hasFolder(const std::string& path) const { return folders_.count(path) != 0; }
    const std::string& file(const std::string& path) const;
    const std::map<std::string, std::string>& files() const { return files_; }

    // Listing order is the map's order unless a test asks for another one.
    std::function<void(std::vector<std::string>&)> reorderListing;
    // Called before every write; may throw to inject a failure.
    std::function<void(const std::string& path)> beforeWrite;
    std::string tempPath = "/tmp";
    int writeCount = 0;

    std::vector<std::string> listFolder(const std::string& folder) override;
    std::string readFile(const std::string& path) override;
    void writeFile(const std::string& path, const std::string& bytes) override;
    void copyFolder(const std::string& from, const std::string& to) override;
    void moveFolder(const std::string& from, const std::string& to) override;
    std::string tempDirectory() override { return tempPath; }
    bool isSymbolicLink(const std::string& path) override { return links_.count(path) != 0; }

private:
    std::map<std::string, std::string> files_;
    std::set<std::string> folders_;
    std::set<std::string> readOnly_;
    std::set<std::string> links_;
};

}  // namespace tavkonv40
