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

    // The user's temporary folder, without a trailing separator.
    virtual std::string tempDirectory() = 0;

    // Whether the entry itself is a symbolic link (not followed).
    virtual bool isSymbolicLink(const std::string& path) = 0;
};

}  // namespace tavkonv40
