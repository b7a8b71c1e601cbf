#include "catalogue.h"

#include <gtest/gtest.h>

#include <regex>
#include <set>

namespace tavkonv40 {
namespace {

TEST(Catalogue, SlotsIndicesAndRowsArePermutations) {
    std::set<int> slots, indices, rows;
    for (const auto& f : families()) {
        slots.insert(f.slot);
        indices.insert(f.optionIndex);
        rows.insert(f.optionRow);
    }
    EXPECT_EQ(slots.size(), 42u);
    EXPECT_EQ(indices.size(), 42u);
    EXPECT_EQ(rows.size(), 42u);
    EXPECT_EQ(*rows.rbegin(), 41);
    for (int s = 0; s < kFamilyCount; ++s) EXPECT_EQ(familyBySlot(s).slot, s);
}

TEST(Catalogue, GuidsAreDistinctUpperCaseVersion4AndOnlyWhereAnEditionExists) {
    const std::regex guid("[0-9A-F]{8}-[0-9A-F]{4}-4[0-9A-F]{3}-[89AB][0-9A-F]{3}-[0-9A-F]{12}");
    std::set<std::string_view> all;
    int count40L = 0, only40 = 0;
    for (const auto& f : families()) {
        EXPECT_TRUE(std::regex_match(std::string(f.guid40), guid)) << f.label;
        all.insert(f.guid40);
        if (f.offers40L == Offers40L::Yes) {
            EXPECT_TRUE(std::regex_match(std::string(f.guid40L), guid)) << f.label;
            all.insert(f.guid40L);
            ++count40L;
        } else {
            EXPECT_TRUE(f.guid40L.empty()) << f.label;
            ++only40;
        }
    }
    EXPECT_EQ(all.size(), 74u);
    EXPECT_EQ(count40L, 32);
    EXPECT_EQ(only40, 10);
}

TEST(Catalogue, FindsFamiliesByLabelOrCaptionIgnoringCase) {
    ASSERT_NE(findFamily("button"), nullptr);
    EXPECT_EQ(findFamily("button")->slot, 0);
    EXPECT_EQ(findFamily("QVCAPTION")->label, "Balloons");
    EXPECT_EQ(findFamily("updn")->caption, "QVUpDown");
    EXPECT_EQ(findFamily("nothing"), nullptr);
}

TEST(ReferenceTables, LinesAreComposedPieceByPiece) {
    const auto t = BuildReferenceTables();
    const auto& button = familyBySlot(0);
    EXPECT_EQ(t.header(0, Edition::V40),
              "Object = \"{" + std::string(button.guid40) + "}#1.0#0\"; \"tavQVButton40.ocx\"");
    EXPECT_EQ(t.project(0, Edition::V40),
              "Object={" + std::string(button.guid40) + "}#1.0#0; tavQVButton40.ocx");
    EXPECT_EQ(t.header(0, Edition::V40L),
              "Object = \"{" + std::string(button.guid40L) + "}#1.0#0\"; \"tavQVButton40L.ocx\"");
    // The OCX stem, not the library stem, names the file.
    EXPECT_NE(t.header(7, Edition::V40).find("\"tavQVDP40.ocx\""), std::string::npos);
    EXPECT_NE(t.project(13, Edition::V40L).find("; tavQVIML40L.ocx"), std::string::npos);
}

TEST(ReferenceTables, SevenFamiliesWithout40LHaveNo40LLine) {
    const auto t = BuildReferenceTables();
    int empty = 0;
    for (const auto& f : families()) {
        EXPECT_FALSE(t.header(f.slot, Edition::V40).empty());
        if (t.header(f.slot, Edition::V40L).empty()) {
            ++empty;
            EXPECT_EQ(f.offers40L, Offers40L::No) << f.label;
            EXPECT_TRUE(t.project(f.slot, Edition::V40L).empty());
        }
    }
    EXPECT_EQ(empty, 7);
    // Form, Grid and Tree get a 4.0L line although nothing can select it; no GUID exists for it.
    EXPECT_EQ(t.project(8, Edition::V40L), "Object={}#1.0#0; tavQVForm40L.ocx");
    EXPECT_EQ(BuildReferenceTables().headerLines, t.headerLines);
}

}  // namespace
}  // namespace tavkonv40
