#include "engine/file_session.h"

#include <new>
#include "engine/text_util.h"

namespace tavkonv40 {

namespace {

const std::string kNoMemory = "not enough memory to hold it";

}  // namespace

std::string errorLine(const std::string& message) { return "    -error: " + message; }

void logStoreWarnings(FileSystem& fs, RunHost& host) {
    for (const auto& warning : fs.takeWarnings()) AddLogLine(host, "    -warning: " + warning);
}

FileSession::FileSession(FileSystem& fs, std::string path, const OptionsSource& options, RunHost& host, RunState& state)
    : fs_(fs), path_(std::move(path)), options_(options), host_(host), state_(state) {
    if (state_.statistics) state_.statistics->beginFile(std::string(fileNameOf(path_)));
}

void FileSession::fail(const std::string& what, const std::string& cause) {
    failed_ = true;
    addErrorLine(host_, errorLine(what + " " + path_ + ": " + cause + "; the file is left unchanged"));
}

void FileSession::refuse(const std::string& reason) {
    failed_ = true;
    addErrorLine(host_, errorLine("not converted: " + path_ + ": " + reason + "; the file is left unchanged"));
}

void FileSession::run(Step step, std::optional<StepKind> kind) {
    if (failed_) return;
    if (!file_) {
        try {
            read_ = left_ = fs_.entryInfo(path_);
            std::string bytes = fs_.readFile(path_);
            readStamp_ = stampOf(bytes);
            file_ = std::make_unique<TextFile>(std::move(bytes));
        } catch (const FileError& e) {
            fail("cannot read", e.cause());
            return;
        } catch (const std::bad_alloc&) {
            fail("cannot read", kNoMemory);
            return;
        }
    }
    // The previous step changed the file: this one scans it as that step left it.
    if (file_->changed()) file_ = TextFile::continueFrom(std::move(file_));
    StepContext ctx{*file_, options_, host_, state_};
    if (state_.statistics && kind) state_.statistics->beginStep(*kind);
    try {
        step(ctx);
    } catch (const LineOutOfRange& e) {
        fail("cannot convert", e.what());
        return;
    } catch (const std::bad_alloc&) {
        // What the steps built so far is dropped with the file's bytes; nothing was written.
        file_.reset();
        fail("cannot convert", kNoMemory);
        return;
    }
    // A step that changed nothing leaves a file whose scanning array is still exact, so it is
    // handed on as it is. Otherwise the next step, if there is one, needs a new scanning array;
    // it is made when that step starts, so the last step's changes go to disk without one.
    if (file_->changed()) {
        changed_ = true;
        if (state_.statistics) state_.statistics->stepChangedFile();
    }
}

bool FileSession::finish() {
    const bool ok = write();
    if (state_.statistics) state_.statistics->fileFinished(changed_, !ok);
    return ok;
}

void FileSession::tellObserver() {
    if (!state_.finished || failed_ || !file_) return;
    try {
        state_.finished->fileFinished(path_, std::move(file_), left_);
    } catch (const std::exception&) {
        // The observer learns nothing of this file (not enough memory, say); whatever it serves
        // reads the file instead.
    }
}

bool FileSession::write() {
    if (failed_) return false;
    if (!changed_) return true;
    // No command reads a file above the limit, so a conversion must not make one: the file could
    // be neither checked, fixed nor converted again.
    if (file_->bytes().size() > fs_.largestProjectFile()) {
        fail("cannot write", "converted it would be " + std::to_string(file_->bytes().size()) + " bytes, larger than " +
                                 largestProjectFileText(fs_) + ", more than any form, user control or project holds");
        return false;
    }
    // Another program that wrote the file meanwhile (an editor, a synchronisation tool) keeps
    // what it wrote: replacing it would lose those bytes, which no backup holds.
    if (!sameContentStamp(fs_.entryInfo(path_), read_)) {
        fail("cannot write", "another program changed it while it was being converted");
        return false;
    }
    try {
        const std::string& bytes = file_->bytes();
        fs_.writeFile(path_, bytes);
        writtenStamp_ = stampOf(bytes);
        if (state_.finished) left_ = fs_.entryInfo(path_);
        logStoreWarnings(fs_, host_);
    } catch (const FileError& e) {
        fail("cannot write", e.cause());
        return false;
    } catch (const std::bad_alloc&) {
        fail("cannot write", kNoMemory);
        return false;
    }
    return true;
}

}  // namespace tavkonv40
