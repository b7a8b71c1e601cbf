#include "engine/form_body.h"

#include "engine/anchored_lines.h"

#include <array>
#include <vector>

namespace tavkonv40 {

namespace {

// Every token starts with this text, so a line without it holds none of them. (The first test of
// a line, a case-insensitive "Begin" anywhere, is implied by it.)
constexpr std::string_view kAnchor = "Begin tav";

const std::vector<std::string_view>& bodyPrefixes() {
    static const std::vector<std::string_view> prefixes =
        familyPrefixes(formBodyFamilies(), [](const BodyToken& t) { return t.oldToken; });
    return prefixes;
}

// The class a found token becomes: edition-dependent classes are decided by the row's 4.0 option
// as it stands when the token is found.
std::string_view classWritten(const StepContext& ctx, const BodyFamily& family, const BodyToken& token) {
    if (token.newClass40L.empty()) return token.newClass;
    return ctx.options.rowTo40(family.row) ? token.newClass : token.newClass40L;
}

// Rewrites line n with the family's first token that stands in it after the anchor, if any.
void convertFamilyToken(StepContext& ctx, std::size_t n, std::string_view line, const AnchorPositions& anchors,
                        const BodyFamily& family) {
    const std::string_view suffix =
        family.suffix == BodySuffix::Fixed40 ? suffixOfEdition(Edition::V40) : EditionSuffix(ctx.options, family.row);
    for (const BodyToken& token : family.tokens) {
        if (!anchors.contains(token.oldToken)) continue;
        std::string prefix = "Begin ";
        prefix += family.newLibrary;
        std::string cls = ".";
        cls += classWritten(ctx, family, token);
        ReplaceFileLine(ctx, n, SpliceClassToken(line, suffix, token.oldToken, prefix, cls, token.classSuffix));
        return;
    }
}

}  // namespace

std::string SpliceClassToken(std::string_view line, std::string_view suffix, std::string_view oldToken,
                             std::string_view newPrefix, std::string_view newClass, ClassSuffix classSuffix) {
    const std::size_t p = line.find(oldToken);
    if (p == std::string_view::npos) return std::string(line);
    std::string out;
    out.reserve(line.size() + newPrefix.size() + newClass.size() + 2 * suffix.size());
    out += line.substr(0, p);
    out += newPrefix;
    out += suffix;
    out += newClass;
    if (classSuffix == ClassSuffix::Append) out += suffix;
    out += line.substr(p + oldToken.size());
    return out;
}

void ConvertFormBody(StepContext& ctx) {
    const auto& prefixes = bodyPrefixes();
    const auto& all = formBodyFamilies();
    forEachAnchoredLine(ctx, kAnchor, [&](std::size_t n, std::string_view line, const AnchorPositions& anchors) {
        // Every family is tried, and each rewrite starts again from the line as read.
        for (std::size_t f = 0; f < all.size(); ++f)
            if (ctx.options.familySelected(all[f].optionIndex) && anchors.contains(prefixes[f]))
                convertFamilyToken(ctx, n, line, anchors, all[f]);
    });
}

}  // namespace tavkonv40
