#include "engine/step_context.h"

namespace tavkonv40 {

std::string checkingLineText(std::size_t n, std::string_view text) {
    std::string s = "Checking Line: ";
    s += std::to_string(n);
    s += "  ";
    s += text;
    return s;
}

void StepContext::showCheckingLine(std::size_t n, std::string_view text) {
    if (!host.showsStatus()) return;
    host.setStatus(checkingLineText(n, text));
    lastShownLine = n;
}

void StepContext::showScanEnd() {
    if (file.lineCount() > 0 && lastShownLine != file.lineCount())
        showCheckingLine(file.lineCount(), file.lines().back());
}

void ReplaceFileLine(StepContext& ctx, std::size_t n, std::string_view newText) {
    // Counted once per rewrite, never per scanned line.
    if (ctx.state.statistics) ctx.state.statistics->lineReplaced(ctx.file, n, newText);
    ctx.file.replaceLine(n, newText);
}

void ReplaceFileLineToken(StepContext& ctx, std::size_t n, std::string_view lineText, std::string_view oldToken,
                          std::string_view newToken, int optionRow) {
    const auto p = lineText.find(oldToken);
    if (p == std::string_view::npos) return;
    std::string line;
    line.reserve(lineText.size() + newToken.size() + 3);
    line += lineText.substr(0, p);
    line += newToken;
    line += EditionSuffix(ctx.options, optionRow);
    line += lineText.substr(p + oldToken.size());
    ReplaceFileLine(ctx, n, line);
}

void WriteFormHeaderLine(StepContext& ctx, std::size_t n, int slot, Edition edition) {
    ReplaceFileLine(ctx, n, ctx.state.tables.header(slot, edition));
}

void WriteProjectObjectLine(StepContext& ctx, std::size_t n, int slot, Edition edition) {
    ReplaceFileLine(ctx, n, ctx.state.tables.project(slot, edition));
}

}  // namespace tavkonv40
