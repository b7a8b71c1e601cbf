#include "engine/overlay_file_system.h"

#include "engine/text_util.h"

namespace tavkonv40 {

OverlayFileSystem::OverlayFileSystem(FileSystem& base) : base_(base) {}

bool OverlayFileSystem::exists(const std::string& path) {
    return writes_.count(withoutTrailingSlash(path)) != 0 || entryExists(base_, path);
}

std::vector<std::string> OverlayFileSystem::listFolder(const std::string& folder) { return base_.listFolder(folder); }

std::string OverlayFileSystem::readFile(const std::string& path) {
    const auto it = writes_.find(path);
    return it != writes_.end() ? it->second : base_.readFile(path);
}

void OverlayFileSystem::writeFile(const std::string& path, const std::string& bytes) {
    checkWritable(path);
    writes_[path] = bytes;
}

CopyOutcome OverlayFileSystem::copyFolder(const std::string& from, const std::string& to, const FolderCopy& how) {
    checkFolderCopy(from, to, how);
    return CopyOutcome::Complete;
}

void OverlayFileSystem::checkFolderCopy(const std::string& from, const std::string& to, const FolderCopy& how) {
    base_.checkFolderCopy(from, to, how);
}

void OverlayFileSystem::renameFolder(const std::string&, const std::string& to) {
    if (exists(to)) throw FileError(withoutTrailingSlash(to), "File exists");
}

void OverlayFileSystem::removeFolder(const std::string&) {}

bool OverlayFileSystem::isSymbolicLink(const std::string& path) { return base_.isSymbolicLink(path); }

bool OverlayFileSystem::isFolder(const std::string& path) { return base_.isFolder(path); }

void OverlayFileSystem::checkWritable(const std::string& path) {
    if (!writes_.count(path)) base_.checkWritable(path);
}

void OverlayFileSystem::createFile(const std::string& path, const std::string& bytes) {
    if (exists(path)) throw FileError(path, "File exists");
    writes_[path] = bytes;
}

std::string OverlayFileSystem::realPath(const std::string& path) { return base_.realPath(path); }

EntryInfo OverlayFileSystem::entryInfo(const std::string& path) {
    const auto it = writes_.find(path);
    if (it == writes_.end()) return base_.entryInfo(path);
    EntryInfo info;
    info.type = info.target = EntryType::RegularFile;
    info.size = it->second.size();
    return info;
}

void OverlayFileSystem::replaceFile(const std::string& path, const std::string& bytes, const std::string& model) {
    readFile(model);
    checkReplaceable(path);
    writes_[path] = bytes;
}

void OverlayFileSystem::checkReplaceable(const std::string& path) {
    if (!writes_.count(path)) base_.checkReplaceable(path);
}

void OverlayFileSystem::createFolder(const std::string& path) {
    if (exists(path)) throw FileError(withoutTrailingSlash(path), "File exists");
}

}  // namespace tavkonv40
