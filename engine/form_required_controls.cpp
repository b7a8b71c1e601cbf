#include "form_required_controls.h"

namespace tavkonv40 {

void CheckFormRequiredControls(StepContext&) {}

}  // namespace tavkonv40
