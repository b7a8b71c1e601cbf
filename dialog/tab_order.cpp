#include "dialog/tab_order.h"

#include "dialog/dialog_model.h"

#include "engine/catalogue.h"

namespace dialog {

namespace {

std::vector<FocusStop> MakeTabOrder() {
    std::vector<FocusStop> order{{FormArray::TabHeader, 0}};
    // Option rows are numbered down the left column, then down the right one.
    for (int row = 0; row < tavkonv40::kFamilyCount; ++row) {
        if (const tavkonv40::FamilyRecord* family = tavkonv40::familyByOptionRow(row))
            order.push_back({FormArray::chkProp, family->optionIndex});
        order.push_back({FormArray::chkPropTo40, row});
        order.push_back({FormArray::chkPropTo4L, row});
    }
    for (int option = 0; option < tavkonv40::kMicrosoftOptionCount; ++option)
        for (FormArray array : {FormArray::chkVBProp, FormArray::chkVBPropTo40, FormArray::chkVBPropTo4L})
            order.push_back({array, option});
    for (Command c : {cmdSelectAllSuite, cmdClearAllSuite, cmdSetAllSuite, cmdSelectAllMicrosoft, cmdClearAllMicrosoft,
                      cmdSetAllMicrosoft})
        order.push_back({FormArray::cmd, c});
    order.push_back({FormArray::txtPath, 0});
    order.push_back({FormArray::cmd, cmdBrowse});
    order.push_back({FormArray::List1, 0});
    for (Command c : {cmdStart, cmdCloseCancel, cmdHelp}) order.push_back({FormArray::cmd, c});
    return order;
}

}  // namespace

const std::vector<FocusStop>& TabOrder() {
    static const std::vector<FocusStop> order = MakeTabOrder();
    return order;
}

}  // namespace dialog
