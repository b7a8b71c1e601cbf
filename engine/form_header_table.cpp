#include "engine/form_header_table.h"

#include <string>

// Data tables: one row a line, as the rules list them.
// clang-format off

namespace tavkonv40 {

namespace {

// Case-sensitive names: TAVQVAutoCombo and TAVQVSpin are names of their own beside their
// lower-case namesakes. The list names the 4.0 and 4.0L files too, so a header already at one
// edition is brought to the other.
constexpr HeaderNameRow kRows[] = {
    // family        opt  slot  stem                      editions
    {"Button",        0,  0,  "tavQVButton",            {kUnversioned, "20", "20T", "30", "40", "40B", "40L"}},
    {"Balloons",      2,  2,  "tavQVBalloons",          {kUnversioned, "20", "20T", "21", "21T", "30", "40", "40B", "40L"}},
    {"ButtonBar",    39,  1,  "tavQVButtonBar",         {"20", "20T", "30", "40", "40B", "40L"}},
    {"Calendar",      1,  3,  "tavQVCalendar",          {kUnversioned, "20", "20T", "30", "40", "40B", "40L"}},
    {"ColorPicker",  35,  4,  "tavQVCP",                {"20", "20T", "30", "40", "40B", "40L"}},
    {"ComboBox",      3,  5,  "TAVQVAutoCombo",         {kUnversioned}},
    {"ComboBox",      3,  5,  "tavQVAutoCombo",         {"20", "20T"}},
    {"ComboBox",      3,  5,  "tavQVStdCombo",          {kUnversioned, "20", "20T"}},
    {"ComboBox",      3,  5,  "tavQVCombo",             {"20", "20T", "30", "40", "40B", "40L"}},
    {"ComboPlus",     4,  6,  "tavQVCBOM",              {"20", "20T", "30", "40", "40B", "40L"}},
    {"DatePicker",    5,  7,  "tavQVDatePicker",        {kUnversioned}},
    {"DatePicker",    5,  7,  "tavQVDP",                {"20", "20T", "30", "40", "40B", "40L"}},
    {"Frame",         7,  9,  "tavQVFrame",             {kUnversioned, "20", "20T", "30", "40", "40B", "40L"}},
    {"Form",          6,  8,  "tavQVForm",              {"20", "20T", "30", "40", "40B", "40L"}},
    {"Grid",          8, 10,  "tavQVGrid",              {"20", "20T", "30", "40", "40B", "40L"}},
    {"Image",         9, 11,  "tavQVImage",             {kUnversioned, "20", "20T", "30", "40", "40B", "40L"}},
    {"ImageList",    10, 13,  "tavQVIML",               {"20", "20T", "30", "40", "40B", "40L"}},
    {"ImagePicker",  36, 12,  "tavQVIP",                {"40", "40B", "40L"}},
    {"IPAddress",    40, 14,  "tavQVIPAddress",         {"40", "40B", "40L"}},
    {"Label",        11, 15,  "tavQVLabel",             {"20", "20T", "30", "40", "40B", "40L"}},
    {"LEDDisplay",   12, 16,  "tavLEDDisplay",          {"20", "20T", "30", "40", "40B", "40L"}},
    {"List",         13, 17,  "tavQVList",              {kUnversioned, "20", "20T", "30", "40", "40B", "40L"}},
    {"ListView",     14, 18,  "tavQVListView",          {kUnversioned, "20", "20T", "30", "40", "40B", "40L"}},
    {"MText",        17, 22,  "tavQVMultiLineText",     {kUnversioned, "20", "20T", "30", "40B"}},
    {"MText",        17, 22,  "tavQVMText",             {"40", "40L"}},
    {"MACAddress",   41, 19,  "tavQVMACAddress",        {"40", "40B", "40L"}},
    {"MaskEdit",     15, 20,  "tavQVMaskEdit",          {"20", "20T", "30", "40", "40B", "40L"}},
    {"MenuBar",      16, 21,  "tavQVMBar",              {"20", "20T", "30", "40", "40B", "40L"}},
    {"NumberPicker", 37, 23,  "tavQVNP",                {"20", "20T", "30", "40", "40B", "40L"}},
    {"Panel",        18, 24,  "tavQVPanel",             {kUnversioned, "20", "20T", "30", "40", "40B", "40L"}},
    {"PopUp",        19, 25,  "tavQVPopupMenu",         {kUnversioned}},
    {"PopUp",        19, 25,  "tavQVPopUp",             {"20", "20T", "30", "40", "40B", "40L"}},
    {"Progress",     20, 26,  "tavQVProgress",          {kUnversioned, "20", "20T", "30", "40", "40B", "40L"}},
    {"ProgressStep", 21, 27,  "tavQVProgressStep",      {kUnversioned, "20", "20T", "30", "40", "40B", "40L"}},
    {"PList",        22, 28,  "tavQVPList",             {"20", "20T", "30", "40", "40B", "40L"}},
    {"Selection",    25, 31,  "tavQVSelectionControls", {kUnversioned}},
    {"Selection",    25, 31,  "tavQVSelection",         {"20", "20T", "30", "40", "40B", "40L"}},
    {"Slider",       27, 33,  "tavSlider",              {kUnversioned}},
    {"Slider",       27, 33,  "tavQVSlider",            {"20", "20T", "30", "40", "40B", "40L"}},
    {"Scroll",       23, 29,  "tavQVScroll",            {kUnversioned, "20", "20T", "30", "40", "40B", "40L"}},
    {"SCntr",        24, 30,  "tavQVSCntr",             {"20", "20T", "30", "40", "40B", "40L"}},
    {"SideBarMenu",  26, 32,  "tavQVSideBarMenu",       {kUnversioned, "20", "20T", "30", "40B"}},
    {"SideBarMenu",  26, 32,  "tavQVSMB",               {"40", "40L"}},
    {"Spin",         28, 34,  "TAVQVSpin",              {kUnversioned}},
    {"Spin",         28, 34,  "tavQVSpin",              {"20", "20T", "30", "40", "40B", "40L"}},
    {"SpinAlpha",    38, 35,  "tavQVSpinAlpha",         {"20", "20T", "30", "40", "40B", "40L"}},
    {"StatusBar",    29, 36,  "tavQVStatusBar",         {kUnversioned, "20", "20T", "30", "40", "40B", "40L"}},
    {"Tab",          30, 37,  "tavTabControl",          {kUnversioned}},
    {"Tab",          30, 37,  "tavQVTab",               {"20", "20T", "30", "40", "40B", "40L"}},
    {"Text",         31, 38,  "tavQVText",              {kUnversioned, "20", "20T", "30", "40", "40B", "40L"}},
    {"TimePicker",   32, 39,  "tavQVTimePicker",        {kUnversioned}},
    {"TimePicker",   32, 39,  "tavQVTP",                {"20", "20T", "30", "40", "40B", "40L"}},
    {"Tree",         33, 40,  "tavQVTree",              {"20", "20T", "30", "40", "40B", "40L"}},
    {"UpDn",         34, 41,  "tavQVUpDn",              {"20", "20T", "30", "40", "40B", "40L"}},
};

}  // namespace

std::span<const HeaderNameRow> formHeaderNameRows() { return kRows; }

std::string controlFileName(std::string_view stem, std::string_view edition) {
    std::string name(stem);
    if (edition != kUnversioned) name += edition;
    name += ".ocx";
    return name;
}

}  // namespace tavkonv40
// clang-format on
