#include "folder_guard.h"

#include <cctype>
#include <filesystem>

namespace dialog {

namespace {

const std::string kBackupPrefix = "Nexaria Conversion Backup ";
const std::string kStampShape = "99.99.9999 99.99.99";  // 9: a digit

std::filesystem::path Resolved(const std::string& folder) {
    std::error_code error;
    std::filesystem::path path = std::filesystem::weakly_canonical(folder, error);
    if (error) path = std::filesystem::path(folder).lexically_normal();
    return path;
}

}  // namespace

bool IsBackupName(const std::string& name) {
    if (name.size() != kBackupPrefix.size() + kStampShape.size() || name.compare(0, kBackupPrefix.size(), kBackupPrefix) != 0)
        return false;
    for (std::size_t i = 0; i < kStampShape.size(); ++i) {
        const char c = name[kBackupPrefix.size() + i];
        const bool ok = kStampShape[i] == '9' ? std::isdigit(static_cast<unsigned char>(c)) != 0 : c == kStampShape[i];
        if (!ok) return false;
    }
    return true;
}

std::optional<std::string> RefusedFolder(const std::string& folder) {
    const std::filesystem::path path = Resolved(folder);
    if (path.has_root_path() && path.relative_path().empty())
        return folder + ": the root folder is never converted; choose the folder that holds the project";
    const std::string own = path.filename().empty() ? path.parent_path().filename().string() : path.filename().string();
    for (const auto& part : path) {
        if (!IsBackupName(part.string())) continue;
        const char* where = part.string() == own ? "is a backup" : "lies inside a backup";
        return folder + ": " + where +
               " an earlier run made, so nothing was converted; convert the project folder itself (the backup "
               "is what it can be restored from)";
    }
    return std::nullopt;
}

}  // namespace dialog
