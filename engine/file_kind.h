// The three kinds of file a run converts, told apart by the last three letters of their names.
#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

namespace tavkonv40 {

enum class FileKind { Form, UserControl, Project };
inline constexpr std::size_t kFileKindCount = 3;

// "FRM", "CTL" or "VBP" at the end of the name, in any letter case (the run's passes choose files
// the same way); no kind for any other name.
std::optional<FileKind> fileKindOfName(std::string_view name);

}  // namespace tavkonv40
