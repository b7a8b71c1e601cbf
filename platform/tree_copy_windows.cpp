// Folder trees on a Windows disk: the backup's copy, its preflight check, the flush before its
// name says it is complete, and removal. Not MinGW's std::filesystem::copy, which fails copying
// into an existing folder on the same drive.
#include "platform/windows_support.h"
// After windows.h, which it needs.
#include <winioctl.h>

#include <algorithm>
#include <cstring>

#include "platform/room_text.h"

namespace tavkonv40::windows {

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
    e.size = (std::uint64_t{data.nFileSizeHigh} << 32) | data.nFileSizeLow;
    if (e.attributes & FILE_ATTRIBUTE_REPARSE_POINT) e.reparseTag = data.dwReserved0;
    return e;
}

std::wstring withoutLongPathPrefix(std::wstring p) {
    if (p.rfind(L"\\\\?\\UNC\\", 0) == 0) return L"\\" + p.substr(7);
    if (p.rfind(L"\\\\?\\", 0) == 0) return p.substr(4);
    return p;
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
    std::sort(names.begin(), names.end());
    return names;
}

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

namespace {

// Where a link points, for copying it as a link.
std::wstring linkTarget(const std::wstring& link) {
    Handle h(::CreateFileW(link.c_str(), 0, kShareAll, nullptr, OPEN_EXISTING,
                           FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
    if (!h.valid()) failLast(narrow(link));
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
        failLast(narrow(link));
    Header head;
    std::memcpy(&head, buffer.data(), sizeof head);
    // Symbolic links carry a flags word before their path buffer; junctions do not.
    const std::size_t pathBuffer = sizeof head + (head.tag == IO_REPARSE_TAG_SYMLINK ? sizeof(ULONG) : 0);
    const bool usePrint = head.printLength > 0;
    const std::size_t offset = pathBuffer + (usePrint ? head.printOffset : head.substituteOffset);
    const std::size_t length = usePrint ? head.printLength : head.substituteLength;
    if (offset + length > n) throw FileError(narrow(link), "unreadable link");
    std::wstring target(length / sizeof(wchar_t), L'\0');
    std::memcpy(target.data(), buffer.data() + offset, length);
    return withoutLongPathPrefix(target);
}

// A junction is copied as a symbolic link to the same folder: creating junctions needs the
// driver interface, and the copy only has to lead where the original led.
void copyLink(const std::wstring& from, const std::wstring& to, const Entry& e) {
    DWORD flags = SYMBOLIC_LINK_FLAG_ALLOW_UNPRIVILEGED_CREATE;
    if (e.attributes & FILE_ATTRIBUTE_DIRECTORY) flags |= SYMBOLIC_LINK_FLAG_DIRECTORY;
    const std::wstring target = linkTarget(from);
    if (::CreateSymbolicLinkW(to.c_str(), target.c_str(), flags)) return;
    // Older systems refuse the unprivileged flag itself.
    if (::CreateSymbolicLinkW(to.c_str(), target.c_str(), flags & ~SYMBOLIC_LINK_FLAG_ALLOW_UNPRIVILEGED_CREATE))
        return;
    throw FileError(narrow(from), "the link could not be copied: " + systemMessage(::GetLastError()));
}

// A folder's attributes and times go on last: a read-only folder must first receive its entries.
void keepFolderLook(const std::wstring& from, const std::wstring& to, DWORD attributes) {
    Handle src(::CreateFileW(from.c_str(), FILE_READ_ATTRIBUTES, kShareAll, nullptr, OPEN_EXISTING,
                             FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    Handle dst(::CreateFileW(to.c_str(), FILE_WRITE_ATTRIBUTES, kShareAll, nullptr, OPEN_EXISTING,
                             FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    FILETIME created, accessed, written;
    if (src.valid() && dst.valid() && ::GetFileTime(src.get(), &created, &accessed, &written))
        ::SetFileTime(dst.get(), &created, &accessed, &written);
    ::SetFileAttributesW(to.c_str(), attributes & ~FILE_ATTRIBUTE_DIRECTORY);
}

// Whether an entry that failed to copy is simply gone: an editor's temporary file or a build output
// removed between the listing of its folder and its copy. The copy is whole for what exists, so
// such an entry is passed over; anything else that stops a copy still fails it.
bool vanished(const std::wstring& path) {
    if (entryOf(path).exists()) return false;
    const DWORD err = ::GetLastError();
    return err == ERROR_FILE_NOT_FOUND || err == ERROR_PATH_NOT_FOUND;
}

bool copyEntry(const std::wstring& src, const std::wstring& dst, const FolderCopy& how);

// `names` are the folder's entries, listed before its copy is made, so that a folder gone by then
// leaves nothing in the copy. Returns false when asked to stop.
bool copyFolderTree(const std::wstring& from, const std::wstring& to, const std::vector<std::wstring>& names,
                    const FolderCopy& how) {
    if (!::CreateDirectoryW(to.c_str(), nullptr)) failLast(narrow(to));
    for (const auto& name : names) {
        if (how.leaveOut && how.leaveOut(narrow(name))) continue;
        if (how.stop && how.stop()) return false;
        const std::wstring src = from + L"\\" + name;
        try {
            if (!copyEntry(src, to + L"\\" + name, how)) return false;
        } catch (const FileError&) {
            if (!vanished(src)) throw;
        }
    }
    keepFolderLook(from, to, entryOf(from).attributes);
    return true;
}

// A file's size and last-write time: a program that rewrites it changes one of them.
struct Stamp {
    std::uint64_t size = 0;
    std::uint64_t written = 0;
    bool operator==(const Stamp&) const = default;
};

Stamp stampOf(const std::wstring& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!::GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) failLast(narrow(path));
    return {(std::uint64_t{data.nFileSizeHigh} << 32) | data.nFileSizeLow,
            (std::uint64_t{data.ftLastWriteTime.dwHighDateTime} << 32) | data.ftLastWriteTime.dwLowDateTime};
}

// How often a file that changed while it was copied is copied again before the copy gives up.
constexpr int kCopyTries = 3;

// Copies the file and looks at it again: an editor or a sync tool that truncates and rewrites it
// meanwhile would otherwise leave an empty or cut copy in a backup called complete.
void copyUnchangedFile(const std::wstring& src, const std::wstring& dst) {
    for (int attempt = 1;; ++attempt) {
        const Stamp before = stampOf(src);
        if (!::CopyFileExW(src.c_str(), dst.c_str(), nullptr, nullptr, nullptr, COPY_FILE_FAIL_IF_EXISTS)) {
            const DWORD err = ::GetLastError();
            fail(narrow(err == ERROR_DISK_FULL ? dst : src), err);
        }
        if (stampOf(src) == before) return;
        if (attempt == kCopyTries) throw FileError(narrow(src), kKeptChangingCause);
        ::SetFileAttributesW(dst.c_str(), FILE_ATTRIBUTE_NORMAL);  // the copy keeps a read-only attribute
        if (!::DeleteFileW(dst.c_str())) failLast(narrow(dst));
    }
}

bool copyEntry(const std::wstring& src, const std::wstring& dst, const FolderCopy& how) {
    const Entry e = entryOf(src);
    if (e.isLink())
        copyLink(src, dst, e);
    else if (e.isFolder())
        return copyFolderTree(src, dst, namesIn(src, narrow(src)), how);
    else
        copyUnchangedFile(src, dst);
    return true;
}

std::uint64_t bytesOf(const std::wstring& path, const FolderCopy& how);

std::uint64_t bytesToCopy(const std::wstring& folder, const FolderCopy& how) {
    std::uint64_t bytes = 4096;
    for (const auto& name : namesIn(folder, narrow(folder))) {
        if (how.leaveOut && how.leaveOut(narrow(name))) continue;
        const std::wstring p = folder + L"\\" + name;
        try {
            bytes += bytesOf(p, how);
        } catch (const FileError&) {
            if (!vanished(p)) throw;
        }
    }
    return bytes;
}

std::uint64_t bytesOf(const std::wstring& path, const FolderCopy& how) {
    const Entry e = entryOf(path);
    if (e.isLink()) return 0;
    if (e.isFolder()) return bytesToCopy(path, how);
    Handle h(::CreateFileW(path.c_str(), GENERIC_READ, kShareAll, nullptr, OPEN_EXISTING, 0, nullptr));
    if (!h.valid()) failLast(narrow(path));
    return e.size;
}

std::wstring parentOf(const std::wstring& path) {
    const auto slash = path.find_last_of(L"/\\");
    return slash == std::wstring::npos ? L"." : path.substr(0, slash + 1);
}

}  // namespace

CopyOutcome copyTree(const std::wstring& from, const std::wstring& to, const FolderCopy& how) {
    if (!entryOf(from).exists()) failLast(narrow(from));
    if ((entryOf(from).attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) throw FileError(narrow(from), "Not a directory");
    return copyFolderTree(from, to, namesIn(from, narrow(from)), how) ? CopyOutcome::Complete : CopyOutcome::Stopped;
}

void checkTreeCopy(const std::wstring& from, const std::wstring& to, const FolderCopy& how) {
    const Entry e = entryOf(from);
    if (!e.exists()) failLast(narrow(from));
    if ((e.attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) throw FileError(narrow(from), "Not a directory");
    const std::uint64_t needed = bytesToCopy(from, how);
    const std::wstring parent = parentOf(to);
    ULARGE_INTEGER room{};
    if (!::GetDiskFreeSpaceExW(parent.c_str(), &room, nullptr, nullptr)) failLast(narrow(parent));
    if (room.QuadPart < needed)
        throw FileError(narrow(parent), systemMessage(ERROR_DISK_FULL) + " " + roomText(needed, room.QuadPart));
}

void flushTree(const std::wstring& path) {
    const Entry e = entryOf(path);
    if (e.isLink() || !e.exists()) return;
    if (e.isFolder()) {
        for (const auto& name : namesIn(path, narrow(path))) flushTree(path + L"\\" + name);
        return;
    }
    // Only a handle that may write can flush; a read-only file was not written by this program.
    Handle h(::CreateFileW(path.c_str(), GENERIC_WRITE, kShareAll, nullptr, OPEN_EXISTING, 0, nullptr));
    if (h.valid() && !::FlushFileBuffers(h.get())) failLast(narrow(path));
}

}  // namespace tavkonv40::windows
