// One file's change in the form `git diff` prints it: a "diff --git" header, "--- a/NAME" and
// "+++ b/NAME", then hunks with three lines of context. Lines are split on the file's own line
// ends (CR LF, LF or a lone CR) and shown without them; a file whose lines do not all end in
// CR LF gets a note line before its header. The line alignment comes from the dtl library.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tavkonv40::cli {

enum class DiffColor { Plain, Terminal };

// How much work the exact alignment of one changed region may take before the region is cut at
// runs of equal lines and aligned piece by piece. Beyond it the diff is still correct and the
// same for the same input, but its hunks may not be the smallest possible.
struct AlignmentLimits {
    // Line comparisons allowed per line of the region, and in any case.
    std::size_t workPerLine = 256;
    std::size_t minimumWork = std::size_t{1} << 20;
    // The longest piece (in lines, either side) of a stretch without equal runs.
    std::size_t pieceLines = 512;
};

struct DiffStyle {
    DiffColor color = DiffColor::Plain;
    std::size_t context = 3;
    AlignmentLimits limits = {};
};

// Empty when the two are equal.
std::string unifiedDiff(std::string_view name, std::string_view before, std::string_view after,
                        const DiffStyle& style = {});

// The note for a file whose line ends are not all CR LF, or empty ("# NAME: line ends are LF").
std::string lineEndNote(std::string_view name, std::string_view bytes);

}  // namespace tavkonv40::cli
