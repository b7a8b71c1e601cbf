#include "platform/tree_copy.h"

#include <dirent.h>
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <optional>
#include <utility>
#include <vector>

#include "platform/extended_attributes_posix.h"
#include "platform/posix_support.h"
#include "platform/room_text.h"

namespace tavkonv40::posix {

namespace {

const char* uncopyableKind(mode_t mode) {
    if (S_ISFIFO(mode)) return "a named pipe (FIFO)";
    if (S_ISSOCK(mode)) return "a socket";
    if (S_ISCHR(mode)) return "a character device";
    if (S_ISBLK(mode)) return "a block device";
    return "not a regular file";
}

[[noreturn]] void refuseKind(const std::string& path, mode_t mode) {
    throw FileError(path, std::string(uncopyableKind(mode)) + "; only files, folders and links can be backed up");
}

// Whether a failure with `err` only says that the entry is gone: an editor's temporary file or a
// build output removed between the listing of its folder and its copy. The copy is whole for what
// exists, so such an entry is passed over; anything else that stops a copy still fails it.
bool vanished(int err) { return err == ENOENT; }

// The entry names of a folder, sorted so that a copy always goes in the same order; nothing when
// the folder itself is gone.
std::optional<std::vector<std::string>> namesIfPresent(const std::string& folder) {
    DIR* dir = ::opendir(folder.c_str());
    if (!dir && vanished(errno)) return std::nullopt;
    if (!dir) fail(folder, errno);
    std::vector<std::string> names;
    errno = 0;
    while (const dirent* e = ::readdir(dir)) {
        const std::string n = e->d_name;
        if (n != "." && n != "..") names.push_back(n);
        errno = 0;
    }
    const int err = errno;
    ::closedir(dir);
    if (err != 0) fail(folder, err);
    std::sort(names.begin(), names.end());
    return names;
}

std::vector<std::string> entryNames(const std::string& folder) {
    auto names = namesIfPresent(folder);
    if (!names) fail(folder, ENOENT);
    return std::move(*names);
}

// Plain read and write, for file systems that offer neither cloning nor copy_file_range.
void copyByReading(int in, int out, off_t from, off_t length, const std::string& src, const std::string& dst) {
    std::vector<char> buffer(1 << 20);
    while (length > 0) {
        const ssize_t n = ::pread(in, buffer.data(), std::min<off_t>(length, static_cast<off_t>(buffer.size())), from);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) fail(src, errno);
        if (n == 0) return;
        for (ssize_t done = 0; done < n;) {
            const ssize_t w = ::pwrite(out, buffer.data() + done, static_cast<std::size_t>(n - done), from + done);
            if (w < 0 && errno == EINTR) continue;
            if (w < 0) fail(dst, errno);
            done += w;
        }
        from += n;
        length -= n;
    }
}

void copyRange(int in, int out, off_t from, off_t length, const std::string& src, const std::string& dst) {
    off_t inOff = from, outOff = from;
    while (length > 0) {
        const ssize_t n = ::copy_file_range(in, &inOff, out, &outOff, static_cast<std::size_t>(length), 0);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0 && (errno == EXDEV || errno == ENOSYS || errno == EINVAL || errno == EOPNOTSUPP))
            return copyByReading(in, out, inOff, length, src, dst);
        if (n < 0) fail(errno == ENOSPC || errno == EDQUOT || errno == EFBIG ? dst : src, errno);
        if (n == 0) return;  // the file shrank meanwhile
        length -= n;
    }
}

// Copies the data regions only, so holes stay holes.
void copyContent(int in, int out, const struct stat& st, const std::string& src, const std::string& dst) {
    if (st.st_size == 0) return;
    if (::ioctl(out, FICLONE, in) == 0) return;
    const bool sparse = static_cast<off_t>(st.st_blocks) * 512 < st.st_size;
    if (!sparse) return copyRange(in, out, 0, st.st_size, src, dst);
    for (off_t pos = 0; pos < st.st_size;) {
        const off_t data = ::lseek(in, pos, SEEK_DATA);
        if (data < 0) break;  // no more data: the rest is a hole
        off_t hole = ::lseek(in, data, SEEK_HOLE);
        if (hole < 0) hole = st.st_size;
        copyRange(in, out, data, hole - data, src, dst);
        pos = hole;
    }
    if (::ftruncate(out, st.st_size) != 0) fail(dst, errno);
}

// Owners only where permitted (root, or a group of our own); refusal is not an error, as for `cp -a`.
void keepOwner(int fd, const struct stat& st) {
    [[maybe_unused]] const int ignored = ::fchown(fd, st.st_uid, st.st_gid);
}

// Whether nothing wrote the file between two looks at it: a writer changes its size or a time.
bool sameStamp(const struct stat& a, const struct stat& b) {
    return a.st_size == b.st_size && a.st_mtim.tv_sec == b.st_mtim.tv_sec && a.st_mtim.tv_nsec == b.st_mtim.tv_nsec &&
           a.st_ctim.tv_sec == b.st_ctim.tv_sec && a.st_ctim.tv_nsec == b.st_ctim.tv_nsec;
}

// How often a file that changed while it was copied is copied again before the copy gives up.
constexpr int kCopyTries = 3;

// Copies the content and looks at the source again: an editor or a sync tool that truncates and
// rewrites it meanwhile would otherwise leave an empty or cut copy in a backup called complete.
// `st` is the source as first looked at; returns it as the copy holds it.
struct stat copyUnchangedContent(int in, int out, struct stat st, const std::string& src, const std::string& dst) {
    for (int attempt = 1;; ++attempt) {
        copyContent(in, out, st, src, dst);
        struct stat after {};
        if (::fstat(in, &after) != 0) fail(src, errno);
        if (sameStamp(st, after)) return st;
        if (attempt == kCopyTries) throw FileError(src, kKeptChangingCause);
        if (::ftruncate(out, 0) != 0) fail(dst, errno);
        st = after;
    }
}

// The copy's extended attributes and ACLs, after its owner and mode (see copyExtendedAttributes).
void keepAttributes(AttributeSource from, const std::string& src, int to, const std::string& dst,
                    std::vector<std::string>& warnings) {
    if (const auto refused = copyExtendedAttributes(from, src, to, dst); !refused.empty())
        warnings.push_back(attributesNotKept(dst, refused));
}

void copyFile(const std::string& src, const std::string& dst, std::vector<std::string>& warnings) {
    Fd in(::open(src.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK));
    if (in.get() < 0 && vanished(errno)) return;
    if (in.get() < 0) fail(src, errno);
    struct stat first {};
    if (::fstat(in.get(), &first) != 0) fail(src, errno);
    if (!S_ISREG(first.st_mode)) refuseKind(src, first.st_mode);
    Fd out(::open(dst.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600));
    if (out.get() < 0) fail(dst, errno);
    const struct stat st = copyUnchangedContent(in.get(), out.get(), first, src, dst);
    keepOwner(out.get(), st);
    if (::fchmod(out.get(), st.st_mode & 07777) != 0) fail(dst, errno);
    keepAttributes({in.get(), nullptr}, src, out.get(), dst, warnings);
    const struct timespec times[2] = {st.st_atim, st.st_mtim};
    if (::futimens(out.get(), times) != 0) fail(dst, errno);
    // The copy is flushed as a whole before the first project file is replaced; starting each
    // file's device write now lets that flush find most of the work done.
    ::sync_file_range(out.get(), 0, 0, SYNC_FILE_RANGE_WRITE);
    if (::close(out.release()) != 0) fail(dst, errno);
}

void copyLink(const std::string& src, const std::string& dst, const struct stat& st) {
    std::string target(static_cast<std::size_t>(st.st_size > 0 ? st.st_size : 255) + 1, '\0');
    const ssize_t n = ::readlink(src.c_str(), target.data(), target.size());
    if (n < 0 && vanished(errno)) return;
    if (n < 0) fail(src, errno);
    target.resize(static_cast<std::size_t>(n));
    if (::symlink(target.c_str(), dst.c_str()) != 0) fail(dst, errno);
    [[maybe_unused]] const int ignored = ::lchown(dst.c_str(), st.st_uid, st.st_gid);
    const struct timespec times[2] = {st.st_atim, st.st_mtim};
    ::utimensat(AT_FDCWD, dst.c_str(), times, AT_SYMLINK_NOFOLLOW);
}

class TreeCopy {
  public:
    TreeCopy(const FolderCopy& how, std::vector<std::string>& warnings) : how_(how), warnings_(warnings) {}

    // Returns false when asked to stop. `names` are the folder's entries, listed before the
    // folder's copy is made, so that a folder gone by then leaves nothing in the copy.
    bool folder(const std::string& src, const std::string& dst, const struct stat& st,
                const std::vector<std::string>& names) {
        if (::mkdir(dst.c_str(), 0700) != 0) fail(dst, errno);
        for (const auto& name : names) {
            if (how_.leaveOut && how_.leaveOut(name)) continue;
            if (how_.stop && how_.stop()) return false;
            if (!entry(src + "/" + name, dst + "/" + name)) return false;
        }
        // The folder's own attributes last: a read-only folder must first receive its entries.
        Fd fd(::open(dst.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
        if (fd.get() < 0) fail(dst, errno);
        keepOwner(fd.get(), st);
        if (::fchmod(fd.get(), st.st_mode & 07777) != 0) fail(dst, errno);
        keepAttributes({-1, src.c_str()}, src, fd.get(), dst, warnings_);
        const struct timespec times[2] = {st.st_atim, st.st_mtim};
        if (::futimens(fd.get(), times) != 0) fail(dst, errno);
        return true;
    }

  private:
    bool entry(const std::string& src, const std::string& dst) {
        struct stat st {};
        if (::lstat(src.c_str(), &st) != 0) {
            if (vanished(errno)) return true;
            fail(src, errno);
        }
        if (S_ISDIR(st.st_mode)) {
            const auto names = namesIfPresent(src);
            return !names || folder(src, dst, st, *names);
        }
        if (S_ISLNK(st.st_mode))
            copyLink(src, dst, st);
        else if (S_ISREG(st.st_mode))
            copyFile(src, dst, warnings_);
        else
            refuseKind(src, st.st_mode);
        return true;
    }

    const FolderCopy& how_;
    std::vector<std::string>& warnings_;
};

// Bytes the copy of the tree takes on the device, at most (holes excluded).
std::uintmax_t checkEntry(const std::string& path, const struct stat& st, const FolderCopy& how);

std::uintmax_t checkFolder(const std::string& path, const std::vector<std::string>& names, const FolderCopy& how) {
    std::uintmax_t bytes = 4096;
    for (const auto& name : names) {
        if (how.leaveOut && how.leaveOut(name)) continue;
        const std::string p = path + "/" + name;
        struct stat st {};
        if (::lstat(p.c_str(), &st) != 0) {
            if (vanished(errno)) continue;
            fail(p, errno);
        }
        bytes += checkEntry(p, st, how);
    }
    return bytes;
}

std::uintmax_t checkEntry(const std::string& path, const struct stat& st, const FolderCopy& how) {
    if (S_ISDIR(st.st_mode)) {
        const auto names = namesIfPresent(path);
        return names ? checkFolder(path, *names, how) : 0;
    }
    if (S_ISLNK(st.st_mode)) return 0;
    if (!S_ISREG(st.st_mode)) refuseKind(path, st.st_mode);
    if (::access(path.c_str(), R_OK) != 0) {
        if (vanished(errno)) return 0;
        fail(path, errno);
    }
    return static_cast<std::uintmax_t>(st.st_blocks) * 512;
}

}  // namespace

CopyOutcome copyTree(const std::string& from, const std::string& to, const FolderCopy& how,
                     std::vector<std::string>& warnings) {
    struct stat st {};
    if (::stat(from.c_str(), &st) != 0) fail(from, errno);
    if (!S_ISDIR(st.st_mode)) fail(from, ENOTDIR);
    return TreeCopy(how, warnings).folder(from, to, st, entryNames(from)) ? CopyOutcome::Complete
                                                                          : CopyOutcome::Stopped;
}

void removeTree(const std::string& path) {
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0) {
        if (errno == ENOENT) return;
        fail(path, errno);
    }
    if (!S_ISDIR(st.st_mode)) {
        if (::unlink(path.c_str()) != 0 && errno != ENOENT) fail(path, errno);
        return;
    }
    // A folder copied read-only can be neither listed nor emptied by its owner until it is
    // writable again (root is not asked).
    if ((st.st_mode & S_IRWXU) != S_IRWXU) ::chmod(path.c_str(), (st.st_mode & 07777) | S_IRWXU);
    for (const auto& name : entryNames(path)) removeTree(path + "/" + name);
    if (::rmdir(path.c_str()) != 0 && errno != ENOENT) fail(path, errno);
}

void checkTreeCopy(const std::string& from, const std::string& to, const FolderCopy& how) {
    struct stat st {};
    if (::stat(from.c_str(), &st) != 0) fail(from, errno);
    if (!S_ISDIR(st.st_mode)) fail(from, ENOTDIR);
    const std::string parent = parentOf(to);
    if (::access(parent.c_str(), W_OK) != 0) fail(parent, errno);
    const std::uintmax_t needed = checkFolder(from, entryNames(from), how);
    struct statvfs vfs {};
    if (::statvfs(parent.c_str(), &vfs) != 0) fail(parent, errno);
    const std::uintmax_t room = static_cast<std::uintmax_t>(vfs.f_bavail) * vfs.f_frsize;
    if (room < needed) throw FileError(parent, std::string(std::strerror(ENOSPC)) + " " + roomText(needed, room));
}

}  // namespace tavkonv40::posix
