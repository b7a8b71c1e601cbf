// Conversion steps of a project file: its own control references, and the references that
// replaced Microsoft controls need.
#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

#include "engine/step_context.h"

namespace tavkonv40 {

void ConvertProjectObjects(StepContext& ctx);
void CheckProjectRequiredControls(StepContext& ctx);

struct ProjectLine {
    std::size_t number;  // 1-based
    std::string_view text;
};

// The last line holding "Object={" / "Reference=" in any letter case.
std::optional<ProjectLine> FindLastProjectObjectLine(const TextFile& file);
std::optional<ProjectLine> FindLastProjectReferenceLine(const TextFile& file);

// The line ends with `name`, compared exactly, to the last character.
inline bool EndsWithName(std::string_view line, std::string_view name) { return line.ends_with(name); }

}  // namespace tavkonv40
