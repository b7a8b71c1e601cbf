#include "file_system.h"

#include <algorithm>

#include "text_util.h"

namespace tavkonv40 {

bool entryExists(FileSystem& fs, const std::string& pathIn) {
    const std::string path = withoutTrailingSlash(pathIn);
    if (fs.isFolder(path) || fs.isSymbolicLink(path)) return true;
    const auto slash = lastPathSeparator(path);
    const std::string parent = slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
    try {
        const auto names = fs.listFolder(parent);
        return std::find(names.begin(), names.end(), path.substr(slash + 1)) != names.end();
    } catch (const FileError&) {
        return false;
    }
}

}  // namespace tavkonv40
