// A file's lines for the diff: split on the file's own line ends (CR LF, LF or a lone CR), each
// kept with its terminator.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace tavkonv40::cli::diff {

// A line as read, terminator included: two lines are equal only when their ends are too.
struct Line {
    std::string_view raw;
    std::size_t textSize;  // without the terminator
    std::string_view text() const { return raw.substr(0, textSize); }
    bool terminated() const { return textSize < raw.size(); }
};

// A file's lines, kept as the offsets where they start: four bytes a line, for files of millions
// of lines (the rare file past 4 GiB records where the offsets' upper part steps up). A line holds
// no CR or LF but its terminator, so the terminator is found at its end.
class Lines {
  public:
    explicit Lines(std::string_view bytes) : bytes_(bytes) {
        std::size_t count = 0;
        forEachStart([&](std::size_t) { ++count; });
        starts_.reserve(count + 1);
        forEachStart([&](std::size_t start) { push(start); });
        push(bytes.size());
    }

    std::size_t size() const { return starts_.size() - 1; }
    std::string_view raw(std::size_t k) const {
        const std::size_t start = startOf(k);
        return bytes_.substr(start, startOf(k + 1) - start);
    }
    Line operator[](std::size_t k) const {
        const std::string_view r = raw(k);
        std::size_t textSize = r.size();
        if (textSize > 0 && r[textSize - 1] == '\n') --textSize;
        if (textSize > 0 && r[textSize - 1] == '\r') --textSize;
        return {r, textSize};
    }

  private:
    template <typename F>
    void forEachStart(F&& f) const {
        const char* const data = bytes_.data();
        const std::size_t size = bytes_.size();
        std::size_t begin = 0;
        while (begin < size) {
            f(begin);
            std::size_t brk = begin;
            while (brk < size && data[brk] != '\r' && data[brk] != '\n') ++brk;
            if (brk == size) break;
            begin = brk + (data[brk] == '\r' && brk + 1 < size && data[brk + 1] == '\n' ? 2 : 1);
        }
    }
    void push(std::size_t start) {
        while ((static_cast<std::uint64_t>(start) >> 32) > steps_.size()) steps_.push_back(starts_.size());
        starts_.push_back(static_cast<std::uint32_t>(start));
    }
    std::size_t startOf(std::size_t k) const {
        const std::size_t low = starts_[k];
        if (steps_.empty()) return low;
        const auto high = static_cast<std::size_t>(std::upper_bound(steps_.begin(), steps_.end(), k) - steps_.begin());
        return low + static_cast<std::size_t>(static_cast<std::uint64_t>(high) << 32);
    }

    std::string_view bytes_;
    std::vector<std::uint32_t> starts_;  // the lower 32 bits
    std::vector<std::size_t> steps_;     // the first line of each further 4 GiB
};

}  // namespace tavkonv40::cli::diff
