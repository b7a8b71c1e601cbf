// The engine's FileSystem on a Windows disk: UTF-8 paths inside, UTF-16 ("...W" calls) at the
// system boundary, bytes never translated.
#include <windows.h>
#include <winioctl.h>

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <cstring>
#include <random>

#include "disk_file_system.h"
#include "text_util.h"
#include "windows_text.h"

namespace tavkonv40 {

namespace {

using windows::narrow;
using windows::widen;

[[noreturn]] void fail(const std::string& path, DWORD error) {
    throw FileError(path, windows::systemMessage(error));
}

[[noreturn]] void failLast(const std::string& path) { fail(path, ::GetLastError()); }

// Closes a handle on every path out of a scope.
class Handle {
public:
    explicit Handle(HANDLE h) : h_(h) {}
    ~Handle() {
        if (valid()) ::CloseHandle(h_);
    }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    HANDLE get() const { return h_; }
    bool valid() const { return h_ != INVALID_HANDLE_VALUE && h_ != nullptr; }
    bool close() {
        const bool ok = ::CloseHandle(h_) != 0;
        h_ = INVALID_HANDLE_VALUE;
        return ok;
    }

private:
    HANDLE h_;
};

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

// What an entry is, without following a link.
struct Entry {
    DWORD attributes = INVALID_FILE_ATTRIBUTES;
    DWORD reparseTag = 0;
    bool exists() const { return attributes != INVALID_FILE_ATTRIBUTES; }
    // Symbolic links and junctions are links; other reparse points (cloud placeholders,
    // deduplicated files) are ordinary files and folders to the user.
    bool isLink() const {
        return exists() && (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0 &&
               (reparseTag == IO_REPARSE_TAG_SYMLINK || reparseTag == IO_REPARSE_TAG_MOUNT_POINT);
    }
    bool isFolder() const { return exists() && !isLink() && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0; }
};

Entry entryOf(const std::wstring& path) {
    Entry e;
    WIN32_FIND_DATAW data;
    const HANDLE h = ::FindFirstFileExW(path.c_str(), FindExInfoBasic, &data, FindExSearchNameMatch, nullptr, 0);
    if (h == INVALID_HANDLE_VALUE) {
        // A drive root has no entry of its own to find.
        e.attributes = ::GetFileAttributesW(path.c_str());
        return e;
    }
    ::FindClose(h);
    e.attributes = data.dwFileAttributes;
    if (e.attributes & FILE_ATTRIBUTE_REPARSE_POINT) e.reparseTag = data.dwReserved0;
    return e;
}

std::wstring withoutLongPathPrefix(std::wstring p) {
    if (p.rfind(L"\\\\?\\UNC\\", 0) == 0) return L"\\" + p.substr(7);
    if (p.rfind(L"\\\\?\\", 0) == 0) return p.substr(4);
    return p;
}

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
            return withoutLongPathPrefix(out);
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

// Reads where a link points, for copying it as a link.
std::wstring linkTarget(const std::wstring& link, const std::string& pathForErrors) {
    Handle h(::CreateFileW(link.c_str(), 0, kShareAll, nullptr, OPEN_EXISTING,
                           FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
    if (!h.valid()) failLast(pathForErrors);
    // The layout of REPARSE_DATA_BUFFER, which only the driver headers declare.
    struct Header {
        DWORD tag;
        WORD dataLength, reserved;
        WORD substituteOffset, substituteLength, printOffset, printLength;
    };
    std::string buffer(MAXIMUM_REPARSE_DATA_BUFFER_SIZE, '\0');
    DWORD n = 0;
    if (!::DeviceIoControl(h.get(), FSCTL_GET_REPARSE_POINT, nullptr, 0, buffer.data(),
                           static_cast<DWORD>(buffer.size()), &n, nullptr))
        failLast(pathForErrors);
    Header head;
    std::memcpy(&head, buffer.data(), sizeof head);
    // Symbolic links carry a flags word before their path buffer; junctions do not.
    const std::size_t pathBuffer = sizeof head + (head.tag == IO_REPARSE_TAG_SYMLINK ? sizeof(ULONG) : 0);
    const bool usePrint = head.printLength > 0;
    const std::size_t offset = pathBuffer + (usePrint ? head.printOffset : head.substituteOffset);
    const std::size_t length = usePrint ? head.printLength : head.substituteLength;
    if (offset + length > n) throw FileError(pathForErrors, "unreadable link");
    std::wstring target(length / sizeof(wchar_t), L'\0');
    std::memcpy(target.data(), buffer.data() + offset, length);
    return withoutLongPathPrefix(target);
}

void copyLink(const std::wstring& from, const std::wstring& to, const Entry& e, const std::string& pathForErrors) {
    DWORD flags = SYMBOLIC_LINK_FLAG_ALLOW_UNPRIVILEGED_CREATE;
    if (e.attributes & FILE_ATTRIBUTE_DIRECTORY) flags |= SYMBOLIC_LINK_FLAG_DIRECTORY;
    const std::wstring target = linkTarget(from, pathForErrors);
    if (::CreateSymbolicLinkW(to.c_str(), target.c_str(), flags)) return;
    // Older systems refuse the unprivileged flag itself.
    if (::CreateSymbolicLinkW(to.c_str(), target.c_str(), flags & ~SYMBOLIC_LINK_FLAG_ALLOW_UNPRIVILEGED_CREATE))
        return;
    throw FileError(pathForErrors, "the link could not be copied: " + windows::systemMessage(::GetLastError()));
}

std::vector<std::wstring> namesIn(const std::wstring& folder, const std::string& pathForErrors) {
    WIN32_FIND_DATAW data;
    const std::wstring pattern = folder + L"\\*";
    const HANDLE h = ::FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &data, FindExSearchNameMatch, nullptr,
                                        FIND_FIRST_EX_LARGE_FETCH);
    if (h == INVALID_HANDLE_VALUE) {
        const DWORD err = ::GetLastError();
        // A file given as a folder: say so as the POSIX build does.
        if (err == ERROR_DIRECTORY || (err == ERROR_PATH_NOT_FOUND && entryOf(folder).exists()))
            throw FileError(pathForErrors, "Not a directory");
        fail(pathForErrors, err);
    }
    std::vector<std::wstring> names;
    do {
        const std::wstring n = data.cFileName;
        if (n != L"." && n != L"..") names.push_back(n);
    } while (::FindNextFileW(h, &data));
    const DWORD err = ::GetLastError();
    ::FindClose(h);
    if (err != ERROR_NO_MORE_FILES) fail(pathForErrors, err);
    return names;
}

void copyTree(const std::wstring& from, const std::wstring& to) {
    if (!::CreateDirectoryW(to.c_str(), nullptr)) failLast(narrow(to));
    for (const auto& name : namesIn(from, narrow(from))) {
        const std::wstring src = from + L"\\" + name, dst = to + L"\\" + name;
        const Entry e = entryOf(src);
        if (e.isLink())
            copyLink(src, dst, e, narrow(src));
        else if (e.isFolder())
            copyTree(src, dst);
        else if (!::CopyFileExW(src.c_str(), dst.c_str(), nullptr, nullptr, nullptr, COPY_FILE_FAIL_IF_EXISTS))
            failLast(narrow(src));
    }
}

// Removes an entry and everything below it; links are removed, never followed, and read-only
// files go too.
void removeTree(const std::wstring& path) {
    const Entry e = entryOf(path);
    if (!e.exists()) return;
    if (e.attributes & FILE_ATTRIBUTE_READONLY)
        ::SetFileAttributesW(path.c_str(), e.attributes & ~FILE_ATTRIBUTE_READONLY);
    if (e.isFolder())
        for (const auto& name : namesIn(path, narrow(path))) removeTree(path + L"\\" + name);
    const bool folderLike = (e.attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    if (!(folderLike ? ::RemoveDirectoryW(path.c_str()) : ::DeleteFileW(path.c_str()))) failLast(narrow(path));
}

}  // namespace

std::vector<std::string> DiskFileSystem::listFolder(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& n : namesIn(widen(withoutTrailingSlash(folder)), folder)) names.push_back(narrow(n));
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

void DiskFileSystem::copyFolder(const std::string& from, const std::string& to) {
    const std::string source = withoutTrailingSlash(from);
    const Entry e = entryOf(widen(source));
    if (!e.exists()) failLast(from);
    if ((e.attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) throw FileError(from, "Not a directory");
    // A folder named through a link is copied from its target: copying the link itself would
    // leave a backup that holds nothing.
    const std::wstring real = e.isLink() ? finalPath(source) : widen(source);
    copyTree(real, widen(withoutTrailingSlash(to)));
}

void DiskFileSystem::moveFolder(const std::string& from, const std::string& to) {
    const std::wstring source = widen(withoutTrailingSlash(from)), target = widen(withoutTrailingSlash(to));
    if (entryOf(target).exists()) fail(to, ERROR_ALREADY_EXISTS);
    if (::MoveFileExW(source.c_str(), target.c_str(), MOVEFILE_WRITE_THROUGH)) return;
    const DWORD err = ::GetLastError();
    if (err != ERROR_NOT_SAME_DEVICE) fail(from, err);
    // Another drive: copy, then remove the original only when the copy is whole.
    try {
        copyTree(source, target);
    } catch (...) {
        try {
            removeTree(target);
        } catch (const FileError&) {
        }
        throw;
    }
    try {
        removeTree(source);
    } catch (const FileError& e) {
        throw FileError(from, "copied, but the original could not be removed: " + e.cause());
    }
}

std::string DiskFileSystem::createTemporaryFolder() {
    // GetTempPathW honours TMP and TEMP, the variables Windows users set.
    std::wstring base(MAX_PATH + 1, L'\0');
    const DWORD n = ::GetTempPathW(static_cast<DWORD>(base.size()), base.data());
    if (n == 0 || n > base.size()) throw FileError("temporary folder", windows::systemMessage(::GetLastError()));
    base.resize(n);
    const std::string folder = withoutTrailingSlash(narrow(base));
    for (int attempt = 0;; ++attempt) {
        const std::string p = folder + "\\tavkonv40-" + uniqueSuffix();
        if (::CreateDirectoryW(widen(p).c_str(), nullptr)) return p;
        if (::GetLastError() != ERROR_ALREADY_EXISTS || attempt > 100) failLast(folder);
    }
}

void DiskFileSystem::removeFolder(const std::string& path) { removeTree(widen(withoutTrailingSlash(path))); }

}  // namespace tavkonv40
