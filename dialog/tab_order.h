// The order in which Tab visits the form's controls: as they appear on the screen, top to bottom
// and left to right, the same for every window system.  A window system skips the stops it
// cannot visit (the hidden panel's rows and commands, disabled controls).
#pragma once

#include <vector>

namespace dialog {

// The form's controls, by the array the form's code addresses them with.
enum class FormArray {
    TabHeader,
    chkProp,
    chkPropTo40,
    chkPropTo4L,
    chkVBProp,
    chkVBPropTo40,
    chkVBPropTo4L,
    cmd,
    txtPath,
    List1
};

struct FocusStop {
    FormArray array;
    int index = 0;  // chkProp by option index, chkPropTo40/4L by option row, cmd by Command
    friend bool operator==(const FocusStop&, const FocusStop&) = default;
};

// The tab strip; each suite row (check box, 4.0, 4.0L) down the left column, then the right; each
// Microsoft row; each panel's Select All, Clear All, Set All; the folder box, "...", the log;
// Start, Close (Cancel during a run), Help.
const std::vector<FocusStop>& TabOrder();

}  // namespace dialog
