// Conversion step: header reference lines that replaced controls of a form need.
#pragma once

#include "engine/step_context.h"

namespace tavkonv40 {

void CheckFormRequiredControls(StepContext& ctx);

}  // namespace tavkonv40
