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

}  // namespace

std::optional<std::string> folderRefusal(FileSystem& fs, const std::string& folder, FolderUse use) {
    const std::string shown = quotedName(folder);
    std::vector<std::string> names;
    try {
        names = fs.listFolder(folder);
    } catch (const FileError& e) {
        return "cannot list " + quotedName(e.path()) + ": " + e.cause();
    }
    if (use == FolderUse::Check) return std::nullopt;
    const std::string real = fs.realPath(folder);
    if (real == "/") return "refusing to work on the root folder " + shown;
    if (isInBackupFolder(real) || isInBackupFolder(fs.realPath(withoutTrailingSlash(folder))))
        return shown +
               " is a backup folder or lies inside one; backups are left as they are (restore the folder "
               "that holds the backup, or copy the backup elsewhere first)";
    if (use == FolderUse::Convert && !holdsProjectFiles(names))
        return shown +
               " holds no form (.frm), user control (.ctl) or project (.vbp) directly; nothing to convert "
               "(subfolders are never converted)";
    return std::nullopt;
}

bool liesInside(FileSystem& fs, const std::string& path, const std::string& folder) {
    const std::string p = withoutTrailingSlash(path);
    const auto slash = p.find_last_of('/');
    // The file may not exist yet: resolve the folder it would go into.
    const std::string parent = slash == std::string::npos ? "." : slash == 0 ? "/" : p.substr(0, slash);
    const std::string real = withoutTrailingSlash(fs.realPath(parent)) + "/" + p.substr(slash + 1);
    const std::string base = withoutTrailingSlash(fs.realPath(folder));
    return real == base || isInsideFolder(real, base);
}

}  // namespace tavkonv40::cli
