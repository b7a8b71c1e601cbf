#include "text_file.h"

#include <array>

namespace tavkonv40 {

std::string_view lineEndBytes(LineEnd e) {
    switch (e) {
        case LineEnd::CRLF: return "\r\n";
        case LineEnd::LF: return "\n";
        case LineEnd::CR: return "\r";
        case LineEnd::None: break;
    }
    return {};
}

LineOutOfRange::LineOutOfRange(std::size_t line)
    : std::runtime_error("line " + std::to_string(line) + " is outside the file"), line_(line) {}

TextFile::TextFile(std::string bytes) : original_(std::move(bytes)) {
    std::array<std::size_t, 4> counts{};
    const std::string_view all(original_);
    std::size_t begin = 0;
    std::size_t i = 0;
    const std::size_t n = all.size();
    while (i < n) {
        const char c = all[i];
        if (c != '\r' && c != '\n') {
            ++i;
            continue;
        }
        LineEnd end = LineEnd::LF;
        std::size_t width = 1;
        if (c == '\r') {
            if (i + 1 < n && all[i + 1] == '\n') {
                end = LineEnd::CRLF;
                width = 2;
            } else {
                end = LineEnd::CR;
            }
        }
        ++counts[static_cast<std::size_t>(end)];
        lines_.push_back({all.substr(begin, i - begin), end});
        i += width;
        begin = i;
    }
    if (begin < n) lines_.push_back({all.substr(begin), LineEnd::None});

    scan_.reserve(lines_.size());
    for (const auto& l : lines_) scan_.push_back(l.text);

    const auto crlf = counts[static_cast<std::size_t>(LineEnd::CRLF)];
    const auto lf = counts[static_cast<std::size_t>(LineEnd::LF)];
    const auto cr = counts[static_cast<std::size_t>(LineEnd::CR)];
    if (lf > crlf && lf >= cr)
        dominant_ = LineEnd::LF;
    else if (cr > crlf && cr > lf)
        dominant_ = LineEnd::CR;
}

std::string_view TextFile::keep(std::string_view text) {
    arena_.emplace_back(text);
    return arena_.back();
}

void TextFile::replaceLine(std::size_t n, std::string_view newText) {
    if (n == 0) throw LineOutOfRange(n);
    if (n > lines_.size()) {
        // Only the empty line after a final line break can be written beyond the last line.
        const bool openEnd = lines_.empty() || lines_.back().end != LineEnd::None;
        if (n != lines_.size() + 1 || !openEnd) throw LineOutOfRange(n);
        if (newText.empty()) return;
        lines_.push_back({std::string_view{}, LineEnd::None});
    }
    const std::size_t index = n - 1;
    const LineEnd ownEnd = lines_[index].end;

    if (newText.find("\r\n") == std::string_view::npos) {
        if (lines_[index].text == newText) return;
        lines_[index].text = keep(newText);
        changed_ = true;
        return;
    }

    std::vector<Line> pieces;
    std::size_t begin = 0;
    for (;;) {
        const auto brk = newText.find("\r\n", begin);
        if (brk == std::string_view::npos) break;
        pieces.push_back({newText.substr(begin, brk - begin), dominant_});
        begin = brk + 2;
    }
    pieces.push_back({newText.substr(begin), ownEnd});
    for (auto& p : pieces) p.text = keep(p.text);

    lines_[index] = pieces.front();
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(index) + 1, pieces.begin() + 1, pieces.end());
    changed_ = true;
}

std::string TextFile::bytes() const {
    if (!changed_) return original_;
    std::size_t size = 0;
    for (const auto& l : lines_) size += l.text.size() + 2;
    std::string out;
    out.reserve(size);
    for (const auto& l : lines_) {
        out += l.text;
        out += lineEndBytes(l.end);
    }
    return out;
}

}  // namespace tavkonv40
