// A one-line "files done of total, current file" display on a terminal's standard error. It is
// erased before every log line is printed and drawn again afterwards, so it never ends up in the
// log, and erased for good when the run ends.
#pragma once

#include <chrono>
#include <cstddef>
#include <ostream>
#include <string>
#include <string_view>

namespace tavkonv40::cli {

enum class Terminal { No, Yes };

class ProgressDisplay {
  public:
    using Clock = std::chrono::steady_clock;

    // Shows nothing at all unless `terminal` is Yes. `total` is the number of files the run will
    // convert (forms, user controls and projects in the folder).
    ProgressDisplay(std::ostream& err, Terminal terminal, std::size_t total);
    ~ProgressDisplay();

    // Around every log line the host prints.
    void beforeLogLine();
    void afterLogLine(std::string_view line);
    // Removes the display for good.
    void finish();

    bool active() const { return active_; }
    // The display's text, e.g. "[2/7] frmMain.frm".
    std::string text() const;

    // Redraws after a log line are spaced at least this far apart, except when a file starts.
    std::chrono::milliseconds interval{100};
    // The time source (tests step it by hand).
    Clock::time_point (*now)() = &Clock::now;

  private:
    void draw();
    void erase();

    std::ostream& err_;
    bool active_;
    bool shown_ = false;
    std::size_t total_;
    std::size_t done_ = 0;
    std::string current_;
    Clock::time_point lastDraw_{};
};

// The name a "Found ... file (NAME).  Checking ..." line starts, or empty.
std::string startedFile(std::string_view logLine);
// Whether the line ends a file ("... File is now up to date.").
bool finishedFile(std::string_view logLine);

}  // namespace tavkonv40::cli
