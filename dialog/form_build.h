// Creating the form's windows and controls, with their names, captions and
// fixed places inside the option panels.  Sizes that follow the window are
// the layout's business (form_layout.h); signals are wired by frmProps.
#pragma once

#include "dialog/form_view.h"

namespace dialog {

void BuildForm(FormView& f);

}  // namespace dialog
