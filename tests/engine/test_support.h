// Shared fakes for engine tests: a host that records the log, a fixed clock.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "engine/catalogue.h"
#include "engine/conversion_run.h"
#include "engine/options.h"
#include "engine/run_host.h"
#include "engine/step_context.h"
#include "engine/text_file.h"
#include "testing/memory_file_system.h"

namespace tavkonv40::test {

class RecordingHost : public RunHost {
  public:
    void appendLog(std::string_view line, LogLineKind kind) override {
        log.emplace_back(line);
        if (kind == LogLineKind::Error) errors.emplace_back(line);
        if (onLine) onLine(log.back());
    }
    void yield() override {}
    bool cancelRequested() const override { return cancel; }
    bool showsStatus() const override { return recordStatus; }
    void setStatus(std::string_view s) override {
        statuses.emplace_back(s);
        if (cancelAtStatus == statuses.size()) cancel = true;
    }

    std::vector<std::string> log;
    std::vector<std::string> errors;
    std::vector<std::string> statuses;
    bool cancel = false;
    bool recordStatus = false;
    // Cancels when the status shows this (1-based) line, as a "Cancel" click during it would.
    std::size_t cancelAtStatus = 0;
    std::function<void(const std::string&)> onLine;
};

class FixedClock : public Clock {
  public:
    std::string timeOfDay() override { return "5:49:20 PM"; }
    std::tm now() override {
        std::tm t{};
        t.tm_year = 2026 - 1900, t.tm_mon = 1, t.tm_mday = 1;  // 1 February 2026
        t.tm_hour = 9, t.tm_min = 3, t.tm_sec = 7;
        return t;
    }
};

// A clock a test moves on by whole seconds.
class SteppingClock : public FixedClock {
  public:
    std::tm now() override {
        std::tm t = FixedClock::now();
        t.tm_sec += seconds;
        return t;
    }
    int seconds = 0;
};

// Runs one step on a file's bytes and returns the bytes it leaves.
inline std::string runStep(void (*step)(StepContext&), const std::string& bytes, const OptionsSource& options,
                           RunHost& host, RunState& state) {
    TextFile file(bytes);
    StepContext ctx{file, options, host, state};
    step(ctx);
    return file.bytes();
}

inline std::string runStep(void (*step)(StepContext&), const std::string& bytes, const OptionsSource& options) {
    RecordingHost host;
    RunState state;
    return runStep(step, bytes, options, host, state);
}

// Whether `text` holds `part`; a failure shows both.
inline ::testing::AssertionResult holds(std::string_view text, std::string_view part) {
    if (text.find(part) != std::string_view::npos) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "\"" << text << "\" does not hold \"" << part << "\"";
}

// Whether `lines` is one line only, and it holds `part`.
inline ::testing::AssertionResult oneLineHolding(const std::vector<std::string>& lines, std::string_view part) {
    if (lines.size() == 1) return holds(lines[0], part);
    auto failure = ::testing::AssertionFailure() << lines.size() << " lines, not one holding \"" << part << "\":";
    for (const auto& line : lines) failure << "\n" << line;
    return failure;
}

// The lines joined, each ended with CR LF.
inline std::string crlf(const std::vector<std::string>& lines) {
    std::string s;
    for (const auto& l : lines) s += l + "\r\n";
    return s;
}

// The catalogue's header and project reference lines of a family.
inline std::string headerLine(std::string_view family, Edition e) {
    return BuildReferenceTables().header(findFamily(family)->slot, e);
}
inline std::string projectLine(std::string_view family, Edition e) {
    return BuildReferenceTables().project(findFamily(family)->slot, e);
}

// A whole run over a folder: the named files as the run leaves them, its log and its result.
struct FolderRun {
    std::map<std::string, std::string> files;
    RecordingHost host;
    RunResult result;
};

inline FolderRun runFolder(FileSystem& store, const std::string& folder, const std::vector<std::string>& names,
                           const OptionsSource& options) {
    FolderRun r;
    FixedClock clock;
    RunEnvironment env{store, r.host, options, clock};
    r.result = RunConversion(env, folder);
    for (const auto& name : names) r.files[name] = store.readFile(folder + "/" + name);
    return r;
}

// The same run in memory, over the files (name -> bytes) in /p.
inline FolderRun runFolder(const std::map<std::string, std::string>& files, const OptionsSource& options) {
    MemoryFileSystem store;
    store.addFolder("/p");
    std::vector<std::string> names;
    for (const auto& [name, bytes] : files) {
        store.addFile("/p/" + name, bytes);
        names.push_back(name);
    }
    return runFolder(store, "/p", names, options);
}

inline constexpr const char* kBackupName = "Nexaria Conversion Backup 02.01.2026 09.03.07";

}  // namespace tavkonv40::test
