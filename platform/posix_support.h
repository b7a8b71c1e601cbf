// Small helpers the POSIX disk services share: a descriptor closed on every path out of a scope,
// failures that name the path and the system's cause, a path's parent folder.
#pragma once

#include <sys/stat.h>
#include <unistd.h>

#include <cstring>
#include <string>

#include "engine/file_system.h"

namespace tavkonv40::posix {

class Fd {
  public:
    explicit Fd(int fd) : fd_(fd) {}
    ~Fd() {
        if (fd_ >= 0) ::close(fd_);
    }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int get() const { return fd_; }
    int release() {
        int fd = fd_;
        fd_ = -1;
        return fd;
    }

  private:
    int fd_;
};

[[noreturn]] inline void fail(const std::string& path, int err) { throw FileError(path, std::strerror(err)); }

// What an entry of this mode is (a link is what lstat says it is).
inline EntryType entryTypeOf(mode_t mode) {
    if (S_ISREG(mode)) return EntryType::RegularFile;
    if (S_ISDIR(mode)) return EntryType::Folder;
    if (S_ISLNK(mode)) return EntryType::SymbolicLink;
    if (S_ISFIFO(mode)) return EntryType::Fifo;
    if (S_ISSOCK(mode)) return EntryType::Socket;
    if (S_ISCHR(mode) || S_ISBLK(mode)) return EntryType::Device;
    return EntryType::Other;
}

inline std::string parentOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
}

}  // namespace tavkonv40::posix
