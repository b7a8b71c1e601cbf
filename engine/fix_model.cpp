#include "engine/fix_model.h"

#include <algorithm>
#include <array>

#include "engine/text_file.h"

namespace tavkonv40::fix {

namespace {

struct SplitLine {
    std::string_view text;
    std::string_view end;  // "\r\n", "\n", "\r" or empty
};

// CR LF, a lone LF and a lone CR each end a line, as everywhere else in the engine.
std::vector<SplitLine> splitLines(std::string_view bytes) {
    std::vector<SplitLine> lines;
    std::size_t start = 0;
    while (start < bytes.size()) {
        const auto at = bytes.find_first_of("\r\n", start);
        if (at == std::string_view::npos) {
            lines.push_back({bytes.substr(start), {}});
            break;
        }
        const std::size_t endSize = bytes[at] == '\r' && at + 1 < bytes.size() && bytes[at + 1] == '\n' ? 2 : 1;
        lines.push_back({bytes.substr(start, at - start), bytes.substr(at, endSize)});
        start = at + endSize;
    }
    return lines;
}

std::string_view dominantEnd(const std::vector<SplitLine>& lines) {
    std::array<std::size_t, 3> counts{};  // CR LF, LF, CR
    for (const auto& l : lines) {
        if (l.end == "\r\n")
            ++counts[0];
        else if (l.end == "\n")
            ++counts[1];
        else if (l.end == "\r")
            ++counts[2];
    }
    return lineEndBytes(dominantLineEndOf(counts[0], counts[1], counts[2]));
}

}  // namespace

bool FileFixes::claim(std::size_t line) { return claimed_.insert(line).second; }

bool FileFixes::replace(std::size_t line, std::string text, FindingKind kind, std::string description) {
    if (!claim(line)) return false;
    edits_.push_back({EditAction::Replace, line, std::move(text)});
    notes_.push_back({line, kind, std::move(description)});
    return true;
}

bool FileFixes::remove(std::size_t line, FindingKind kind, std::string description) {
    if (!claim(line)) return false;
    edits_.push_back({EditAction::Delete, line, {}});
    if (!description.empty()) notes_.push_back({line, kind, std::move(description)});
    return true;
}

void FileFixes::insertAfter(std::size_t line, std::string text, FindingKind kind, std::string description) {
    edits_.push_back({EditAction::InsertAfter, line, std::move(text)});
    notes_.push_back({line + 1, kind, std::move(description)});
}

std::string applyEdits(std::string_view bytes, const std::vector<LineEdit>& edits) {
    const auto lines = splitLines(bytes);
    const std::string_view newEnd = dominantEnd(lines);
    std::vector<const LineEdit*> ordered;
    for (const auto& e : edits) ordered.push_back(&e);
    std::stable_sort(ordered.begin(), ordered.end(),
                     [](const LineEdit* a, const LineEdit* b) { return a->line < b->line; });

    std::string out;
    out.reserve(bytes.size() + 256);
    // The text written last and whether it still lacks a line end (an unterminated last line that
    // gets lines inserted after it).
    bool open = false;
    const auto put = [&](std::string_view text, std::string_view end) {
        if (open) out += newEnd;
        out += text;
        out += end;
        open = end.empty();
    };
    auto next = ordered.begin();
    const auto insertions = [&](std::size_t line) {
        for (; next != ordered.end() && (*next)->line == line; ++next)
            if ((*next)->action == EditAction::InsertAfter) {
                const bool unterminatedEnd = line == lines.size() && !lines.empty() && lines.back().end.empty();
                put((*next)->text, unterminatedEnd ? std::string_view() : newEnd);
            }
    };
    insertions(0);
    for (std::size_t n = 1; n <= lines.size(); ++n) {
        const LineEdit* own = nullptr;
        for (auto it = next; it != ordered.end() && (*it)->line == n; ++it)
            if ((*it)->action != EditAction::InsertAfter) own = *it;
        const auto& line = lines[n - 1];
        if (!own)
            put(line.text, line.end);
        else if (own->action == EditAction::Replace)
            put(own->text, line.end);
        insertions(n);
    }
    return out;
}

}  // namespace tavkonv40::fix
