// The folder's lock on a Windows disk. The run holding it keeps its lock file open, letting others
// read it but not delete it, for as long as the run lives: the system closes that handle however
// the run ends, so a lock nobody holds open is stale whatever process id it names (ids are given
// again soon on Windows, and after every restart).
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "engine/text_util.h"
#include "platform/disk_file_system.h"
#include "platform/windows_support.h"

namespace tavkonv40 {

namespace {

using windows::fail;
using windows::failLast;
using windows::Handle;
using windows::kShareAll;
using windows::narrow;
using windows::widen;

std::wstring lockPath(const std::string& folder) { return widen(withoutTrailingSlash(folder) + "\\" + kLockFileName); }

// The process id a lock file holds, 0 when it holds none (a lock left half-made), -1 when
// there is no lock.
long lockFileHolder(const std::wstring& path) {
    Handle h(::CreateFileW(path.c_str(), GENERIC_READ, kShareAll, nullptr, OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT,
                           nullptr));
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

// Called holding the lock: no other run is writing here, so every temporary is a leftover. A run
// still making its own lock file may lose its temporary to this; it then finds the lock held.
void removeLeftoverTemporaries(const std::string& folder) {
    const std::wstring base = widen(withoutTrailingSlash(folder));
    try {
        for (const auto& n : windows::namesIn(base, folder)) {
            if (!isLeftoverTemporary(narrow(n))) continue;
            const std::wstring path = base + L'\\' + n;
            const DWORD attributes = ::GetFileAttributesW(path.c_str());
            // removeTree also takes a temporary that was given the read-only attribute of a file
            // being put back.
            if (attributes != INVALID_FILE_ATTRIBUTES &&
                !(attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)))
                windows::removeTree(path);
        }
    } catch (const FileError&) {
        // Left for the next run: the lock is what matters here.
    }
}

// Gives the open file the name `to`, refusing a name that is taken.
bool renameOpenFile(HANDLE h, const std::wstring& to) {
    std::vector<char> buffer(sizeof(FILE_RENAME_INFO) + to.size() * sizeof(wchar_t));
    auto* info = reinterpret_cast<FILE_RENAME_INFO*>(buffer.data());
    info->ReplaceIfExists = FALSE;
    info->RootDirectory = nullptr;
    info->FileNameLength = static_cast<DWORD>(to.size() * sizeof(wchar_t));
    std::copy(to.begin(), to.end(), info->FileName);
    return ::SetFileInformationByHandle(h, FileRenameInfo, info, static_cast<DWORD>(buffer.size())) != 0;
}

// The open file goes when its handle is closed.
void deleteWhenClosed(HANDLE h) {
    FILE_DISPOSITION_INFO disposition{TRUE};
    ::SetFileInformationByHandle(h, FileDispositionInfo, &disposition, sizeof disposition);
}

enum class LockState { Held, Stale, Gone };

// A folder or a link (any reparse point) at the lock's name is not a lock this tool made: it is
// neither taken over nor reported as a run's, and only the user can say what it is for.
void refuseForeignLock(const std::string& folder, const std::wstring& lock) {
    const windows::Entry e = windows::entryOf(lock);
    if (!e.exists()) return;
    const char* what = e.isLink()                                       ? "a link"
                       : (e.attributes & FILE_ATTRIBUTE_REPARSE_POINT)  ? "a reparse point"
                       : (e.attributes & FILE_ATTRIBUTE_DIRECTORY) != 0 ? "a folder"
                                                                        : nullptr;
    if (what)
        throw FileError(
            folder, narrow(lock) + " is " + what + ", not a lock this tool made; remove or rename it, then run again");
}

// Whether a running process holds the lock; a stale lock is removed.
LockState lockState(const std::wstring& lock) {
    Handle h(
        ::CreateFileW(lock.c_str(), DELETE, kShareAll, nullptr, OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
    if (h.valid()) {
        deleteWhenClosed(h.get());  // nobody holds it open: its run ended without removing it
        return LockState::Stale;
    }
    const DWORD err = ::GetLastError();
    if (err == ERROR_FILE_NOT_FOUND) return LockState::Gone;
    if (err == ERROR_SHARING_VIOLATION) return LockState::Held;
    // No right to remove it: the process id it names decides.
    if (processRuns(lockFileHolder(lock))) return LockState::Held;
    ::DeleteFileW(lock.c_str());
    return LockState::Stale;
}

}  // namespace

FolderLock DiskFileSystem::lockFolder(const std::string& folder) {
    const std::wstring lock = lockPath(folder);
    const std::string content = std::to_string(::GetCurrentProcessId()) + "\n";
    for (int attempt = 0; attempt < 3; ++attempt) {
        // Written whole beside the lock, then renamed to its name through the handle that keeps
        // it: an existing lock is refused, and a lock never appears without the id that names its
        // holder nor without the open handle that says it is held.
        const std::wstring temp = lock + L'.' + widen(windows::uniqueSuffix() + std::string(kTemporarySuffix));
        Handle h(::CreateFileW(temp.c_str(), GENERIC_WRITE | DELETE, FILE_SHARE_READ, nullptr, CREATE_NEW,
                               FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!h.valid()) failLast(folder);
        DWORD n = 0;
        if (!::WriteFile(h.get(), content.data(), static_cast<DWORD>(content.size()), &n, nullptr)) {
            const DWORD err = ::GetLastError();
            deleteWhenClosed(h.get());
            fail(folder, err);
        }
        if (renameOpenFile(h.get(), lock)) {
            heldLocks_[folder] = reinterpret_cast<std::intptr_t>(h.get());
            h.release();
            removeLeftoverTemporaries(folder);
            return {true, 0};
        }
        const DWORD err = ::GetLastError();
        deleteWhenClosed(h.get());
        h.close();
        refuseForeignLock(folder, lock);
        if (err != ERROR_ALREADY_EXISTS && err != ERROR_FILE_EXISTS) fail(narrow(lock), err);
        if (lockState(lock) == LockState::Held) return {false, lockFileHolder(lock)};
    }
    return {false, lockFileHolder(lock)};
}

void DiskFileSystem::unlockFolder(const std::string& folder) {
    const auto held = heldLocks_.find(folder);
    if (held == heldLocks_.end()) return;
    const HANDLE h = reinterpret_cast<HANDLE>(held->second);
    deleteWhenClosed(h);
    ::CloseHandle(h);
    heldLocks_.erase(held);
}

long DiskFileSystem::lockHolder(const std::string& folder) {
    const std::wstring lock = lockPath(folder);
    if (heldLocks_.count(folder)) return static_cast<long>(::GetCurrentProcessId());
    // Opened for deletion only to learn whether someone keeps it open; nothing is deleted.
    Handle h(
        ::CreateFileW(lock.c_str(), DELETE, kShareAll, nullptr, OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
    if (h.valid()) return 0;  // nobody holds it open: stale
    const DWORD err = ::GetLastError();
    if (err == ERROR_FILE_NOT_FOUND || err == ERROR_PATH_NOT_FOUND) return 0;
    const long pid = lockFileHolder(lock);
    if (err == ERROR_SHARING_VIOLATION) return pid > 0 ? pid : 1;
    return processRuns(pid) ? pid : 0;  // no right to ask: the process id decides
}

}  // namespace tavkonv40
