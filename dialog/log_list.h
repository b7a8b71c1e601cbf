// How the dialog's log list shows a run's lines, on every window system: each line is added as
// it comes and the newest is selected, so the list keeps it in sight.
#pragma once

#include "controls/LB.h"

#include <string>
#include <utility>

namespace dialog {

inline void AppendLogLine(LB& list, std::u16string line) {
    list.AddItem(std::move(line));
    list.SetListIndex(list.ListCount() - 1);
}

}  // namespace dialog
