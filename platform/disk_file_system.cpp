#include "disk_file_system.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <csignal>
#include <stdio.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "posix_support.h"
#include "tree_copy.h"

namespace fs = std::filesystem;

namespace tavkonv40 {

namespace {

std::string errnoText(int err) { return std::strerror(err); }

using posix::fail;
using posix::Fd;
using posix::parentOf;

[[noreturn]] void fail(const std::string& path, const std::error_code& ec) {
    throw FileError(path, ec.message());
}

// Closes a descriptor on every path out of a scope.
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

std::string DiskFileSystem::readFile(const std::string& path) {
    Fd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (fd.get() < 0) fail(path, errno);
    struct stat st {};
    if (::fstat(fd.get(), &st) != 0) fail(path, errno);
    if (S_ISDIR(st.st_mode)) fail(path, EISDIR);
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

namespace {

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
    if (!S_ISREG(t.st.st_mode)) throw FileError(path, "not a regular file");
    if ((t.st.st_mode & S_IWUSR) == 0 || ::access(t.path.c_str(), W_OK) != 0)
        throw FileError(path, "the file is read-only");
    return t;
}

enum class Replace { Existing, NoFile };

// Writes `bytes` to a temporary beside `target` (flushed when asked) and renames it into place. `mode` is
// given to the temporary (an existing file's bits, or the default bits of a new file).
void writeBeside(const std::string& path, const std::string& target, const std::string& bytes,
                 const struct stat* existing, Replace replace, FlushBeforeReplace flush) {
    const fs::path targetPath(target);
    // The fixed ending keeps a temporary left by a killed run from ever looking like a form,
    // user control or project to a later run.
    const std::string suffix = ".tavkonv40-tmp";
    std::string name = ".";
    name += targetPath.filename().string();
    name += ".XXXXXX";
    name += suffix;
    std::string temp = (targetPath.parent_path() / name).string();
    Fd fd(::mkstemps(temp.data(), static_cast<int>(suffix.size())));
    if (fd.get() < 0) {
        const int err = errno;
        throw FileError(path, "cannot create a temporary file beside it: " + errnoText(err));
    }
    try {
        writeAll(fd.get(), bytes, path);
        mode_t mode = 0;
        if (existing) {
            mode = existing->st_mode & 07777;
        } else {
            const mode_t mask = ::umask(0);
            ::umask(mask);
            mode = 0666 & ~mask;
        }
        if (::fchmod(fd.get(), mode) != 0) fail(path, errno);
        if (existing && ::geteuid() == 0) {
            // Keep the owner when root rewrites somebody else's file; failure is harmless.
            [[maybe_unused]] int ignored = ::fchown(fd.get(), existing->st_uid, existing->st_gid);
        }
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

void DiskFileSystem::createFile(const std::string& path, const std::string& bytes) {
    struct stat st {};
    if (::lstat(path.c_str(), &st) == 0) fail(path, EEXIST);
    writeBeside(path, path, bytes, nullptr, Replace::NoFile, flush_);
}

void DiskFileSystem::createFolder(const std::string& path) {
    if (::mkdir(path.c_str(), 0777) != 0) fail(path, errno);
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

// The process id a lock file holds, or 0 when it holds none (a lock left half-made).
long lockHolder(const std::string& path) {
    Fd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (fd.get() < 0) return errno == ENOENT ? -1 : 0;
    char buf[32] = {};
    const ssize_t n = ::read(fd.get(), buf, sizeof buf - 1);
    return n > 0 ? std::strtol(buf, nullptr, 10) : 0;
}

bool processRuns(long pid) { return pid > 0 && (::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM); }

}  // namespace

FolderLock DiskFileSystem::lockFolder(const std::string& folder) {
    const std::string lock = lockPath(folder);
    const std::string content = std::to_string(::getpid()) + "\n";
    for (int attempt = 0; attempt < 3; ++attempt) {
        // Written whole beside the lock, then linked to its name: link() refuses an existing
        // lock, and a lock never appears without the id that tells whether it is stale.
        std::string temp = lock + ".XXXXXX";
        Fd fd(::mkstemp(temp.data()));
        if (fd.get() < 0) fail(folder, errno);
        const bool written = ::write(fd.get(), content.data(), content.size()) ==
                             static_cast<ssize_t>(content.size());
        const int linked = written ? ::link(temp.c_str(), lock.c_str()) : -1;
        const int err = errno;
        ::unlink(temp.c_str());
        if (!written) fail(folder, err);
        if (linked == 0) return {true, 0};
        if (err != EEXIST) fail(lock, err);
        const long holder = lockHolder(lock);
        if (holder == -1) continue;  // removed meanwhile
        if (processRuns(holder)) return {false, holder};
        ::unlink(lock.c_str());  // stale: its run is gone
    }
    return {false, lockHolder(lock)};
}

void DiskFileSystem::unlockFolder(const std::string& folder) {
    if (lockHolder(lockPath(folder)) == ::getpid()) ::unlink(lockPath(folder).c_str());
}

bool DiskFileSystem::isSymbolicLink(const std::string& path) {
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode);
}

void DiskFileSystem::removeFolder(const std::string& path) {
    std::error_code ec;
    fs::remove_all(path, ec);
    if (ec) fail(path, ec);
}

}  // namespace tavkonv40
