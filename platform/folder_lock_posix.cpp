// The folder's lock on a POSIX disk. The run holding it keeps its lock file open with a kernel lock
// (flock) on it, which ends with the process however it ends: a lock nobody holds is stale whatever
// process id it names.
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "platform/disk_file_system.h"
#include "platform/posix_support.h"

namespace fs = std::filesystem;

namespace tavkonv40 {

using posix::fail;
using posix::Fd;

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
    throw FileError(folder, lock + " is " + std::string(entryTypeText(posix::entryTypeOf(mode))) +
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

}  // namespace tavkonv40
