// Conversion step: suite library names in declarations and event parameters of the code.
#pragma once

#include "step_context.h"

namespace tavkonv40 {

void CheckEVENTSForUpdate(StepContext& ctx);

}  // namespace tavkonv40
