// Conversion step: suite library names in declarations and event parameters of the code.
#pragma once

#include "engine/step_context.h"

namespace tavkonv40 {

// Every line naming, after a blank, a suite library of a selected family gets the family's
// library of the chosen edition in place of the first occurrence of that name.
void CheckEVENTSForUpdate(StepContext& ctx);

}  // namespace tavkonv40
