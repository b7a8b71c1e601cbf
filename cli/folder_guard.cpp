#include "cli/folder_guard.h"

#include "engine/backup.h"
#include "engine/file_kind.h"
#include "cli/terminal_text.h"
#include "engine/text_util.h"

namespace tavkonv40::cli {

namespace {

bool holdsProjectFiles(const std::vector<std::string>& names) {
    for (const auto& n : names)
        if (fileKindOfName(n)) return true;
    return false;
}

std::string parentFolderOf(const std::string& path) {
    const auto slash = lastPathSeparator(path);
    return slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
}

}  // namespace

std::optional<std::string> folderRefusal(FileReader& fs, const std::string& folder, FolderUse use) {
    const std::string shown = quotedName(folder);
    std::vector<std::string> names;
    try {
        names = fs.listFolder(folder);
    } catch (const FileError& e) {
        // A project file typed where its folder belongs (`tavkonv40 check Orders.vbp`).
        if (e.path() == folder && fs.entryInfo(folder).target == EntryType::RegularFile)
            return shown + " is a file, not a folder; give the folder that holds it (" +
                   quotedName(parentFolderOf(withoutTrailingSlash(folder))) + ")";
        return "cannot list " + quotedName(e.path()) + ": " + e.cause();
    }
    if (use != FolderUse::Check) {
        const WriteRefusal refusal = writeRefusal(fs, folder);
        if (refusal == WriteRefusal::Root) return "refusing to work on the root folder " + shown;
        if (refusal != WriteRefusal::None)
            return shown +
                   " is a backup folder or lies inside one; backups are left as they are (restore the folder "
                   "that holds the backup, or copy the backup elsewhere first)";
    }
    // Subfolders are the business of --recursive, which never asks about such a folder.
    if ((use == FolderUse::Convert || use == FolderUse::Fix || use == FolderUse::Check) && !holdsProjectFiles(names))
        return shown + " holds no form (.frm), user control (.ctl) or project (.vbp) directly; nothing to " +
               (use == FolderUse::Convert ? "convert"
                : use == FolderUse::Fix   ? "fix"
                                          : "check") +
               " (subfolders only with --recursive)";
    return std::nullopt;
}

std::optional<std::string> reportRefusal(FileSystem& fs, const std::string& path) {
    const auto refusal = [&](const std::string& cause) {
        return "cannot write the report " + quotedName(path) + ": " + cause;
    };
    const std::string parent = parentFolderOf(path);
    const EntryType folder = fs.entryInfo(parent).target;
    if (folder == EntryType::Missing) return refusal("the folder " + quotedName(parent) + " does not exist");
    if (folder != EntryType::Folder) return refusal(quotedName(parent) + " is not a folder");
    const EntryInfo file = fs.entryInfo(path);
    if (file.type != EntryType::Missing && file.target != EntryType::RegularFile)
        return refusal(file.target == EntryType::Missing
                           ? "it is a symbolic link to nothing"
                           : "it is " + std::string(entryTypeText(file.target)) + ", not a regular file");
    try {
        // The report is written atomically: a temporary beside the file (beside a link's target).
        if (file.type == EntryType::Missing) {
            fs.checkReplaceable(path);
        } else {
            fs.checkWritable(path);
            fs.checkReplaceable(fs.realPath(path));
        }
    } catch (const FileError& e) {
        return refusal(e.cause());
    }
    return std::nullopt;
}

bool liesInside(FileReader& fs, const std::string& path, const std::string& folder) {
    const std::string p = withoutTrailingSlash(path);
    const auto slash = p.find_last_of('/');
    // The file may not exist yet: resolve the folder it would go into.
    const std::string parent = parentFolderOf(p);
    const std::string real = withoutTrailingSlash(fs.realPath(parent)) + "/" + p.substr(slash + 1);
    const std::string base = withoutTrailingSlash(fs.realPath(folder));
    return real == base || isInsideFolder(real, base);
}

}  // namespace tavkonv40::cli
