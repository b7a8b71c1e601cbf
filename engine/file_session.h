// Runs a file's conversion steps: reads the file once, hands its bytes from step to step in
// memory, and writes it once, atomically, after the last step, only when its bytes changed.
// The final bytes are the same as if every rewrite had gone to disk at once; a file that cannot
// be read, converted or written is reported in one error line and left exactly as it was.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "engine/backup_record.h"
#include "engine/file_system.h"
#include "engine/step_context.h"

namespace tavkonv40 {

using Step = void (*)(StepContext&);

// Logs what the store could not keep of a file it wrote or copied (its extended attributes, say),
// one warning line each: the file itself was written, so the run goes on and no error is counted.
void logStoreWarnings(FileSystem& fs, RunHost& host);

class FileSession {
  public:
    FileSession(FileSystem& fs, std::string path, const OptionsSource& options, RunHost& host, RunState& state);

    // Refuses the file before any step: the steps are skipped and the file is left alone.
    void refuse(const std::string& reason);

    // A step of a run's pass: the run's statistics count its rewrites under `kind`. A step on
    // its own, outside a run's passes (the dialog's public steps), has no kind: nothing counts it.
    void run(Step step, std::optional<StepKind> kind = std::nullopt);
    // Writes the result. Returns false when the file could not be converted.
    bool finish();

    bool failed() const { return failed_; }
    // After finish(): hands the file's final text to the run's observer, unless the file could not
    // be converted.
    void tellObserver();
    // The stamps of the bytes read and of those written (nothing when the file was not read, or
    // not written): what the backup's record keeps of the file.
    const std::optional<FileStamp>& readStamp() const { return readStamp_; }
    const std::optional<FileStamp>& writtenStamp() const { return writtenStamp_; }

  private:
    void fail(const std::string& what, const std::string& cause);
    bool write();

    FileSystem& fs_;
    std::string path_;
    const OptionsSource& options_;
    RunHost& host_;
    RunState& state_;
    std::unique_ptr<TextFile> file_;
    EntryInfo read_;  // the file as it was when it was read
    EntryInfo left_;  // the file as the session left it: as read, or as written
    std::optional<FileStamp> readStamp_, writtenStamp_;
    bool changed_ = false;
    bool failed_ = false;
};

// The error line: four blanks and "-error: " like the step lines it stands among.
std::string errorLine(const std::string& message);

}  // namespace tavkonv40
