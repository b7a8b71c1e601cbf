#include "form_body.h"

namespace tavkonv40 {

void ConvertFormBody(StepContext&) {}

}  // namespace tavkonv40
