// The control-file names by which a project's "Object=" line is recognised as a suite family's.
// Project files keep their own lists: they differ from those the form headers accept.
#pragma once

#include <array>
#include <string_view>

#include "engine/catalogue.h"

namespace tavkonv40 {

struct ProjectFamilyNames {
    int slot;                                // catalogue slot
    int optionIndex;                         // the family's chkProp(k)
    std::array<std::string_view, 12> names;  // matched at the very end of the line; empty entries unused
};

// In the order the families are tried on a line.
const std::array<ProjectFamilyNames, kFamilyCount>& projectFamilyNames();

}  // namespace tavkonv40
