#include "engine/conversion_run.h"

#include <array>
#include <new>
#include <optional>
#include <vector>

#include "engine/backup.h"
#include "engine/code_declarations.h"
#include "engine/file_session.h"
#include "engine/form_body.h"
#include "engine/form_headers.h"
#include "engine/form_required_controls.h"
#include "engine/microsoft_controls.h"
#include "engine/project_references.h"
#include "engine/text_util.h"

namespace tavkonv40 {

namespace {

const std::string kLongRule(37, '-');
const std::string kShortRule(35, '-');

// One row of a pass: the log line, the step it announces, and what statistics count it as.
struct StepLine {
    const char* heading;
    Step step;
    StepKind kind;
};

struct PassKind {
    const char* suffix;  // upper-cased last three characters of the name
    const char* found;   // "Found VB Form file (" ...
    const char* done;    // "VB Form file (" ...
    std::vector<StepLine> steps;
};

// The run's step table: one row a step, in the order the steps run.
// clang-format off
const PassKind kFormPass{
    "FRM",
    "Found VB Form file (",
    "VB Form file (",
    {
        {"    -checking form headers.....", ConvertFormHeaders, StepKind::Headers},
        {"    -checking form body.....", ConvertFormBody, StepKind::Body},
        {"    -checking form code for required declarations conversion.....", CheckEVENTSForUpdate, StepKind::Declarations},
        {"    -checking form for Microsoft Controls conversion.....", CheckFRMVBBODYForUpdate, StepKind::MicrosoftControls},
        {"    -checking form header for required controls.....", CheckFormRequiredControls, StepKind::FormRequiredControls},
    }};

const PassKind kUserControlPass{
    "CTL",
    "Found VB UserControl file (",
    "VB UserControl file (",
    {
        {"    -checking UserControl headers.....", ConvertFormHeaders, StepKind::Headers},
        {"    -checking UserControl body.....", ConvertFormBody, StepKind::Body},
        {"    -checking UserControl events.....", CheckEVENTSForUpdate, StepKind::Declarations},
    }};

const PassKind kProjectPass{
    "VBP",
    "Found VB Project file (",
    "VB Project file (",
    {
        {"    -checking Project headers.....", ConvertProjectObjects, StepKind::ProjectHeaders},
        {"    -checking Project headers for required controls.....", CheckProjectRequiredControls, StepKind::ProjectRequiredControls},
    }};
// clang-format on

class Run {
  public:
    Run(RunEnvironment& env, RunState& state) : env_(env), state_(state) {}

    RunResult go(const std::string& folderText) {
        env_.host.runStarted();
        state_.tables = BuildReferenceTables();
        folder_ = folderText;
        if (folder_.empty() || !isPathSeparator(folder_.back())) folder_ += '/';
        // Nothing is converted without a complete backup on the device: a refused or failed
        // backup ends the run at once, through its cancelled ending.
        const RunGuard guard(env_.fs, folderText);
        Backup backup;
        if (guard.refusal() != RunRefusal::None) {
            addErrorLine(env_.host, errorLine(guard.reason()));
            result_.refusal = guard.refusal();
        } else {
            backup = BackupFolderToTemp(env_.fs, env_.host, env_.clock, folderText);
            if (!backup.copied) result_.refusal = RunRefusal::NoBackup;
            // A dry run's copy is only checked, never made: there is nothing to compare with.
            if (backup.copied && env_.fs.isFolder(backup.stagingPath)) staged_ = backup.stagingPath;
        }
        state_.formNeedsLibrary.fill(false);
        state_.projectNeedsLibrary.fill(false);

        env_.host.yield();
        if (cancelled()) return end(backup, folderText, RunEnding::Cancelled);
        if (!backup.copied) return notStarted();

        auto listing = search();
        AddLogLine(env_.host, "Starting conversion " + env_.clock.timeOfDay());
        AddLogLine(env_.host, kLongRule);

        if (listing) walk(*listing, kFormPass);
        env_.host.yield();
        if (cancelled()) return end(backup, folderText, RunEnding::Cancelled);

        listing = search();
        if (listing) walk(*listing, kUserControlPass);
        env_.host.yield();
        if (cancelled()) return end(backup, folderText, RunEnding::Cancelled);

        listing = search();
        if (!listing) return end(backup, folderText, RunEnding::Completed);
        walk(*listing, kProjectPass);
        env_.host.yield();
        return end(backup, folderText, cancelled() ? RunEnding::Cancelled : RunEnding::Completed);
    }

  private:
    bool cancelled() const { return env_.host.cancelRequested(); }

    // Each pass lists the folder afresh and works from that snapshot, so a file replaced by
    // rename is never met twice. The snapshot is put in listing order: what the run remembers
    // from file to file (the references replaced controls need) follows the order it meets the
    // files in, so the result must not depend on the order a file system lists them.
    std::optional<std::vector<std::string>> search() {
        try {
            auto names = env_.fs.listFolder(folder_);
            sortInListingOrder(names);
            return names;
        } catch (const FileError&) {
            return std::nullopt;
        }
    }

    void walk(const std::vector<std::string>& names, const PassKind& kind) {
        for (std::string name : names) {
            if (cancelled()) break;
            StripNull(name);
            if (name != "." && name != ".." && lastThreeUpper(name) == kind.suffix) convert(name, kind);
            env_.host.yield();
        }
    }

    void convert(const std::string& name, const PassKind& kind) {
        AddLogLine(env_.host, std::string(kind.found) + name + ").  Checking update requirements.....");
        FileSession session(env_.fs, folder_ + name, env_.options, env_.host, state_);
        // Converting through a link would change a file the backup may not hold (its target can
        // lie outside the folder) or convert one file twice; links are left to their targets.
        // FIFOs, devices and oversized files are refused before anything opens them.
        std::string why = whyNotReadable(env_.fs, folder_ + name, Links::Refused);
        if (why.empty()) {
            why = notAsBackedUp(name);
            // Its copy holds bytes the folder no longer had: a restore must never write it back.
            if (!why.empty()) record_.declined.insert(name);
        }
        if (!why.empty()) session.refuse(why);
        for (const auto& s : kind.steps) {
            AddLogLine(env_.host, s.heading);
            session.run(s.step, s.kind);
        }
        if (session.finish())
            session.tellObserver();
        else
            ++result_.fileErrors;
        if (session.readStamp()) record_.read[name] = *session.readStamp();
        if (session.writtenStamp()) record_.wrote[name] = *session.writtenStamp();
        AddLogLine(env_.host, std::string(kind.done) + name + ").  File is now up to date.");
    }

    // Why the file's bytes are not what its backup holds (empty when they are): another program
    // wrote or made it after the copy, so converting it would leave nothing to restore its
    // present content from. The copy keeps each file's modification time; where that differs,
    // the bytes decide.
    std::string notAsBackedUp(const std::string& name) {
        if (staged_.empty()) return {};
        const EntryInfo now = env_.fs.entryInfo(folder_ + name);
        const EntryInfo kept = env_.fs.entryInfo(staged_ + "/" + name);
        if (now.type != EntryType::RegularFile) return {};  // the session reports what it is
        if (kept.type == EntryType::Missing)
            return "it appeared after the backup copy was made, so the backup does not hold it";
        if (kept.size == now.size && kept.modified == now.modified) return {};
        try {
            if (kept.size == now.size && env_.fs.readFile(staged_ + "/" + name) == env_.fs.readFile(folder_ + name))
                return {};
        } catch (const FileError&) {
            return {};  // the session reports why the file cannot be read
        } catch (const std::bad_alloc&) {
            return {};
        }
        return "another program changed it after the backup copy was made, so the backup does not hold what would "
               "be converted";
    }

    // A refused run, or one without its backup, converted nothing: its error lines said why, and
    // its one ending says so (not "cancelled": nobody cancelled it).
    RunResult notStarted() {
        AddLogLine(env_.host, kShortRule);
        AddLogLine(env_.host, "Conversion stopped before any file was changed." + env_.clock.timeOfDay());
        env_.host.setStatus("");
        result_.ending = RunEnding::NotStarted;
        return result_;
    }

    RunResult end(const Backup& backup, const std::string& folderText, RunEnding ending) {
        if (ending == RunEnding::Cancelled) {
            AddLogLine(env_.host, kShortRule);
            AddLogLine(env_.host, "Conversion cancelled." + env_.clock.timeOfDay());
            env_.host.setStatus("");
        }
        AddLogLine(env_.host, kShortRule);
        env_.host.yield();
        recordRun(env_.fs, env_.host, backup, record_);
        if (backup.copied) flushConvertedFiles(folderText);
        const BackupPlacement placement = BackupMoveIntoFolder(env_.fs, env_.host, backup, folderText);
        result_.backupPath = placement.destination;
        result_.backupPlaced = placement.placed;
        AddLogLine(env_.host, kShortRule);
        AddLogLine(env_.host, "Conversion complete." + env_.clock.timeOfDay());
        env_.host.setStatus("");
        result_.ending = ending;
        return result_;
    }

    // The one flush of a run: the files it replaced reach the device before their backup loses
    // its staging name and before the log calls the run complete.
    void flushConvertedFiles(const std::string& folderText) {
        try {
            env_.fs.flushFileSystem(withoutTrailingSlash(folderText));
        } catch (const FileError& e) {
            addErrorLine(env_.host,
                         errorLine("the converted files could not be flushed to the device: " + std::string(e.what())));
        }
    }

    RunEnvironment& env_;
    RunState& state_;
    std::string folder_;
    std::string staged_;  // the backup copy made for this run, while it has its staging name
    RunResult result_;
    BackupRecord record_;  // what the run read, wrote and declined, for its backup's record
};

}  // namespace

RunResult RunConversion(RunEnvironment& env, RunState& state, const std::string& folder) {
    return Run(env, state).go(folder);
}

RunResult RunConversion(RunEnvironment& env, const std::string& folder) {
    RunState state;
    return RunConversion(env, state, folder);
}

}  // namespace tavkonv40
