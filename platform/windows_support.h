// Small helpers the Windows disk services share: a handle closed on every path out of a scope,
// failures that name the path and the system's cause, what an entry is without following it.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "engine/file_system.h"
#include "platform/windows_text.h"

namespace tavkonv40::windows {

[[noreturn]] inline void fail(const std::string& path, DWORD error) { throw FileError(path, systemMessage(error)); }
[[noreturn]] inline void failLast(const std::string& path) { fail(path, ::GetLastError()); }

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
    HANDLE release() {
        const HANDLE h = h_;
        h_ = INVALID_HANDLE_VALUE;
        return h;
    }
    bool close() {
        const bool ok = ::CloseHandle(h_) != 0;
        h_ = INVALID_HANDLE_VALUE;
        return ok;
    }

  private:
    HANDLE h_;
};

inline constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

// What an entry is, without following a link.
struct Entry {
    DWORD attributes = INVALID_FILE_ATTRIBUTES;
    DWORD reparseTag = 0;
    std::uint64_t size = 0;
    bool exists() const { return attributes != INVALID_FILE_ATTRIBUTES; }
    // Symbolic links and junctions are links; other reparse points (cloud placeholders,
    // deduplicated files) are ordinary files and folders to the user.
    bool isLink() const {
        return exists() && (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0 &&
               (reparseTag == IO_REPARSE_TAG_SYMLINK || reparseTag == IO_REPARSE_TAG_MOUNT_POINT);
    }
    bool isFolder() const { return exists() && !isLink() && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0; }
};

Entry entryOf(const std::wstring& path);

// The names in a folder (without "." and ".."), sorted so that a copy always goes in the same order.
std::vector<std::wstring> namesIn(const std::wstring& folder, const std::string& pathForErrors);

// Removes an entry and everything below it; links are removed, never followed, and read-only
// files go too.
void removeTree(const std::wstring& path);

// The backup's folder copy: attributes and times kept, links copied as links, entries in sorted
// order; see FileSystem::copyFolder and checkFolderCopy.
CopyOutcome copyTree(const std::wstring& from, const std::wstring& to, const FolderCopy& how);
void checkTreeCopy(const std::wstring& from, const std::wstring& to, const FolderCopy& how);

// Brings every file below `path` to the device (what syncfs does for the whole file system on
// Linux; flushing a whole volume needs an administrator on Windows).
void flushTree(const std::wstring& path);

// Six letters or digits, different at each call, for naming temporary files.
std::string uniqueSuffix();

// A path without the "\\?\" prefix the system puts before final paths.
std::wstring withoutLongPathPrefix(std::wstring p);

}  // namespace tavkonv40::windows
