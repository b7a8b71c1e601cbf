#include "engine/text_file.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <functional>

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

namespace {

// Indexed by LineEnd.
constexpr std::array<std::size_t, 4> kLineEndSize{0, 2, 1, 1};

// How many bytes of `s` equal `byte`, eight at a time.
std::size_t countByte(std::string_view s, char byte) {
    constexpr std::uint64_t kOnes = 0x0101010101010101ULL;
    constexpr std::uint64_t kLow7 = 0x7F7F7F7F7F7F7F7FULL;
    const std::uint64_t pattern = kOnes * static_cast<unsigned char>(byte);
    std::size_t n = 0, i = 0;
    for (; i + 8 <= s.size(); i += 8) {
        std::uint64_t w;
        std::memcpy(&w, s.data() + i, 8);
        const std::uint64_t x = w ^ pattern;                               // zero bytes where equal
        const std::uint64_t equal = ~(((x & kLow7) + kLow7) | x | kLow7);  // 0x80 per equal byte
        n += static_cast<std::size_t>(((equal >> 7) * kOnes) >> 56);       // sum of the flags
    }
    for (; i < s.size(); ++i) n += s[i] == byte;
    return n;
}

}  // namespace

TextFile::TextFile(std::string bytes) : original_(std::make_unique<const std::string>(std::move(bytes))) {
    const std::string_view all(*original_);
    const std::size_t crs = countByte(all, '\r');
    // A CR LF file has about as many lines as CRs; for an LF file, a guess.
    lines_.reserve(crs > 0 ? crs + 1 : all.size() / 32 + 1);
    if (splitCrLfOrLf(crs)) {
        // Every line but an unterminated last one ends in CR LF (one per CR) or LF, so the count
        // of CRs already tells which is commoner; a lone CR is not possible here.
        const bool open = !lines_.empty() && lines_.back().end == LineEnd::None;
        const std::size_t lfs = lines_.size() - (open ? 1 : 0);
        dominant_ = dominantLineEndOf(crs, lfs - crs, 0);
    } else {
        lines_.clear();
        splitAnyLineEnd();
        findDominantLineEnd();
    }
    takeScanFromRead();
}

TextFile::TextFile(HandOver, TextFile& previous)
    : original_(std::move(previous.original_)),
      kept_(std::move(previous.kept_)),
      lines_(std::move(previous.lines_)),
      asRead_(false),
      dominant_(previous.dominant_) {
    if (!previous.changed_) {
        // Nothing was rewritten: the previous scanning array is still the file.
        scan_ = std::move(previous.scan_);
        runs_ = std::move(previous.runs_);
        return;
    }
    if (lines_.size() == previous.scan_.size()) {
        // No line was added, only rewritten one for one: the previous array, patched, is the file.
        patchScan(previous);
        return;
    }
    // Read back from disk, a file ending in a line break has no empty line after it.
    if (!lines_.empty() && lines_.back().end == LineEnd::None && lines_.back().text.empty()) lines_.pop_back();
    takeScanFromLines();
}

std::unique_ptr<TextFile> TextFile::continueFrom(std::unique_ptr<TextFile> previous) {
    return std::unique_ptr<TextFile>(new TextFile(HandOver{}, *previous));
}

// As read, the lines lie one after another in the file, each followed by its own line end: the
// scanning array is one run.
void TextFile::takeScanFromRead() {
    scan_.resize(lines_.size());
    for (std::size_t i = 0; i < lines_.size(); ++i) scan_[i] = lines_[i].text;
    runs_.clear();
    if (lines_.empty()) return;
    const char* const begin = lines_.front().text.data();
    const std::string_view last = lines_.back().text;
    runs_.push_back(
        {0, lines_.size(), std::string_view(begin, static_cast<std::size_t>(last.data() + last.size() - begin))});
}

// A line that lies in the file as read is followed there by its own line end (rewrites never
// change the end of a line they leave in place): where that end ends, or null when the line's
// text lies elsewhere. A line starting there follows it in the file.
const char* TextFile::endInRead(const Line& line) const {
    const char* const readBegin = original_->data();
    const char* const text = line.text.data();
    const char* const end = text + line.text.size();
    const std::less_equal<const char*> notAfter;
    if (!notAfter(readBegin, text) || !notAfter(end, readBegin + original_->size())) return nullptr;
    return end + kLineEndSize[static_cast<std::size_t>(line.end)];
}

void TextFile::takeScanFromLines() {
    scan_.resize(lines_.size());
    runs_.clear();
    // A line continues the current run when it starts where the previous line's end ends in the
    // file as read.
    const char* next = nullptr;
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        const std::string_view text = lines_[i].text;
        scan_[i] = text;
        const char* const after = endInRead(lines_[i]);
        if (after && text.data() == next) {
            ScanRun& run = runs_.back();
            run.end = i + 1;
            run.bytes = std::string_view(run.bytes.data(),
                                         static_cast<std::size_t>(text.data() + text.size() - run.bytes.data()));
        } else {
            runs_.push_back({i, i + 1, text});
        }
        next = after;
    }
}

// The scanning array takeScanFromLines would build, when no line was added since `previous`
// was built: the rewritten lines change, and each leaves the run that held it, as a run of its
// own (its text lies outside the file as read), splitting the rest of that run in two.
void TextFile::patchScan(TextFile& previous) {
    scan_ = std::move(previous.scan_);
    std::vector<std::size_t>& rewritten = previous.rewritten_;
    std::sort(rewritten.begin(), rewritten.end());
    rewritten.erase(std::unique(rewritten.begin(), rewritten.end()), rewritten.end());
    for (const std::size_t i : rewritten) scan_[i] = lines_[i].text;
    // The lines [from, to) of a run, none of them rewritten, still lie one after another.
    const auto part = [this](std::size_t from, std::size_t to) {
        const char* const begin = scan_[from].data();
        const std::string_view last = scan_[to - 1];
        return ScanRun{from, to, std::string_view(begin, static_cast<std::size_t>(last.data() + last.size() - begin))};
    };
    runs_.reserve(previous.runs_.size() + 2 * rewritten.size());
    auto next = rewritten.begin();
    for (const ScanRun& run : previous.runs_) {
        std::size_t from = run.first;
        for (; next != rewritten.end() && *next < run.end; ++next) {
            if (*next > from) runs_.push_back(part(from, *next));
            runs_.push_back({*next, *next + 1, scan_[*next]});
            from = *next + 1;
        }
        if (from < run.end) runs_.push_back(part(from, run.end));
    }
}

// The line end most lines have. Rewrites never change it: a rewritten line keeps its own end
// and the lines a rewrite adds take this one.
LineEnd dominantLineEndOf(std::size_t crlf, std::size_t lf, std::size_t cr) {
    if (lf > crlf && lf >= cr) return LineEnd::LF;
    if (cr > crlf && cr > lf) return LineEnd::CR;
    return LineEnd::CRLF;
}

void TextFile::findDominantLineEnd() {
    std::array<std::size_t, 4> counts{};
    for (const auto& l : lines_) ++counts[static_cast<std::size_t>(l.end)];
    dominant_ =
        dominantLineEndOf(counts[static_cast<std::size_t>(LineEnd::CRLF)],
                          counts[static_cast<std::size_t>(LineEnd::LF)], counts[static_cast<std::size_t>(LineEnd::CR)]);
}

// The common case, every CR part of a CR LF pair: lines end at each LF. Returns false when the
// file holds a lone CR, which needs the general split.
bool TextFile::splitCrLfOrLf(std::size_t crs) {
    const std::string_view all(*original_);
    const char* const base = all.data();
    const std::size_t n = all.size();
    std::size_t begin = 0, pairs = 0;
    while (begin < n) {
        const void* hit = std::memchr(base + begin, '\n', n - begin);
        if (!hit) break;
        const std::size_t nl = static_cast<std::size_t>(static_cast<const char*>(hit) - base);
        if (nl > begin && base[nl - 1] == '\r') {
            ++pairs;
            lines_.push_back({all.substr(begin, nl - 1 - begin), LineEnd::CRLF});
        } else {
            lines_.push_back({all.substr(begin, nl - begin), LineEnd::LF});
        }
        begin = nl + 1;
    }
    if (pairs != crs) return false;
    if (begin < n) lines_.push_back({all.substr(begin), LineEnd::None});
    return true;
}

void TextFile::splitAnyLineEnd() {
    const std::string_view all(*original_);
    const std::size_t n = all.size();
    std::size_t begin = 0;
    std::size_t i = 0;
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
        lines_.push_back({all.substr(begin, i - begin), end});
        i += width;
        begin = i;
    }
    if (begin < n) lines_.push_back({all.substr(begin), LineEnd::None});
}

std::string_view TextFile::keep(std::string_view text) {
    constexpr std::size_t kBlock = 64 * 1024;
    if (text.size() > kept_.room) {
        const std::size_t size = std::max(kBlock, text.size());
        kept_.blocks.push_back(std::make_unique_for_overwrite<char[]>(size));
        kept_.end = kept_.blocks.back().get();
        kept_.room = size;
    }
    char* const at = kept_.end;
    if (!text.empty()) std::memcpy(at, text.data(), text.size());
    kept_.end += text.size();
    kept_.room -= text.size();
    kept_.bytes += text.size();
    ++kept_.texts;
    return {at, text.size()};
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
        rewritten_.push_back(index);
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
    if (asRead_ && !changed_) return *original_;
    // Lines that follow one another in the file as read are copied together, line ends included.
    std::string out;
    out.reserve(original_->size() + kept_.bytes + 2 * kept_.texts);
    const char* spanBegin = nullptr;
    const char* spanEnd = nullptr;
    for (const auto& l : lines_) {
        const char* const after = endInRead(l);
        if (after && l.text.data() == spanEnd) {
            spanEnd = after;
            continue;
        }
        if (spanBegin != spanEnd) out.append(spanBegin, spanEnd);
        if (after) {
            spanBegin = l.text.data();
            spanEnd = after;
            continue;
        }
        spanBegin = spanEnd = nullptr;
        out += l.text;
        out += lineEndBytes(l.end);
    }
    if (spanBegin != spanEnd) out.append(spanBegin, spanEnd);
    return out;
}

}  // namespace tavkonv40
