// Conversion step: the library and class of suite controls' Begin lines.
#pragma once

#include "step_context.h"

namespace tavkonv40 {

void ConvertFormBody(StepContext& ctx);

}  // namespace tavkonv40
