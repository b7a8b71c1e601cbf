// Suite type-library names that code lines may mention, per family, and what they become.
#pragma once

#include <array>
#include <span>
#include <string_view>

namespace tavkonv40 {

struct DeclarationFamily {
    std::string_view family;      // catalogue label
    int optionIndex;              // chkProp(i) of the family
    int row;                      // option row whose edition suffix is written
    std::string_view newLibrary;  // library stem that replaces a found token
    // Library names of older and current editions, in test order; empty entries unused. Each is
    // looked for with one blank in front of it.
    std::array<std::string_view, 6> tokens;
};

// In the order the families are tried.
std::span<const DeclarationFamily> codeDeclarationFamilies();

}  // namespace tavkonv40
