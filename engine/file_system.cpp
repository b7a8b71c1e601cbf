#include "engine/file_system.h"

#include <algorithm>

#include "engine/text_util.h"

namespace tavkonv40 {

std::string_view entryTypeText(EntryType type) {
    switch (type) {
        case EntryType::Missing: return "nothing";
        case EntryType::RegularFile: return "a regular file";
        case EntryType::Folder: return "a folder";
        case EntryType::SymbolicLink: return "a symbolic link";
        case EntryType::Fifo: return "a named pipe (FIFO)";
        case EntryType::Socket: return "a socket";
        case EntryType::Device: return "a device";
        case EntryType::Other: return "not a regular file";
    }
    return "?";
}

std::string whyNotReadable(FileReader& fs, const std::string& path, Links links) {
    const EntryInfo info = fs.entryInfo(path);
    if (info.type == EntryType::SymbolicLink && links == Links::Refused) return "it is a symbolic link";
    // A folder and a vanished entry are left to the read, whose cause says it as the system does.
    switch (info.target) {
        case EntryType::Fifo:
        case EntryType::Socket:
        case EntryType::Device:
        case EntryType::Other: {
            std::string why = "it is ";
            if (info.type == EntryType::SymbolicLink) why += "a symbolic link to ";
            why += entryTypeText(info.target);
            if (info.target != EntryType::Other) why += ", not a regular file";
            return why;
        }
        default: break;
    }
    if (tooLargeToRead(fs, info))
        return "it is larger than " + largestProjectFileText(fs) +
               ", more than any form, user control or project holds, and is not read";
    return {};
}

std::uintmax_t FileReader::largestProjectFile() const { return kLargestProjectFile; }

bool tooLargeToRead(const FileReader& fs, const EntryInfo& info) {
    return info.target == EntryType::RegularFile && info.size > fs.largestProjectFile();
}

std::string largestProjectFileText(const FileReader& fs) {
    const std::uintmax_t limit = fs.largestProjectFile();
    constexpr std::uintmax_t kMegabyte = std::uintmax_t{1} << 20;
    return limit % kMegabyte == 0 ? std::to_string(limit / kMegabyte) + " MB" : std::to_string(limit) + " bytes";
}

bool sameBytes(FileReader& fs, const std::string& a, const std::string& b) {
    const EntryInfo x = fs.entryInfo(a), y = fs.entryInfo(b);
    return x.type == EntryType::RegularFile && y.type == EntryType::RegularFile && x.size == y.size &&
           fs.readFile(a) == fs.readFile(b);
}

bool entryExists(FileReader& fs, const std::string& pathIn) {
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
