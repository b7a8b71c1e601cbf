// The order in which Tab visits the form's controls: as they appear on the screen, top to bottom
// and left to right, the same for every window system.  A window system skips the stops it
// cannot visit (the hidden panel's rows and commands, disabled controls).
#pragma once

#include <cstddef>
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

// What `fn` makes of the control `stop` names in `f`, a form that holds its controls under the
// arrays' names (each as the form keeps it, handed to `fn` as it is).
template <typename Form, typename Fn>
auto AtStop(Form& f, const FocusStop& stop, Fn fn) {
    const auto i = static_cast<std::size_t>(stop.index);
    switch (stop.array) {
        case FormArray::TabHeader: return fn(f.TabHeader);
        case FormArray::chkProp: return fn(f.chkProp.at(i));
        case FormArray::chkPropTo40: return fn(f.chkPropTo40.at(i));
        case FormArray::chkPropTo4L: return fn(f.chkPropTo4L.at(i));
        case FormArray::chkVBProp: return fn(f.chkVBProp.at(i));
        case FormArray::chkVBPropTo40: return fn(f.chkVBPropTo40.at(i));
        case FormArray::chkVBPropTo4L: return fn(f.chkVBPropTo4L.at(i));
        case FormArray::cmd: return fn(f.cmd.at(i));
        case FormArray::txtPath: return fn(f.txtPath);
        case FormArray::List1: return fn(f.List1);
    }
    return decltype(fn(f.TabHeader)){};
}

}  // namespace dialog
