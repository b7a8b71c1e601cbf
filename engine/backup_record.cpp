#include "engine/backup_record.h"

#include <charconv>
#include <cstdio>

#define XXH_INLINE_ALL
#include <xxhash.h>

namespace tavkonv40 {

namespace {

const std::string kVersionLine = "tavkonv40 backup record 1";

std::string escaped(std::string_view name) {
    std::string out;
    for (const char c : name) {
        if (c == '\\')
            out += "\\\\";
        else if (c == '\n')
            out += "\\n";
        else if (c == '\r')
            out += "\\r";
        else
            out += c;
    }
    return out;
}

std::optional<std::string> unescaped(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\') {
            out += text[i];
            continue;
        }
        if (++i == text.size()) return std::nullopt;
        if (text[i] == '\\')
            out += '\\';
        else if (text[i] == 'n')
            out += '\n';
        else if (text[i] == 'r')
            out += '\r';
        else
            return std::nullopt;
    }
    // A name is never empty and never holds a separator or NUL.
    if (out.empty() || out.find('/') != std::string::npos || out.find('\0') != std::string::npos) return std::nullopt;
    return out;
}

template <typename T>
bool number(std::string_view text, T& value, int base) {
    if (text.empty()) return false;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value, base);
    return ec == std::errc() && end == text.data() + text.size();
}

std::string hex(std::uint64_t value) {
    char buf[17];
    std::snprintf(buf, sizeof buf, "%016llx", static_cast<unsigned long long>(value));
    return buf;
}

std::string stampLine(const char* word, const std::string& name, const FileStamp& s) {
    return std::string(word) + ' ' + std::to_string(s.size) + ' ' + hex(s.hash) + ' ' + escaped(name) + '\n';
}

// "<size> <hash> <name>"
bool parseStamp(std::string_view rest, std::map<std::string, FileStamp>& into) {
    const auto first = rest.find(' ');
    if (first == std::string_view::npos || first + 17 >= rest.size() || rest[first + 17] != ' ') return false;
    FileStamp s;
    if (!number(rest.substr(0, first), s.size, 10) || !number(rest.substr(first + 1, 16), s.hash, 16)) return false;
    const auto name = unescaped(rest.substr(first + 18));
    return name && into.emplace(*name, s).second;
}

bool parseLine(std::string_view line, BackupRecord& r, bool& madeSeen) {
    const auto space = line.find(' ');
    if (space == std::string_view::npos) return false;
    const std::string_view word = line.substr(0, space), rest = line.substr(space + 1);
    if (word == "made") {
        if (madeSeen || !number(rest, r.made, 10)) return false;
        madeSeen = true;
        return true;
    }
    if (word == "read") return parseStamp(rest, r.read);
    if (word == "wrote") return parseStamp(rest, r.wrote);
    if (word == "declined") {
        const auto name = unescaped(rest);
        return name && r.declined.insert(*name).second;
    }
    return false;
}

}  // namespace

FileStamp stampOf(std::string_view bytes) { return {bytes.size(), XXH3_64bits(bytes.data(), bytes.size())}; }

std::string formatRecord(const BackupRecord& record) {
    std::string text = kVersionLine + "\nmade " + std::to_string(record.made) + '\n';
    for (const auto& [name, s] : record.read) text += stampLine("read", name, s);
    for (const auto& [name, s] : record.wrote) text += stampLine("wrote", name, s);
    for (const auto& name : record.declined) text += "declined " + escaped(name) + '\n';
    return text;
}

std::optional<BackupRecord> parseRecord(std::string_view text) {
    // Every line ends in a line feed: a record cut short by a crash is not taken for a whole one.
    if (!text.ends_with('\n')) return std::nullopt;
    BackupRecord r;
    bool madeSeen = false;
    bool first = true;
    while (!text.empty()) {
        const auto end = text.find('\n');
        const std::string_view line = text.substr(0, end);
        text.remove_prefix(end + 1);
        if (first ? line != kVersionLine : !parseLine(line, r, madeSeen)) return std::nullopt;
        first = false;
    }
    if (!madeSeen) return std::nullopt;
    return r;
}

std::optional<BackupRecord> readRecord(FileReader& fs, const std::string& backupPath) {
    const std::string path = backupPath + "/" + kRecordName;
    if (fs.entryInfo(path).type != EntryType::RegularFile) return std::nullopt;
    try {
        return parseRecord(fs.readFile(path));
    } catch (const FileError&) {
        return std::nullopt;
    }
}

void writeRecord(FileSystem& fs, const std::string& backupPath, const BackupRecord& record) {
    const std::string path = backupPath + "/" + kRecordName;
    if (entryExists(fs, path))
        fs.replaceFile(path, formatRecord(record), path);
    else
        fs.createFile(path, formatRecord(record));
}

}  // namespace tavkonv40
