// How the project check judges a suite name: which family and edition a library, class or control
// file belongs to, and which conversion rule (if any) would still convert an older name. Built
// from the catalogue's naming rule (stem + edition suffix) and the conversion steps' own tables,
// so that it knows exactly the names the converter writes and recognises.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/catalogue.h"

namespace tavkonv40::check {

enum class NameStatus {
    Current,         // a 4.0 or 4.0L name of an edition the family has
    MissingEdition,  // the 4.0L name of a family that exists only as 4.0
    Older,           // a family stem with an older edition token (none, 20 ... 40B)
    Unknown,         // looks like a suite name, but no edition of any family writes it
};

struct NameVerdict {
    NameStatus status;
    const FamilyRecord* family = nullptr;  // by the name's stem; may be null for Unknown
    Edition edition = Edition::V40;        // Current and MissingEdition
};

NameVerdict judgeLibrary(std::string_view library);
NameVerdict judgeControlFile(std::string_view file);

// A name cut after the longest family stem (current or older) that begins it: "tavQVCombo40" gives
// ComboBox and "40". No family when no stem begins the name.
struct StemSplit {
    const FamilyRecord* family = nullptr;
    std::string_view token;  // what follows the stem
};
StemSplit splitAtStem(std::string_view name);

// Removes an edition token from the end of a name ("QVButton20" gives "QVButton").
std::string_view withoutEditionToken(std::string_view name);

// The classes a current library holds, as written (stem + suffix; the exceptions without one).
const std::vector<std::string>& currentClasses(const FamilyRecord& f, Edition e);
bool isCurrentClass(const FamilyRecord& f, Edition e, std::string_view className);

const std::string& currentLibrary(const FamilyRecord& f, Edition e);
const std::string& currentControlFile(const FamilyRecord& f, Edition e);

// Families whose rule would rewrite the name, by each step's own matching.
const FamilyRecord* beginLineRule(std::string_view library, std::string_view className);
const FamilyRecord* headerLineRule(std::string_view file);
const FamilyRecord* projectLineRule(std::string_view file);

// The code step replaces the first of its tokens that begins the library name.
struct CodeRule {
    const FamilyRecord* family;
    std::string writes40;   // the library name a 4.0 conversion leaves
    std::string writes40L;  // the same for 4.0L (the 4.0 name for families without 4.0L)
};
std::optional<CodeRule> codeLineRule(std::string_view library);

// "Label (QVLabel)": how --family names the family.
std::string familyOption(const FamilyRecord& f);

}  // namespace tavkonv40::check
