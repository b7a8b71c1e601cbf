// The alignment of two files' lines: the edit script the unified diff prints, as git would align
// it for ordinary files, and in time linear in the lines for files too big to align exactly.
#pragma once

#include <vector>

#include "cli/diff_lines.h"
#include "cli/unified_diff.h"

namespace tavkonv40::cli::diff {

enum class Op : signed char { Delete = -1, Common = 0, Add = 1 };

// One operation per line of either file, in order; within a run of changes, removed lines come
// before added ones. The common head and tail are matched directly; the middle is aligned exactly
// (a shortest script) when that is affordable within `limits`, else by runs of equal lines.
std::vector<Op> editScript(const Lines& a, const Lines& b, const AlignmentLimits& limits);

}  // namespace tavkonv40::cli::diff
