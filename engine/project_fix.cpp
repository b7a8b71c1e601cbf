#include "engine/project_fix.h"

#include <array>
#include <set>

#include "engine/backup.h"
#include "engine/check_model.h"
#include "engine/file_session.h"
#include "engine/fix_model.h"
#include "engine/run_guard.h"
#include "engine/text_util.h"

namespace tavkonv40 {

namespace {

// Every fix each file goes through, in this order. A line one fix changes is left alone by the
// later ones until the next round.
constexpr std::array<fix::Fix, 4> kFixes = {{
    {"suite names", fix::fixSuiteNames},
    {"reference lines", fix::fixReferences},
    {"project lists", fix::fixProjectLists},
    {"tidiness", fix::fixTidiness},
}};

// Each round can only open the way for fixes of later kinds (a name fixed needs its reference
// line, which its project needs in turn); a few rounds always reach the end.
constexpr int kMaxRounds = 6;

const std::string kLongRule(37, '-');
const std::string kShortRule(35, '-');

// Reads through to the folder, each file as the fixes so far left it: the fixed files are kept
// in memory (writing is judged when the plan is applied), and what each file held when the plan
// first read it is remembered for the check that nothing changed it in between.
class PlanReader final : public FileReader {
  public:
    explicit PlanReader(FileReader& base) : base_(base) {}

    std::map<std::string, std::string> writes;  // path -> bytes after the fixes so far
    std::map<std::string, EntryInfo> readAs;    // each file as it was when the plan first read it
    std::map<std::string, FileStamp> readStamps;

    std::uintmax_t largestProjectFile() const override { return base_.largestProjectFile(); }
    std::vector<std::string> listFolder(const std::string& folder) override { return base_.listFolder(folder); }
    std::string readFile(const std::string& path) override {
        if (const auto it = writes.find(path); it != writes.end()) return it->second;
        if (readAs.count(path)) return base_.readFile(path);
        readAs.emplace(path, base_.entryInfo(path));
        std::string bytes = base_.readFile(path);
        readStamps.emplace(path, stampOf(bytes));
        return bytes;
    }
    EntryInfo entryInfo(const std::string& path) override {
        EntryInfo info = base_.entryInfo(path);
        if (const auto it = writes.find(path); it != writes.end()) info.size = it->second.size();
        return info;
    }
    bool isSymbolicLink(const std::string& path) override { return base_.isSymbolicLink(path); }
    bool isFolder(const std::string& path) override { return base_.isFolder(path); }
    std::string realPath(const std::string& path) override { return base_.realPath(path); }
    long lockHolder(const std::string& folder) override { return base_.lockHolder(folder); }

  private:
    FileReader& base_;
};

class FixVisitor final : public check::FileVisitor {
  public:
    FixVisitor(PlanReader& plan, std::string base, std::vector<AppliedFix>& applied)
        : plan_(plan), base_(std::move(base)), applied_(applied) {}

    void visit(const check::CheckedFile& file, const TextFile& text, check::FolderContext& folder) override {
        fix::FileFixes fixes;
        for (const auto& f : kFixes) f.run(file, folder, fixes);
        if (fixes.empty()) return;
        const std::string before = text.bytes();
        std::string after = fix::applyEdits(before, fixes.edits());
        if (after == before) return;
        for (const auto& note : fixes.notes())
            if (!note.description.empty())
                applied_.push_back({std::string(file.name), note.line, note.kind, note.description});
        plan_.writes[base_ + "/" + std::string(file.name)] = std::move(after);
        changed = true;
    }

    void unreadable(std::string_view, const std::string&) override {}

    bool changed = false;

  private:
    PlanReader& plan_;
    const std::string base_;
    std::vector<AppliedFix>& applied_;
};

std::string fixLine(const AppliedFix& f) { return f.file + ":" + std::to_string(f.line) + ": fixed: " + f.description; }

}  // namespace

FixPlan planFixes(FileReader& fs, const std::string& folder) {
    const std::string base = withoutTrailingSlash(folder);
    PlanReader plan(fs);
    FixPlan result;
    for (int round = 0; round < kMaxRounds; ++round) {
        FixVisitor visitor(plan, base, result.fixes);
        check::visitFolder(plan, base, visitor);
        if (!visitor.changed) break;
    }
    for (auto& [path, bytes] : plan.writes) {
        const std::string name = path.substr(base.size() + 1);
        result.files.emplace(name, std::move(bytes));
        result.readAs.emplace(name, plan.readAs.at(path));
        result.readStamps.emplace(name, plan.readStamps.at(path));
    }
    return result;
}

std::vector<std::string> plannedFiles(const FixPlan& plan) {
    std::vector<std::string> names;
    for (const auto& entry : plan.files) names.push_back(entry.first);
    sortInListingOrder(names);
    return names;
}

namespace {

class FixRun {
  public:
    FixRun(FileSystem& fs, RunHost& host, Clock& clock, const std::string& folder)
        : fs_(fs), host_(host), clock_(clock), folder_(folder), base_(withoutTrailingSlash(folder)) {}

    FixResult go() {
        fs_.listFolder(base_);  // a folder that cannot be listed is reported before anything is logged
        // The same guard as a run's: no other run or restore at work, no interrupted run's backup.
        const RunGuard guard(fs_, folder_);
        if (guard.refusal() != RunRefusal::None) {
            addErrorLine(host_, errorLine(guard.reason()));
            result_.refusal = guard.refusal();
            result_.ending = FixEnding::Refused;
            return std::move(result_);
        }
        result_.plan = planFixes(fs_, folder_);
        AddLogLine(host_, "Starting fixes " + clock_.timeOfDay());
        AddLogLine(host_, kLongRule);
        logFixes();
        if (result_.plan.files.empty()) {
            AddLogLine(host_, "Nothing to fix.");
            return end(FixEnding::NothingToFix, nullptr);
        }
        const Backup backup = BackupFolderToTemp(fs_, host_, clock_, folder_);
        if (!backup.copied) {
            addErrorLine(host_, errorLine("no file was fixed: the fixes are made only with a complete backup"));
            result_.refusal = RunRefusal::NoBackup;
            return end(FixEnding::NoBackup, nullptr);
        }
        writeFiles();
        recordRun(fs_, host_, backup, record_);
        flushWrittenFiles();
        return end(host_.cancelRequested() ? FixEnding::Cancelled : FixEnding::Completed, &backup);
    }

  private:
    // Why a planned file cannot be written at all (a link, a read-only file); empty when it can.
    std::string whyNotWritable(const std::string& name) {
        const std::string path = base_ + "/" + name;
        // Writing through a link would change a file the backup may not hold.
        if (fs_.isSymbolicLink(path)) return "it is a symbolic link";
        try {
            fs_.checkWritable(path);
        } catch (const FileError& e) {
            return e.cause();
        }
        return {};
    }

    // A "fixed:" line only for what is going to be written: a file that cannot be written is named
    // once with the cause, and its fixes are neither logged as made nor attempted.
    void logFixes() {
        for (const auto& name : plannedFiles(result_.plan)) {
            const std::string why = whyNotWritable(name);
            if (why.empty()) continue;
            unwritable_.insert(name);
            ++result_.fileErrors;
            addErrorLine(host_, errorLine("not fixed: " + name + ": " + why));
        }
        for (const auto& f : result_.plan.fixes)
            if (!unwritable_.count(f.file)) AddLogLine(host_, fixLine(f));
    }

    void writeFiles() {
        for (const auto& name : plannedFiles(result_.plan)) {
            if (host_.cancelRequested()) return;
            if (unwritable_.count(name)) continue;
            const std::string& bytes = result_.plan.files.at(name);
            const std::string path = base_ + "/" + name;
            try {
                if (fs_.isSymbolicLink(path)) throw FileError(path, "it is a symbolic link");
                // Another program that wrote the file since the plan read it (an editor, the IDE)
                // keeps what it wrote: the fixes were worked out on bytes it no longer holds.
                if (!sameContentStamp(fs_.entryInfo(path), result_.plan.readAs.at(name)))
                    throw FileError(path, "another program changed it after the fixes were worked out");
                record_.read[name] = result_.plan.readStamps.at(name);
                fs_.writeFile(path, bytes);
                logStoreWarnings(fs_, host_);
                record_.wrote[name] = stampOf(bytes);
                ++result_.filesWritten;
            } catch (const FileError& e) {
                ++result_.fileErrors;
                addErrorLine(host_, errorLine(name + " was not fixed: " + e.cause()));
            }
            host_.yield();
        }
    }

    // As after a run: the fixed files reach the device before their backup takes its dated name.
    void flushWrittenFiles() {
        try {
            fs_.flushFileSystem(base_);
        } catch (const FileError& e) {
            addErrorLine(host_,
                         errorLine("the fixed files could not be flushed to the device: " + std::string(e.what())));
        }
    }

    FixResult end(FixEnding ending, const Backup* backup) {
        if (ending == FixEnding::Cancelled) {
            AddLogLine(host_, kShortRule);
            AddLogLine(host_, "Fixes cancelled. " + clock_.timeOfDay());
        }
        AddLogLine(host_, kShortRule);
        if (backup) {
            const BackupPlacement placement = BackupMoveIntoFolder(fs_, host_, *backup, folder_);
            result_.backupPath = placement.destination;
            result_.backupPlaced = placement.placed;
            AddLogLine(host_, kShortRule);
        }
        AddLogLine(host_, "Fixes complete. " + clock_.timeOfDay());
        result_.ending = ending;
        return std::move(result_);
    }

    FileSystem& fs_;
    RunHost& host_;
    Clock& clock_;
    const std::string folder_;
    const std::string base_;
    FixResult result_;
    std::set<std::string> unwritable_;  // planned files that are not written
    BackupRecord record_;               // the files written, for the backup's record
};

}  // namespace

FixResult RunFixes(FileSystem& fs, RunHost& host, Clock& clock, const std::string& folder) {
    return FixRun(fs, host, clock, folder).go();
}

}  // namespace tavkonv40
