// The catalogue and every conversion table against it: the GUIDs and reference lines; every
// recognised header name, Begin token and declaration token run through its step for both
// editions against what the catalogue's naming rule says it must become; and the size of every
// table, family by family, against the totals the conversion rules state. A row dropped from or
// added to one table (one tavQVSlider40B token of the Begin-line table, say) changes a count here
// even where no other test reaches it.
#include "engine/catalogue.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <optional>
#include <set>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "engine/code_declaration_table.h"
#include "engine/code_declarations.h"
#include "engine/form_body.h"
#include "engine/form_body_table.h"
#include "engine/form_header_table.h"
#include "engine/form_headers.h"
#include "engine/project_reference_names.h"
#include "tests/engine/test_support.h"

namespace tavkonv40 {
namespace {

using test::runStep;
using StepFn = void (*)(StepContext&);

const FamilyRecord& byLabel(std::string_view label) {
    const FamilyRecord* f = findFamily(label);
    if (f == nullptr) throw std::runtime_error("unknown family " + std::string(label));
    return *f;
}

// What a selected family is written as: families without 4.0L stay on 4.0.
Edition written(const FamilyRecord& f, Edition e) { return f.offers40L == Offers40L::Yes ? e : Edition::V40; }

FixedOptions only(const FamilyRecord& f, Edition e) {
    FixedOptions o;
    o.selectFamily(f.slot, e);
    return o;
}

FixedOptions allBut(const FamilyRecord& f) {
    FixedOptions o;
    for (const auto& other : families())
        if (other.slot != f.slot) o.selectFamily(other.slot, Edition::V40L);
    return o;
}

constexpr Edition kEditions[] = {Edition::V40, Edition::V40L};
constexpr std::string_view kOldEditions[] = {"20T", "20", "21", "30", "40B", "40L", "40"};

// ---- header names -------------------------------------------------------------------------------

// A name listed under two families, or a row whose option or slot is not its family's, converts
// as another family or not at all here.
TEST(FormHeaderTable, EveryNameBecomesItsFamilysReferenceLine) {
    for (const auto& row : formHeaderNameRows()) {
        const auto& f = byLabel(row.family);
        for (auto ed : row.editions) {
            if (ed.empty()) break;
            const std::string name = controlFileName(row.stem, ed);
            const std::string in = "Object = \"{0}#2.0#0\"; \"" + name + "\"\r\n";
            for (Edition e : kEditions) {
                const Edition w = written(f, e);
                const std::string expected = "Object = \"{" + std::string(w == Edition::V40 ? f.guid40 : f.guid40L) +
                                             "}#1.0#0\"; \"" + std::string(f.ocxBase) +
                                             std::string(suffixOfEdition(w)) + ".ocx\"\r\n";
                EXPECT_EQ(runStep(ConvertFormHeaders, in, only(f, e)), expected) << name;
            }
            EXPECT_EQ(runStep(ConvertFormHeaders, in, allBut(f)), in) << name;
        }
    }
}

// ---- Begin tokens -------------------------------------------------------------------------------

// Old library stems that differ from the catalogue's library stem, per family.
std::vector<std::string_view> oldLibraryStems(const FamilyRecord& f) {
    std::vector<std::string_view> stems{f.libraryBase};
    const std::pair<std::string_view, std::string_view> renamed[] = {
        {"Calendar", "tavQVStyleCalendar"},      {"ComboPlus", "tavQVComboMultiCol"}, {"MText", "tavQVMultiLineText"},
        {"Selection", "tavQVSelectionControls"}, {"SideBarMenu", "tavQVSideBarMenu"}, {"List", "tavQVList"}};
    for (const auto& [family, stem] : renamed)
        if (f.label == family) stems.push_back(stem);
    return stems;
}

// The edition of an old library name, or nullopt when the name is not stem + edition.
std::optional<std::string_view> libraryEdition(const FamilyRecord& f, std::string_view lib) {
    if (f.label == "Slider" && lib == "tavQVSliderT") return "20T";
    for (auto stem : oldLibraryStems(f))
        if (lib.starts_with(stem))
            for (auto ed : kOldEditions)
                if (lib.substr(stem.size()) == ed) return ed;
    return std::nullopt;
}

// The class stem a 4.0 or 4.0L file uses for an old class stem.
std::string newClassStem(const FamilyRecord& f, std::string_view old, std::string_view libEdition, Edition e) {
    const bool to40 = e == Edition::V40;
    if (f.label == "Progress") {
        const bool bar = old.ends_with("Bar");
        if (!to40) return bar ? "QVProgressBar" : "QVProgressWait";
        if (old == "ProgressBar") return "ProgressHBar";
        if (old == "ProgressWait") return "ProgressHWait";
        return std::string(old.starts_with("QV") ? old.substr(2) : old);
    }
    if (f.label == "Spin" || f.label == "TimePicker" || f.label == "UpDn") {
        if (!to40) return std::string(f.classes40L[0]);
        const std::string_view single = f.label == "Spin" ? "QVSpin" : f.label == "TimePicker" ? "QVTP" : "QVUpDn";
        if (old != single) return std::string(old);
        const bool horizontal = f.label == "UpDn" && libEdition == "20T";
        return "QV" + std::string(horizontal ? "H" : "V") + std::string(old.substr(2));
    }
    if (old == "QVComboMultiCol") return "QVComboPlus";
    if (old == "QVMultiLineText") return "QVMText";
    if (old == "PropertyList") return "QVPList";
    return std::string(old);
}

// Likewise a token under two families, or a family's option, row, suffix or library at odds with
// the catalogue; tokens per family: ConversionTableSizes below.
TEST(FormBodyTable, EveryTokenBecomesTheCataloguesNamesForBothEditions) {
    for (const auto& fam : formBodyFamilies()) {
        const auto& f = byLabel(fam.family);
        for (const auto& t : fam.tokens) {
            const std::string_view token = t.oldToken;
            const std::string_view libAndClass = token.substr(6);
            const auto dot = libAndClass.find('.');
            const std::string_view lib = libAndClass.substr(0, dot), cls = libAndClass.substr(dot + 1);
            const auto libEd = libraryEdition(f, lib);
            ASSERT_TRUE(libEd.has_value()) << token;
            // The class carries the library's edition (40 in a 40B library), except the two
            // classes that never carried one.
            std::string clsEd(*libEd == "40B" ? "40" : *libEd);
            if (cls == "QVStaticLabel" || (cls == "PropertyList" && (*libEd == "20T" || *libEd == "20"))) clsEd.clear();
            ASSERT_TRUE(cls.ends_with(clsEd)) << token;
            const std::string_view oldClass = cls.substr(0, cls.size() - clsEd.size());

            const std::string line = "    " + std::string(token) + " Ctl1\r\n";
            for (Edition e : kEditions) {
                const Edition w = written(f, e);
                const std::string sfx(suffixOfEdition(w));
                const std::string newClass = newClassStem(f, oldClass, *libEd, w);
                const auto& known = (w == Edition::V40L && !f.classes40L[0].empty()) ? f.classes40L : f.classes;
                EXPECT_NE(std::find(known.begin(), known.end(), newClass), known.end()) << token;
                const std::string expected = "    Begin " + std::string(f.libraryBase) + sfx + "." + newClass +
                                             (newClass == "QVStaticLabel" ? "" : sfx) + " Ctl1\r\n";
                EXPECT_EQ(runStep(ConvertFormBody, line, only(f, e)), expected) << token;
            }
            EXPECT_EQ(runStep(ConvertFormBody, line, allBut(f)), line) << token;
        }
    }
}

// ---- declaration tokens -------------------------------------------------------------------------

// Sizes per family: ConversionTableSizes below.
TEST(CodeDeclarationTable, TokensNeverShadowALaterToken) {
    std::vector<std::string_view> all;
    for (const auto& fam : codeDeclarationFamilies()) {
        const auto& f = byLabel(fam.family);
        EXPECT_EQ(fam.optionIndex, f.optionIndex) << fam.family;
        EXPECT_EQ(fam.row, f.optionRow) << fam.family;
        for (auto t : fam.tokens) {
            if (t.empty()) break;
            EXPECT_TRUE(t.starts_with("tav")) << t;  // the step's pre-test looks for " tav"
            EXPECT_EQ(t.find(' '), std::string_view::npos) << t;
            all.push_back(t);
        }
    }
    // A token that begins with another must be tried before it, or it could never be found.
    for (std::size_t i = 0; i < all.size(); ++i)
        for (std::size_t j = i + 1; j < all.size(); ++j)
            EXPECT_FALSE(all[j].starts_with(all[i])) << all[i] << " shadows " << all[j];
}

TEST(CodeDeclarationTable, EveryTokenBecomesTheFamilysLibraryForBothEditions) {
    for (const auto& fam : codeDeclarationFamilies()) {
        const auto& f = byLabel(fam.family);
        // The step writes its own library names; two of them are not the catalogue's.
        std::string_view library = f.libraryBase;
        if (fam.family == "LEDDisplay") library = "tavQVLEDDisplay";
        if (fam.family == "PopUp") library = "tavQVPopup";
        EXPECT_EQ(fam.newLibrary, library);
        for (auto t : fam.tokens) {
            if (t.empty()) break;
            const std::string line = "  Dim x As " + std::string(t) + ".Cls30\r\n";
            for (Edition e : kEditions) {
                const std::string expected =
                    "  Dim x As " + std::string(library) + std::string(suffixOfEdition(written(f, e))) + ".Cls30\r\n";
                EXPECT_EQ(runStep(CheckEVENTSForUpdate, line, only(f, e)), expected) << t;
            }
            EXPECT_EQ(runStep(CheckEVENTSForUpdate, line, allBut(f)), line) << t;
        }
    }
}

// ---- files with nothing to convert --------------------------------------------------------------

TEST(FormSteps, AFileWithNothingToConvertStaysByteIdentical) {
    const std::string form =
        "VERSION 5.00\r\n"
        "Object = \"{831FDD16-0C5C-11D2-A9FC-0000F8754DA1}#2.0#0\"; \"MSCOMCTL.OCX\"\r\n"
        "Object = \"{0}#1.0#0\"; \"tavQVButton21.ocx\"\r\n"
        "Begin VB.Form Form1 \n"
        "   Begin VB.CommandButton Command1\r"
        "      BeginProperty Font {0BE35203-8F91-11CE-9DE3-00AA004BB851}\r\n"
        "         Name = \"Arial\"\r\n"
        "      EndProperty\r\n"
        "   End\r\n"
        "   Begin tavQVButton21.QVButton21 Old\r\n"
        "   Begin tavQVGrid30.QVGrid30 G\r\n"
        "End\r\n"
        "Attribute VB_Name = \"Form1\"\r\n"
        "Dim a As tavQVButton21.QVButton21\r\n"
        "Dim b As tavLEDDisplay30.LEDDisplay30\r\n"
        "Dim c\tAs\ttavQVButton20.QVButton20\r\n"
        "\r\n"
        "' no final line break";
    FixedOptions all;
    all.selectAllFamilies(Edition::V40L);
    const std::string suite =
        "Object = \"{0}#1.0#0\"; \"tavQVButton20.ocx\"\r\n"
        "Begin tavQVButton20.QVButton20 B\r\n"
        "Dim b As tavQVButton20.QVButton20\r\n";
    for (StepFn step : {ConvertFormHeaders, ConvertFormBody, CheckEVENTSForUpdate}) {
        EXPECT_EQ(runStep(step, form, all), form);
        EXPECT_EQ(runStep(step, suite, FixedOptions{}), suite);
        EXPECT_EQ(runStep(step, "", all), "");
    }
}

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
