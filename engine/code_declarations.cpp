#include "code_declarations.h"

#include <array>
#include <vector>

#include "code_declaration_table.h"

namespace tavkonv40 {

namespace {

// Every token is a library name starting with "tav" and is looked for with a blank in front, so a
// line without " tav" holds none of them.
constexpr std::string_view kAnchor = " tav";

// Where the anchor stands in a line: blank + token is found exactly when it starts at one of
// these places. Lines with more anchors than fit fall back to a plain search.
class AnchorPositions {
public:
    explicit AnchorPositions(std::string_view line) : line_(line) {
        for (std::size_t p = line.find(kAnchor); p != std::string_view::npos;
             p = line.find(kAnchor, p + 1)) {
            if (count_ == at_.size()) {
                overflow_ = true;
                return;
            }
            at_[count_++] = p;
        }
    }

    bool empty() const { return count_ == 0 && !overflow_; }

    // Whether blank + token occurs in the line.
    bool containsAfterBlank(std::string_view token) const {
        if (overflow_) {
            for (std::size_t p = line_.find(token, 1); p != std::string_view::npos;
                 p = line_.find(token, p + 1))
                if (line_[p - 1] == ' ') return true;
            return false;
        }
        for (std::size_t i = 0; i < count_; ++i)
            if (line_.compare(at_[i] + 1, token.size(), token) == 0) return true;
        return false;
    }

private:
    std::string_view line_;
    std::array<std::size_t, 16> at_{};
    std::size_t count_ = 0;
    bool overflow_ = false;
};

// What all tokens of a family start with. A line in which no anchor is followed by it holds none
// of the family's tokens, which spares testing them one by one; the order of the tests is kept.
const std::vector<std::string_view>& familyPrefixes() {
    static const std::vector<std::string_view> prefixes = [] {
        std::vector<std::string_view> out;
        for (const DeclarationFamily& family : codeDeclarationFamilies()) {
            std::string_view common = family.tokens.front();
            for (std::string_view token : family.tokens) {
                if (token.empty()) break;
                std::size_t k = 0;
                while (k < common.size() && k < token.size() && common[k] == token[k]) ++k;
                common = common.substr(0, k);
            }
            out.push_back(common);
        }
        return out;
    }();
    return prefixes;
}

struct Hit {
    const DeclarationFamily* family = nullptr;
    std::string_view token;
};

// The first token of the table, family by family, that stands after a blank in the line.
Hit firstToken(const AnchorPositions& anchors) {
    const auto& prefixes = familyPrefixes();
    const auto& all = codeDeclarationFamilies();
    for (std::size_t f = 0; f < all.size(); ++f) {
        const DeclarationFamily& family = all[f];
        if (!anchors.containsAfterBlank(prefixes[f])) continue;
        for (std::string_view token : family.tokens) {
            if (token.empty()) break;
            if (anchors.containsAfterBlank(token)) return {&family, token};
        }
    }
    return {};
}

}  // namespace

void CheckEVENTSForUpdate(StepContext& ctx) {
    const auto& lines = ctx.file.lines();
    for (std::size_t n = 1; n <= lines.size(); ++n) {
        if (ctx.cancelled()) return;
        const std::string_view line = lines[n - 1];
        ctx.showCheckingLine(n, line);
        const AnchorPositions anchors(line);
        if (anchors.empty()) continue;
        // The first token found decides the line, even when its family is not selected.
        const Hit hit = firstToken(anchors);
        if (hit.family == nullptr || !ctx.options.familySelected(hit.family->optionIndex)) continue;
        // Replaces the first occurrence of the bare token, which may stand earlier than the one
        // found after a blank.
        ReplaceFileLineToken(ctx, n, line, hit.token, hit.family->newLibrary, hit.family->row);
    }
}

}  // namespace tavkonv40
