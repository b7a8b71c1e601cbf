// What a run does to the form: log lines go into List1 (the newest selected,
// then one yield, which is where a "Cancel" click arrives), the status label
// shows the line being checked, and the cancel flag is the form's own.
#pragma once

#include "form_controls.h"

#include "run_host.h"

#include <cstdint>

namespace dialog {

class DialogRunHost : public tavkonv40::RunHost {
public:
    // `cancelFlag`: 0 or -1, owned by the dialog object.
    DialogRunHost(const FormControls& controls, const std::int16_t& cancelFlag) : m_c(controls), m_cancel(cancelFlag) {}

    void appendLog(std::string_view line, tavkonv40::LogLineKind kind) override;
    void yield() override;
    bool cancelRequested() const override { return m_cancel != 0; }
    bool showsStatus() const override { return true; }
    void setStatus(std::string_view text) override;
    void runStarted() override;

private:
    const FormControls& m_c;
    const std::int16_t& m_cancel;
};

}  // namespace dialog
