// Counts what a run did, for the summary and the report: which steps changed which file, how
// many lines each step rewrote, how many Microsoft controls of each option were replaced and how
// many reference lines forms and projects received. Counting never changes what a run writes or
// logs; a run without a collector counts nothing.
#pragma once

#include <array>
#include <cstddef>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "engine/catalogue.h"
#include "engine/file_kind.h"

namespace tavkonv40 {

class TextFile;

// One conversion step, whichever file kinds run it.
enum class StepKind {
    Headers,
    Body,
    Declarations,
    MicrosoftControls,
    FormRequiredControls,
    ProjectHeaders,
    ProjectRequiredControls,
};
inline constexpr std::size_t kStepKindCount = 7;

// The step's name in the summary and the report ("form headers", ...).
std::string_view stepName(StepKind kind);

std::string_view fileKindName(FileKind kind);  // "forms", "user controls", "projects"

struct FileRecord {
    std::string name;  // as listed in the folder
    FileKind kind = FileKind::Form;
    std::vector<StepKind> changedBy;  // in the order the steps ran
    bool changed = false;             // written (bytes differ from what was read)
    bool failed = false;
};

class RunStatistics {
  public:
    // --- what the run reports (called by the engine) ---
    void beginFile(std::string name, FileKind kind);
    void beginFile(std::string name);  // the kind from the name's last three letters
    void beginStep(StepKind kind);
    // Line n of `file` is about to become newText.
    void lineReplaced(const TextFile& file, std::size_t n, std::string_view newText);
    void stepChangedFile();
    void microsoftControlReplaced(int option);
    void fileFinished(bool changed, bool failed);

    // --- what the summary reads ---
    const std::vector<FileRecord>& files() const { return files_; }
    std::size_t filesExamined(FileKind kind) const;
    std::size_t filesChanged() const;
    std::size_t filesFailed() const;
    std::size_t linesRewritten(StepKind kind) const { return run_.linesRewritten[index(kind)]; }
    std::size_t microsoftControlsReplaced(int option) const {
        return run_.microsoftReplaced.at(static_cast<std::size_t>(option));
    }
    std::size_t referenceLinesAddedToForms() const { return run_.formReferenceLines; }
    std::size_t referenceLinesAddedToProjects() const { return run_.projectReferenceLines; }

  private:
    static std::size_t index(StepKind k) { return static_cast<std::size_t>(k); }
    void closeStep();

    // What the rewrites of files changed. A file's own counts are added to the run's only once it
    // was written: a rewrite that never reached the disk changed nothing.
    struct Counts {
        std::array<std::size_t, kStepKindCount> linesRewritten{};
        std::array<std::size_t, kMicrosoftOptionCount> microsoftReplaced{};
        std::size_t formReferenceLines = 0;
        std::size_t projectReferenceLines = 0;
        void add(const Counts& other);
    };

    std::vector<FileRecord> files_;
    Counts run_;
    Counts file_;

    bool inStep_ = false;
    StepKind step_ = StepKind::Headers;
    // Lines of the current file that the current step changed: a step may rewrite one line more
    // than once (a Begin line naming two families), and that is one line rewritten.
    // Kept as a plain list (no allocation per line) and made unique when the step ends.
    std::vector<std::size_t> stepLines_;
};

}  // namespace tavkonv40
