// The engine's FileSystem on a Windows disk: UTF-8 paths inside, UTF-16 ("...W" calls) at the
// system boundary, bytes never translated.
#include <algorithm>
#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <random>

#include "disk_file_system.h"
#include "text_util.h"
#include "windows_support.h"

namespace tavkonv40 {

namespace {

using windows::Entry;
using windows::entryOf;
using windows::fail;
using windows::failLast;
using windows::Handle;
using windows::kShareAll;
using windows::narrow;
using windows::widen;

// The path a link (or chain of links) finally names.
std::wstring finalPath(const std::string& path) {
    Handle h(::CreateFileW(widen(path).c_str(), 0, kShareAll, nullptr, OPEN_EXISTING,
                           FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!h.valid()) failLast(path);
    std::wstring out(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = ::GetFinalPathNameByHandleW(h.get(), out.data(), static_cast<DWORD>(out.size()), 0);
        if (n == 0) failLast(path);
        if (n < out.size()) {
            out.resize(n);
            return windows::withoutLongPathPrefix(out);
        }
        out.resize(n);
    }
}

std::string uniqueSuffix() {
    static std::atomic<unsigned> counter{0};
    static const unsigned seed = std::random_device{}();
    std::minstd_rand rng(seed ^ (::GetCurrentProcessId() * 2654435761u) ^ (counter++ * 40503u));
    static constexpr char kChars[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    std::string s;
    for (int i = 0; i < 6; ++i) s += kChars[rng() % (sizeof kChars - 1)];
    return s;
}

void writeAll(HANDLE h, const std::string& bytes, const std::string& path) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 30));
        DWORD n = 0;
        if (!::WriteFile(h, bytes.data() + done, chunk, &n, nullptr)) failLast(path);
        done += n;
    }
}

struct WriteTarget {
    std::string path;  // the link's target for a link
    DWORD attributes = 0;
};

// Rewrite the link's target, never replace the link itself. A file is read-only by its
// attribute, or when the user may not write it (its access list); both are refused.
WriteTarget writableTarget(const std::string& path) {
    const Entry e = entryOf(widen(path));
    if (!e.exists()) failLast(path);
    WriteTarget t;
    t.path = e.isLink() ? narrow(finalPath(path)) : path;
    t.attributes = e.isLink() ? ::GetFileAttributesW(widen(t.path).c_str()) : e.attributes;
    if (t.attributes == INVALID_FILE_ATTRIBUTES) failLast(path);
    if (t.attributes & FILE_ATTRIBUTE_DIRECTORY) throw FileError(path, "Is a directory");
    if (t.attributes & FILE_ATTRIBUTE_READONLY) throw FileError(path, "the file is read-only");
    Handle probe(::CreateFileW(widen(t.path).c_str(), GENERIC_WRITE, kShareAll, nullptr, OPEN_EXISTING,
                               FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!probe.valid()) {
        const DWORD err = ::GetLastError();
        if (err == ERROR_ACCESS_DENIED) throw FileError(path, "the file is read-only");
        fail(path, err);
    }
    if (::GetFileType(probe.get()) != FILE_TYPE_DISK) throw FileError(path, "not a regular file");
    return t;
}

enum class Replace { Existing, NoFile };

// Writes `bytes` to a flushed temporary beside `target` and renames it into place: over the
// old file (one rename, which the file system does whole), or only where no file is yet.
void writeBeside(const std::string& path, const std::string& target, const std::string& bytes, DWORD attributes,
                 Replace replace, FlushBeforeReplace flush) {
    const auto slash = lastPathSeparator(target);
    const std::string folder = slash == std::string::npos ? std::string() : target.substr(0, slash + 1);
    const std::string name(fileNameOf(target));
    std::wstring temp;
    HANDLE raw = INVALID_HANDLE_VALUE;
    for (int attempt = 0; raw == INVALID_HANDLE_VALUE; ++attempt) {
        // The fixed ending keeps a temporary left by a killed run from ever looking like a
        // form, user control or project to a later run.
        temp = widen(folder + "." + name + "." + uniqueSuffix() + ".tavkonv40-tmp");
        raw = ::CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (raw == INVALID_HANDLE_VALUE && (::GetLastError() != ERROR_FILE_EXISTS || attempt > 100))
            throw FileError(path, "cannot create a temporary file beside it: " +
                                      windows::systemMessage(::GetLastError()));
    }
    Handle h(raw);
    try {
        writeAll(h.get(), bytes, path);
        if (flush == FlushBeforeReplace::Yes && !::FlushFileBuffers(h.get())) failLast(path);
        if (!h.close()) failLast(path);
        // Keep the old file's hidden, system and archive attributes.
        if (replace == Replace::Existing && attributes != FILE_ATTRIBUTE_NORMAL)
            ::SetFileAttributesW(temp.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY);
        const DWORD how = MOVEFILE_WRITE_THROUGH | (replace == Replace::Existing ? MOVEFILE_REPLACE_EXISTING : 0);
        if (!::MoveFileExW(temp.c_str(), widen(target).c_str(), how)) failLast(path);
    } catch (...) {
        ::DeleteFileW(temp.c_str());
        throw;
    }
}

}  // namespace

std::vector<std::string> DiskFileSystem::listFolder(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& n : windows::namesIn(widen(withoutTrailingSlash(folder)), folder)) names.push_back(narrow(n));
    return names;
}

std::string DiskFileSystem::readFile(const std::string& path) {
    const std::wstring wide = widen(path);
    Handle h(::CreateFileW(wide.c_str(), GENERIC_READ, kShareAll, nullptr, OPEN_EXISTING,
                           FILE_FLAG_SEQUENTIAL_SCAN | FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!h.valid()) failLast(path);
    BY_HANDLE_FILE_INFORMATION info;
    if (!::GetFileInformationByHandle(h.get(), &info)) failLast(path);
    if (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) throw FileError(path, "Is a directory");
    // Read straight into the result; a file that grows meanwhile is read to its end.
    const std::uint64_t size = (std::uint64_t{info.nFileSizeHigh} << 32) | info.nFileSizeLow;
    std::string bytes(size > 0 ? static_cast<std::size_t>(size) + 1 : std::size_t{1} << 16, '\0');
    std::size_t used = 0;
    for (;;) {
        if (used == bytes.size()) bytes.resize(bytes.size() * 2);
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - used, 1u << 30));
        DWORD n = 0;
        if (!::ReadFile(h.get(), bytes.data() + used, chunk, &n, nullptr)) failLast(path);
        if (n == 0) break;
        used += n;
    }
    bytes.resize(used);
    return bytes;
}

void DiskFileSystem::checkWritable(const std::string& path) { writableTarget(path); }

void DiskFileSystem::writeFile(const std::string& path, const std::string& bytes) {
    const WriteTarget t = writableTarget(path);
    writeBeside(path, t.path, bytes, t.attributes, Replace::Existing, flush_);
}

void DiskFileSystem::createFile(const std::string& path, const std::string& bytes) {
    if (entryOf(widen(path)).exists()) fail(path, ERROR_FILE_EXISTS);
    writeBeside(path, path, bytes, FILE_ATTRIBUTE_NORMAL, Replace::NoFile, flush_);
}

void DiskFileSystem::createFolder(const std::string& path) {
    if (!::CreateDirectoryW(widen(path).c_str(), nullptr)) failLast(path);
}

bool DiskFileSystem::isFolder(const std::string& path) { return entryOf(widen(withoutTrailingSlash(path))).isFolder(); }

bool DiskFileSystem::isSymbolicLink(const std::string& path) {
    return entryOf(widen(withoutTrailingSlash(path))).isLink();
}

CopyOutcome DiskFileSystem::copyFolder(const std::string& from, const std::string& to, const FolderCopy& how) {
    return windows::copyTree(widen(withoutTrailingSlash(from)), widen(withoutTrailingSlash(to)), how);
}

void DiskFileSystem::checkFolderCopy(const std::string& from, const std::string& to, const FolderCopy& how) {
    windows::checkTreeCopy(widen(withoutTrailingSlash(from)), widen(withoutTrailingSlash(to)), how);
}

void DiskFileSystem::renameFolder(const std::string& from, const std::string& to) {
    // Without MOVEFILE_REPLACE_EXISTING an existing destination is refused; write-through
    // returns once the new name is on the device.
    if (!::MoveFileExW(widen(from).c_str(), widen(to).c_str(), MOVEFILE_WRITE_THROUGH)) {
        const DWORD err = ::GetLastError();
        fail(err == ERROR_ALREADY_EXISTS || err == ERROR_FILE_EXISTS ? to : from, err);
    }
}

void DiskFileSystem::flushFileSystem(const std::string& path) { windows::flushTree(widen(withoutTrailingSlash(path))); }

void DiskFileSystem::removeFolder(const std::string& path) { windows::removeTree(widen(withoutTrailingSlash(path))); }

namespace {

std::wstring lockPath(const std::string& folder) { return widen(withoutTrailingSlash(folder) + "\\" + kLockFileName); }

// The process id a lock file holds, 0 when it holds none (a lock left half-made), -1 when
// there is no lock.
long lockHolder(const std::wstring& path) {
    Handle h(::CreateFileW(path.c_str(), GENERIC_READ, kShareAll, nullptr, OPEN_EXISTING, 0, nullptr));
    if (!h.valid()) return ::GetLastError() == ERROR_FILE_NOT_FOUND ? -1 : 0;
    char buf[32] = {};
    DWORD n = 0;
    ::ReadFile(h.get(), buf, sizeof buf - 1, &n, nullptr);
    return n > 0 ? std::strtol(buf, nullptr, 10) : 0;
}

bool processRuns(long pid) {
    if (pid <= 0) return false;
    Handle h(::OpenProcess(SYNCHRONIZE, FALSE, static_cast<DWORD>(pid)));
    if (!h.valid()) return ::GetLastError() == ERROR_ACCESS_DENIED;
    return ::WaitForSingleObject(h.get(), 0) == WAIT_TIMEOUT;
}

}  // namespace

FolderLock DiskFileSystem::lockFolder(const std::string& folder) {
    const std::wstring lock = lockPath(folder);
    const std::string content = std::to_string(::GetCurrentProcessId()) + "\n";
    for (int attempt = 0; attempt < 3; ++attempt) {
        // Written whole beside the lock, then moved to its name without replacing: an existing
        // lock is refused, and a lock never appears without the id that tells whether it is stale.
        const std::wstring temp = lock + L'.' + widen(uniqueSuffix());
        {
            Handle h(::CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
            if (!h.valid()) failLast(folder);
            DWORD n = 0;
            if (!::WriteFile(h.get(), content.data(), static_cast<DWORD>(content.size()), &n, nullptr)) {
                const DWORD err = ::GetLastError();
                h.close();
                ::DeleteFileW(temp.c_str());
                fail(folder, err);
            }
        }
        const bool moved = ::MoveFileExW(temp.c_str(), lock.c_str(), 0) != 0;
        const DWORD err = ::GetLastError();
        if (moved) return {true, 0};
        ::DeleteFileW(temp.c_str());
        if (err != ERROR_ALREADY_EXISTS && err != ERROR_FILE_EXISTS) fail(narrow(lock), err);
        const long holder = lockHolder(lock);
        if (holder == -1) continue;  // removed meanwhile
        if (processRuns(holder)) return {false, holder};
        ::DeleteFileW(lock.c_str());  // stale: its run is gone
    }
    return {false, lockHolder(lock)};
}

void DiskFileSystem::unlockFolder(const std::string& folder) {
    if (lockHolder(lockPath(folder)) == static_cast<long>(::GetCurrentProcessId())) ::DeleteFileW(lockPath(folder).c_str());
}

}  // namespace tavkonv40
