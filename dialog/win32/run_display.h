// Where a run's lines go on the Win32 form: the log list, the status text painted in the status
// strip, and the run's yield, the one-shot pass over the waiting messages.
#pragma once

#include "controls/LB.h"
#include "dialog/dialog_model.h"

#include <functional>
#include <string>
#include <vector>

namespace dialog::win32 {

class RunDisplay : public dialog::RunDisplay {
  public:
    // `statusChanged` repaints the status strip at once.
    RunDisplay(LB& log, std::function<void()> statusChanged) : m_log(log), m_statusChanged(std::move(statusChanged)) {}

    void clearLog() override { m_log.Clear(); }
    void appendLog(std::string_view line, tavkonv40::LogLineKind) override;
    void yield() override;
    void setStatus(std::string_view text) override;

    const std::string& status() const { return m_status; }

  private:
    LB& m_log;
    std::function<void()> m_statusChanged;
    std::string m_status = "Current Folder";  // what the strip says before any run
};

}  // namespace dialog::win32
