#include "engine/options.h"

#include <stdexcept>

namespace tavkonv40 {

namespace {
std::size_t index(int i, int count) {
    return (i >= 0 && i < count) ? static_cast<std::size_t>(i) : throw std::out_of_range("option index");
}
}  // namespace

FixedOptions::FixedOptions() {
    rowTo40_.fill(true);
    microsoftTo40_.fill(true);
}

void FixedOptions::selectFamily(int slot, Edition e) {
    const auto& f = familyBySlot(slot);
    familySelected_[index(f.optionIndex, kFamilyCount)] = true;
    rowTo40_[index(f.optionRow, kFamilyCount)] = e == Edition::V40 || f.offers40L == Offers40L::No;
}

void FixedOptions::selectAllFamilies(Edition e) {
    for (const auto& f : families()) selectFamily(f.slot, e);
}

void FixedOptions::selectMicrosoft(int option, Edition e) {
    microsoftSelected_[index(option, kMicrosoftOptionCount)] = true;
    microsoftTo40_[index(option, kMicrosoftOptionCount)] = e == Edition::V40;
}

void FixedOptions::selectAllMicrosoft(Edition e) {
    for (int i = 0; i < kMicrosoftOptionCount; ++i) selectMicrosoft(i, e);
}

bool FixedOptions::familySelected(int optionIndex) const { return familySelected_[index(optionIndex, kFamilyCount)]; }

int FixedOptions::familyRow(int optionIndex) const {
    const auto* f = familyByOptionIndex(optionIndex);
    if (!f) throw std::out_of_range("option index");
    return f->optionRow;
}

bool FixedOptions::rowTo40(int row) const { return rowTo40_[index(row, kFamilyCount)]; }

bool FixedOptions::microsoftSelected(int option) const {
    return microsoftSelected_[index(option, kMicrosoftOptionCount)];
}

bool FixedOptions::microsoftTo40(int option) const { return microsoftTo40_[index(option, kMicrosoftOptionCount)]; }

int FixedOptions::microsoftSlot(int option) const {
    return microsoftOptions()[index(option, kMicrosoftOptionCount)].slot;
}

}  // namespace tavkonv40
