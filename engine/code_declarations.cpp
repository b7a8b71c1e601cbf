#include "code_declarations.h"

namespace tavkonv40 {

void CheckEVENTSForUpdate(StepContext&) {}

}  // namespace tavkonv40
