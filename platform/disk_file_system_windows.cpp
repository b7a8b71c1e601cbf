// The engine's FileSystem on a Windows disk: UTF-8 paths inside, UTF-16 ("...W" calls) at the
// system boundary, bytes never translated.
#include <algorithm>
#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <random>

#include "platform/disk_file_system.h"
#include "engine/text_util.h"
#include "platform/windows_support.h"

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
    Handle h(
        ::CreateFileW(widen(path).c_str(), 0, kShareAll, nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
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

}  // namespace

std::string windows::uniqueSuffix() {
    static std::atomic<unsigned> counter{0};
    static const unsigned seed = std::random_device{}();
    std::minstd_rand rng(seed ^ (::GetCurrentProcessId() * 2654435761u) ^ (counter++ * 40503u));
    static constexpr char kChars[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    std::string s;
    for (int i = 0; i < 6; ++i) s += kChars[rng() % (sizeof kChars - 1)];
    return s;
}

namespace {

using windows::uniqueSuffix;

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

// The file a replaced file takes its look from: its attributes, and its times when asked.
struct Model {
    DWORD attributes = FILE_ATTRIBUTE_NORMAL;
    bool keepTimes = false;
    FILETIME created{}, accessed{}, written{};
};

// Writes `bytes` to a flushed temporary beside `target` and renames it into place: over the
// old file (one rename, which the file system does whole), or only where no file is yet.
void writeBeside(const std::string& path, const std::string& target, const std::string& bytes, const Model& model,
                 Replace replace, FlushBeforeReplace flush) {
    const auto slash = lastPathSeparator(target);
    const std::string folder = slash == std::string::npos ? std::string() : target.substr(0, slash + 1);
    const std::string name(fileNameOf(target));
    std::wstring temp;
    HANDLE raw = INVALID_HANDLE_VALUE;
    for (int attempt = 0; raw == INVALID_HANDLE_VALUE; ++attempt) {
        // The fixed ending keeps a temporary left by a killed run from ever looking like a
        // form, user control or project to a later run.
        temp = widen(folder + "." + name + "." + uniqueSuffix() + std::string(kTemporarySuffix));
        raw = ::CreateFileW(temp.c_str(), GENERIC_WRITE | FILE_WRITE_ATTRIBUTES, 0, nullptr, CREATE_NEW,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
        if (raw == INVALID_HANDLE_VALUE && (::GetLastError() != ERROR_FILE_EXISTS || attempt > 100))
            throw FileError(path,
                            "cannot create a temporary file beside it: " + windows::systemMessage(::GetLastError()));
    }
    Handle h(raw);
    try {
        writeAll(h.get(), bytes, path);
        if (model.keepTimes && !::SetFileTime(h.get(), &model.created, &model.accessed, &model.written)) failLast(path);
        if (flush == FlushBeforeReplace::Yes && !::FlushFileBuffers(h.get())) failLast(path);
        if (!h.close()) failLast(path);
        // Keep the model's hidden, system and archive attributes (and read-only, for a file put
        // back as its backup has it; a file being rewritten is never read-only).
        if (model.attributes != FILE_ATTRIBUTE_NORMAL)
            ::SetFileAttributesW(temp.c_str(),
                                 model.attributes & ~(FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT));
        const DWORD how = MOVEFILE_WRITE_THROUGH | (replace == Replace::Existing ? MOVEFILE_REPLACE_EXISTING : 0);
        if (!::MoveFileExW(temp.c_str(), widen(target).c_str(), how)) failLast(path);
    } catch (...) {
        ::SetFileAttributesW(temp.c_str(), FILE_ATTRIBUTE_NORMAL);  // it may carry the model's read-only
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

namespace {

// Only files on a disk are read: a pipe's or a device's name may block the open or never end.
[[noreturn]] void refuseSpecial(const std::string& path, EntryType type) {
    std::string why = "it is " + std::string(entryTypeText(type));
    if (type != EntryType::Other) why += ", not a regular file";
    throw FileError(path, why);
}

// What a name that is not a file or folder on a disk names ("\\.\pipe\x", "NUL", "COM1").
bool namesDeviceOrPipe(const std::string& path) {
    const std::string name(fileNameOf(path));
    std::string base = name.substr(0, name.find('.'));
    for (char& c : base) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    static const char* const kDevices[] = {"con", "prn", "aux", "nul", "conin$", "conout$"};
    if (std::find(std::begin(kDevices), std::end(kDevices), base) != std::end(kDevices)) return true;
    if (base.size() == 4 && (base.starts_with("com") || base.starts_with("lpt")) && base[3] >= '1' && base[3] <= '9')
        return true;
    return path.starts_with("\\\\.\\") || path.starts_with("//./");
}

}  // namespace

std::string DiskFileSystem::readFile(const std::string& path) {
    // Looked at before it is opened (opening a pipe or device could block), and again once open.
    if (namesDeviceOrPipe(path)) refuseSpecial(path, EntryType::Device);
    const std::wstring wide = widen(path);
    Handle h(::CreateFileW(wide.c_str(), GENERIC_READ, kShareAll, nullptr, OPEN_EXISTING,
                           FILE_FLAG_SEQUENTIAL_SCAN | FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!h.valid()) failLast(path);
    const DWORD kind = ::GetFileType(h.get());
    if (kind != FILE_TYPE_DISK) refuseSpecial(path, kind == FILE_TYPE_PIPE ? EntryType::Fifo : EntryType::Device);
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
    Model look;
    look.attributes = t.attributes & ~FILE_ATTRIBUTE_READONLY;
    writeBeside(path, t.path, bytes, look, Replace::Existing, flush_);
}

namespace {

EntryType typeOf(DWORD attributes) {
    return attributes & FILE_ATTRIBUTE_DIRECTORY ? EntryType::Folder : EntryType::RegularFile;
}

std::uint64_t sizeOf(DWORD high, DWORD low) { return (std::uint64_t{high} << 32) | low; }

// Nanoseconds since 1970 from a count of 100 ns since 1601.
std::int64_t nanoseconds(std::uint64_t ticks) { return (static_cast<std::int64_t>(ticks) - 116444736000000000) * 100; }
std::int64_t nanoseconds(const FILETIME& t) { return nanoseconds(sizeOf(t.dwHighDateTime, t.dwLowDateTime)); }

// A handle that reads only attributes and times (never content), following links or not.
enum class Follow { Links, No };
HANDLE attributeHandle(const std::wstring& path, Follow follow) {
    const DWORD flags = FILE_FLAG_BACKUP_SEMANTICS | (follow == Follow::No ? FILE_FLAG_OPEN_REPARSE_POINT : 0);
    return ::CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES, kShareAll, nullptr, OPEN_EXISTING, flags, nullptr);
}

// When the entry itself last changed: the later of its content's change and its own (a rename
// counts), as the file system keeps them; the content's when the latter cannot be had.
std::int64_t changedAt(const std::wstring& path, const FILETIME& written) {
    Handle h(attributeHandle(path, Follow::No));
    FILE_BASIC_INFO basic{};
    if (!h.valid() || !::GetFileInformationByHandleEx(h.get(), FileBasicInfo, &basic, sizeof basic))
        return nanoseconds(written);
    return std::max(nanoseconds(static_cast<std::uint64_t>(basic.LastWriteTime.QuadPart)),
                    nanoseconds(static_cast<std::uint64_t>(basic.ChangeTime.QuadPart)));
}

// The attributes, size and times of the file or folder a path finally names.
bool finalInfo(const std::wstring& path, BY_HANDLE_FILE_INFORMATION& info) {
    Handle h(attributeHandle(path, Follow::Links));
    return h.valid() && ::GetFileInformationByHandle(h.get(), &info);
}

bool isMissing(DWORD error) { return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND; }

// What replaceFile finds at the path: nothing, or an entry it may replace. A file is read-only
// by its attribute, or when the user may not write it (its access list); both are refused.
Entry replaceableEntry(const std::string& path) {
    const Entry e = entryOf(widen(path));
    if (!e.exists()) {
        const DWORD err = ::GetLastError();
        if (!isMissing(err)) fail(path, err);
        return e;
    }
    if (e.isLink()) return e;
    if (e.attributes & FILE_ATTRIBUTE_DIRECTORY) throw FileError(path, "Is a directory");
    if (e.attributes & FILE_ATTRIBUTE_READONLY) throw FileError(path, "the file is read-only");
    Handle probe(::CreateFileW(widen(path).c_str(), GENERIC_WRITE, kShareAll, nullptr, OPEN_EXISTING,
                               FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
    if (!probe.valid() && ::GetLastError() == ERROR_ACCESS_DENIED) throw FileError(path, "the file is read-only");
    return e;
}

}  // namespace

std::string DiskFileSystem::realPath(const std::string& path) {
    try {
        return narrow(finalPath(path));
    } catch (const FileError&) {
        return path;
    }
}

EntryInfo DiskFileSystem::entryInfo(const std::string& path) {
    EntryInfo info;
    const std::wstring wide = widen(withoutTrailingSlash(path));
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!::GetFileAttributesExW(wide.c_str(), GetFileExInfoStandard, &data)) return info;
    const Entry e = entryOf(wide);
    info.type = info.target = e.isLink() ? EntryType::SymbolicLink : typeOf(data.dwFileAttributes);
    info.size = sizeOf(data.nFileSizeHigh, data.nFileSizeLow);
    info.changed = changedAt(wide, data.ftLastWriteTime);
    info.modified = nanoseconds(data.ftLastWriteTime);
    if (info.type == EntryType::SymbolicLink) {
        BY_HANDLE_FILE_INFORMATION target;
        const bool found = finalInfo(wide, target);
        info.target = found ? typeOf(target.dwFileAttributes) : EntryType::Missing;
        info.size = found ? sizeOf(target.nFileSizeHigh, target.nFileSizeLow) : 0;
    }
    return info;
}

// The new file gets the model's attributes and times. Its owner and access list are those any
// new file in the folder gets: copying them needs privileges a user seldom holds.
void DiskFileSystem::replaceFile(const std::string& path, const std::string& bytes, const std::string& modelPath) {
    BY_HANDLE_FILE_INFORMATION from;
    if (!finalInfo(widen(modelPath), from)) failLast(modelPath);
    Model model;
    model.attributes = from.dwFileAttributes == 0 ? FILE_ATTRIBUTE_NORMAL : from.dwFileAttributes;
    model.keepTimes = true;
    model.created = from.ftCreationTime;
    model.accessed = from.ftLastAccessTime;
    model.written = from.ftLastWriteTime;
    const Entry existing = replaceableEntry(path);
    // A file over a file or a file link is one rename; a link to a folder cannot be renamed over,
    // so it goes first (its target stays untouched either way).
    if (existing.isLink() && (existing.attributes & FILE_ATTRIBUTE_DIRECTORY) != 0 &&
        !::RemoveDirectoryW(widen(path).c_str()))
        failLast(path);
    const bool replaces = existing.exists() && (existing.attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
    writeBeside(path, path, bytes, model, replaces ? Replace::Existing : Replace::NoFile, flush_);
}

void DiskFileSystem::checkReplaceable(const std::string& path) {
    replaceableEntry(path);
    // The temporary file goes beside it.
    const auto slash = lastPathSeparator(path);
    // "C:\x.frm" is in "C:\" (not "C:", which is the drive's current folder).
    const std::string parent = slash == std::string::npos             ? "."
                               : slash == 0 || path[slash - 1] == ':' ? path.substr(0, slash + 1)
                                                                      : path.substr(0, slash);
    BY_HANDLE_FILE_INFORMATION folder;
    if (!finalInfo(widen(parent), folder))
        throw FileError(path, "cannot create a temporary file beside it: " + windows::systemMessage(::GetLastError()));
    if ((folder.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
        throw FileError(path, "cannot create a temporary file beside it: " + windows::systemMessage(ERROR_DIRECTORY));
}

void DiskFileSystem::createFile(const std::string& path, const std::string& bytes) {
    if (entryOf(widen(path)).exists()) fail(path, ERROR_FILE_EXISTS);
    writeBeside(path, path, bytes, Model{}, Replace::NoFile, flush_);
}

void DiskFileSystem::createFolder(const std::string& path) {
    if (!::CreateDirectoryW(widen(path).c_str(), nullptr)) failLast(path);
}

// As a restored file: the model's hidden, system and read-only attributes (the last only marks a
// folder as customised); its owner and access list stay those of any new folder.
void DiskFileSystem::giveFolderAttributes(const std::string& path, const std::string& model) {
    const DWORD attributes = ::GetFileAttributesW(widen(model).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) failLast(model);
    const DWORD kept = attributes & ~(FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT);
    if (!::SetFileAttributesW(widen(path).c_str(), kept == 0 ? FILE_ATTRIBUTE_NORMAL : kept)) failLast(path);
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

}  // namespace tavkonv40
