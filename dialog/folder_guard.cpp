#include "dialog/folder_guard.h"

#include <filesystem>

#include "engine/backup.h"

namespace dialog {

namespace {

std::filesystem::path Resolved(const std::string& folder) {
    std::error_code error;
    std::filesystem::path path = std::filesystem::weakly_canonical(folder, error);
    if (error) path = std::filesystem::path(folder).lexically_normal();
    return path;
}

}  // namespace

std::optional<std::string> RefusedFolder(const std::string& folder) {
    const std::filesystem::path path = Resolved(folder);
    if (path.has_root_path() && path.relative_path().empty())
        return folder + ": the root folder is never converted; choose the folder that holds the project";
    const std::string own = path.filename().empty() ? path.parent_path().filename().string() : path.filename().string();
    for (const auto& part : path) {
        if (!tavkonv40::isInBackupFolder(part.string())) continue;
        const char* where = part.string() == own ? "is a backup" : "lies inside a backup";
        return folder + ": " + where +
               " an earlier run made, so nothing was converted; convert the project folder itself (the backup "
               "is what it can be restored from)";
    }
    return std::nullopt;
}

}  // namespace dialog
