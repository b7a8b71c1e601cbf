// A text file held in memory the way the conversion steps see it.
//
// A step scans the lines as they stood when it loaded the file (the scanning array is never
// refreshed) while its rewrites apply to the current content, so a rewrite whose new text holds
// a line break shifts the numbers of later lines exactly as rewriting the file on disk would.
//
// CR LF, a lone LF and a lone CR each end a line, for scanning and rewriting alike, and every
// line keeps its own terminator. Line breaks inside a new text (composed with CR LF by the steps)
// take the file's dominant terminator, so an LF file converts exactly like its CR LF twin.
#pragma once

#include <cstddef>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace tavkonv40 {

enum class LineEnd : unsigned char { None, CRLF, LF, CR };

std::string_view lineEndBytes(LineEnd e);

// The line end lines a converter composes take, from how many lines end in each: LF or CR where
// it ends more lines than CR LF (LF winning a tie with CR), CR LF otherwise.
LineEnd dominantLineEndOf(std::size_t crlf, std::size_t lf, std::size_t cr);

// A rewrite that names a line the file does not have.
class LineOutOfRange : public std::runtime_error {
  public:
    explicit LineOutOfRange(std::size_t line);
    std::size_t line() const { return line_; }

  private:
    std::size_t line_;
};

class TextFile {
  public:
    explicit TextFile(std::string bytes);
    // The file as `previous` left it, for the next step: its current lines become the new
    // scanning array without being written out and read again (the result is the same).
    static std::unique_ptr<TextFile> continueFrom(std::unique_ptr<TextFile> previous);
    TextFile(const TextFile&) = delete;
    TextFile& operator=(const TextFile&) = delete;

    // The scanning array (ReadFileLines): the lines at load time. Line n is lines()[n - 1].
    const std::vector<std::string_view>& lines() const { return scan_; }
    std::size_t lineCount() const { return scan_.size(); }
    std::string_view line(std::size_t n) const { return scan_.at(n - 1); }

    // ReplaceFileLine: line n (1-based) of the current content becomes newText. A file that ends
    // with a line break has one more, empty, line after it that can be replaced too.
    void replaceLine(std::size_t n, std::string_view newText);

    // The scanning array as runs of lines that lie one after another in memory, each line
    // followed by its own line end and then the next line: the file as read, broken only where
    // an earlier step rewrote a line. A search over a run's bytes finds exactly what a search
    // line by line would, provided the searched text holds no CR or LF.
    struct ScanRun {
        std::size_t first;       // index in lines() of the run's first line
        std::size_t end;         // one past the index of its last line
        std::string_view bytes;  // from the first line's text to the end of the last one's
    };
    const std::vector<ScanRun>& scanRuns() const { return runs_; }

    std::size_t currentLineCount() const { return lines_.size(); }

    bool changed() const { return changed_; }
    LineEnd dominantLineEnd() const { return dominant_; }
    // The current content.
    std::string bytes() const;

  private:
    struct Line {
        std::string_view text;
        LineEnd end;
    };

    struct HandOver {};
    TextFile(HandOver, TextFile& previous);

    std::string_view keep(std::string_view text);
    void takeScanFromRead();
    void takeScanFromLines();
    const char* endInRead(const Line& line) const;
    void patchScan(TextFile& previous);
    void findDominantLineEnd();
    bool splitCrLfOrLf(std::size_t crs);
    void splitAnyLineEnd();

    // Every byte a line refers to: the file as read (held on the heap, so that handing it on to
    // the next step moves no character) and the rewritten texts, one after another in blocks
    // that never move (a form can have a hundred thousand lines rewritten: one allocation each
    // cost more than the rewriting).
    std::unique_ptr<const std::string> original_;
    struct Kept {
        std::vector<std::unique_ptr<char[]>> blocks;
        char* end = nullptr;    // where the next text goes in the last block
        std::size_t room = 0;   // bytes left there
        std::size_t bytes = 0;  // of every text kept
        std::size_t texts = 0;
    } kept_;
    // One entry per line as the lines stood when it was built; lines are only ever added, so a
    // longer lines_ means lines were added since.
    std::vector<std::string_view> scan_;
    std::vector<ScanRun> runs_;
    std::vector<Line> lines_;
    bool asRead_ = true;  // lines_ still describe *original_ exactly
    LineEnd dominant_ = LineEnd::CRLF;
    bool changed_ = false;
    std::vector<std::size_t> rewritten_;  // otherwise, the indices of the lines rewritten since
};

}  // namespace tavkonv40
