// What a conversion run needs from whoever hosts it (the dialog, the command line, a test).
#pragma once

#include <cstdint>
#include <ctime>
#include <string>
#include <string_view>

namespace tavkonv40 {

enum class LogLineKind { Progress, Error };

class RunHost {
  public:
    virtual ~RunHost() = default;

    // Appends one line to the log. Error lines are the only lines the engine adds beyond the
    // run's own progress lines.
    virtual void appendLog(std::string_view line, LogLineKind kind) = 0;
    // Lets the host process pending events once (the dialog repaints and sees "Cancel").
    virtual void yield() {}
    virtual bool cancelRequested() const = 0;
    // A second, more urgent request: even the backup copy stops (nothing has been converted
    // while it runs, so the partial copy is removed and the run changes nothing).
    virtual bool stopRequested() const { return false; }

    // The status label. A host that shows none returns false and no status text is composed.
    virtual bool showsStatus() const { return false; }
    virtual void setStatus(std::string_view) {}

    // The run's start: "Cancel" replaces "Close", "Start" is disabled.
    virtual void runStarted() {}
};

class Clock {
  public:
    virtual ~Clock() = default;
    // The time of day in the user's regional format.
    virtual std::string timeOfDay() = 0;
    // The local date and time, read once per call.
    virtual std::tm now() = 0;
    // The moment itself, in nanoseconds since 1970: what a backup's record keeps as the time it
    // was made, and what orders backups (a name holds only the local time to the second).
    virtual std::int64_t instant();
};

// AddLogLine: appends a progress line and yields once, the main point at which a "Cancel"
// reaches a running conversion.
inline void AddLogLine(RunHost& host, std::string_view line) {
    host.appendLog(line, LogLineKind::Progress);
    host.yield();
}

inline void addErrorLine(RunHost& host, const std::string& line) {
    host.appendLog(line, LogLineKind::Error);
    host.yield();
}

// The real clock; the time of day is the C library's "%X" in the LC_TIME locale the program set.
class SystemClock : public Clock {
  public:
    std::string timeOfDay() override;
    std::tm now() override;
};

}  // namespace tavkonv40
