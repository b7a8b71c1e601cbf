#include "engine/run_statistics.h"

#include <algorithm>

#include "engine/text_file.h"

namespace tavkonv40 {

namespace {

// The steps' names in the summary and the report, in the order of StepKind.
constexpr std::array<std::string_view, kStepKindCount> kStepNames{
    "headers",
    "body",
    "declarations",
    "Microsoft controls",
    "form required controls",
    "project headers",
    "project required controls",
};

constexpr std::array<std::string_view, kFileKindCount> kFileKindNames{"forms", "user controls", "projects"};

}  // namespace

std::string_view stepName(StepKind kind) { return kStepNames[static_cast<std::size_t>(kind)]; }

std::string_view fileKindName(FileKind kind) { return kFileKindNames[static_cast<std::size_t>(kind)]; }

void RunStatistics::Counts::add(const Counts& other) {
    for (std::size_t i = 0; i < linesRewritten.size(); ++i) linesRewritten[i] += other.linesRewritten[i];
    for (std::size_t i = 0; i < microsoftReplaced.size(); ++i) microsoftReplaced[i] += other.microsoftReplaced[i];
    formReferenceLines += other.formReferenceLines;
    projectReferenceLines += other.projectReferenceLines;
}

void RunStatistics::beginFile(std::string name, FileKind kind) {
    closeStep();
    file_ = Counts{};
    FileRecord record;
    record.name = std::move(name);
    record.kind = kind;
    files_.push_back(std::move(record));
}

void RunStatistics::beginFile(std::string name) {
    // The run passes only names with a kind; anything else is counted as a form.
    const FileKind kind = fileKindOfName(name).value_or(FileKind::Form);
    beginFile(std::move(name), kind);
}

void RunStatistics::beginStep(StepKind kind) {
    closeStep();
    inStep_ = true;
    step_ = kind;
}

void RunStatistics::closeStep() {
    if (!inStep_) return;
    std::sort(stepLines_.begin(), stepLines_.end());
    file_.linesRewritten[index(step_)] +=
        static_cast<std::size_t>(std::unique(stepLines_.begin(), stepLines_.end()) - stepLines_.begin());
    stepLines_.clear();
    inStep_ = false;
}

void RunStatistics::lineReplaced(const TextFile& file, std::size_t n, std::string_view newText) {
    // The steps compose multi-line texts with CR LF whatever the file's own line ends.
    std::size_t breaks = 0;
    for (auto p = newText.find("\r\n"); p != std::string_view::npos; p = newText.find("\r\n", p + 2)) ++breaks;
    const std::string_view first = newText.substr(0, newText.find("\r\n"));
    const bool differs = n > file.lineCount() ? !newText.empty() : file.line(n) != first;
    if (differs) stepLines_.push_back(n);
    if (breaks == 0) return;
    // A required-controls rewrite is the line itself, the reference lines it adds, and a line
    // break that leaves one empty line behind them.
    const std::size_t references = breaks - 1;
    if (step_ == StepKind::FormRequiredControls) file_.formReferenceLines += references;
    if (step_ == StepKind::ProjectRequiredControls) file_.projectReferenceLines += references;
}

void RunStatistics::stepChangedFile() {
    if (!files_.empty()) files_.back().changedBy.push_back(step_);
}

void RunStatistics::microsoftControlReplaced(int option) {
    ++file_.microsoftReplaced.at(static_cast<std::size_t>(option));
}

void RunStatistics::fileFinished(bool changed, bool failed) {
    closeStep();
    if (changed && !failed) run_.add(file_);
    file_ = Counts{};
    if (files_.empty()) return;
    files_.back().changed = changed && !failed;
    files_.back().failed = failed;
}

std::size_t RunStatistics::filesExamined(FileKind kind) const {
    return static_cast<std::size_t>(
        std::count_if(files_.begin(), files_.end(), [&](const FileRecord& f) { return f.kind == kind; }));
}

std::size_t RunStatistics::filesChanged() const {
    return static_cast<std::size_t>(
        std::count_if(files_.begin(), files_.end(), [](const FileRecord& f) { return f.changed; }));
}

std::size_t RunStatistics::filesFailed() const {
    return static_cast<std::size_t>(
        std::count_if(files_.begin(), files_.end(), [](const FileRecord& f) { return f.failed; }));
}

}  // namespace tavkonv40
