// The catalogue's GUIDs and reference lines, and the size of every conversion table, family by
// family, against the totals the conversion rules state. A row dropped from or added to one table
// (one tavQVSlider40B token of the Begin-line table, say) changes a count here even where no other
// test reaches it.
#include "engine/catalogue.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <string_view>

#include "engine/code_declaration_table.h"
#include "engine/form_body_table.h"
#include "engine/form_header_table.h"
#include "engine/project_reference_names.h"

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

// Names per family: header control files, Begin-line tokens, declaration tokens (0: the
// family has none), project control files.
struct Expected {
    std::string_view family;
    std::size_t header, body, declarations, project;
};

constexpr Expected kExpected[] = {
    {"Balloons", 9, 12, 0, 9},    {"Button", 7, 6, 6, 7},      {"ButtonBar", 6, 2, 3, 6}, {"Calendar", 7, 6, 6, 7},
    {"ColorPicker", 6, 2, 0, 5},  {"ComboBox", 12, 6, 6, 12},  {"ComboPlus", 6, 7, 6, 6}, {"DatePicker", 7, 6, 6, 7},
    {"Form", 6, 3, 3, 5},         {"Frame", 7, 6, 6, 7},       {"Grid", 6, 1, 2, 3},      {"Image", 7, 6, 6, 7},
    {"ImageList", 6, 6, 6, 6},    {"ImagePicker", 3, 2, 2, 2}, {"IPAddress", 3, 2, 3, 2}, {"Label", 6, 6, 6, 6},
    {"LEDDisplay", 6, 5, 6, 6},   {"List", 7, 6, 6, 7},        {"ListView", 7, 12, 6, 7}, {"MACAddress", 3, 2, 6, 3},
    {"MaskEdit", 6, 6, 0, 5},     {"MenuBar", 6, 6, 6, 6},     {"MText", 7, 6, 6, 8},     {"NumberPicker", 6, 2, 6, 1},
    {"Panel", 7, 6, 6, 7},        {"PList", 6, 12, 6, 6},      {"PopUp", 7, 6, 6, 7},     {"Progress", 7, 18, 6, 7},
    {"ProgressStep", 7, 6, 6, 7}, {"SCntr", 6, 6, 6, 6},       {"Scroll", 7, 12, 6, 7},   {"Selection", 7, 12, 6, 7},
    {"SideBarMenu", 7, 12, 6, 7}, {"Slider", 7, 12, 6, 7},     {"Spin", 7, 8, 6, 7},      {"SpinAlpha", 6, 4, 3, 3},
    {"StatusBar", 7, 6, 6, 7},    {"Tab", 7, 9, 6, 7},         {"Text", 7, 6, 6, 7},      {"TimePicker", 7, 8, 6, 7},
    {"Tree", 6, 1, 3, 2},         {"UpDn", 6, 9, 6, 6},
};

using Counts = std::map<std::string, std::size_t, std::less<>>;

template <class Member>
Counts expected(Member member) {
    Counts out;
    for (const auto& e : kExpected)
        if (e.*member != 0) out[std::string(e.family)] = e.*member;
    return out;
}

std::size_t total(const Counts& counts) {
    std::size_t sum = 0;
    for (const auto& [family, n] : counts) sum += n;
    return sum;
}

template <class Names>
std::size_t used(const Names& names) {
    std::size_t n = 0;
    for (const auto& name : names) n += name.empty() ? 0 : 1;
    return n;
}

TEST(ConversionTableSizes, TheExpectationsThemselvesAddUpToTheStatedTotals) {
    EXPECT_EQ(std::size(kExpected), static_cast<std::size_t>(kFamilyCount));
    EXPECT_EQ(total(expected(&Expected::header)), 273u);
    EXPECT_EQ(total(expected(&Expected::body)), 277u);
    EXPECT_EQ(total(expected(&Expected::declarations)), 211u);
    EXPECT_EQ(expected(&Expected::declarations).size(), 39u);
    EXPECT_EQ(total(expected(&Expected::project)), 254u);
}

// Each table counted by family, against its column of the expectations.
TEST(ConversionTableSizes, NamesPerFamilyInEveryTable) {
    Counts header, body, declarations, project;
    for (const auto& row : formHeaderNameRows()) header[std::string(row.family)] += used(row.editions);
    for (const auto& family : formBodyFamilies()) body[std::string(family.family)] += family.tokens.size();
    for (const auto& family : codeDeclarationFamilies())
        declarations[std::string(family.family)] += used(family.tokens);
    for (const auto& row : projectFamilyNames()) project[std::string(familyBySlot(row.slot).label)] += used(row.names);
    EXPECT_EQ(header, expected(&Expected::header));
    EXPECT_EQ(body, expected(&Expected::body));
    EXPECT_EQ(declarations, expected(&Expected::declarations));
    EXPECT_EQ(project, expected(&Expected::project));
}

}  // namespace
}  // namespace tavkonv40
