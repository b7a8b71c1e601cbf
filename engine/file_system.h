// Everything the engine needs from storage, behind two small interfaces (what reading needs, and
// what writing needs besides) so that the same run can work on disk, in memory (tests), or against
// a store that injects faults, and read-only code cannot write.
#pragma once

#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace tavkonv40 {

// A failure to read, write, list, copy or move; names the path and the cause.
class FileError : public std::runtime_error {
  public:
    FileError(std::string path, std::string cause)
        : std::runtime_error(path + ": " + cause), path_(std::move(path)), cause_(std::move(cause)) {}
    const std::string& path() const { return path_; }
    const std::string& cause() const { return cause_; }

  private:
    std::string path_;
    std::string cause_;
};

// What an entry of a folder is. Only regular files are ever read as project files: opening a
// FIFO blocks, and a device or a link to one can hand out bytes without end.
enum class EntryType { Missing, RegularFile, Folder, SymbolicLink, Fifo, Socket, Device, Other };

struct EntryInfo {
    EntryType type = EntryType::Missing;    // the entry itself (a link is not followed)
    EntryType target = EntryType::Missing;  // what a link points at; the same as `type` otherwise
    std::uintmax_t size = 0;                // of the file (a link's target's)
    std::int64_t changed = 0;               // when the entry itself last changed, in nanoseconds
    std::int64_t modified = 0;              // when its content was last written (a copy keeps it)
};

// Whether nothing wrote the entry between two looks at it: a program that rewrites a file changes
// its size or one of its times.
inline bool sameContentStamp(const EntryInfo& a, const EntryInfo& b) {
    return a.size == b.size && a.modified == b.modified && a.changed == b.changed;
}

// "a named pipe (FIFO)", "a socket", "a device", ...: the kind of entry in a message, in the
// words the backup copy uses.
std::string_view entryTypeText(EntryType type);
// The lock file a run or restore keeps in the folder it works on.
inline constexpr const char* kLockFileName = ".tavkonv40.lock";
// The mark a restore leaves in the folder while it writes, holding the name of the backup it
// restores from: still there afterwards, it says the restore was stopped half way.
inline constexpr const char* kRestoreMarkName = ".tavkonv40-restoring";
// The ending of the hidden temporary a file is written to before it takes its name. Only a run
// holding the folder's lock writes one, so once a run holds the lock, any such file directly in
// the folder was left by a run that was killed and is removed (see lockFolder).
inline constexpr std::string_view kTemporarySuffix = ".tavkonv40-tmp";
// Whether a name is one of those temporaries: hidden and with that ending.
inline bool isLeftoverTemporary(std::string_view name) {
    return name.size() > kTemporarySuffix.size() && name.front() == '.' && name.ends_with(kTemporarySuffix);
}

enum class CopyOutcome { Complete, Stopped };

// Why copyFolder failed on a file that was still changing after it had been copied a few times.
inline constexpr const char* kKeptChangingCause =
    "it kept changing while it was being copied; wait until the program writing it has finished, then run again";

struct FolderCopy {
    // Names to leave out of the copy, wherever they are in the tree.
    std::function<bool(const std::string& name)> leaveOut;
    // Asked between files; true ends the copy early.
    std::function<bool()> stop;
};

struct FolderLock {
    bool taken = false;
    long holder = 0;  // the process id of the run holding it, when not taken
};

// What reading code needs from storage: the project check, the fix planning, the folder guards.
// None of it changes anything, so a store that only reads through to another one is a reader.
class FileReader {
  public:
    virtual ~FileReader() = default;

    // The largest form, user control or project a run reads or writes here: kLargestProjectFile,
    // unless a test store lowers it to try the limit with small files.
    virtual std::uintmax_t largestProjectFile() const;

    // Names of the entries directly in `folder` (files and folders alike, without "." and "..").
    virtual std::vector<std::string> listFolder(const std::string& folder) = 0;

    virtual std::string readFile(const std::string& path) = 0;

    // What the entry is, without opening it; Missing when there is none.
    virtual EntryInfo entryInfo(const std::string& path) = 0;

    // Whether the entry itself is a symbolic link (not followed).
    virtual bool isSymbolicLink(const std::string& path) = 0;

    // Whether the entry is a folder (a link is not followed, so a link to a folder is not one).
    virtual bool isFolder(const std::string& path) = 0;

    // The absolute path with every symbolic link resolved; the path as given when that fails.
    virtual std::string realPath(const std::string& path) = 0;

    // Who holds `folder`'s lock, asked without taking it, changing anything or waiting: the
    // holder's process id while a running process holds it (a run or a restore, this process
    // included), 0 when none does (no lock, or a stale one). Lets a command that finds a staged
    // copy or a restore's mark tell a live run's files from an abandoned run's.
    virtual long lockHolder(const std::string& folder) = 0;
};

// Everything a run, its fixes and a restore need besides reading: writing, copying, moving,
// removing and locking, and the checks that tell before writing whether a write would be refused.
class FileSystem : public FileReader {
  public:
    // Replaces the file's content atomically: afterwards it holds either its old bytes or the new
    // ones, never a mix. The file keeps its permission bits; a symbolic link stays a link and its
    // target is rewritten. A file whose permission bits deny writing is refused.
    virtual void writeFile(const std::string& path, const std::string& bytes) = 0;

    // Copies the folder's content, subfolders included, into `to` (created; it must not exist)
    // as `cp -a` would: modes, owners where permitted, modification times, links as links,
    // sparse files sparse. Entries that `how.leaveOut` names are skipped, at any depth.
    // Only files, folders and links can be copied: any other entry (a FIFO, a socket, a device)
    // fails the copy. `how.stop` is asked between files; when it says yes the copy ends early
    // and returns Stopped. Throws FileError naming the entry that failed and the cause; what was
    // copied so far stays for the caller to remove. Nothing is flushed (see flushFileSystem).
    virtual CopyOutcome copyFolder(const std::string& from, const std::string& to, const FolderCopy& how) = 0;

    // Throws the FileError copyFolder would most likely throw, without copying: an entry that
    // cannot be read or is of a kind that cannot be copied, or too little room beside `to` for
    // the files' bytes. Lets a dry run predict a failing backup and a real run fail before it
    // writes anything.
    virtual void checkFolderCopy(const std::string& from, const std::string& to, const FolderCopy& how) = 0;

    // Renames a folder within its file system, atomically; refuses a destination that exists.
    // The new name has reached the device when it returns.
    virtual void renameFolder(const std::string& from, const std::string& to) = 0;

    // Brings every byte written so far to the file system holding `path`, file contents and
    // folder entries alike, to the device (Linux: syncfs).
    virtual void flushFileSystem(const std::string& path) = 0;

    // Removes a folder and everything in it, or a file (only ever the run's own staging copy or a
    // restore's mark).
    virtual void removeFolder(const std::string& path) = 0;

    // Makes this process the only one working on `folder` until unlockFolder: creates the lock
    // file kLockFileName in it exclusively, holding the process id. A lock whose process no
    // longer runs is stale and is taken over. Once the lock is taken, the temporaries that killed
    // runs left directly in the folder (isLeftoverTemporary) are removed. Returns the holder's
    // process id when another running process holds the lock; FileError when the lock cannot be
    // created at all.
    virtual FolderLock lockFolder(const std::string& folder) = 0;
    // Removes the lock this process holds; failures are ignored (a stale lock is taken over).
    virtual void unlockFolder(const std::string& folder) = 0;

    // Throws the FileError writeFile would throw before writing anything: lets a dry run refuse
    // exactly the files a real run would fail to write.
    virtual void checkWritable(const std::string& path) = 0;

    // Puts `bytes` at `path` atomically, giving the file the permission bits, owner and
    // modification time of the file `model`. Whatever is at `path` is replaced, never written
    // through: a symbolic link there is replaced by the file, its target left alone. The file is
    // created when there is none. A regular file whose permission bits deny writing is refused,
    // and so is a folder.
    virtual void replaceFile(const std::string& path, const std::string& bytes, const std::string& model) = 0;

    // Throws the FileError replaceFile would throw before writing anything (a dry run's check).
    virtual void checkReplaceable(const std::string& path) = 0;

    // Creates a file that does not exist yet, atomically (it appears whole or not at all), and a
    // folder whose parent exists; both are for putting back what a backup holds.
    virtual void createFile(const std::string& path, const std::string& bytes) = 0;
    virtual void createFolder(const std::string& path) = 0;
    // Gives the folder at `path` what replaceFile gives a file from its model: the permission
    // bits and, where permitted, the owner of the folder `model`. For a folder put back from a
    // backup, once its entries are in (a read-only folder could not receive them).
    virtual void giveFolderAttributes(const std::string& path, const std::string& model) = 0;

    // What the store could not keep without failing, since the last call, one line per file naming
    // it and what was lost (an extended attribute or ACL that the file system holding the new
    // file, copy or folder does not support). Asked after writeFile, copyFolder, replaceFile and
    // giveFolderAttributes, for the caller to show as warnings.
    virtual std::vector<std::string> takeWarnings() { return {}; }
};

// Whether an entry of any kind (file, folder, link) has this path: the entry is looked up in its
// parent's listing, the one question every store answers.
bool entryExists(FileReader& fs, const std::string& path);

// Whether both are regular files holding the same bytes: sizes first, so that files of different
// sizes are never read. Throws FileError when one cannot be read.
bool sameBytes(FileReader& fs, const std::string& a, const std::string& b);

// Project files above this size are refused without being read: no form, user control or project
// comes near it, and holding one in memory while it is converted takes several times its size.
inline constexpr std::uintmax_t kLargestProjectFile = std::uintmax_t{256} << 20;

// Why a form, user control or project at `path` is not read at all (empty when it may be): a
// symbolic link when `links` is Refused, an entry that is not a regular file (or a link to one),
// a file above the store's largestProjectFile(). Nothing is opened to find out.
enum class Links { Followed, Refused };
std::string whyNotReadable(FileReader& fs, const std::string& path, Links links);

// Whether the entry is a regular file (or a link to one) above the store's largestProjectFile().
bool tooLargeToRead(const FileReader& fs, const EntryInfo& info);

// The store's largestProjectFile() as a message gives it ("256 MB").
std::string largestProjectFileText(const FileReader& fs);

}  // namespace tavkonv40
