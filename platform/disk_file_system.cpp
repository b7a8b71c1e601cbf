#include "disk_file_system.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

namespace tavkonv40 {

namespace {

std::string errnoText(int err) { return std::strerror(err); }

[[noreturn]] void fail(const std::string& path, int err) { throw FileError(path, errnoText(err)); }

[[noreturn]] void fail(const std::string& path, const std::error_code& ec) {
    throw FileError(path, ec.message());
}

// Closes a descriptor on every path out of a scope.
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

void copyTree(const fs::path& from, const fs::path& to) {
    std::error_code ec;
    fs::create_directories(to, ec);
    if (ec) fail(to.string(), ec);
    fs::copy(from, to, fs::copy_options::recursive | fs::copy_options::copy_symlinks, ec);
    if (ec) fail(from.string(), ec);
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

// Writes `bytes` to a flushed temporary beside `target` and renames it into place. `mode` is
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

void DiskFileSystem::copyFolder(const std::string& from, const std::string& to) {
    std::error_code ec;
    const auto status = fs::status(from, ec);
    if (ec) fail(from, ec);
    if (!fs::is_directory(status)) fail(from, ENOTDIR);
    // A folder named through a symbolic link is copied from its target: copying the link itself
    // would leave a backup that holds nothing.
    const auto real = fs::canonical(from, ec);
    if (ec) fail(from, ec);
    copyTree(real, to);
}

void DiskFileSystem::moveFolder(const std::string& from, const std::string& to) {
    std::error_code ec;
    if (fs::exists(fs::symlink_status(to, ec))) fail(to, EEXIST);
    if (::rename(from.c_str(), to.c_str()) == 0) return;
    const int err = errno;
    if (err != EXDEV) fail(from, err);
    // Another file system: copy, then remove the original only when the copy is whole.
    try {
        copyTree(from, to);
    } catch (...) {
        fs::remove_all(to, ec);
        throw;
    }
    fs::remove_all(from, ec);
    if (ec) throw FileError(from, "copied, but the original could not be removed: " + ec.message());
}

bool DiskFileSystem::isSymbolicLink(const std::string& path) {
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode);
}

std::string DiskFileSystem::createTemporaryFolder() {
    std::error_code ec;
    const auto base = fs::temp_directory_path(ec);
    if (ec) throw FileError("temporary folder", ec.message());
    std::string p = (base / "tavkonv40-XXXXXX").string();
    if (!::mkdtemp(p.data())) fail(base.string(), errno);
    return p;
}

void DiskFileSystem::removeFolder(const std::string& path) {
    std::error_code ec;
    fs::remove_all(path, ec);
    if (ec) fail(path, ec);
}

}  // namespace tavkonv40
