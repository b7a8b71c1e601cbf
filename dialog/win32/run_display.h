// Where a run's lines go on the Win32 form: the log lines are kept for the log list to show (the
// list itself is still to come on this window system), the status text is painted in the status
// strip, and the run's yield is the one-shot pass over the waiting messages.
#pragma once

#include "dialog/dialog_model.h"

#include <functional>
#include <string>
#include <vector>

namespace dialog::win32 {

class RunDisplay : public dialog::RunDisplay {
  public:
    // `statusChanged` repaints the status strip at once.
    explicit RunDisplay(std::function<void()> statusChanged) : m_statusChanged(std::move(statusChanged)) {}

    void clearLog() override { m_lines.clear(); }
    void appendLog(std::string_view line, tavkonv40::LogLineKind) override { m_lines.emplace_back(line); }
    void yield() override;
    void setStatus(std::string_view text) override;

    const std::vector<std::string>& lines() const { return m_lines; }
    const std::string& status() const { return m_status; }

  private:
    std::function<void()> m_statusChanged;
    std::vector<std::string> m_lines;
    std::string m_status = "Current Folder";  // what the strip says before any run
};

}  // namespace dialog::win32
