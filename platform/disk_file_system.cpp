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

#include "platform/extended_attributes_posix.h"
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

// Only regular files are read: opening a FIFO blocks, a device may never end.
[[noreturn]] void refuseSpecial(const std::string& path, mode_t mode) {
    throw FileError(
        path, std::string("it is ") + std::string(entryTypeText(posix::entryTypeOf(mode))) + ", not a regular file");
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
    info.type = info.target = posix::entryTypeOf(st.st_mode);
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
            info.target = posix::entryTypeOf(st.st_mode);
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

// What a new file takes from the file it replaces or is put back from: nothing for a file made
// anew (it gets the default bits).
struct Model {
    const struct stat* st = nullptr;
    const char* path = nullptr;  // where its extended attributes and ACLs are read
    KeepTime time = KeepTime::No;
};

// The owner first: changing it clears the setuid and setgid bits, which the mode then puts back;
// the extended attributes after the mode, which would rewrite an ACL's mask. A failure to change
// the owner is harmless (only root may give a file away).
void giveAttributes(int fd, const std::string& path, const Model& model, std::vector<std::string>& warnings) {
    mode_t mode = 0;
    if (model.st) {
        [[maybe_unused]] int ignored = ::fchown(fd, model.st->st_uid, model.st->st_gid);
        mode = model.st->st_mode & 07777;
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    if (::fchmod(fd, mode) != 0) fail(path, errno);
    if (model.path) {
        const auto refused = posix::copyExtendedAttributes({-1, model.path}, model.path, fd, path);
        if (!refused.empty()) warnings.push_back(posix::attributesNotKept(path, refused));
    }
    if (model.st && model.time == KeepTime::Yes) {
        const struct timespec times[2] = {model.st->st_atim, model.st->st_mtim};
        if (::futimens(fd, times) != 0) fail(path, errno);
    }
}

// Writes `bytes` to a temporary beside `target` (flushed when asked) and renames it into place. The
// temporary gets `model`'s attributes (an existing file's), or the default bits of a new file.
void writeBeside(const std::string& path, const std::string& target, const std::string& bytes, const Model& model,
                 Replace replace, FlushBeforeReplace flush, std::vector<std::string>& warnings) {
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
        giveAttributes(fd.get(), path, model, warnings);
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
    writeBeside(path, t.path, bytes, {&t.st, t.path.c_str()}, Replace::Existing, flush_, warnings_);
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
    writeBeside(path, path, bytes, {&attributes, model.c_str(), KeepTime::Yes},
                existing ? Replace::Existing : Replace::NoFile, flush_, warnings_);
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
    writeBeside(path, path, bytes, {}, Replace::NoFile, flush_, warnings_);
}

void DiskFileSystem::createFolder(const std::string& path) {
    if (::mkdir(path.c_str(), 0777) != 0) fail(path, errno);
}

void DiskFileSystem::giveFolderAttributes(const std::string& path, const std::string& model) {
    struct stat st {};
    if (::stat(model.c_str(), &st) != 0) fail(model, errno);
    Fd fd(::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
    if (fd.get() < 0) fail(path, errno);
    giveAttributes(fd.get(), path, {&st, model.c_str()}, warnings_);
}

bool DiskFileSystem::isFolder(const std::string& path) {
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

CopyOutcome DiskFileSystem::copyFolder(const std::string& from, const std::string& to, const FolderCopy& how) {
    return posix::copyTree(from, to, how, warnings_);
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

bool DiskFileSystem::isSymbolicLink(const std::string& path) {
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode);
}

void DiskFileSystem::removeFolder(const std::string& path) { posix::removeTree(path); }

}  // namespace tavkonv40
