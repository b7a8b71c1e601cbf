#include "microsoft_controls.h"

namespace tavkonv40 {

void CheckFRMVBBODYForUpdate(StepContext&) {}

}  // namespace tavkonv40
