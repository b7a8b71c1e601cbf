#include "engine/catalogue.h"

#include <algorithm>
#include <stdexcept>

#include "engine/text_util.h"

// Data tables: one row a line, as the rules list them.
// clang-format off

namespace tavkonv40 {

namespace {

// The GUIDs were generated once as random version-4 identifiers. They must never change:
// converted user projects carry them.
const std::array<FamilyRecord, kFamilyCount> kFamilies = {{
    {0, "Button", "QVButton", 0, 0, Offers40L::Yes, "tavQVButton", "tavQVButton", {"QVButton"}, {}, "55870AA1-BEA7-4F63-A945-7F0682E167A3", "41405EE2-95F8-4B82-A5AC-3994F32A2A31"},
    {1, "ButtonBar", "QVButtonBar", 39, 1, Offers40L::No, "tavQVButtonBar", "tavQVButtonBar", {"QVButtonBar"}, {}, "D4E6460A-5A9F-4E62-B082-6F73F5FC48A4", ""},
    {2, "Balloons", "QVCaption", 2, 3, Offers40L::Yes, "tavQVBalloons", "tavQVBalloons", {"BalloonMessage", "BalloonTip"}, {}, "1C1B7591-34F6-4B63-BE71-D5E8321DCE37", "579BD6D1-9952-4C62-B7BF-04C74421CA7F"},
    {3, "Calendar", "QVCalendar", 1, 2, Offers40L::Yes, "tavQVCalendar", "tavQVCalendar", {"QVCalendar"}, {}, "72991ABA-A2EA-4670-B110-0D49092E322C", "6C4A78A9-4768-4EF8-A38E-BBF6284C7950"},
    {4, "ColorPicker", "QVColorPicker", 35, 4, Offers40L::No, "tavQVColorPicker", "tavQVColorPicker", {"QVColorPicker"}, {}, "6EF9D0B5-6659-4D42-8D17-49121DB9AE21", ""},
    {5, "ComboBox", "QVCombo", 3, 5, Offers40L::Yes, "tavQVCombo", "tavQVComboBox", {"QVComboBox"}, {}, "D0D31379-D612-40DF-BDBE-FEC34A9BC4CC", "D4533C78-01AC-4DE5-9605-CC1676904564"},
    {6, "ComboPlus", "QVComboPlus", 4, 6, Offers40L::Yes, "tavQVCBOM", "tavQVComboPlus", {"QVComboPlus"}, {}, "C8DD9EBD-0AF5-4CAC-B13E-740A0A7E50A6", "F344D974-D89C-4932-86C4-9DC8596F4D89"},
    {7, "DatePicker", "QVDatePicker", 5, 7, Offers40L::Yes, "tavQVDP", "tavQVDatePicker", {"QVDatePicker"}, {}, "86521C7D-E4B7-497B-9047-6CFBEE1F0932", "60F2E736-E1A7-475C-B5FC-75DCC8EDD719"},
    {8, "Form", "QVForm", 6, 8, Offers40L::No, "tavQVForm", "tavQVForm", {"QVForm"}, {}, "BF41C3FA-6C77-448A-B1A0-82F92E73FF3F", ""},
    {9, "Frame", "QVFrame", 7, 9, Offers40L::Yes, "tavQVFrame", "tavQVFrame", {"QVFrame"}, {}, "5E8D5E1E-6C27-4421-8D3E-ED681EE7EC69", "019B3E28-7788-4022-9EC9-7DC409D7B6F9"},
    {10, "Grid", "QVGrid", 8, 10, Offers40L::No, "tavQVGrid", "tavQVGrid", {"QVGrid"}, {}, "A51F8E11-1802-4F34-953A-479BE414D56E", ""},
    {11, "Image", "QVImage", 9, 11, Offers40L::Yes, "tavQVImage", "tavQVImage", {"QVImage"}, {}, "E9374B2B-D88A-46D1-A178-CC9633DB318D", "8043EBF8-FE6C-452B-8CD4-98FD89CDB8FA"},
    {12, "ImagePicker", "QVImagePicker", 36, 13, Offers40L::No, "tavQVImagePicker", "tavQVImagePicker", {"QVImagePicker"}, {}, "71942371-886A-4752-9E83-3CDC91122EE1", ""},
    {13, "ImageList", "QVImageList", 10, 12, Offers40L::Yes, "tavQVIML", "tavQVImageList", {"QVImageList"}, {}, "C3A7BB67-4E27-478E-A5B6-C4D4CC07B03D", "EDF2AECE-B0A4-4E74-B0B3-6D041F72423F"},
    {14, "IPAddress", "QVIPAddress", 40, 40, Offers40L::No, "tavQVIPAddress", "tavQVIPAddress", {"QVIPAddress"}, {}, "C2B04366-188C-4F2A-BDB6-CA83EC765DA7", ""},
    {15, "Label", "QVLabel", 11, 14, Offers40L::Yes, "tavQVLabel", "tavQVLabel", {"QVLabel"}, {}, "6F014699-2CC2-49E1-8EBB-236D40902AF4", "FE4AEFD8-FE96-4317-914A-1F307153F879"},
    {16, "LEDDisplay", "QVLED", 12, 15, Offers40L::Yes, "tavLEDDisplay", "tavLEDDisplay", {"LEDDisplay"}, {}, "F7FFD425-D852-42A8-9AA2-1FEE4C9A041C", "7C01C601-8AA0-4DF6-AB9D-DB9910A0F782"},
    {17, "List", "QVList", 13, 16, Offers40L::Yes, "tavQVList", "tavQVListControl", {"tavQVList"}, {}, "8BF5020D-D21A-49F7-A62A-6A7DEDC694EA", "74210624-02FD-4F63-AE69-90386A21F3F6"},
    {18, "ListView", "QVListView", 14, 17, Offers40L::Yes, "tavQVListView", "tavQVListView", {"QVListView", "QVExpandingRow"}, {}, "3A3F1A61-8EF7-4AE2-8A85-141EF2DACE7E", "EF48261B-4BF2-419F-A4AC-DA9D0FECC947"},
    {19, "MACAddress", "QVMACAddress", 41, 41, Offers40L::No, "tavQVMACAddress", "tavQVMACAddress", {"QVMACAddress"}, {}, "7CCE456A-6832-4B57-9E71-612B6190C75A", ""},
    {20, "MaskEdit", "QVMaskEdit", 15, 18, Offers40L::Yes, "tavQVMaskEdit", "tavQVMaskEdit", {"QVMaskEdit"}, {}, "BF8F1627-C21A-483A-B53B-12A4418298AD", "5876C3A0-3D5F-46E5-BD51-8C607D832A12"},
    {21, "MenuBar", "QVMenu", 16, 19, Offers40L::Yes, "tavQVMBar", "tavQVMenuBar", {"QVMenuBar"}, {}, "1A5680B0-4772-428A-85EF-62FAB9977B27", "FA479E86-F5AD-4CA0-B166-BE07043302C4"},
    {22, "MText", "QVMultiLineText", 17, 20, Offers40L::Yes, "tavQVMText", "tavQVMText", {"QVMText"}, {}, "BCF31F5D-19DD-4EE8-B718-437D7511723C", "510F11CA-1D8F-4C6B-BDC3-5136EC0BBD63"},
    {23, "NumberPicker", "QVNumberPicker", 37, 21, Offers40L::No, "tavQVNumberPicker", "tavQVNumberPicker", {"QVNumberPicker"}, {}, "FB722CAE-FA71-4D94-8169-60B88F7B94F2", ""},
    {24, "Panel", "QVPanel", 18, 22, Offers40L::Yes, "tavQVPanel", "tavQVPanel", {"QVPanel"}, {}, "B613D81A-6E08-4124-98D3-7CA14DFF96E3", "AE2A0900-6B56-4B46-A868-7A29255E318E"},
    {25, "PopUp", "QVPopup", 19, 23, Offers40L::Yes, "tavQVPopUp", "tavQVPopMenu", {"QVPopUp"}, {}, "3F69B9D8-4D19-43CC-A872-785C9A5894E2", "F23F57FC-788F-482C-942D-6A67E2886DF3"},
    {26, "Progress", "QVProgress", 20, 24, Offers40L::Yes, "tavQVProgress", "tavQVProgress", {"ProgressVBar", "ProgressHBar", "ProgressVWait", "ProgressHWait"}, {"QVProgressBar", "QVProgressWait"}, "485C049B-00B2-4069-A336-E515404F705F", "6755EE4B-BDD5-46C5-917D-DCE747E454B9"},
    {27, "ProgressStep", "QVProgressStep", 21, 25, Offers40L::Yes, "tavQVProgressStep", "tavQVProgressStep", {"ProgressStep"}, {}, "A32DB057-163E-4178-A683-F90B30B00EB0", "6467E368-515E-44AE-9090-B10837F49AA7"},
    {28, "PList", "QVPropertyList", 22, 26, Offers40L::Yes, "tavQVPList", "tavQVPList", {"QVPList", "ColorPicker"}, {}, "3C02778F-0307-4ECB-815C-5A052F6A7F2C", "BFF605DB-EA89-4F85-A6BE-FAD8486164F7"},
    {29, "Scroll", "QVScroll", 23, 27, Offers40L::Yes, "tavQVScroll", "tavQVScroll", {"QVHScroll", "QVVScroll"}, {}, "BF97A05C-2227-409D-8BD0-65F922CD8571", "2C0277DD-9F0F-4FEB-8BDA-2CD7D431F999"},
    {30, "SCntr", "QVScrlContainer", 24, 28, Offers40L::Yes, "tavQVSCntr", "tavQVSCntr", {"QVSCntr"}, {}, "2BE40B83-514C-413B-97B3-59C7805D6A06", "08EB8CCF-9B51-4494-BAF1-B8972D049484"},
    {31, "Selection", "QVSelection", 25, 29, Offers40L::Yes, "tavQVSelection", "tavQVSelection", {"QVOption", "QVCheckBox"}, {}, "C73634F0-EDE0-4A0A-B016-56FC080B6234", "2DDD22AC-B545-424F-8615-56D88FD1321F"},
    {32, "SideBarMenu", "QVSideMenuBar", 26, 30, Offers40L::Yes, "tavQVSMB", "tavQVSMB", {"QVSideMenu", "QVStaticLabel"}, {}, "A647C87E-B2B8-4B02-BCB0-40928DF56BFB", "C89B2587-AFD8-4C33-8DD8-39E807B0BCE5"},
    {33, "Slider", "QVSlider", 27, 31, Offers40L::Yes, "tavQVSlider", "tavQVSlider", {"tavHSlider", "tavVSlider"}, {}, "0A612E15-4772-4F77-9558-16631582340C", "6D6B3E8C-6995-4CDC-8C3E-909E6D3C1E45"},
    {34, "Spin", "QVSpin", 28, 32, Offers40L::Yes, "tavQVSpin", "tavQVSpin", {"QVVSpin", "QVHSpin"}, {"QVSpin"}, "6B32F4DC-15DD-4529-A52B-79F2878FD519", "BC7BBB45-31DC-44E4-A763-B9DCC2E964F4"},
    {35, "SpinAlpha", "QVSpinAlpha", 38, 33, Offers40L::No, "tavQVSpinAlpha", "tavQVSpinAlpha", {"QVVSpinAlpha", "QVHSpinAlpha"}, {}, "24257076-49D0-4014-8072-D8F207A74D7A", ""},
    {36, "StatusBar", "QVStatusBar", 29, 34, Offers40L::Yes, "tavQVStatusBar", "tavQVStatusBar", {"QVStatusBar"}, {}, "0D3D82FE-C3DD-4C83-906F-75896FCAED06", "B94A170A-6E80-4BBA-A581-E13BFCB30B3F"},
    {37, "Tab", "QVTab", 30, 35, Offers40L::Yes, "tavQVTab", "tavQVTab", {"QVTab", "QVScrollTab"}, {}, "1BF5E65F-A7B3-4625-81D8-6588BD894CF4", "767B40AE-26BA-44C5-A308-DD8C67F2720C"},
    {38, "Text", "QVText", 31, 36, Offers40L::Yes, "tavQVText", "tavQVText", {"QVText"}, {}, "6811D73D-6B74-4E89-8DD1-95772E016929", "9B3679C7-A8F5-416A-A058-D97B742A08D8"},
    {39, "TimePicker", "QVTimePicker", 32, 37, Offers40L::Yes, "tavQVTP", "tavQVTP", {"QVVTP", "QVHTP"}, {"QVTP"}, "047D7FA6-96EB-4DA2-8645-884F69DC36F7", "881463DF-C9B7-4326-9946-EC5F4B2AC36D"},
    {40, "Tree", "QVTree", 33, 38, Offers40L::No, "tavQVTree", "tavQVTree", {"QVTree"}, {}, "9ECD83F6-17E8-440B-861C-131BFB45EC75", ""},
    {41, "UpDn", "QVUpDown", 34, 39, Offers40L::Yes, "tavQVUpDn", "tavQVUpDn", {"QVVUpDn", "QVHUpDn"}, {"QVUpDn"}, "C4C85E59-2DB6-42E0-AB10-4F500E866CCE", "5FAB9B44-A863-483A-AE20-B60077E1A598"},
}};

const std::array<MicrosoftOption, kMicrosoftOptionCount> kMicrosoftOptions = {{
    {0, "Button", 0},
    {1, "Check/Option", 31},
    {2, "Combo", 5},
    {3, "Date/Time Picker", 7},
    {4, "Frame", 9},
    {5, "Label", 15},
    {6, "List", 17},
    {7, "ListView", 18},
    {8, "Progress", 26},
    {9, "Scroll", 29},
    {10, "Slider", 33},
    {11, "Text", 38},
    {12, "UpDown", 41},
}};

// Families without 4.0L whose 4.0L reference lines are never composed. Form, Grid and Tree
// are absent on purpose: their 4.0L lines are composed (with an empty GUID, since no 4.0L
// type library exists) even though no option can ever select them.
constexpr std::array<std::string_view, 7> kNo40LLine = {
    "ButtonBar", "ColorPicker", "ImagePicker", "IPAddress", "MACAddress", "NumberPicker", "SpinAlpha"};

}  // namespace

std::string_view suffixOfEdition(Edition e) { return e == Edition::V40 ? "40" : "40L"; }

const std::array<FamilyRecord, kFamilyCount>& families() { return kFamilies; }

const FamilyRecord& familyBySlot(int slot) {
    if (slot < 0 || slot >= kFamilyCount) throw std::out_of_range("catalogue slot out of range");
    return kFamilies[static_cast<size_t>(slot)];
}

const FamilyRecord* familyByOptionIndex(int optionIndex) {
    for (const auto& f : kFamilies)
        if (f.optionIndex == optionIndex) return &f;
    return nullptr;
}

const FamilyRecord* familyByOptionRow(int optionRow) {
    for (const auto& f : kFamilies)
        if (f.optionRow == optionRow) return &f;
    return nullptr;
}

const FamilyRecord* findFamily(std::string_view name) {
    for (const auto& f : kFamilies)
        if (equalsNoCase(f.label, name) || equalsNoCase(f.caption, name)) return &f;
    return nullptr;
}

const std::array<MicrosoftOption, kMicrosoftOptionCount>& microsoftOptions() { return kMicrosoftOptions; }

const std::string& ReferenceTables::header(int slot, Edition e) const {
    return headerLines.at(static_cast<size_t>(slot + (e == Edition::V40 ? 0 : kFamilyCount)));
}

const std::string& ReferenceTables::project(int slot, Edition e) const {
    return projectLines.at(static_cast<size_t>(slot + (e == Edition::V40 ? 0 : kFamilyCount)));
}

ReferenceTables BuildReferenceTables() {
    ReferenceTables t;
    for (const auto& f : kFamilies) {
        for (Edition e : {Edition::V40, Edition::V40L}) {
            if (e == Edition::V40L &&
                std::find(kNo40LLine.begin(), kNo40LLine.end(), f.label) != kNo40LLine.end())
                continue;
            const std::string_view guid = e == Edition::V40 ? f.guid40 : f.guid40L;
            std::string file(f.ocxBase);
            file += suffixOfEdition(e);
            file += ".ocx";
            const size_t i = static_cast<size_t>(f.slot + (e == Edition::V40 ? 0 : kFamilyCount));
            t.headerLines[i] = "Object = \"{" + std::string(guid) + "}#1.0#0\"; \"" + file + "\"";
            t.projectLines[i] = "Object={" + std::string(guid) + "}#1.0#0; " + file;
        }
    }
    return t;
}

}  // namespace tavkonv40
// clang-format on
