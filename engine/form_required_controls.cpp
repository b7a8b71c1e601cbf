#include "engine/form_required_controls.h"

#include <string>

#include "engine/line_finder.h"

namespace tavkonv40 {

namespace {

const std::string& requiredHeaderLine(const StepContext& ctx, int option) {
    return ctx.state.tables.header(ctx.options.microsoftSlot(option), ctx.options.microsoftEdition(option));
}

}  // namespace

// Line 1 is rewritten as "VERSION 5.00" plus the missing lines on every form, whatever it held
// and even when nothing is missing; the composed text ends with a line break, so the form gains
// an empty line after its header lines on every run. Flags that stay set carry over to the
// forms that follow.
void CheckFormRequiredControls(StepContext& ctx) {
    const auto& lines = ctx.file.lines();
    if (lines.empty()) return;
    auto& needs = ctx.state.formNeedsLibrary;

    for (int i = 0; i < kMicrosoftOptionCount; ++i) {
        if (ctx.cancelled()) return;
        auto& need = needs[static_cast<std::size_t>(i)];
        if (need && anyLineContains(ctx.file, requiredHeaderLine(ctx, i), LetterCase::Ignore)) need = false;
    }

    std::string first = "VERSION 5.00\r\n";
    for (int i = 0; i < kMicrosoftOptionCount; ++i) {
        if (ctx.cancelled()) return;
        if (!needs[static_cast<std::size_t>(i)]) continue;
        first += requiredHeaderLine(ctx, i);
        first += "\r\n";
    }
    ReplaceFileLine(ctx, 1, first);
}

}  // namespace tavkonv40
