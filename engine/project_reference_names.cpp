#include "engine/project_reference_names.h"

// Data tables: one row a line, as the rules list them.
// clang-format off

namespace tavkonv40 {

namespace {

constexpr std::array<ProjectFamilyNames, kFamilyCount> kNames{{
    // Button
    {0, 0, {"tavQVButton.ocx", "tavQVButton20.ocx", "tavQVButton20T.ocx", "tavQVButton30.ocx",
              "tavQVButton40.ocx", "tavQVButton40B.ocx", "tavQVButton40L.ocx"}},
    // Balloons
    {2, 2, {"tavQVBalloons.ocx", "tavQVBalloons20.ocx", "tavQVBalloons20T.ocx",
              "tavQVBalloons21.ocx", "tavQVBalloons21T.ocx", "tavQVBalloons30.ocx",
              "tavQVBalloons40B.ocx", "tavQVBalloons40L.ocx", "tavQVBalloons40.ocx"}},
    // ButtonBar
    {1, 39, {"tavQVButtonBar20.ocx", "tavQVButtonBar20T.ocx", "tavQVButtonBar30.ocx",
              "tavQVButtonBar40B.ocx", "tavQVButtonBar40L.ocx", "tavQVButtonBar40.ocx"}},
    // Calendar
    {3, 1, {"tavQVCalendar.ocx", "tavQVCalendar20.ocx", "tavQVCalendar20T.ocx",
              "tavQVCalendar30.ocx", "tavQVCalendar40B.ocx", "tavQVCalendar40L.ocx",
              "tavQVCalendar40.ocx"}},
    // ColorPicker
    {4, 35, {"tavQVCP20.ocx", "tavQVCP20T.ocx", "tavQVCP30.ocx", "tavQVCP40B.ocx",
              "tavQVCP40.ocx"}},
    // ComboBox
    {5, 3, {"TAVQVAutoCombo.ocx", "tavQVAutoCombo20.ocx", "tavQVAutoCombo20T.ocx",
              "tavQVStdCombo.ocx", "tavQVStdCombo20.ocx", "tavQVStdCombo20T.ocx",
              "tavQVCombo20.ocx", "tavQVCombo20T.ocx", "tavQVCombo30.ocx", "tavQVCombo40B.ocx",
              "tavQVCombo40L.ocx", "tavQVCombo40.ocx"}},
    // ComboPlus
    {6, 4, {"tavQVCBOM20.ocx", "tavQVCBOM20T.ocx", "tavQVCBOM30.ocx", "tavQVCBOM40B.ocx",
              "tavQVCBOM40L.ocx", "tavQVCBOM40.ocx"}},
    // DatePicker
    {7, 5, {"tavQVDatePicker.ocx", "tavQVDP20.ocx", "tavQVDP20T.ocx", "tavQVDP30.ocx",
              "tavQVDP40B.ocx", "tavQVDP40L.ocx", "tavQVDP40.ocx"}},
    // Frame
    {9, 7, {"tavQVFrame.ocx", "tavQVFrame20.ocx", "tavQVFrame20T.ocx", "tavQVFrame30.ocx",
              "tavQVFrame40B.ocx", "tavQVFrame40L.ocx", "tavQVFrame40.ocx"}},
    // Form
    {8, 6, {"tavQVForm20.ocx", "tavQVForm20T.ocx", "tavQVForm30.ocx", "tavQVForm40B.ocx",
              "tavQVForm40.ocx"}},
    // Grid
    {10, 8, {"tavQVGrid30.ocx", "tavQVGrid40B.ocx", "tavQVGrid40.ocx"}},
    // Image
    {11, 9, {"tavQVImage.ocx", "tavQVImage20.ocx", "tavQVImage20T.ocx", "tavQVImage30.ocx",
              "tavQVImage40B.ocx", "tavQVImage40L.ocx", "tavQVImage40.ocx"}},
    // ImageList
    {13, 10, {"tavQVIML20.ocx", "tavQVIML20T.ocx", "tavQVIML30.ocx", "tavQVIML40B.ocx",
              "tavQVIML40L.ocx", "tavQVIML40.ocx"}},
    // ImagePicker
    {12, 36, {"tavQVIP40B.ocx", "tavQVIP40.ocx"}},
    // IPAddress
    {14, 40, {"tavQVIPAddress40L.ocx", "tavQVIPAddress40.ocx"}},
    // Label
    {15, 11, {"tavQVLabel20.ocx", "tavQVLabel20T.ocx", "tavQVLabel30.ocx", "tavQVLabel40B.ocx",
              "tavQVLabel40L.ocx", "tavQVLabel40.ocx"}},
    // LEDDisplay
    {16, 12, {"tavLEDDisplay20.ocx", "tavLEDDisplay20T.ocx", "tavLEDDisplay30.ocx",
              "tavLEDDisplay40B.ocx", "tavLEDDisplay40L.ocx", "tavLEDDisplay40.ocx"}},
    // List
    {17, 13, {"tavQVList.ocx", "tavQVList20.ocx", "tavQVList20T.ocx", "tavQVList30.ocx",
              "tavQVList40B.ocx", "tavQVList40L.ocx", "tavQVList40.ocx"}},
    // ListView
    {18, 14, {"tavQVListView.ocx", "tavQVListView20.ocx", "tavQVListView20T.ocx",
              "tavQVListView30.ocx", "tavQVListView40B.ocx", "tavQVListView40L.ocx",
              "tavQVListView40.ocx"}},
    // MText
    {22, 17, {"tavQVMultiLineText.ocx", "tavQVMultiLineText20.ocx", "tavQVMultiLineText20T.ocx",
              "tavQVMultiLineText30.ocx", "tavQVMultiLineText40B.ocx", "tavQVMultiLineText40.ocx",
              "tavQVMText40.ocx", "tavQVMText40L.ocx"}},
    // MACAddress
    {19, 41, {"tavQVMACAddress40B.ocx", "tavQVMACAddress40L.ocx", "tavQVMACAddress40.ocx"}},
    // MaskEdit
    {20, 15, {"tavQVMaskEdit20.ocx", "tavQVMaskEdit20T.ocx", "tavQVMaskEdit30.ocx",
              "tavQVMaskEdit40L.ocx", "tavQVMaskEdit40.ocx"}},
    // MenuBar
    {21, 16, {"tavQVMBar20.ocx", "tavQVMBar20T.ocx", "tavQVMBar30.ocx", "tavQVMBar40B.ocx",
              "tavQVMBar40L.ocx", "tavQVMBar40.ocx"}},
    // NumberPicker
    {23, 37, {"tavQVNP40.ocx"}},
    // Panel
    {24, 18, {"tavQVPanel.ocx", "tavQVPanel20.ocx", "tavQVPanel20T.ocx", "tavQVPanel30.ocx",
              "tavQVPanel40B.ocx", "tavQVPanel40L.ocx", "tavQVPanel40.ocx"}},
    // PopUp
    {25, 19, {"tavQVPopupMenu.ocx", "tavQVPopUp20.ocx", "tavQVPopUp20T.ocx", "tavQVPopUp30.ocx",
              "tavQVPopUp40B.ocx", "tavQVPopUp40L.ocx", "tavQVPopUp40.ocx"}},
    // Progress
    {26, 20, {"tavQVProgress.ocx", "tavQVProgress20.ocx", "tavQVProgress20T.ocx",
              "tavQVProgress30.ocx", "tavQVProgress40.ocx", "tavQVProgress40B.ocx",
              "tavQVProgress40L.ocx"}},
    // ProgressStep
    {27, 21, {"tavQVProgressStep.ocx", "tavQVProgressStep20.ocx", "tavQVProgressStep20T.ocx",
              "tavQVProgressStep30.ocx", "tavQVProgressStep40.ocx", "tavQVProgressStep40B.ocx",
              "tavQVProgressStep40L.ocx"}},
    // PList
    {28, 22, {"tavQVPList20.ocx", "tavQVPList20T.ocx", "tavQVPList30.ocx", "tavQVPList40.ocx",
              "tavQVPList40B.ocx", "tavQVPList40L.ocx"}},
    // Selection
    {31, 25, {"tavQVSelectionControls.ocx", "tavQVSelection20.ocx", "tavQVSelection20T.ocx",
              "tavQVSelection30.ocx", "tavQVSelection40.ocx", "tavQVSelection40B.ocx",
              "tavQVSelection40L.ocx"}},
    // Slider
    {33, 27, {"tavSlider.ocx", "tavQVSlider20.ocx", "tavQVSlider20T.ocx", "tavQVSlider30.ocx",
              "tavQVSlider40.ocx", "tavQVSlider40B.ocx", "tavQVSlider40L.ocx"}},
    // Scroll
    {29, 23, {"tavQVScroll.ocx", "tavQVScroll20.ocx", "tavQVScroll20T.ocx", "tavQVScroll30.ocx",
              "tavQVScroll40.ocx", "tavQVScroll40B.ocx", "tavQVScroll40L.ocx"}},
    // SCntr
    {30, 24, {"tavQVSCntr20.ocx", "tavQVSCntr20T.ocx", "tavQVSCntr30.ocx", "tavQVSCntr40.ocx",
              "tavQVSCntr40B.ocx", "tavQVSCntr40L.ocx"}},
    // SideBarMenu
    {32, 26, {"tavQVSideBarMenu.ocx", "tavQVSideBarMenu20.ocx", "tavQVSideBarMenu20T.ocx",
              "tavQVSideBarMenu30.ocx", "tavQVSideBarMenu40B.ocx", "tavQVSMB40.ocx",
              "tavQVSMB40L.ocx"}},
    // Spin
    {34, 28, {"TAVQVSpin.ocx", "tavQVSpin20.ocx", "tavQVSpin20T.ocx", "tavQVSpin30.ocx",
              "tavQVSpin40.ocx", "tavQVSpin40B.ocx", "tavQVSpin40L.ocx"}},
    // SpinAlpha
    {35, 38, {"tavQVSpinAlpha40.ocx", "tavQVSpinAlpha40B.ocx", "tavQVSpinAlpha40L.ocx"}},
    // StatusBar
    {36, 29, {"tavQVStatusBar.ocx", "tavQVStatusBar20.ocx", "tavQVStatusBar20T.ocx",
              "tavQVStatusBar30.ocx", "tavQVStatusBar40.ocx", "tavQVStatusBar40B.ocx",
              "tavQVStatusBar40L.ocx"}},
    // Tab
    {37, 30, {"tavTabControl.ocx", "tavQVTab20.ocx", "tavQVTab20T.ocx", "tavQVTab30.ocx",
              "tavQVTab40.ocx", "tavQVTab40B.ocx", "tavQVTab40L.ocx"}},
    // Text
    {38, 31, {"tavQVText.ocx", "tavQVText20.ocx", "tavQVText20T.ocx", "tavQVText30.ocx",
              "tavQVText40.ocx", "tavQVText40B.ocx", "tavQVText40L.ocx"}},
    // TimePicker
    {39, 32, {"tavQVTimePicker.ocx", "tavQVTP20.ocx", "tavQVTP20T.ocx", "tavQVTP30.ocx",
              "tavQVTP40.ocx", "tavQVTP40B.ocx", "tavQVTP40L.ocx"}},
    // Tree
    {40, 33, {"tavQVTree40.ocx", "tavQVTree40L.ocx"}},
    // UpDn
    {41, 34, {"tavQVUpDn20.ocx", "tavQVUpDn20T.ocx", "tavQVUpDn30.ocx", "tavQVUpDn40.ocx",
              "tavQVUpDn40B.ocx", "tavQVUpDn40L.ocx"}},
}};

}  // namespace

const std::array<ProjectFamilyNames, kFamilyCount>& projectFamilyNames() { return kNames; }

}  // namespace tavkonv40
// clang-format on
