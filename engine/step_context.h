// What one conversion step works with, and the line-writing operations every step shares.
#pragma once

#include <array>
#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

#include "engine/catalogue.h"
#include "engine/file_system.h"
#include "engine/options.h"
#include "engine/run_statistics.h"
#include "engine/run_host.h"
#include "engine/text_file.h"

namespace tavkonv40 {

// Told of each file a run's pass leaves as it should be (converted and written, or already up to
// date), with the file's text as the last step left it (the observer keeps it as long as it needs
// it; when changed(), its lines are those of TextFile::continueFrom) and its stamp as it was left: work after the run that would read the file again (the summary's check)
// takes what it needs from here instead. Must not throw.
class FinishedFileObserver {
  public:
    virtual ~FinishedFileObserver() = default;
    virtual void fileFinished(const std::string& path, std::unique_ptr<TextFile> text, const EntryInfo& stamp) = 0;
};

// State that lives for one run and crosses files.
struct RunState {
    ReferenceTables tables = BuildReferenceTables();
    // Set when a Microsoft control of option i was replaced; read by the required-reference steps.
    std::array<bool, kMicrosoftOptionCount> formNeedsLibrary{};
    std::array<bool, kMicrosoftOptionCount> projectNeedsLibrary{};
    // Where the run's counts go; none are kept when it is null.
    RunStatistics* statistics = nullptr;
    // Told of every file finished; none is told when it is null.
    FinishedFileObserver* finished = nullptr;
};

struct StepContext {
    TextFile& file;
    const OptionsSource& options;
    RunHost& host;
    RunState& state;

    bool cancelled() const { return host.cancelRequested(); }
    // "Checking Line: " + n + two blanks + the line, when the host shows a status at all.
    void showCheckingLine(std::size_t n, std::string_view text);
    // The status a scan of every line leaves behind: its last line. Steps that visit only the
    // lines that can match call this when they finish; the status is only ever seen when the
    // host next yields, which no step does, so what the user sees is the same.
    void showScanEnd();

    std::size_t lastShownLine = 0;
};

std::string checkingLineText(std::size_t n, std::string_view text);

// Line n of the file becomes newText (which may hold CR LF pairs: the file then has more lines).
void ReplaceFileLine(StepContext& ctx, std::size_t n, std::string_view newText);

// In lineText, the first occurrence of oldToken becomes newToken + the option row's edition
// suffix; the result is written as line n. A line without the token is left alone.
void ReplaceFileLineToken(StepContext& ctx, std::size_t n, std::string_view lineText, std::string_view oldToken,
                          std::string_view newToken, int optionRow);

// Line n becomes the header / project reference line of the slot for the edition.
void WriteFormHeaderLine(StepContext& ctx, std::size_t n, int slot, Edition edition);
void WriteProjectObjectLine(StepContext& ctx, std::size_t n, int slot, Edition edition);

}  // namespace tavkonv40
