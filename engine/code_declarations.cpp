#include "engine/code_declarations.h"

#include <array>
#include <vector>

#include "engine/anchored_lines.h"
#include "engine/code_declaration_table.h"

namespace tavkonv40 {

namespace {

// Every token is a library name starting with "tav" and is looked for with a blank in front, so a
// line without " tav" holds none of them.
constexpr std::string_view kAnchor = " tav";

const std::vector<std::string_view>& declarationPrefixes() {
    static const std::vector<std::string_view> prefixes =
        familyPrefixes(codeDeclarationFamilies(), [](std::string_view t) { return t; });
    return prefixes;
}

struct Hit {
    const DeclarationFamily* family = nullptr;
    std::string_view token;
};

// The first token of the table, family by family, that stands after a blank in the line.
Hit firstToken(const AnchorPositions& anchors) {
    const auto& prefixes = declarationPrefixes();
    const auto& all = codeDeclarationFamilies();
    for (std::size_t f = 0; f < all.size(); ++f) {
        const DeclarationFamily& family = all[f];
        if (!anchors.contains(prefixes[f], 1)) continue;
        for (std::string_view token : family.tokens) {
            if (token.empty()) break;
            if (anchors.contains(token, 1)) return {&family, token};
        }
    }
    return {};
}

}  // namespace

void CheckEVENTSForUpdate(StepContext& ctx) {
    forEachAnchoredLine(ctx, kAnchor, [&](std::size_t n, std::string_view line, const AnchorPositions& anchors) {
        // The first token found decides the line, even when its family is not selected.
        const Hit hit = firstToken(anchors);
        if (hit.family == nullptr || !ctx.options.familySelected(hit.family->optionIndex)) return;
        // Replaces the first occurrence of the bare token, which may stand earlier than the one
        // found after a blank.
        ReplaceFileLineToken(ctx, n, line, hit.token, hit.family->newLibrary, hit.family->row);
    });
}

}  // namespace tavkonv40
