// Conversion step: Microsoft controls of a form replaced by suite controls.
#pragma once

#include "engine/step_context.h"

namespace tavkonv40 {

void CheckFRMVBBODYForUpdate(StepContext& ctx);

}  // namespace tavkonv40
