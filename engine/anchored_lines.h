// The scan the token steps share: the lines of the file's scanning array that hold the step's
// anchor, in order, each shown as it is checked, with the anchor's positions found once. Lines
// without the anchor are passed over unseen, since no token can match them. A cancelled run stops
// the scan before the next line; a scan that gets through ends the display of checked lines.
#pragma once

#include <cstddef>
#include <string_view>

#include "engine/anchor_positions.h"
#include "engine/line_finder.h"
#include "engine/step_context.h"

namespace tavkonv40 {

// `visit(n, line)` gets the 1-based line number and the line as read, for every line holding
// `needle` in the given letter case.
template <typename Visit>
void forEachLineHolding(StepContext& ctx, std::string_view needle, LetterCase letterCase, Visit visit) {
    const auto& lines = ctx.file.lines();
    if (ctx.cancelled()) return;
    for (LineFinder find(ctx.file, needle, letterCase); const std::size_t n = find.next();) {
        if (ctx.cancelled()) return;
        const std::string_view line = lines[n - 1];
        ctx.showCheckingLine(n, line);
        visit(n, line);
    }
    ctx.showScanEnd();
}

// `visit(n, line, anchors)` gets the 1-based line number, the line as read, and its anchors.
template <typename Visit>
void forEachAnchoredLine(StepContext& ctx, std::string_view anchor, Visit visit) {
    forEachLineHolding(ctx, anchor, LetterCase::Exact,
                       [&](std::size_t n, std::string_view line) { visit(n, line, AnchorPositions(line, anchor)); });
}

}  // namespace tavkonv40
