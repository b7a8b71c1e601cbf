// What a backup holds and how it was made, kept in one hidden file inside the backup folder so
// that a restore can tell a good copy from a torn one and the run's own writes from the user's
// later edits.
//
// The record is plain text, one fact a line, read strictly (anything unexpected makes the whole
// record unusable, never half-believed):
//   tavkonv40 backup record 1
//   made <nanoseconds since 1970>
//   read <size> <hash> <name>      the bytes the run read, which the backup must hold
//   wrote <size> <hash> <name>     the bytes the run left in the folder
//   declined <name>                changed after the copy: the backup does not hold it
// Hashes are 16 hex digits; names escape "\" as "\\", a line feed as "\n" and a carriage return
// as "\r".
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>

#include "engine/file_system.h"

namespace tavkonv40 {

inline constexpr const char* kRecordName = ".tavkonv40-record";

struct FileStamp {
    std::uint64_t size = 0;
    std::uint64_t hash = 0;
    bool operator==(const FileStamp&) const = default;
};

// The stamp of a file's bytes: their size and a fast 64-bit hash of them.
FileStamp stampOf(std::string_view bytes);

struct BackupRecord {
    std::int64_t made = 0;                  // when the backup was made (the program's clock, not its name)
    std::map<std::string, FileStamp> read;  // files directly in the folder, as the run read them
    std::map<std::string, FileStamp> wrote;
    std::set<std::string> declined;
};

std::string formatRecord(const BackupRecord& record);
// The record, or nothing when the text is not one this version wrote.
std::optional<BackupRecord> parseRecord(std::string_view text);

// The record of the backup folder at `backupPath`; nothing when it has none or it cannot be read
// or parsed (a backup made before records existed, or one whose record a crash left empty).
std::optional<BackupRecord> readRecord(FileReader& fs, const std::string& backupPath);
// Puts the record into the backup folder, replacing the one there atomically. Throws FileError.
void writeRecord(FileSystem& fs, const std::string& backupPath, const BackupRecord& record);

}  // namespace tavkonv40
