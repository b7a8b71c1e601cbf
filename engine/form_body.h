// Conversion step: the library and class of suite controls' Begin lines.
#pragma once

#include <string>
#include <string_view>

#include "engine/form_body_table.h"
#include "engine/step_context.h"

namespace tavkonv40 {

// Every Begin line holding a recognised token of a selected family gets the family's library and
// class of the chosen edition; the indentation and the control's name stay.
void ConvertFormBody(StepContext& ctx);

// The line with the first occurrence of oldToken replaced by newPrefix + suffix + newClass, and
// the suffix once more after the class unless classSuffix is Omit. A line without the token is
// returned unchanged.
std::string SpliceClassToken(std::string_view line, std::string_view suffix, std::string_view oldToken,
                             std::string_view newPrefix, std::string_view newClass,
                             ClassSuffix classSuffix = ClassSuffix::Append);

}  // namespace tavkonv40
