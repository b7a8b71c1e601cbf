#include "platform/disk_file_system.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <csignal>
#include <stdio.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "platform/posix_support.h"
#include "platform/tree_copy.h"

namespace fs = std::filesystem;

namespace tavkonv40 {

namespace {

std::string errnoText(int err) { return std::strerror(err); }

using posix::fail;
using posix::Fd;
using posix::parentOf;

[[noreturn]] void fail(const std::string& path, const std::error_code& ec) { throw FileError(path, ec.message()); }

// Writes all of `bytes`, again after a short or interrupted write.
void writeAll(int fd, const std::string& bytes, const std::string& path) {
    const char* p = bytes.data();
    std::size_t left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, p, left);
        if (n < 0) {
            if (errno == EINTR) continue;
            fail(path, errno);
        }
        p += n;
        left -= static_cast<std::size_t>(n);
    }
}

}  // namespace

std::vector<std::string> DiskFileSystem::listFolder(const std::string& folder) {
    std::error_code ec;
    fs::directory_iterator it(folder, ec);
    if (ec) fail(folder, ec);
    std::vector<std::string> names;
    for (; it != fs::directory_iterator(); it.increment(ec)) {
        if (ec) fail(folder, ec);
        names.push_back(it->path().filename().string());
    }
    if (ec) fail(folder, ec);
    return names;
}

namespace {

EntryType typeOf(mode_t mode) {
    if (S_ISREG(mode)) return EntryType::RegularFile;
    if (S_ISDIR(mode)) return EntryType::Folder;
    if (S_ISLNK(mode)) return EntryType::SymbolicLink;
    if (S_ISFIFO(mode)) return EntryType::Fifo;
    if (S_ISSOCK(mode)) return EntryType::Socket;
    if (S_ISCHR(mode) || S_ISBLK(mode)) return EntryType::Device;
    return EntryType::Other;
}

// Only regular files are read: opening a FIFO blocks, a device may never end.
[[noreturn]] void refuseSpecial(const std::string& path, mode_t mode) {
    throw FileError(path, std::string("it is ") + std::string(entryTypeText(typeOf(mode))) + ", not a regular file");
}

}  // namespace

std::string DiskFileSystem::readFile(const std::string& path) {
    // Looked at before it is opened, and again once open (it may have been swapped meanwhile);
    // O_NONBLOCK keeps a FIFO put there in between from blocking the open.
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) fail(path, errno);
    if (!S_ISREG(st.st_mode) && !S_ISDIR(st.st_mode)) refuseSpecial(path, st.st_mode);
    Fd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (fd.get() < 0) fail(path, errno);
    if (::fstat(fd.get(), &st) != 0) fail(path, errno);
    if (S_ISDIR(st.st_mode)) fail(path, EISDIR);
    if (!S_ISREG(st.st_mode)) refuseSpecial(path, st.st_mode);
    // Read straight into the result; a file that grows meanwhile is read to its end.
    std::string bytes;
    std::size_t used = 0;
    bytes.resize(st.st_size > 0 ? static_cast<std::size_t>(st.st_size) + 1 : std::size_t{1} << 16);
    for (;;) {
        if (used == bytes.size()) bytes.resize(bytes.size() * 2);
        const ssize_t n = ::read(fd.get(), bytes.data() + used, bytes.size() - used);
        if (n < 0) {
            if (errno == EINTR) continue;
            fail(path, errno);
        }
        if (n == 0) break;
        used += static_cast<std::size_t>(n);
    }
    bytes.resize(used);
    return bytes;
}

std::string DiskFileSystem::realPath(const std::string& path) {
    char resolved[PATH_MAX];
    return ::realpath(path.c_str(), resolved) ? std::string(resolved) : path;
}

EntryInfo DiskFileSystem::entryInfo(const std::string& path) {
    EntryInfo info;
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0) return info;
    info.type = info.target = typeOf(st.st_mode);
    info.size = static_cast<std::uintmax_t>(st.st_size);
    // The later of the content's and the entry's own change: a folder moved into place or
    // copied with its original times still shows when that happened.
    const auto ns = [](const struct timespec& t) { return std::int64_t{t.tv_sec} * 1000000000 + t.tv_nsec; };
    info.changed = std::max(ns(st.st_mtim), ns(st.st_ctim));
    info.modified = ns(st.st_mtim);
    if (info.type == EntryType::SymbolicLink) {
        if (::stat(path.c_str(), &st) != 0) {
            info.target = EntryType::Missing;
            info.size = 0;
        } else {
            info.target = typeOf(st.st_mode);
            info.size = static_cast<std::uintmax_t>(st.st_size);
        }
    }
    return info;
}

namespace {

// Refused also for root, who could write it: the bits say the user wants it left alone.
void refuseReadOnly(const std::string& path, const std::string& real, const struct stat& st) {
    if ((st.st_mode & S_IWUSR) == 0 || ::access(real.c_str(), W_OK) != 0)
        throw FileError(path, "the file is read-only");
}

struct WriteTarget {
    std::string path;  // the link's target for a link
    struct stat st {};
};

// Rewrite the link's target, never replace the link itself.
WriteTarget writableTarget(const std::string& path) {
    char resolved[PATH_MAX];
    if (!::realpath(path.c_str(), resolved)) fail(path, errno);
    WriteTarget t;
    t.path = resolved;
    if (::stat(t.path.c_str(), &t.st) != 0) fail(path, errno);
    if (S_ISDIR(t.st.st_mode)) fail(path, EISDIR);
    if (!S_ISREG(t.st.st_mode)) refuseSpecial(path, t.st.st_mode);
    refuseReadOnly(path, t.path, t.st);
    return t;
}

enum class Replace { Existing, NoFile };
// Which of the model file's attributes the new file gets (the permission bits and owner always).
enum class KeepTime { No, Yes };

// The owner first: changing it clears the setuid and setgid bits, which the mode then puts back.
// A failure to change the owner is harmless (only root may give a file away).
void giveAttributes(int fd, const std::string& path, const struct stat* model, KeepTime time) {
    mode_t mode = 0;
    if (model) {
        [[maybe_unused]] int ignored = ::fchown(fd, model->st_uid, model->st_gid);
        mode = model->st_mode & 07777;
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    if (::fchmod(fd, mode) != 0) fail(path, errno);
    if (model && time == KeepTime::Yes) {
        const struct timespec times[2] = {model->st_atim, model->st_mtim};
        if (::futimens(fd, times) != 0) fail(path, errno);
    }
}

// Writes `bytes` to a temporary beside `target` (flushed when asked) and renames it into place. The temporary
// gets `model`'s attributes (an existing file's), or the default bits of a new file.
void writeBeside(const std::string& path, const std::string& target, const std::string& bytes,
                 const struct stat* existing, Replace replace, FlushBeforeReplace flush, KeepTime time = KeepTime::No) {
    const fs::path targetPath(target);
    // The fixed ending keeps a temporary left by a killed run from ever looking like a form,
    // user control or project to a later run.
    const std::string suffix(kTemporarySuffix);
    // Cut to fit the longest name a folder takes: a file whose name is that long is still written.
    const std::string fixed = std::string(".XXXXXX") + suffix;
    std::string name = ".";
    name += targetPath.filename().string().substr(0, NAME_MAX - 1 - fixed.size());
    name += fixed;
    std::string temp = (targetPath.parent_path() / name).string();
    Fd fd(::mkstemps(temp.data(), static_cast<int>(suffix.size())));
    if (fd.get() < 0) {
        const int err = errno;
        throw FileError(path, "cannot create a temporary file beside it: " + errnoText(err));
    }
    try {
        writeAll(fd.get(), bytes, path);
        giveAttributes(fd.get(), path, existing, time);
        if (flush == FlushBeforeReplace::Yes && ::fsync(fd.get()) != 0) fail(path, errno);
        // Start the device write now, without waiting for it: it overlaps with converting the
        // next files, and the run's one flush at its end has that much less left to wait for.
        if (flush == FlushBeforeReplace::No) ::sync_file_range(fd.get(), 0, 0, SYNC_FILE_RANGE_WRITE);
        if (::close(fd.release()) != 0) fail(path, errno);
        if (replace == Replace::NoFile) {
            // link() refuses an existing name, so a file that appeared meanwhile is kept.
            if (::link(temp.c_str(), target.c_str()) != 0) fail(path, errno);
            ::unlink(temp.c_str());
        } else if (::rename(temp.c_str(), target.c_str()) != 0) {
            fail(path, errno);
        }
    } catch (...) {
        ::unlink(temp.c_str());
        throw;
    }
}

}  // namespace

void DiskFileSystem::checkWritable(const std::string& path) { writableTarget(path); }

void DiskFileSystem::writeFile(const std::string& path, const std::string& bytes) {
    const WriteTarget t = writableTarget(path);
    writeBeside(path, t.path, bytes, &t.st, Replace::Existing, flush_);
}

namespace {

// What replaceFile finds at the path: nothing, or an entry it may replace.
bool replaceableEntry(const std::string& path) {
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0) {
        if (errno != ENOENT) fail(path, errno);
        return false;
    }
    if (S_ISDIR(st.st_mode)) fail(path, EISDIR);
    if (S_ISREG(st.st_mode)) refuseReadOnly(path, path, st);
    return true;
}

}  // namespace

void DiskFileSystem::replaceFile(const std::string& path, const std::string& bytes, const std::string& model) {
    struct stat attributes {};
    if (::stat(model.c_str(), &attributes) != 0) fail(model, errno);
    const bool existing = replaceableEntry(path);
    writeBeside(path, path, bytes, &attributes, existing ? Replace::Existing : Replace::NoFile, flush_, KeepTime::Yes);
}

void DiskFileSystem::checkReplaceable(const std::string& path) {
    replaceableEntry(path);
    // The temporary file goes beside it.
    if (::access(parentOf(path).c_str(), W_OK | X_OK) != 0) {
        const int err = errno;
        throw FileError(path, "cannot create a temporary file beside it: " + errnoText(err));
    }
}

void DiskFileSystem::createFile(const std::string& path, const std::string& bytes) {
    struct stat st {};
    if (::lstat(path.c_str(), &st) == 0) fail(path, EEXIST);
    writeBeside(path, path, bytes, nullptr, Replace::NoFile, flush_);
}

void DiskFileSystem::createFolder(const std::string& path) {
    if (::mkdir(path.c_str(), 0777) != 0) fail(path, errno);
}

void DiskFileSystem::giveFolderAttributes(const std::string& path, const std::string& model) {
    struct stat st {};
    if (::stat(model.c_str(), &st) != 0) fail(model, errno);
    Fd fd(::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
    if (fd.get() < 0) fail(path, errno);
    giveAttributes(fd.get(), path, &st, KeepTime::No);
}

bool DiskFileSystem::isFolder(const std::string& path) {
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

CopyOutcome DiskFileSystem::copyFolder(const std::string& from, const std::string& to, const FolderCopy& how) {
    return posix::copyTree(from, to, how);
}

void DiskFileSystem::checkFolderCopy(const std::string& from, const std::string& to, const FolderCopy& how) {
    posix::checkTreeCopy(from, to, how);
}

namespace {

void flushFolderEntries(const std::string& folder) {
    Fd fd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (fd.get() < 0) fail(folder, errno);
    if (::fsync(fd.get()) != 0) fail(folder, errno);
}

}  // namespace

void DiskFileSystem::renameFolder(const std::string& from, const std::string& to) {
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) != 0) {
        const int err = errno;
        if (err != EINVAL && err != ENOSYS) fail(err == EEXIST ? to : from, err);
        // No RENAME_NOREPLACE on this file system: check, then rename.
        struct stat st {};
        if (::lstat(to.c_str(), &st) == 0) fail(to, EEXIST);
        if (::rename(from.c_str(), to.c_str()) != 0) fail(from, errno);
    }
    flushFolderEntries(parentOf(to));
    if (parentOf(from) != parentOf(to)) flushFolderEntries(parentOf(from));
}

void DiskFileSystem::flushFileSystem(const std::string& path) {
    Fd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (fd.get() < 0) fail(path, errno);
    if (::syncfs(fd.get()) != 0) fail(path, errno);
}

namespace {

std::string lockPath(const std::string& folder) { return folder + "/" + kLockFileName; }

// Opening never waits (a FIFO) and never follows a link: only a regular file is a lock.
constexpr int kLockOpen = O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK;

// The process id a lock file holds, or 0 when it holds none (a lock left half-made).
long lockFileHolder(const std::string& path) {
    Fd fd(::open(path.c_str(), kLockOpen));
    if (fd.get() < 0) return errno == ENOENT ? -1 : 0;
    char buf[32] = {};
    const ssize_t n = ::read(fd.get(), buf, sizeof buf - 1);
    return n > 0 ? std::strtol(buf, nullptr, 10) : 0;
}

bool processRuns(long pid) { return pid > 0 && (::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM); }

// Called holding the lock: no other run is writing here, so every temporary is a leftover. A run
// still making its own lock file may lose its temporary to this; it then finds the lock held.
void removeLeftoverTemporaries(const std::string& folder) {
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        struct stat st {};
        if (isLeftoverTemporary(name) && ::lstat(it->path().c_str(), &st) == 0 && S_ISREG(st.st_mode))
            ::unlink(it->path().c_str());
    }
}

enum class LockState { Held, Stale, Gone };

// Whether the lock file open as `fd` still has the lock's name.
bool stillNamed(int fd, const std::string& lock) {
    struct stat opened {
    }, named{};
    return ::fstat(fd, &opened) == 0 && ::stat(lock.c_str(), &named) == 0 && opened.st_ino == named.st_ino &&
           opened.st_dev == named.st_dev;
}

// Whether a running process holds the lock file. Its holder keeps a kernel lock (flock) on it,
// which ends with the process however it ends; the process id in it only says who, since after
// a reboot or in another container the same id may belong to an unrelated process. Where the file
// system has no such locks, the process id decides. A stale lock is removed.
// A lock name held by something this tool never makes (a FIFO, a folder, a link, a socket, a
// device) is neither waited for nor taken over: only the user can say what it is for.
[[noreturn]] void refuseForeignLock(const std::string& folder, const std::string& lock, mode_t mode) {
    throw FileError(folder, lock + " is " + std::string(entryTypeText(typeOf(mode))) +
                                ", not a lock this tool made; remove or rename it, then run again");
}

LockState lockState(const std::string& folder, const std::string& lock) {
    Fd fd(::open(lock.c_str(), kLockOpen));
    struct stat st {};
    if (fd.get() < 0) {
        const int err = errno;
        if (err == ENOENT) return LockState::Gone;
        if (::lstat(lock.c_str(), &st) == 0 && !S_ISREG(st.st_mode)) refuseForeignLock(folder, lock, st.st_mode);
        fail(lock, err);
    }
    if (::fstat(fd.get(), &st) != 0) fail(lock, errno);
    if (!S_ISREG(st.st_mode)) refuseForeignLock(folder, lock, st.st_mode);
    if (::flock(fd.get(), LOCK_EX | LOCK_NB) != 0) {
        const bool locked = errno == EWOULDBLOCK;
        // Another run may be taking over this very file, which is then gone.
        if (!stillNamed(fd.get(), lock)) return LockState::Gone;
        if (locked || processRuns(lockFileHolder(lock))) return LockState::Held;
    }
    // Its run ended without removing it. Removed only if it is still the file looked at, not a
    // lock another run has just made in its place.
    if (stillNamed(fd.get(), lock)) ::unlink(lock.c_str());
    return LockState::Stale;
}

}  // namespace

FolderLock DiskFileSystem::lockFolder(const std::string& folder) {
    const std::string lock = lockPath(folder);
    const std::string content = std::to_string(::getpid()) + "\n";
    for (int attempt = 0; attempt < 3; ++attempt) {
        // Written whole beside the lock and locked, then linked to its name: link() refuses an
        // existing lock, and a lock never appears without the id that names its holder nor
        // without the kernel lock that says it is held.
        const std::string suffix(kTemporarySuffix);
        std::string temp = lock + ".XXXXXX" + suffix;
        Fd fd(::mkostemps(temp.data(), static_cast<int>(suffix.size()), O_CLOEXEC));
        if (fd.get() < 0) fail(folder, errno);
        // Readable by all: another user working on a shared folder must be able to see who holds
        // it and whether the holder still runs.
        ::fchmod(fd.get(), 0644);
        const bool written = ::write(fd.get(), content.data(), content.size()) == static_cast<ssize_t>(content.size());
        ::flock(fd.get(), LOCK_EX | LOCK_NB);  // a new file: nobody else has it open
        const int linked = written ? ::link(temp.c_str(), lock.c_str()) : -1;
        const int err = errno;
        ::unlink(temp.c_str());
        if (!written) fail(folder, err);
        if (linked == 0) {
            heldLocks_[folder] = fd.release();
            removeLeftoverTemporaries(folder);
            return {true, 0};
        }
        if (err == ENOENT) continue;  // the lock's holder removed the temporary
        if (err != EEXIST) fail(lock, err);
        if (lockState(folder, lock) == LockState::Held) return {false, lockFileHolder(lock)};
    }
    return {false, lockFileHolder(lock)};
}

void DiskFileSystem::unlockFolder(const std::string& folder) {
    const auto held = heldLocks_.find(folder);
    if (held == heldLocks_.end()) return;
    const int fd = static_cast<int>(held->second);
    // Only the file this run made goes, never one another run has made in its place; it is closed
    // after its name is gone, so no other run can take the name for stale meanwhile.
    if (const std::string lock = lockPath(folder); stillNamed(fd, lock)) ::unlink(lock.c_str());
    ::close(fd);
    heldLocks_.erase(held);
}

long DiskFileSystem::lockHolder(const std::string& folder) {
    const std::string lock = lockPath(folder);
    Fd fd(::open(lock.c_str(), kLockOpen));
    struct stat st {};
    if (fd.get() < 0 || ::fstat(fd.get(), &st) != 0 || !S_ISREG(st.st_mode)) return 0;
    // A shared lock is refused while the holder's exclusive one lasts (this process's own
    // included: each open file has its own); taken, it goes with the descriptor.
    const bool locked = ::flock(fd.get(), LOCK_SH | LOCK_NB) != 0 && errno == EWOULDBLOCK;
    char buf[32] = {};
    const ssize_t n = ::pread(fd.get(), buf, sizeof buf - 1, 0);
    const long pid = n > 0 ? std::strtol(buf, nullptr, 10) : 0;
    if (locked) return pid > 0 ? pid : 1;
    return heldLocks_.count(folder) || processRuns(pid) ? pid : 0;
}

bool DiskFileSystem::isSymbolicLink(const std::string& path) {
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode);
}

void DiskFileSystem::removeFolder(const std::string& path) { posix::removeTree(path); }

}  // namespace tavkonv40
