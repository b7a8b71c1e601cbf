// Conversion steps of a project file: its own control references, and the references that
// replaced Microsoft controls need.
#pragma once

#include "step_context.h"

namespace tavkonv40 {

void ConvertProjectObjects(StepContext& ctx);
void CheckProjectRequiredControls(StepContext& ctx);

}  // namespace tavkonv40
