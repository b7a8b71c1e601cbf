// What a check needs of the files a run has just finished, kept from the run's own pass so that
// the count at the end of a run's summary does not read and parse every file once more.
#pragma once

#include <condition_variable>
#include <cstddef>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "engine/file_kind.h"
#include "engine/file_system.h"
#include "engine/project_check.h"
#include "engine/step_context.h"

namespace tavkonv40 {

namespace check {
struct CheckedFile;
}

// One file as a check sees it, without its lines: the findings of the checks that judge the file
// by its own lines, counted, and the lines the check across files (the projects' lists) reads.
struct FileFacts {
    struct Line {
        std::size_t line;
        std::string text;  // a reference line's control file, or a member line's path
    };
    FileKind kind = FileKind::Form;
    EntryInfo stamp;         // the file as these facts describe it
    FindingCounts ownLines;  // every check's findings but the projects' lists'
    std::vector<Line> references, members, pages;

    // The file for the check across files: these lines and no others.
    check::CheckedFile skeleton(std::string_view name) const;
};

// Collects the facts of every file a run finishes (set it as the run's RunState::finished). The
// files are parsed and checked on a thread of their own while the run goes on to the next file;
// at most one file waits for it, so memory stays a small multiple of the largest file.
class FolderFacts final : public FinishedFileObserver {
  public:
    FolderFacts() = default;
    FolderFacts(const FolderFacts&) = delete;
    FolderFacts& operator=(const FolderFacts&) = delete;
    ~FolderFacts() override { settle(); }

    void fileFinished(const std::string& path, std::unique_ptr<TextFile> text, const EntryInfo& stamp) override;

    // Waits until every file handed over has its facts; no file may be handed over after it.
    void settle();

    // After settle(): the facts of the folder's file `name`, while `now` (its entry as it is now)
    // shows nothing has written it since; null otherwise.
    const FileFacts* current(std::string_view name, const EntryInfo& now) const;

  private:
    struct Finished {
        std::string path;
        std::unique_ptr<TextFile> text;
        EntryInfo stamp;
    };

    void work();
    void take(Finished& file);

    std::mutex mutex_;
    std::condition_variable moved_;    // a file was handed over or taken, or the run ended
    std::optional<Finished> waiting_;  // the file handed over and not yet taken
    bool ended_ = false;
    std::thread worker_;
    std::map<std::string, FileFacts, std::less<>> files_;
};

// countFindings, taking each file the facts still describe from them instead of reading it. Settles
// the facts first.
FindingCounts countFindings(FileReader& fs, const std::string& folder, FolderFacts& known);

}  // namespace tavkonv40
