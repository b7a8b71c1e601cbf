#include "project_references.h"

namespace tavkonv40 {

void ConvertProjectObjects(StepContext&) {}
void CheckProjectRequiredControls(StepContext&) {}

}  // namespace tavkonv40
