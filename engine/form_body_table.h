// The library-and-class tokens of suite controls' Begin lines, per family, and what they become.
#pragma once

#include <span>
#include <string_view>

namespace tavkonv40 {

// Where a family's edition suffix comes from.
enum class BodySuffix {
    FromRow,  // EditionSuffix of the family's option row
    Fixed40,  // always "40": the family has no 4.0L edition
};

// Whether the written class carries the edition suffix (QVStaticLabel never does).
enum class ClassSuffix { Append, Omit };

struct BodyToken {
    // "Begin " + library + "." + class, exactly as an older file writes it.
    std::string_view oldToken;
    // Class stem written for 4.0, and for 4.0L as well unless newClass40L is given.
    std::string_view newClass;
    // Class stem written for 4.0L where the class depends on the edition; empty otherwise.
    std::string_view newClass40L = {};
    ClassSuffix classSuffix = ClassSuffix::Append;
};

inline constexpr int kNoRow = -1;

struct BodyFamily {
    std::string_view family;  // catalogue label
    int optionIndex;          // chkProp(i) of the family
    BodySuffix suffix;
    int row;  // option row of EditionSuffix and of the 4.0 option; kNoRow for Fixed40
    std::string_view newLibrary;
    std::span<const BodyToken> tokens;  // in test order
};

// In the order the families are tried.
std::span<const BodyFamily> formBodyFamilies();

}  // namespace tavkonv40
