#include "dialog/folder_guard.h"

#include "engine/backup.h"

namespace dialog {

std::optional<std::string> RefusedFolder(tavkonv40::FileSystem& fs, const std::string& folder) {
    using tavkonv40::WriteRefusal;
    const WriteRefusal refusal = tavkonv40::writeRefusal(fs, folder);
    if (refusal == WriteRefusal::Root)
        return folder + ": the root folder is never converted; choose the folder that holds the project";
    if (refusal == WriteRefusal::None) return std::nullopt;
    return folder + ": " + (refusal == WriteRefusal::Backup ? "is a backup" : "lies inside a backup") +
           " an earlier run made, so nothing was converted; convert the project folder itself (the backup is what "
           "it can be restored from)";
}

}  // namespace dialog
