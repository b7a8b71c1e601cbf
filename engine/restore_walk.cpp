#include "engine/restore_walk.h"

#include <new>

#include "engine/text_util.h"

namespace tavkonv40 {

void RestoreWalk::folder(const std::string& from, const std::string& to, const std::string& rel, Parent parent) {
    std::vector<std::string> names;
    try {
        names = fs_.listFolder(from);
    } catch (const FileError& e) {
        error("cannot list " + out_.shown(e.path()) + ": " + e.cause());
        return;
    }
    sortInListingOrder(names);
    for (const auto& n : names) {
        // Backups the backup holds (older ones kept them, at any depth) are earlier runs' and
        // stay where they are; the record is the backup's own.
        if (isLeftOutOfBackup(n) || (rel.empty() && n == kRecordName)) continue;
        const std::string src = from + "/" + n, dst = to + "/" + n, r = rel + n;
        const EntryInfo info = fs_.entryInfo(src);
        if (info.type == EntryType::SymbolicLink) continue;  // the run never rewrites links
        if (info.type == EntryType::Folder)
            subfolder(src, dst, r, parent);
        else
            file(src, dst, r, info, parent);
    }
}

void RestoreWalk::extras(const std::string& from, const std::string& to, const std::string& rel) {
    std::vector<std::string> names;
    try {
        names = fs_.listFolder(to);
    } catch (const FileError&) {
        return;
    }
    sortInListingOrder(names);
    for (const auto& n : names) {
        if (isLeftOutOfBackup(n)) continue;  // never in a backup
        const std::string src = from + "/" + n, dst = to + "/" + n, r = rel + n;
        const EntryType inBackup = fs_.entryInfo(src).type;
        if (inBackup == EntryType::Missing) {
            result.onlyInFolder.push_back(r);
            out_.line("only in the folder, left alone: " + out_.shown(r));
        } else if (inBackup == EntryType::Folder && fs_.entryInfo(dst).type == EntryType::Folder) {
            extras(src, dst, r + "/");
        }
    }
}

// Asked between two files. Once stopped, the walk goes on only to count what it did not reach.
bool RestoreWalk::stopping() {
    if (!result.stopped && !dry() && stop_ && stop_()) result.stopped = true;
    return result.stopped;
}

void RestoreWalk::subfolder(const std::string& src, const std::string& dst, const std::string& r, Parent parent) {
    if (stopping()) return folder(src, dst, r + "/", parent);
    const EntryType there = parent == Parent::Planned ? EntryType::Missing : fs_.entryInfo(dst).type;
    if (there == EntryType::Folder) return folder(src, dst, r + "/", parent);
    if (writesBelow && !writesBelow(r + "/")) {
        if (decide_(r + "/", dst) == FileAction::Compare) {
            result.changedSinceBackup.push_back(r + "/");
            out_.line("changed since the backup, left alone: " + out_.shown(r + "/"));
        }
        return;
    }
    if (there != EntryType::Missing) {
        // Entering a link would write wherever it points.
        error("cannot restore " + out_.shown(r) + "/: the folder holds " + std::string(entryTypeText(there)) +
              " of that name, which restore does not replace or enter");
        return;
    }
    try {
        if (dry() && parent == Parent::Exists) fs_.checkReplaceable(dst);
        if (!dry()) fs_.createFolder(dst);
    } catch (const FileError& e) {
        error("cannot create " + out_.shown(r) + "/: " + e.cause());
        return;
    }
    act("created folder", "would create folder", r);
    folder(src, dst, r + "/", dry() ? Parent::Planned : Parent::Exists);
    // A folder only half filled keeps the default bits: a read-only one would keep the restore
    // that finishes the job from filling it.
    if (!dry() && !result.stopped) keepFolderLook(src, dst, r);
}

void RestoreWalk::keepFolderLook(const std::string& src, const std::string& dst, const std::string& r) {
    try {
        fs_.giveFolderAttributes(dst, src);
        for (const auto& w : fs_.takeWarnings()) out_.warning(w);
    } catch (const FileError& e) {
        error("cannot give " + out_.shown(r) + "/ the backup's permissions: " + e.cause());
    }
}

void RestoreWalk::file(const std::string& src, const std::string& dst, const std::string& rel, const EntryInfo& info,
                       Parent parent) {
    const FileAction action = decide_(rel, parent == Parent::Planned ? std::string() : dst);
    if (action == FileAction::Skip) return;
    if (stopping()) {
        ++result.notReached;
        return;
    }
    ++result.reached;
    if (action == FileAction::Compare) return compare(src, dst, rel);
    if (action == FileAction::ChangedByUser) {
        result.changedSinceRun.push_back(rel);
        out_.line("changed since the run, not overwritten: " + out_.shown(rel) +
                  (overwriteCommand ? " (to overwrite it: " + overwriteCommand(rel) + ")" : std::string()));
        return;
    }
    try {
        if (info.type != EntryType::RegularFile)
            throw FileError(src, "the backup holds " + std::string(entryTypeText(info.type)) + ", not a regular file");
        write(src, dst, rel, parent == Parent::Planned ? EntryType::Missing : fs_.entryInfo(dst).type, parent);
    } catch (const FileError& e) {
        error("cannot restore " + out_.shown(rel) + ": " + out_.shown(e.path()) + ": " + e.cause());
    } catch (const std::bad_alloc&) {
        error("cannot restore " + out_.shown(rel) + ": not enough memory to hold it");
    }
}

void RestoreWalk::write(const std::string& src, const std::string& dst, const std::string& rel, EntryType there,
                        Parent parent) {
    const std::string bytes = fs_.readFile(src);
    if (there == EntryType::Folder) throw FileError(dst, "the folder holds a folder of that name");
    if (there == EntryType::RegularFile && fs_.entryInfo(dst).size == bytes.size() && fs_.readFile(dst) == bytes) {
        ++result.unchanged;
        return;
    }
    // The copy must be what the run read: a copy cut short or rewritten while it was made would
    // put bytes over the file that neither it nor anything else ever held.
    if (record_) {
        const auto read = record_->read.find(rel);
        if (read != record_->read.end() && stampOf(bytes) != read->second)
            throw FileError(src,
                            "the backup's copy is not what the run read from the file (it changed while it "
                            "was copied); it was not written, and the file is left as it is");
    }
    // Anything else there (a changed file, a link, a FIFO) is replaced, never opened.
    if (dry() && parent == Parent::Exists) fs_.checkReplaceable(dst);
    if (!dry()) {
        fs_.replaceFile(dst, bytes, src);
        for (const auto& w : fs_.takeWarnings()) out_.warning(w);
    }
    const bool created = there == EntryType::Missing;
    act(created ? "created" : "restored", created ? "would create" : "would restore", rel);
    ++result.restored;
}

void RestoreWalk::compare(const std::string& src, const std::string& dst, const std::string& rel) {
    bool same = false;
    try {
        same = sameBytes(fs_, dst, src);
    } catch (const FileError&) {
    } catch (const std::bad_alloc&) {}
    if (same) return;
    result.changedSinceBackup.push_back(rel);
    out_.line("changed since the backup, left alone: " + out_.shown(rel));
}

void RestoreWalk::act(const char* done, const char* wouldDo, const std::string& rel) {
    out_.line(std::string(dry() ? wouldDo : done) + ": " + out_.shown(rel));
}

void RestoreWalk::error(const std::string& message) {
    ++result.errors;
    out_.error(message);
}

}  // namespace tavkonv40
