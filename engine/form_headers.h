// Conversion step: the control-file reference lines of a form or user-control header.
#pragma once

#include "step_context.h"

namespace tavkonv40 {

void ConvertFormHeaders(StepContext& ctx);

}  // namespace tavkonv40
