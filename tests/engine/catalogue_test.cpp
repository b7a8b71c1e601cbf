#include "engine/catalogue.h"

#include <gtest/gtest.h>

#include <set>

namespace tavkonv40 {
namespace {

TEST(Catalogue, GuidsAreDistinctUpperCaseVersion4AndOnlyWhereAnEditionExists) {
    // Upper-case 8-4-4-4-12 hexadecimal, version 4, RFC variant.
    auto isGuid = [](std::string_view g) {
        if (g.size() != 36) return false;
        for (std::size_t i = 0; i < g.size(); ++i) {
            const bool dash = i == 8 || i == 13 || i == 18 || i == 23;
            const char c = g[i];
            if (dash != (c == '-')) return false;
            if (!dash && !((c >= '0' && c <= '9') || (c >= 'A' && c <= 'F'))) return false;
        }
        return g[14] == '4' && std::string_view("89AB").find(g[19]) != std::string_view::npos;
    };
    std::set<std::string_view> all;
    int count40L = 0, only40 = 0;
    for (const auto& f : families()) {
        EXPECT_TRUE(isGuid(f.guid40)) << f.label;
        all.insert(f.guid40);
        if (f.offers40L == Offers40L::Yes) {
            EXPECT_TRUE(isGuid(f.guid40L)) << f.label;
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
