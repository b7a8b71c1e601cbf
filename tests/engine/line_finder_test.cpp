// The searches the steps use before they look at a line closely: the pre-test of anchored
// positions and the line finder, each against a plain search.
#include "engine/line_finder.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "engine/anchor_positions.h"
#include "engine/text_util.h"

namespace tavkonv40 {
namespace {

// The pre-test must answer exactly like a plain search, also past its capacity of positions.
TEST(AnchorPositions, AgreesWithPlainSearch) {
    std::mt19937 rng(3);
    const std::string pieces[] = {" tav", "Begin tav", "QVButton20", " tavQVButton20", "x", "tavQV", " "};
    for (int round = 0; round < 2000; ++round) {
        std::string line;
        const int n = static_cast<int>(rng() % 40);
        for (int i = 0; i < n; ++i) line += pieces[rng() % std::size(pieces)];
        for (const std::string anchor : {" tav", "Begin tav"}) {
            const AnchorPositions anchors(line, anchor);
            EXPECT_EQ(anchors.empty(), line.find(anchor) == std::string::npos);
            for (const std::string token : {"tavQVButton20", "tavQV", "Begin tavQVButton20"}) {
                const std::size_t lead = anchor == " tav" && token.rfind("tav", 0) == 0 ? 1 : 0;
                const bool plain = line.find(anchor.substr(0, lead) + token) != std::string::npos;
                const bool anchored = token.rfind(anchor.substr(lead), 0) == 0;
                if (anchored) {
                    ASSERT_EQ(anchors.contains(token, lead), plain) << line << " | " << token;
                }
            }
        }
    }
}

TEST(CommonPrefix, StopsAtTheFirstEmptyToken) {
    const std::string_view tokens[] = {"tavQVButton20T", "tavQVButton40B", "", "other"};
    EXPECT_EQ(commonPrefix(tokens, [](std::string_view t) { return t; }), "tavQVButton");
}

std::vector<std::size_t> found(const TextFile& file, std::string_view needle, LetterCase c) {
    std::vector<std::size_t> out;
    for (LineFinder f(file, needle, c); const std::size_t n = f.next();) out.push_back(n);
    return out;
}

// What a search line by line finds.
std::vector<std::size_t> lineByLine(const TextFile& file, std::string_view needle, LetterCase c) {
    std::vector<std::size_t> out;
    for (std::size_t n = 1; n <= file.lineCount(); ++n) {
        const auto line = file.line(n);
        if (c == LetterCase::Exact ? contains(line, needle) : containsNoCase(line, needle)) out.push_back(n);
    }
    return out;
}

// Random files with every kind of line end, rewritten at random between two hand-overs, agree
// with the line-by-line search for needles of every shape: each holding line once, in order, in
// either letter case, never across a line end, rewritten lines seen after the hand-over.
TEST(LineFinder, AgreesWithLineByLineSearchOnRandomFiles) {
    std::mt19937 rng(12345);
    const std::string alphabet = "abtvBTV {}#=\r\n\r\n";
    const std::vector<std::string> needles{"tav", "Begin tav", "{", " t", "Tav", "v", "b{#", "aa"};
    for (int round = 0; round < 300; ++round) {
        std::string bytes;
        const std::size_t size = rng() % 200;
        for (std::size_t i = 0; i < size; ++i) bytes += alphabet[rng() % alphabet.size()];
        if (round % 3 == 0) bytes += "Begin tav tav";
        auto file = std::make_unique<TextFile>(bytes);
        for (int step = 0; step < 3; ++step) {
            for (const auto& needle : needles)
                for (auto c : {LetterCase::Exact, LetterCase::Ignore})
                    ASSERT_EQ(found(*file, needle, c), lineByLine(*file, needle, c))
                        << "round " << round << " step " << step << " needle " << needle;
            const std::size_t lines = file->currentLineCount();
            for (int k = 0; k < 3 && lines > 0; ++k) {
                std::string text(rng() % 6, 't');
                text += (rng() % 2) ? "av" : "\r\nTAV {";
                file->replaceLine(1 + rng() % lines, text);
            }
            file = TextFile::continueFrom(std::move(file));
        }
    }
}

}  // namespace
}  // namespace tavkonv40
