#include "engine/file_kind.h"

#include "engine/text_util.h"

namespace tavkonv40 {

std::optional<FileKind> fileKindOfName(std::string_view name) {
    const std::string ext = lastThreeUpper(name);
    if (ext == "FRM") return FileKind::Form;
    if (ext == "CTL") return FileKind::UserControl;
    if (ext == "VBP") return FileKind::Project;
    return std::nullopt;
}

}  // namespace tavkonv40
