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
#include <deque>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace tavkonv40 {

enum class LineEnd : unsigned char { None, CRLF, LF, CR };

std::string_view lineEndBytes(LineEnd e);

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
    TextFile(const TextFile&) = delete;
    TextFile& operator=(const TextFile&) = delete;

    // The scanning array (ReadFileLines): the lines at load time. Line n is lines()[n - 1].
    const std::vector<std::string_view>& lines() const { return scan_; }
    std::size_t lineCount() const { return scan_.size(); }
    std::string_view line(std::size_t n) const { return scan_.at(n - 1); }

    // ReplaceFileLine: line n (1-based) of the current content becomes newText. A file that ends
    // with a line break has one more, empty, line after it that can be replaced too.
    void replaceLine(std::size_t n, std::string_view newText);

    std::size_t currentLineCount() const { return lines_.size(); }
    std::string_view currentLine(std::size_t n) const { return lines_.at(n - 1).text; }

    bool changed() const { return changed_; }
    LineEnd dominantLineEnd() const { return dominant_; }
    std::string bytes() const;
    const std::string& originalBytes() const { return original_; }

private:
    struct Line {
        std::string_view text;
        LineEnd end;
    };

    std::string_view keep(std::string_view text);

    const std::string original_;
    std::vector<std::string_view> scan_;
    std::vector<Line> lines_;
    std::deque<std::string> arena_;  // storage of rewritten texts; a deque never moves them
    LineEnd dominant_ = LineEnd::CRLF;
    bool changed_ = false;
};

}  // namespace tavkonv40
