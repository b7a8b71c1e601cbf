// The controls of the loaded conversion form, addressed the way the form's
// code addresses them: by control array and index.  The form owns them (they
// are children of its window); the form renders the dialog's model into them.
#pragma once

#include "controls/qt/LBWidget.h"
#include "controls/qt/BTNWidget.h"
#include "controls/qt/GlyphWidgets.h"
#include "controls/qt/ScrollBarWidgets.h"
#include "controls/qt/txtWidget.h"

#include "engine/catalogue.h"
#include "dialog/dialog_model.h"

#include <QLabel>

#include <array>

namespace dialog {

struct FormControls {
    std::array<BTNWidget*, kCommandCount> cmd{};
    txtWidget* txtPath = nullptr;
    LBWidget* List1 = nullptr;
    VSCWidget* VS = nullptr;
    QLabel* lbl2 = nullptr;      // "Current Folder"
    QLabel* lbl4 = nullptr;      // "Conversion Utility"
    QLabel* lbl5 = nullptr;      // status line
    QLabel* Label1_0 = nullptr;  // title of the option panel

    std::array<CHKBOXWidget*, tavkonv40::kFamilyCount> chkProp{};   // by option index
    std::array<OptWidget*, tavkonv40::kFamilyCount> chkPropTo40{};  // by option row
    std::array<OptWidget*, tavkonv40::kFamilyCount> chkPropTo4L{};
    std::array<CHKBOXWidget*, tavkonv40::kMicrosoftOptionCount> chkVBProp{};
    std::array<OptWidget*, tavkonv40::kMicrosoftOptionCount> chkVBPropTo40{};
    std::array<OptWidget*, tavkonv40::kMicrosoftOptionCount> chkVBPropTo4L{};

    QWidget* XPTabCtrl = nullptr;
    QWidget* TabHeader = nullptr;
    QWidget* tabTitle = nullptr;
    std::array<QWidget*, 2> CTRLContainer{};
};

// The Tag of a control, as the host keeps it beside the control.
inline int TagOf(const QWidget* control) { return control->property("Tag").toInt(); }
inline void SetTag(QWidget* control, int value) { control->setProperty("Tag", QString::number(value)); }

}  // namespace dialog
