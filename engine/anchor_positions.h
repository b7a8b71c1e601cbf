// A pre-test shared by the token steps: every token of a table starts with a fixed anchor text
// ("Begin tav", " tav"), so a token can stand only where the anchor stands. Finding the anchors
// once per line spares testing hundreds of tokens against lines that cannot hold them, without
// changing which token is found first.
#pragma once

#include <array>
#include <cstddef>
#include <cstring>
#include <string_view>
#include <vector>

namespace tavkonv40 {

class AnchorPositions {
  public:
    // `anchor` must not be empty.
    AnchorPositions(std::string_view line, std::string_view anchor) : line_(line), anchor_(anchor) {
        // Anchors begin with common bytes (a blank, "B"); they are found by their last byte
        // instead, which is rare in Visual Basic text, and checked backwards from there.
        const std::size_t last = anchor.size() - 1;
        const char key = anchor[last];
        const char* const base = line.data();
        std::size_t from = last;
        while (from < line.size()) {
            const void* hit = std::memchr(base + from, key, line.size() - from);
            if (!hit) break;
            const std::size_t end = static_cast<std::size_t>(static_cast<const char*>(hit) - base);
            const std::size_t p = end - last;
            if (line.compare(p, last, anchor.substr(0, last)) == 0) {
                if (count_ == at_.size()) {
                    overflow_ = true;  // lines with very many anchors fall back to a plain search
                    return;
                }
                at_[count_++] = p;
            }
            from = end + 1;
        }
    }

    bool empty() const { return count_ == 0 && !overflow_; }

    // Whether the first `lead` bytes of the anchor followed by `token` occur in the line, that is
    // whether `token` stands `lead` bytes after some anchor position.
    bool contains(std::string_view token, std::size_t lead = 0) const {
        if (overflow_) {
            const std::string_view before = anchor_.substr(0, lead);
            for (std::size_t p = line_.find(token, lead); p != std::string_view::npos; p = line_.find(token, p + 1))
                if (line_.compare(p - lead, lead, before) == 0) return true;
            return false;
        }
        if (token.empty()) return count_ != 0;
        // The tokens of a table share their first bytes; their last byte rules most of them out
        // before a comparison.
        for (std::size_t i = 0; i < count_; ++i) {
            const std::size_t p = at_[i] + lead;
            if (p + token.size() <= line_.size() && line_[p + token.size() - 1] == token.back() &&
                line_.compare(p, token.size(), token) == 0)
                return true;
        }
        return false;
    }

  private:
    std::string_view line_;
    std::string_view anchor_;
    std::array<std::size_t, 16> at_{};
    std::size_t count_ = 0;
    bool overflow_ = false;
};

// The longest text all the given tokens start with (tokens after an empty one are ignored).
template <typename Range, typename Token>
std::string_view commonPrefix(const Range& items, Token token) {
    std::string_view common = token(*std::begin(items));
    for (const auto& item : items) {
        const std::string_view t = token(item);
        if (t.empty()) break;
        std::size_t k = 0;
        while (k < common.size() && k < t.size() && common[k] == t[k]) ++k;
        common = common.substr(0, k);
    }
    return common;
}

// The common prefix of each family's tokens, in the table's order. A line in which no anchor is
// followed by a family's prefix holds none of its tokens, which spares testing them one by one;
// the order of the tests is kept.
template <typename Families, typename Token>
std::vector<std::string_view> familyPrefixes(const Families& families, Token token) {
    std::vector<std::string_view> out;
    for (const auto& family : families) out.push_back(commonPrefix(family.tokens, token));
    return out;
}

}  // namespace tavkonv40
