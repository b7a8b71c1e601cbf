// The run's options, read live from the form's check boxes and option buttons:
// a change made while a run goes on reaches the files converted after it.
#pragma once

#include "form_controls.h"

#include "options.h"

namespace dialog {

class DialogOptions : public tavkonv40::OptionsSource {
public:
    explicit DialogOptions(const FormControls& controls) : m_c(controls) {}

    bool familySelected(int optionIndex) const override { return m_c.chkProp.at(idx(optionIndex))->Value(); }
    int familyRow(int optionIndex) const override { return TagOf(m_c.chkProp.at(idx(optionIndex))); }
    bool rowTo40(int row) const override { return m_c.chkPropTo40.at(idx(row))->Value(); }
    bool microsoftSelected(int option) const override { return m_c.chkVBProp.at(idx(option))->Value(); }
    bool microsoftTo40(int option) const override { return m_c.chkVBPropTo40.at(idx(option))->Value(); }
    int microsoftSlot(int option) const override { return TagOf(m_c.chkVBProp.at(idx(option))); }

private:
    static std::size_t idx(int i) { return static_cast<std::size_t>(i); }
    const FormControls& m_c;
};

}  // namespace dialog
