#include "form_headers.h"

namespace tavkonv40 {

void ConvertFormHeaders(StepContext&) {}

}  // namespace tavkonv40
