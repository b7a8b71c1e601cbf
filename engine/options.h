// The user's choices, asked afresh at every line a step tests: the dialog answers from its
// check boxes while a run goes on, the command line from its flags.
#pragma once

#include <array>

#include "engine/catalogue.h"

namespace tavkonv40 {

class OptionsSource {
  public:
    virtual ~OptionsSource() = default;

    // chkProp(optionIndex): is the family converted at all.
    virtual bool familySelected(int optionIndex) const = 0;
    // The Tag of chkProp(optionIndex): the family's option row.
    virtual int familyRow(int optionIndex) const = 0;
    // chkPropTo40(row): 4.0 when set, else 4.0L.
    virtual bool rowTo40(int row) const = 0;

    // chkVBProp(i): is Microsoft control option i replaced.
    virtual bool microsoftSelected(int option) const = 0;
    // chkVBPropTo40(i).
    virtual bool microsoftTo40(int option) const = 0;
    // The Tag of chkVBProp(i): catalogue slot of the replacing family.
    virtual int microsoftSlot(int option) const = 0;

    Edition rowEdition(int row) const { return rowTo40(row) ? Edition::V40 : Edition::V40L; }
    Edition microsoftEdition(int option) const { return microsoftTo40(option) ? Edition::V40 : Edition::V40L; }
};

// The suffix of the edition the user chose ("40" or "40L"), for a family row and for a Microsoft
// option.
inline std::string_view EditionSuffix(const OptionsSource& o, int row) { return suffixOfEdition(o.rowEdition(row)); }
inline std::string_view VBEditionSuffix(const OptionsSource& o, int option) {
    return suffixOfEdition(o.microsoftEdition(option));
}

// Plain values: what the command line and the tests use. Rows and slots come from the catalogue;
// everything starts unselected at 4.0, as the dialog's panels load.
class FixedOptions : public OptionsSource {
  public:
    FixedOptions();

    void selectFamily(int slot, Edition e);
    void selectAllFamilies(Edition e);  // 4.0-only families stay on 4.0
    void selectMicrosoft(int option, Edition e);
    void selectAllMicrosoft(Edition e);

    bool familySelected(int optionIndex) const override;
    int familyRow(int optionIndex) const override;
    bool rowTo40(int row) const override;
    bool microsoftSelected(int option) const override;
    bool microsoftTo40(int option) const override;
    int microsoftSlot(int option) const override;

  private:
    std::array<bool, kFamilyCount> familySelected_{};
    std::array<bool, kFamilyCount> rowTo40_{};
    std::array<bool, kMicrosoftOptionCount> microsoftSelected_{};
    std::array<bool, kMicrosoftOptionCount> microsoftTo40_{};
};

}  // namespace tavkonv40
