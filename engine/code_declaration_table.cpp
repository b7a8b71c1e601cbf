#include "engine/code_declaration_table.h"

// Data tables: one row a line, as the rules list them.
// clang-format off

namespace tavkonv40 {

namespace {

// Where one token begins with another, the longer one comes first (40B and 40L before 40, 20T
// before 20). The table is the code step's own list: it is not derived from the catalogue and
// differs from it in places (tavQVLEDDisplay, tavQVPopup).
constexpr DeclarationFamily kFamilies[] = {
    // family        opt  row  new library          tokens in test order
    {"Button",        0,  0, "tavQVButton",       {"tavQVButton40B", "tavQVButton40L", "tavQVButton20T", "tavQVButton20", "tavQVButton30", "tavQVButton40"}},
    {"ButtonBar",    39,  1, "tavQVButtonBar",    {"tavQVButtonBar40B", "tavQVButtonBar40L", "tavQVButtonBar40"}},
    {"Calendar",      1,  2, "tavQVCalendar",     {"tavQVCalendar40B", "tavQVCalendar40L", "tavQVCalendar20T", "tavQVCalendar20", "tavQVCalendar30", "tavQVCalendar40"}},
    {"ComboBox",      3,  5, "tavQVComboBox",     {"tavQVComboBox40B", "tavQVComboBox40L", "tavQVComboBox20T", "tavQVComboBox20", "tavQVComboBox30", "tavQVComboBox40"}},
    {"ComboPlus",     4,  6, "tavQVComboPlus",    {"tavQVComboPlus40B", "tavQVComboPlus40L", "tavQVComboPlus20T", "tavQVComboPlus20", "tavQVComboPlus30", "tavQVComboPlus40"}},
    {"DatePicker",    5,  7, "tavQVDatePicker",   {"tavQVDatePicker40B", "tavQVDatePicker40L", "tavQVDatePicker20T", "tavQVDatePicker20", "tavQVDatePicker30", "tavQVDatePicker40"}},
    {"Form",          6,  8, "tavQVForm",         {"tavQVForm40B", "tavQVForm40L", "tavQVForm40"}},
    {"Frame",         7,  9, "tavQVFrame",        {"tavQVFrame40B", "tavQVFrame40L", "tavQVFrame20T", "tavQVFrame20", "tavQVFrame30", "tavQVFrame40"}},
    {"Grid",          8, 10, "tavQVGrid",         {"tavQVGrid40L", "tavQVGrid40"}},
    {"Image",         9, 11, "tavQVImage",        {"tavQVImage40B", "tavQVImage40L", "tavQVImage20T", "tavQVImage20", "tavQVImage30", "tavQVImage40"}},
    {"ImageList",    10, 12, "tavQVImageList",    {"tavQVImageList40B", "tavQVImageList40L", "tavQVImageList20T", "tavQVImageList20", "tavQVImageList30", "tavQVImageList40"}},
    {"ImagePicker",  36, 13, "tavQVImagePicker",  {"tavQVImagePicker40L", "tavQVImagePicker40"}},
    {"IPAddress",    40, 40, "tavQVIPAddress",    {"tavQVIPAddress40B", "tavQVIPAddress40L", "tavQVIPAddress40"}},
    {"Label",        11, 14, "tavQVLabel",        {"tavQVLabel40B", "tavQVLabel40L", "tavQVLabel20T", "tavQVLabel20", "tavQVLabel30", "tavQVLabel40"}},
    {"List",         13, 16, "tavQVListControl",  {"tavQVListControl40B", "tavQVListControl40L", "tavQVListControl20T", "tavQVListControl20", "tavQVListControl30", "tavQVListControl40"}},
    {"ListView",     14, 17, "tavQVListView",     {"tavQVListView40B", "tavQVListView40L", "tavQVListView20T", "tavQVListView20", "tavQVListView30", "tavQVListView40"}},
    {"LEDDisplay",   12, 15, "tavQVLEDDisplay",   {"tavQVLEDDisplay40B", "tavQVLEDDisplay40L", "tavQVLEDDisplay20T", "tavQVLEDDisplay20", "tavQVLEDDisplay30", "tavQVLEDDisplay40"}},
    {"MACAddress",   41, 41, "tavQVMACAddress",   {"tavQVMACAddress40B", "tavQVMACAddress40L", "tavQVMACAddress20T", "tavQVMACAddress20", "tavQVMACAddress30", "tavQVMACAddress40"}},
    {"MenuBar",      16, 19, "tavQVMenuBar",      {"tavQVMenuBar40B", "tavQVMenuBar40L", "tavQVMenuBar20T", "tavQVMenuBar20", "tavQVMenuBar30", "tavQVMenuBar40"}},
    {"MText",        17, 20, "tavQVMText",        {"tavQVMultiLineText40B", "tavQVMText40L", "tavQVMultiLineText20T", "tavQVMultiLineText20", "tavQVMultiLineText30", "tavQVMText40"}},
    {"NumberPicker", 37, 21, "tavQVNumberPicker", {"tavQVNumberPicker40B", "tavQVNumberPicker40L", "tavQVNumberPicker20T", "tavQVNumberPicker20", "tavQVNumberPicker30", "tavQVNumberPicker40"}},
    {"Panel",        18, 22, "tavQVPanel",        {"tavQVPanel40B", "tavQVPanel40L", "tavQVPanel20T", "tavQVPanel20", "tavQVPanel30", "tavQVPanel40"}},
    {"PopUp",        19, 23, "tavQVPopup",        {"tavQVPopup40B", "tavQVPopup40L", "tavQVPopup20T", "tavQVPopup20", "tavQVPopup30", "tavQVPopup40"}},
    {"Progress",     20, 24, "tavQVProgress",     {"tavQVProgress40B", "tavQVProgress40L", "tavQVProgress20T", "tavQVProgress20", "tavQVProgress30", "tavQVProgress40"}},
    {"ProgressStep", 21, 25, "tavQVProgressStep", {"tavQVProgressStep40B", "tavQVProgressStep40L", "tavQVProgressStep20T", "tavQVProgressStep20", "tavQVProgressStep30", "tavQVProgressStep40"}},
    {"PList",        22, 26, "tavQVPList",        {"tavQVPList40B", "tavQVPList40L", "tavQVPList20T", "tavQVPList20", "tavQVPList30", "tavQVPList40"}},
    {"Scroll",       23, 27, "tavQVScroll",       {"tavQVScroll40B", "tavQVScroll40L", "tavQVScroll20T", "tavQVScroll20", "tavQVScroll30", "tavQVScroll40"}},
    {"SCntr",        24, 28, "tavQVSCntr",        {"tavQVSCntr40B", "tavQVSCntr40L", "tavQVSCntr20T", "tavQVSCntr20", "tavQVSCntr30", "tavQVSCntr40"}},
    {"Selection",    25, 29, "tavQVSelection",    {"tavQVSelectionControls40B", "tavQVSelectionControls20T", "tavQVSelectionControls20", "tavQVSelectionControls30", "tavQVSelection40L", "tavQVSelection40"}},
    {"SideBarMenu",  26, 30, "tavQVSMB",          {"tavQVSideBarMenu40B", "tavQVSMB40L", "tavQVSideBarMenu20T", "tavQVSideBarMenu20", "tavQVSideBarMenu30", "tavQVSMB40"}},
    {"Slider",       27, 31, "tavQVSlider",       {"tavQVSlider40B", "tavQVSlider40L", "tavQVSlider20T", "tavQVSlider20", "tavQVSlider30", "tavQVSlider40"}},
    {"Spin",         28, 32, "tavQVSpin",         {"tavQVSpin40B", "tavQVSpin40L", "tavQVSpin20T", "tavQVSpin20", "tavQVSpin30", "tavQVSpin40"}},
    {"SpinAlpha",    38, 33, "tavQVSpinAlpha",    {"tavQVSpinAlpha40B", "tavQVSpinAlpha40L", "tavQVSpinAlpha40"}},
    {"StatusBar",    29, 34, "tavQVStatusBar",    {"tavQVStatusBar40B", "tavQVStatusBar40L", "tavQVStatusBar20T", "tavQVStatusBar20", "tavQVStatusBar30", "tavQVStatusBar40"}},
    {"Tab",          30, 35, "tavQVTab",          {"tavQVTab40B", "tavQVTab40L", "tavQVTab20T", "tavQVTab20", "tavQVTab30", "tavQVTab40"}},
    {"Text",         31, 36, "tavQVText",         {"tavQVText40B", "tavQVText40L", "tavQVText20T", "tavQVText20", "tavQVText30", "tavQVText40"}},
    {"TimePicker",   32, 37, "tavQVTP",           {"tavQVTP40B", "tavQVTP40L", "tavQVTP20T", "tavQVTP20", "tavQVTP30", "tavQVTP40"}},
    {"Tree",         33, 38, "tavQVTree",         {"tavQVTree40B", "tavQVTree40L", "tavQVTree40"}},
    {"UpDn",         34, 39, "tavQVUpDn",         {"tavQVUpDn40B", "tavQVUpDn40L", "tavQVUpDn20T", "tavQVUpDn20", "tavQVUpDn30", "tavQVUpDn40"}},
};

}  // namespace

std::span<const DeclarationFamily> codeDeclarationFamilies() { return kFamilies; }

}  // namespace tavkonv40
// clang-format on
