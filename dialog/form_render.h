// Setting the form's controls from the model, on either window system: the option rows, the
// command buttons, the folder box and the option panel's scroll bar. A control is set only where it differs, so rendering costs
// nothing where nothing changed and raises no events of its own.
#pragma once

#include "dialog/dialog_model.h"
#include "dialog/panel_scroll.h"

#include "controls/BTN.h"
#include "controls/CHKBOX.h"
#include "controls/Opt.h"
#include "controls/VSC.h"
#include "controls/txt.h"

#include <cstddef>
#include <string>

namespace dialog {

template <typename Control>
void SetValue(Control& c, bool value) {
    if (c.Value() != value) c.SetValue(value);
}
template <typename Control>
void SetEnabled(Control& c, bool on) {
    if (c.Enabled() != on) c.SetEnabled(on);
}

// A row's check box as made: its caption. A row's edition button (4.0 or 4.0L) as made: no
// caption, grouped with its pair by the row's index.
void InitRowCheck(CHKBOX& check, const std::u16string& caption);
void InitEditionOption(Opt& option, int row);

// `Form` holds the rows as the forms name them (chkProp, chkPropTo40, ...), each element a
// pointer to a host with Control().
template <typename Form>
void RenderOptionRows(Form& f, const DialogModel& m) {
    const auto at = [](int i) { return static_cast<std::size_t>(i); };
    for (int k = 0; k < tavkonv40::kFamilyCount; ++k) SetValue(f.chkProp[at(k)]->Control(), m.familyTicked(k));
    for (int r = 0; r < tavkonv40::kFamilyCount; ++r) {
        SetValue(f.chkPropTo40[at(r)]->Control(), m.rowTo40(r));
        SetValue(f.chkPropTo4L[at(r)]->Control(), !m.rowTo40(r));
        SetEnabled(f.chkPropTo40[at(r)]->Control(), m.rowEnabled(r));
        SetEnabled(f.chkPropTo4L[at(r)]->Control(), m.rowEnabled(r));
    }
    for (int i = 0; i < tavkonv40::kMicrosoftOptionCount; ++i) {
        SetValue(f.chkVBProp[at(i)]->Control(), m.microsoftTicked(i));
        SetValue(f.chkVBPropTo40[at(i)]->Control(), m.microsoftTo40(i));
        SetValue(f.chkVBPropTo4L[at(i)]->Control(), !m.microsoftTo40(i));
        SetEnabled(f.chkVBPropTo40[at(i)]->Control(), m.microsoftEnabled(i));
        SetEnabled(f.chkVBPropTo4L[at(i)]->Control(), m.microsoftEnabled(i));
    }
}

// The button's caption (Close reads Cancel during a run) and whether it can be pressed.
void RenderCommand(BTN& button, const DialogModel& m, Command command);
// Every command button (`buttons` by Command, each a host with Control()).
template <typename Buttons>
void RenderCommands(Buttons& buttons, const DialogModel& m) {
    for (int index = 0; index < kCommandCount; ++index)
        RenderCommand(buttons[static_cast<std::size_t>(index)]->Control(), m, static_cast<Command>(index));
}

// The folder box shows `folder` (the model's, in UTF-16) and is read-only while a run goes on.
void RenderFolderBox(txt& box, const std::u16string& folder, const DialogModel& m);

// The option panel's scroll bar for the `shown` panel in `space` pixels below the panel title:
// range, page, row step, thumb and enabling, its position kept within the range. The form then
// moves the panel to PanelTop(bar.Value()).
PanelScroll RenderPanelScroll(VSC& bar, Panel shown, int space);
// The bar moved by a mouse wheel turn over the panel, or so that the panel's pixel rows
// top..bottom (a row the keyboard reached) are in sight; true when it moved.
bool WheelPanelScroll(VSC& bar, Panel shown, int space, int angleDelta);
bool ScrollPanelToShow(VSC& bar, Panel shown, int space, int top, int bottom);

}  // namespace dialog
