#include "engine/anchor_positions.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

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

}  // namespace
}  // namespace tavkonv40
