// Everything the engine needs from storage, behind one small interface so that the same run can
// work on disk, in memory (tests), or against a store that injects faults.
#pragma once

#include <stdexcept>
#include <string>
#include <vector>

namespace tavkonv40 {

// A failure to read, write, list, copy or move; names the path and the cause.
class FileError : public std::runtime_error {
public:
    FileError(std::string path, std::string cause)
        : std::runtime_error(path + ": " + cause), path_(std::move(path)), cause_(std::move(cause)) {}
    const std::string& path() const { return path_; }
    const std::string& cause() const { return cause_; }

private:
    std::string path_;
    std::string cause_;
};

class FileSystem {
public:
    virtual ~FileSystem() = default;

    // Names of the entries directly in `folder` (files and folders alike, without "." and "..").
    virtual std::vector<std::string> listFolder(const std::string& folder) = 0;

    virtual std::string readFile(const std::string& path) = 0;

    // Replaces the file's content atomically: afterwards it holds either its old bytes or the new
    // ones, never a mix. The file keeps its permission bits; a symbolic link stays a link and its
    // target is rewritten. A file whose permission bits deny writing is refused.
    virtual void writeFile(const std::string& path, const std::string& bytes) = 0;

    // Copies the folder's content, subfolders included, into `to` (created); links are copied as
    // links.
    virtual void copyFolder(const std::string& from, const std::string& to) = 0;

    // Moves a folder to a new path, also across file systems.
    virtual void moveFolder(const std::string& from, const std::string& to) = 0;

    // Creates a new, empty folder of its own inside the user's temporary folder and returns its
    // path, so that runs going on at the same time never share a temporary copy.
    virtual std::string createTemporaryFolder() = 0;

    // Removes a folder and everything in it (only ever the run's own temporary folder).
    virtual void removeFolder(const std::string& path) = 0;

    // Whether the entry itself is a symbolic link (not followed).
    virtual bool isSymbolicLink(const std::string& path) = 0;

    // Whether the entry is a folder (a link is not followed, so a link to a folder is not one).
    virtual bool isFolder(const std::string& path) = 0;

    // Throws the FileError writeFile would throw before writing anything: lets a dry run refuse
    // exactly the files a real run would fail to write.
    virtual void checkWritable(const std::string& path) = 0;

    // Creates a file that does not exist yet, atomically (it appears whole or not at all), and a
    // folder whose parent exists; both are for putting back what a backup holds.
    virtual void createFile(const std::string& path, const std::string& bytes) = 0;
    virtual void createFolder(const std::string& path) = 0;
};

// Whether an entry of any kind (file, folder, link) has this path: the entry is looked up in its
// parent's listing, the one question every store answers.
bool entryExists(FileSystem& fs, const std::string& path);

}  // namespace tavkonv40
