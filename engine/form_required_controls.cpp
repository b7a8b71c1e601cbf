#include "engine/form_required_controls.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/line_finder.h"
#include "engine/text_util.h"

namespace tavkonv40 {

namespace {

const std::string& requiredHeaderLine(const StepContext& ctx, int option) {
    return ctx.state.tables.header(ctx.options.microsoftSlot(option), ctx.options.microsoftEdition(option));
}

// Every header line starts with this text, so a line that holds one (letter case ignored) holds
// it too: the few lines that do are found once, and each missing header is looked for in them
// only, instead of in the whole file once per header.
constexpr std::string_view kHeaderStart = "Object = \"{";

class HeaderLines {
  public:
    explicit HeaderLines(const TextFile& file) : file_(file) {}

    bool anyHolds(std::string_view header) {
        if (!startsWithNoCase(header, kHeaderStart)) return anyLineContains(file_, header, LetterCase::Ignore);
        if (!candidates_) {
            candidates_.emplace();
            for (LineFinder find(file_, kHeaderStart, LetterCase::Ignore); const std::size_t n = find.next();)
                candidates_->push_back(file_.lines()[n - 1]);
        }
        return anyLineContainsNoCase(*candidates_, header);
    }

  private:
    const TextFile& file_;
    std::optional<std::vector<std::string_view>> candidates_;  // found at the first header asked for
};

}  // namespace

// Line 1 is rewritten as "VERSION 5.00" plus the missing lines on every form, whatever it held
// and even when nothing is missing; the composed text ends with a line break, so the form gains
// an empty line after its header lines on every run. Flags that stay set carry over to the
// forms that follow.
void CheckFormRequiredControls(StepContext& ctx) {
    const auto& lines = ctx.file.lines();
    if (lines.empty()) return;
    auto& needs = ctx.state.formNeedsLibrary;

    HeaderLines headers(ctx.file);
    for (int i = 0; i < kMicrosoftOptionCount; ++i) {
        if (ctx.cancelled()) return;
        auto& need = needs[static_cast<std::size_t>(i)];
        if (need && headers.anyHolds(requiredHeaderLine(ctx, i))) need = false;
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
