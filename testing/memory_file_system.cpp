#include "testing/memory_file_system.h"

#include <algorithm>

#include "engine/text_util.h"

namespace tavkonv40 {

namespace {

std::string parentOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos || slash == 0 ? std::string() : path.substr(0, slash);
}

}  // namespace

void MemoryFileSystem::addFolder(const std::string& path) {
    for (std::string p = withoutTrailingSlash(path); !p.empty(); p = parentOf(p))
        if (folders_.insert(p).second) stamp(p);
}

void MemoryFileSystem::addFile(const std::string& path, std::string bytes) {
    addFolder(parentOf(path));
    files_[path] = std::move(bytes);
    stamp(path);
}

void MemoryFileSystem::remove(const std::string& path) {
    files_.erase(path);
    folders_.erase(path);
}

const std::string& MemoryFileSystem::file(const std::string& path) const {
    const auto it = files_.find(path);
    if (it == files_.end()) throw FileError(path, "No such file or directory");
    return it->second;
}

std::vector<std::string> MemoryFileSystem::namesIn(const std::string& folder) const {
    if (!folders_.count(folder)) throw FileError(folder, "No such file or directory");
    std::vector<std::string> names;
    auto take = [&](const std::string& p) {
        if (parentOf(p) == folder) names.push_back(p.substr(folder.size() + 1));
    };
    for (const auto& [p, bytes] : files_) take(p);
    for (const auto& p : folders_) take(p);
    return names;
}

std::vector<std::string> MemoryFileSystem::listFolder(const std::string& folder) {
    auto names = namesIn(withoutTrailingSlash(folder));
    if (reorderListing) reorderListing(names);
    return names;
}

std::string MemoryFileSystem::readFile(const std::string& path) {
    if (folders_.count(path)) throw FileError(path, "Is a directory");
    ++readCount[path];
    return file(path);
}

void MemoryFileSystem::checkWritable(const std::string& path) {
    if (folders_.count(path)) throw FileError(path, "Is a directory");
    if (!files_.count(path)) throw FileError(path, "No such file or directory");
    if (readOnly_.count(path)) throw FileError(path, "file is read-only");
}

void MemoryFileSystem::writeFile(const std::string& path, const std::string& bytes) {
    checkWritable(path);
    if (beforeWrite) beforeWrite(path);
    ++writeCount;
    files_[path] = bytes;
}

// As the disk's check does: each folder is listed, asked about what to leave out, then looked into.
void MemoryFileSystem::checkFolderCopy(const std::string& from, const std::string& to, const FolderCopy& how) {
    std::vector<std::string> names = namesIn(withoutTrailingSlash(from));
    if (how.leaveOut) std::erase_if(names, how.leaveOut);
    for (const auto& name : names) {
        const std::string path = withoutTrailingSlash(from) + "/" + name;
        if (const auto f = copyFailures.find(path); f != copyFailures.end()) throw FileError(path, f->second);
        if (folders_.count(path)) checkFolderCopy(path, to, how);
    }
}

// As the disk's copy does: the file is taken again while it changes under the copy, a few times.
std::string MemoryFileSystem::copyUnchanged(const std::string& path) {
    for (int attempt = 0; attempt < 3; ++attempt) {
        const EntryInfo before = entryInfo(path);
        std::string bytes = files_.at(path);
        if (duringCopy) duringCopy(path);
        if (sameContentStamp(before, entryInfo(path))) return bytes;
    }
    throw FileError(path, kKeptChangingCause);
}

// As the disk's copy does: each folder is listed, asked about what to leave out, then what is
// still there is copied, so that an entry another program removes meanwhile is simply not copied.
CopyOutcome MemoryFileSystem::copyFolder(const std::string& fromIn, const std::string& toIn, const FolderCopy& how) {
    const std::string from = withoutTrailingSlash(fromIn), to = withoutTrailingSlash(toIn);
    if (!folders_.count(from)) throw FileError(from, "No such file or directory");
    if (folders_.count(to) || files_.count(to)) throw FileError(to, "File exists");
    createFolder(to);
    std::vector<std::string> names = namesIn(from);
    if (how.leaveOut) std::erase_if(names, how.leaveOut);
    for (const auto& name : names) {
        const std::string source = from + "/" + name;
        if (folders_.count(source) && copyFolder(source, to + "/" + name, how) == CopyOutcome::Stopped)
            return CopyOutcome::Stopped;
        if (!files_.count(source)) continue;
        if (how.stop && how.stop()) return CopyOutcome::Stopped;
        if (const auto f = copyFailures.find(source); f != copyFailures.end()) throw FileError(source, f->second);
        files_[to + "/" + name] = copyUnchanged(source);
        if (afterCopiedFile) afterCopiedFile(source);
    }
    return CopyOutcome::Complete;
}

void MemoryFileSystem::removeFolder(const std::string& pathIn) {
    const std::string path = withoutTrailingSlash(pathIn);
    files_.erase(path);  // a file at the path itself goes too, as on disk
    for (auto it = files_.begin(); it != files_.end();)
        it = isInsideFolder(it->first, path) ? files_.erase(it) : std::next(it);
    for (auto it = folders_.begin(); it != folders_.end();)
        it = (isInsideFolder(*it, path) || *it == path) ? folders_.erase(it) : std::next(it);
}

void MemoryFileSystem::renameFolder(const std::string& fromIn, const std::string& toIn) {
    const std::string from = withoutTrailingSlash(fromIn), to = withoutTrailingSlash(toIn);
    if (!folders_.count(from)) throw FileError(from, "No such file or directory");
    if (folders_.count(to) || files_.count(to)) throw FileError(to, "File exists");
    std::map<std::string, std::string> files;
    for (auto& [p, bytes] : files_) files[isInsideFolder(p, from) ? to + p.substr(from.size()) : p] = std::move(bytes);
    files_ = std::move(files);
    std::set<std::string> folders;
    for (const auto& p : folders_)
        folders.insert(p == from ? to : isInsideFolder(p, from) ? to + p.substr(from.size()) : p);
    folders_ = std::move(folders);
    stamp(to);  // a rename changes the folder's own time stamp, as on disk
}

FolderLock MemoryFileSystem::lockFolder(const std::string& folderIn) {
    const std::string folder = withoutTrailingSlash(folderIn);
    if (!folders_.count(folder)) throw FileError(folder, "No such file or directory");
    if (const auto it = lockedByOthers.find(folder); it != lockedByOthers.end()) return {false, it->second};
    const std::string lock = folder + "/" + kLockFileName;
    if (folders_.count(lock))
        throw FileError(folder, lock + " is a folder, not a lock this tool made; remove or rename it, then run again");
    if (files_.count(lock)) return {false, 1};
    files_[lock] = "1\n";
    for (const auto& name : namesIn(folder))
        if (isLeftoverTemporary(name) && !folders_.count(folder + "/" + name)) files_.erase(folder + "/" + name);
    return {true, 0};
}

void MemoryFileSystem::unlockFolder(const std::string& folder) {
    files_.erase(withoutTrailingSlash(folder) + "/" + kLockFileName);
}

long MemoryFileSystem::lockHolder(const std::string& folderIn) {
    const std::string folder = withoutTrailingSlash(folderIn);
    if (const auto it = lockedByOthers.find(folder); it != lockedByOthers.end()) return it->second;
    return files_.count(folder + "/" + kLockFileName) ? 1 : 0;
}

bool MemoryFileSystem::isFolder(const std::string& path) { return folders_.count(withoutTrailingSlash(path)) != 0; }

void MemoryFileSystem::createFile(const std::string& path, const std::string& bytes) {
    if (files_.count(path) || folders_.count(path)) throw FileError(path, "File exists");
    if (!folders_.count(parentOf(path))) throw FileError(path, "No such file or directory");
    if (beforeWrite) beforeWrite(path);
    ++writeCount;
    files_[path] = bytes;
}

void MemoryFileSystem::createFolder(const std::string& pathIn) {
    const std::string path = withoutTrailingSlash(pathIn);
    if (files_.count(path) || folders_.count(path)) throw FileError(path, "File exists");
    if (!folders_.count(parentOf(path))) throw FileError(path, "No such file or directory");
    folders_.insert(path);
    stamp(path);
}

std::string MemoryFileSystem::realPath(const std::string& path) {
    // No links and no working folder: "." and ".." are all there is to resolve.
    std::vector<std::string> parts;
    std::size_t from = 0;
    while (from <= path.size()) {
        const auto slash = std::min(path.find('/', from), path.size());
        const std::string part = path.substr(from, slash - from);
        if (part == "..") {
            if (!parts.empty()) parts.pop_back();
        } else if (!part.empty() && part != ".") {
            parts.push_back(part);
        }
        from = slash + 1;
    }
    std::string out;
    for (const auto& p : parts) out += "/" + p;
    return out.empty() ? "/" : out;
}

EntryInfo MemoryFileSystem::entryInfo(const std::string& pathIn) {
    const std::string path = withoutTrailingSlash(pathIn);
    EntryInfo info;
    if (folders_.count(path)) info.type = EntryType::Folder;
    const auto file = files_.find(path);
    if (file != files_.end()) {
        info.type = EntryType::RegularFile;
        info.size = file->second.size();
    }
    info.target = info.type;
    const auto changed = changed_.find(path);
    if (changed != changed_.end()) info.changed = info.modified = changed->second;
    return info;
}

void MemoryFileSystem::checkReplaceable(const std::string& path) {
    if (folders_.count(path)) throw FileError(path, "Is a directory");
    if (readOnly_.count(path)) throw FileError(path, "the file is read-only");
    if (!folders_.count(parentOf(path))) throw FileError(path, "No such file or directory");
}

void MemoryFileSystem::replaceFile(const std::string& path, const std::string& bytes, const std::string& model) {
    file(model);
    checkReplaceable(path);
    if (beforeWrite) beforeWrite(path);
    ++writeCount;
    files_[path] = bytes;
}

}  // namespace tavkonv40
