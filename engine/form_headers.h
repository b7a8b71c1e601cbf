// Conversion step: the control-file reference lines of a form or user-control header.
#pragma once

#include <string_view>

#include "engine/step_context.h"

namespace tavkonv40 {

// A header line naming the control file of a selected suite family becomes the family's header
// reference line for the edition of its row.
void ConvertFormHeaders(StepContext& ctx);

}  // namespace tavkonv40
