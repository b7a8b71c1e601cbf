// The suite's 42 control families and the reference lines a conversion writes.
#pragma once

#include <array>
#include <string>
#include <string_view>

namespace tavkonv40 {

inline constexpr int kFamilyCount = 42;
inline constexpr int kMicrosoftOptionCount = 13;

enum class Offers40L { No, Yes };

// Which of the two editions a conversion writes.
enum class Edition { V40, V40L };

std::string_view suffixOfEdition(Edition e);  // the suffix names of edition e end in: "40" or "40L"

struct FamilyRecord {
    int slot;                  // position in the reference-line tables (alphabetical by OCX stem)
    std::string_view label;    // name used throughout the code and on the command line
    std::string_view caption;  // text of the family's "convert" check box
    int optionIndex;           // index of chkProp(i): historical order
    int optionRow;             // on-screen row, alphabetical by caption; held in chkProp's Tag
    Offers40L offers40L;
    std::string_view ocxBase;                    // control file stem: stem + suffix + ".ocx"
    std::string_view libraryBase;                // type-library stem used in form bodies
    std::array<std::string_view, 4> classes;     // 4.0 class stems (empty entries unused)
    std::array<std::string_view, 4> classes40L;  // 4.0L class stems where they differ; empty otherwise
    std::string_view guid40;                     // type-library GUID of the 4.0 control file
    std::string_view guid40L;                    // type-library GUID of the 4.0L control file; empty without one
};

// Indexed by catalogue slot.
const std::array<FamilyRecord, kFamilyCount>& families();

const FamilyRecord& familyBySlot(int slot);
const FamilyRecord* familyByOptionIndex(int optionIndex);
const FamilyRecord* familyByOptionRow(int optionRow);
// Case-insensitive match on label or caption; nullptr when unknown.
const FamilyRecord* findFamily(std::string_view labelOrCaption);

// One row of the "Microsoft Controls" panel.
struct MicrosoftOption {
    int index;                 // 0..12
    std::string_view caption;  // check box caption
    int slot;                  // catalogue slot of the replacing suite family (the check box's Tag)
};

const std::array<MicrosoftOption, kMicrosoftOptionCount>& microsoftOptions();

// The header ("Object = ...", forms and user controls) and project ("Object=...", .vbp)
// reference lines, indexed by slot for 4.0 and slot + 42 for 4.0L.
struct ReferenceTables {
    std::array<std::string, 2 * kFamilyCount> headerLines;
    std::array<std::string, 2 * kFamilyCount> projectLines;

    const std::string& header(int slot, Edition e) const;
    const std::string& project(int slot, Edition e) const;
};

// Composes both tables from the catalogue. Pure: rebuilding gives the same values.
ReferenceTables BuildReferenceTables();

}  // namespace tavkonv40
