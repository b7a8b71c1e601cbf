// Finds the lines of a file's scanning array that hold a text, by searching the file's bytes as
// a whole instead of line by line: the steps look for anchors most lines lack, and a search over
// a megabyte costs far less than a million searches over thirty bytes.
#pragma once

#include <cstddef>
#include <string_view>

#include "engine/text_file.h"

namespace tavkonv40 {

enum class LetterCase { Exact, Ignore };

class LineFinder {
  public:
    // `needle` must not be empty and must hold no CR or LF (a line never holds one).
    LineFinder(const TextFile& file, std::string_view needle, LetterCase letterCase = LetterCase::Exact);

    // The number (1-based) of the next line holding the needle, in increasing order and each line
    // once; 0 when no further line holds it.
    std::size_t next();

    // Searches no line before the one with index `line` (0-based): only forward, before next().
    void startAt(std::size_t line);

  private:
    // The first place at or after `from` in [from, stop) where the needle stands, or nullptr.
    const char* search(const char* from, const char* stop) const;

    const TextFile& file_;
    std::string_view needle_;
    LetterCase case_;
    std::size_t key_;  // index in the needle of the byte searched for first
    char keyLower_, keyUpper_;
    std::size_t run_ = 0;       // current run of file_.scanRuns()
    const char* at_ = nullptr;  // where the search resumes within that run
    std::size_t line_ = 0;      // index of the line of the last hit
};

// Whether any line of the scanning array holds the needle.
bool anyLineContains(const TextFile& file, std::string_view needle, LetterCase letterCase);

}  // namespace tavkonv40
