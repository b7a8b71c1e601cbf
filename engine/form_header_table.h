// The control-file names a form or user-control header may name, per suite family.
#pragma once

#include <array>
#include <span>
#include <string>
#include <string_view>

namespace tavkonv40 {

// Edition token of the unversioned first release: the file is stem + ".ocx".
inline constexpr std::string_view kUnversioned = "(none)";

// One stem of a family with the edition tokens under which its control file is recognised.
// A family with several stems has several consecutive rows.
struct HeaderNameRow {
    std::string_view family;  // catalogue label
    int optionIndex;          // chkProp(i) of the family
    int slot;                 // catalogue slot: which reference line is written
    std::string_view stem;
    std::array<std::string_view, 9> editions;  // kUnversioned or a token; empty entries unused
};

// In the order the families are tried.
std::span<const HeaderNameRow> formHeaderNameRows();

// stem + edition + ".ocx" (stem + ".ocx" for kUnversioned).
std::string controlFileName(std::string_view stem, std::string_view edition);

}  // namespace tavkonv40
