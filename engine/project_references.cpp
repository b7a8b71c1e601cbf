#include "engine/project_references.h"

#include <string>

#include "engine/project_reference_names.h"
#include "engine/text_util.h"

namespace tavkonv40 {

namespace {

std::optional<ProjectLine> findLast(const TextFile& file, std::string_view what) {
    const auto& lines = file.lines();
    for (std::size_t n = lines.size(); n >= 1; --n)
        if (InStrNoCase(1, lines[n - 1], what) != 0) return ProjectLine{n, lines[n - 1]};
    return std::nullopt;
}

bool endsWithAny(std::string_view line, const ProjectFamilyNames& family) {
    for (const auto name : family.names) {
        if (name.empty()) break;
        if (EndsWithName(line, name)) return true;
    }
    return false;
}

const std::string& requiredProjectLine(const StepContext& ctx, int option) {
    return ctx.state.tables.project(ctx.options.microsoftSlot(option), ctx.options.microsoftEdition(option));
}

}  // namespace

std::optional<ProjectLine> FindLastProjectObjectLine(const TextFile& file) { return findLast(file, "Object={"); }

std::optional<ProjectLine> FindLastProjectReferenceLine(const TextFile& file) { return findLast(file, "Reference="); }

void ConvertProjectObjects(StepContext& ctx) {
    const auto& lines = ctx.file.lines();
    for (std::size_t j = 1; j <= lines.size(); ++j) {
        if (ctx.cancelled()) return;
        const auto line = lines[j - 1];
        ctx.showCheckingLine(j, line);
        if (InStrNoCase(1, line, "Object=") == 0) continue;
        // Every recognised name ends in ".ocx"; a line that does not cannot belong to a family.
        if (!line.ends_with(".ocx")) continue;
        // No family's name ends another family's, so the first family whose name ends the line
        // is the only one: if it is not selected, no other can take the line.
        for (const auto& family : projectFamilyNames()) {
            if (!endsWithAny(line, family)) continue;
            if (ctx.options.familySelected(family.optionIndex)) {
                const int row = ctx.options.familyRow(family.optionIndex);
                WriteProjectObjectLine(ctx, j, family.slot, ctx.options.rowEdition(row));
            }
            break;
        }
    }
}

// A needed line the project already holds clears its flag for the rest of the run; a line that
// is added leaves the flag set, so later projects of the run get it too. The line after which
// the lines go is rewritten even when nothing is added, and the composed text ends with a line
// break, so every call that gets that far leaves one more empty line in the project.
void CheckProjectRequiredControls(StepContext& ctx) {
    const auto& lines = ctx.file.lines();
    auto& needs = ctx.state.projectNeedsLibrary;

    for (int i = 0; i < kMicrosoftOptionCount; ++i) {
        if (ctx.cancelled()) return;
        auto& need = needs[static_cast<std::size_t>(i)];
        if (need && anyLineContainsNoCase(lines, requiredProjectLine(ctx, i))) need = false;
    }

    auto found = FindLastProjectObjectLine(ctx.file);
    if (!found) found = FindLastProjectReferenceLine(ctx.file);
    if (!found) return;

    std::string text(found->text);
    text += "\r\n";
    for (int i = 0; i < kMicrosoftOptionCount; ++i) {
        if (ctx.cancelled()) return;
        if (!needs[static_cast<std::size_t>(i)]) continue;
        text += requiredProjectLine(ctx, i);
        text += "\r\n";
    }
    ReplaceFileLine(ctx, found->number, text);
}

}  // namespace tavkonv40
