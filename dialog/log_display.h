// Where a run's lines appear on the form: the log list (the newest line
// selected, then one yield, which is where a "Cancel" click arrives) and the
// status label.
#pragma once

#include "dialog/dialog_model.h"
#include "dialog/form_controls.h"

namespace dialog {

class LogDisplay : public RunDisplay {
  public:
    explicit LogDisplay(const FormControls& controls) : m_c(controls) {}

    void clearLog() override;
    // Error lines are ordinary log lines here.
    void appendLog(std::string_view line, tavkonv40::LogLineKind kind) override;
    void yield() override;
    void setStatus(std::string_view text) override;

  private:
    const FormControls& m_c;
};

}  // namespace dialog
