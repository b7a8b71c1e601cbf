#include "engine/form_body_table.h"

// Data tables: one row a line, as the rules list them.
// clang-format off

namespace tavkonv40 {

namespace {

// A 40B library holds classes of edition 40. Within a family the tokens exclude each other, and
// they are listed in the order they are tried.

constexpr BodyToken kButton[] = {
    {"Begin tavQVButton20T.QVButton20T", "QVButton"},
    {"Begin tavQVButton40B.QVButton40", "QVButton"},
    {"Begin tavQVButton40L.QVButton40L", "QVButton"},
    {"Begin tavQVButton20.QVButton20", "QVButton"},
    {"Begin tavQVButton30.QVButton30", "QVButton"},
    {"Begin tavQVButton40.QVButton40", "QVButton"},
};

constexpr BodyToken kButtonBar[] = {
    {"Begin tavQVButtonBar40B.QVButtonBar40", "QVButtonBar"},
    {"Begin tavQVButtonBar40.QVButtonBar40", "QVButtonBar"},
};

// The 20, 30 and 40 calendars lived in tavQVStyleCalendar; only 40B and 40L in tavQVCalendar.
constexpr BodyToken kCalendar[] = {
    {"Begin tavQVStyleCalendar20T.QVCalendar20T", "QVCalendar"},
    {"Begin tavQVCalendar40B.QVCalendar40", "QVCalendar"},
    {"Begin tavQVCalendar40L.QVCalendar40L", "QVCalendar"},
    {"Begin tavQVStyleCalendar20.QVCalendar20", "QVCalendar"},
    {"Begin tavQVStyleCalendar30.QVCalendar30", "QVCalendar"},
    {"Begin tavQVStyleCalendar40.QVCalendar40", "QVCalendar"},
};

constexpr BodyToken kBalloons[] = {
    {"Begin tavQVBalloons20T.BalloonMessage20T", "BalloonMessage"},
    {"Begin tavQVBalloons40L.BalloonMessage40L", "BalloonMessage"},
    {"Begin tavQVBalloons20.BalloonMessage20", "BalloonMessage"},
    {"Begin tavQVBalloons21.BalloonMessage21", "BalloonMessage"},
    {"Begin tavQVBalloons30.BalloonMessage30", "BalloonMessage"},
    {"Begin tavQVBalloons40.BalloonMessage40", "BalloonMessage"},
    {"Begin tavQVBalloons20T.BalloonTip20T", "BalloonTip"},
    {"Begin tavQVBalloons40L.BalloonTip40L", "BalloonTip"},
    {"Begin tavQVBalloons20.BalloonTip20", "BalloonTip"},
    {"Begin tavQVBalloons21.BalloonTip21", "BalloonTip"},
    {"Begin tavQVBalloons30.BalloonTip30", "BalloonTip"},
    {"Begin tavQVBalloons40.BalloonTip40", "BalloonTip"},
};

constexpr BodyToken kColorPicker[] = {
    {"Begin tavQVColorPicker40B.QVColorPicker40", "QVColorPicker"},
    {"Begin tavQVColorPicker40.QVColorPicker40", "QVColorPicker"},
};

constexpr BodyToken kComboBox[] = {
    {"Begin tavQVComboBox20T.QVComboBox20T", "QVComboBox"},
    {"Begin tavQVComboBox40L.QVComboBox40L", "QVComboBox"},
    {"Begin tavQVComboBox40B.QVComboBox40", "QVComboBox"},
    {"Begin tavQVComboBox20.QVComboBox20", "QVComboBox"},
    {"Begin tavQVComboBox30.QVComboBox30", "QVComboBox"},
    {"Begin tavQVComboBox40.QVComboBox40", "QVComboBox"},
};

constexpr BodyToken kComboPlus[] = {
    {"Begin tavQVComboMultiCol20T.QVComboMultiCol20T", "QVComboPlus"},
    {"Begin tavQVComboMultiCol40B.QVComboMultiCol40", "QVComboPlus"},
    {"Begin tavQVComboMultiCol20.QVComboMultiCol20", "QVComboPlus"},
    {"Begin tavQVComboMultiCol30.QVComboMultiCol30", "QVComboPlus"},
    {"Begin tavQVComboMultiCol40.QVComboMultiCol40", "QVComboPlus"},
    {"Begin tavQVComboPlus40L.QVComboPlus40L", "QVComboPlus"},
    {"Begin tavQVComboPlus40.QVComboPlus40", "QVComboPlus"},
};

constexpr BodyToken kDatePicker[] = {
    {"Begin tavQVDatePicker20T.QVDatePicker20T", "QVDatePicker"},
    {"Begin tavQVDatePicker40B.QVDatePicker40", "QVDatePicker"},
    {"Begin tavQVDatePicker40L.QVDatePicker40L", "QVDatePicker"},
    {"Begin tavQVDatePicker20.QVDatePicker20", "QVDatePicker"},
    {"Begin tavQVDatePicker30.QVDatePicker30", "QVDatePicker"},
    {"Begin tavQVDatePicker40.QVDatePicker40", "QVDatePicker"},
};

constexpr BodyToken kForm[] = {
    {"Begin tavQVForm40B.QVForm40", "QVForm"},
    {"Begin tavQVForm40L.QVForm40L", "QVForm"},
    {"Begin tavQVForm40.QVForm40", "QVForm"},
};

constexpr BodyToken kFrame[] = {
    {"Begin tavQVFrame20T.QVFrame20T", "QVFrame"},
    {"Begin tavQVFrame40B.QVFrame40", "QVFrame"},
    {"Begin tavQVFrame40L.QVFrame40L", "QVFrame"},
    {"Begin tavQVFrame30.QVFrame30", "QVFrame"},
    {"Begin tavQVFrame20.QVFrame20", "QVFrame"},
    {"Begin tavQVFrame40.QVFrame40", "QVFrame"},
};

constexpr BodyToken kGrid[] = {
    {"Begin tavQVGrid40.QVGrid40", "QVGrid"},
};

constexpr BodyToken kImage[] = {
    {"Begin tavQVImage20T.QVImage20T", "QVImage"},
    {"Begin tavQVImage40B.QVImage40", "QVImage"},
    {"Begin tavQVImage40L.QVImage40L", "QVImage"},
    {"Begin tavQVImage20.QVImage20", "QVImage"},
    {"Begin tavQVImage30.QVImage30", "QVImage"},
    {"Begin tavQVImage40.QVImage40", "QVImage"},
};

constexpr BodyToken kIPAddress[] = {
    {"Begin tavQVIPAddress40B.QVIPAddress40", "QVIPAddress"},
    {"Begin tavQVIPAddress40.QVIPAddress40", "QVIPAddress"},
};

constexpr BodyToken kImagePicker[] = {
    {"Begin tavQVImagePicker40B.QVImagePicker40", "QVImagePicker"},
    {"Begin tavQVImagePicker40.QVImagePicker40", "QVImagePicker"},
};

constexpr BodyToken kImageList[] = {
    {"Begin tavQVImageList20T.QVImageList20T", "QVImageList"},
    {"Begin tavQVImageList40L.QVImageList40L", "QVImageList"},
    {"Begin tavQVImageList40B.QVImageList40", "QVImageList"},
    {"Begin tavQVImageList20.QVImageList20", "QVImageList"},
    {"Begin tavQVImageList30.QVImageList30", "QVImageList"},
    {"Begin tavQVImageList40.QVImageList40", "QVImageList"},
};

constexpr BodyToken kLabel[] = {
    {"Begin tavQVLabel20T.QVLabel20T", "QVLabel"},
    {"Begin tavQVLabel40B.QVLabel40", "QVLabel"},
    {"Begin tavQVLabel40L.QVLabel40L", "QVLabel"},
    {"Begin tavQVLabel20.QVLabel20", "QVLabel"},
    {"Begin tavQVLabel30.QVLabel30", "QVLabel"},
    {"Begin tavQVLabel40.QVLabel40", "QVLabel"},
};

// No 20T token.
constexpr BodyToken kLEDDisplay[] = {
    {"Begin tavLEDDisplay40L.LEDDisplay40L", "LEDDisplay"},
    {"Begin tavLEDDisplay40B.LEDDisplay40", "LEDDisplay"},
    {"Begin tavLEDDisplay20.LEDDisplay20", "LEDDisplay"},
    {"Begin tavLEDDisplay30.LEDDisplay30", "LEDDisplay"},
    {"Begin tavLEDDisplay40.LEDDisplay40", "LEDDisplay"},
};

// The 40 token is the one in library tavQVList, not tavQVListControl.
constexpr BodyToken kList[] = {
    {"Begin tavQVListControl20T.tavQVList20T", "tavQVList"},
    {"Begin tavQVListControl40B.tavQVList40", "tavQVList"},
    {"Begin tavQVListControl40L.tavQVList40L", "tavQVList"},
    {"Begin tavQVListControl20.tavQVList20", "tavQVList"},
    {"Begin tavQVListControl30.tavQVList30", "tavQVList"},
    {"Begin tavQVList40.tavQVList40", "tavQVList"},
};

constexpr BodyToken kListView[] = {
    {"Begin tavQVListView20T.QVListView20T", "QVListView"},
    {"Begin tavQVListView40L.QVListView40L", "QVListView"},
    {"Begin tavQVListView40B.QVListView40", "QVListView"},
    {"Begin tavQVListView20.QVListView20", "QVListView"},
    {"Begin tavQVListView30.QVListView30", "QVListView"},
    {"Begin tavQVListView40.QVListView40", "QVListView"},
    {"Begin tavQVListView20T.QVExpandingRow20T", "QVExpandingRow"},
    {"Begin tavQVListView40L.QVExpandingRow40L", "QVExpandingRow"},
    {"Begin tavQVListView40B.QVExpandingRow40", "QVExpandingRow"},
    {"Begin tavQVListView20.QVExpandingRow20", "QVExpandingRow"},
    {"Begin tavQVListView30.QVExpandingRow30", "QVExpandingRow"},
    {"Begin tavQVListView40.QVExpandingRow40", "QVExpandingRow"},
};

constexpr BodyToken kMACAddress[] = {
    {"Begin tavQVMACAddress40B.QVMACAddress40", "QVMACAddress"},
    {"Begin tavQVMACAddress40.QVMACAddress40", "QVMACAddress"},
};

constexpr BodyToken kMaskEdit[] = {
    {"Begin tavQVMaskEdit20T.QVMaskEdit20T", "QVMaskEdit"},
    {"Begin tavQVMaskEdit40L.QVMaskEdit40L", "QVMaskEdit"},
    {"Begin tavQVMaskEdit40B.QVMaskEdit40", "QVMaskEdit"},
    {"Begin tavQVMaskEdit20.QVMaskEdit20", "QVMaskEdit"},
    {"Begin tavQVMaskEdit30.QVMaskEdit30", "QVMaskEdit"},
    {"Begin tavQVMaskEdit40.QVMaskEdit40", "QVMaskEdit"},
};

constexpr BodyToken kMenuBar[] = {
    {"Begin tavQVMenuBar20T.QVMenuBar20T", "QVMenuBar"},
    {"Begin tavQVMenuBar40L.QVMenuBar40L", "QVMenuBar"},
    {"Begin tavQVMenuBar40B.QVMenuBar40", "QVMenuBar"},
    {"Begin tavQVMenuBar20.QVMenuBar20", "QVMenuBar"},
    {"Begin tavQVMenuBar30.QVMenuBar30", "QVMenuBar"},
    {"Begin tavQVMenuBar40.QVMenuBar40", "QVMenuBar"},
};

constexpr BodyToken kMText[] = {
    {"Begin tavQVMultiLineText20T.QVMultiLineText20T", "QVMText"},
    {"Begin tavQVMultiLineText40B.QVMultiLineText40", "QVMText"},
    {"Begin tavQVMultiLineText20.QVMultiLineText20", "QVMText"},
    {"Begin tavQVMultiLineText30.QVMultiLineText30", "QVMText"},
    {"Begin tavQVMText40L.QVMText40L", "QVMText"},
    {"Begin tavQVMText40.QVMText40", "QVMText"},
};

constexpr BodyToken kNumberPicker[] = {
    {"Begin tavQVNumberPicker40B.QVNumberPicker40", "QVNumberPicker"},
    {"Begin tavQVNumberPicker40.QVNumberPicker40", "QVNumberPicker"},
};

constexpr BodyToken kPanel[] = {
    {"Begin tavQVPanel20T.QVPanel20T", "QVPanel"},
    {"Begin tavQVPanel40L.QVPanel40L", "QVPanel"},
    {"Begin tavQVPanel40B.QVPanel40", "QVPanel"},
    {"Begin tavQVPanel20.QVPanel20", "QVPanel"},
    {"Begin tavQVPanel30.QVPanel30", "QVPanel"},
    {"Begin tavQVPanel40.QVPanel40", "QVPanel"},
};

constexpr BodyToken kPopUp[] = {
    {"Begin tavQVPopMenu20T.QVPopUp20T", "QVPopUp"},
    {"Begin tavQVPopMenu40L.QVPopUp40L", "QVPopUp"},
    {"Begin tavQVPopMenu40B.QVPopUp40", "QVPopUp"},
    {"Begin tavQVPopMenu20.QVPopUp20", "QVPopUp"},
    {"Begin tavQVPopMenu30.QVPopUp30", "QVPopUp"},
    {"Begin tavQVPopMenu40.QVPopUp40", "QVPopUp"},
};

// 4.0 keeps the orientation of the V and H classes and makes the old unoriented bars and wait
// indicators horizontal; 4.0L has one bar and one wait class.
constexpr BodyToken kProgress[] = {
    {"Begin tavQVProgress20T.ProgressBar20T", "ProgressHBar", "QVProgressBar"},
    {"Begin tavQVProgress20T.ProgressWait20T", "ProgressHWait", "QVProgressWait"},
    {"Begin tavQVProgress20.ProgressBar20", "ProgressHBar", "QVProgressBar"},
    {"Begin tavQVProgress20.ProgressWait20", "ProgressHWait", "QVProgressWait"},
    {"Begin tavQVProgress30.ProgressBar30", "ProgressHBar", "QVProgressBar"},
    {"Begin tavQVProgress30.ProgressWait30", "ProgressHWait", "QVProgressWait"},
    {"Begin tavQVProgress40B.ProgressVBar40", "ProgressVBar", "QVProgressBar"},
    {"Begin tavQVProgress40B.ProgressHBar40", "ProgressHBar", "QVProgressBar"},
    {"Begin tavQVProgress40B.ProgressVWait40", "ProgressVWait", "QVProgressWait"},
    {"Begin tavQVProgress40B.ProgressHWait40", "ProgressHWait", "QVProgressWait"},
    {"Begin tavQVProgress40L.QVProgressVBar40L", "ProgressVBar", "QVProgressBar"},
    {"Begin tavQVProgress40L.QVProgressHBar40L", "ProgressHBar", "QVProgressBar"},
    {"Begin tavQVProgress40L.QVProgressVWait40L", "ProgressVWait", "QVProgressWait"},
    {"Begin tavQVProgress40L.QVProgressHWait40L", "ProgressHWait", "QVProgressWait"},
    {"Begin tavQVProgress40.ProgressVBar40", "ProgressVBar", "QVProgressBar"},
    {"Begin tavQVProgress40.ProgressHBar40", "ProgressHBar", "QVProgressBar"},
    {"Begin tavQVProgress40.ProgressVWait40", "ProgressVWait", "QVProgressWait"},
    {"Begin tavQVProgress40.ProgressHWait40", "ProgressHWait", "QVProgressWait"},
};

constexpr BodyToken kProgressStep[] = {
    {"Begin tavQVProgressStep20T.ProgressStep20T", "ProgressStep"},
    {"Begin tavQVProgressStep40L.ProgressStep40L", "ProgressStep"},
    {"Begin tavQVProgressStep40B.ProgressStep40", "ProgressStep"},
    {"Begin tavQVProgressStep30.ProgressStep30", "ProgressStep"},
    {"Begin tavQVProgressStep20.ProgressStep20", "ProgressStep"},
    {"Begin tavQVProgressStep40.ProgressStep40", "ProgressStep"},
};

// PropertyList carried no edition in 20T and 20. ColorPicker here is PList's own class and stays
// in the PList library.
constexpr BodyToken kPList[] = {
    {"Begin tavQVPList20T.PropertyList", "QVPList"},
    {"Begin tavQVPList20.PropertyList", "QVPList"},
    {"Begin tavQVPList40B.QVPList40", "QVPList"},
    {"Begin tavQVPList40L.QVPList40L", "QVPList"},
    {"Begin tavQVPList30.PropertyList30", "QVPList"},
    {"Begin tavQVPList40.QVPList40", "QVPList"},
    {"Begin tavQVPList20T.ColorPicker20T", "ColorPicker"},
    {"Begin tavQVPList40B.ColorPicker40", "ColorPicker"},
    {"Begin tavQVPList40L.ColorPicker40L", "ColorPicker"},
    {"Begin tavQVPList30.ColorPicker30", "ColorPicker"},
    {"Begin tavQVPList20.ColorPicker20", "ColorPicker"},
    {"Begin tavQVPList40.ColorPicker40", "ColorPicker"},
};

constexpr BodyToken kScroll[] = {
    {"Begin tavQVScroll20T.QVHScroll20T", "QVHScroll"},
    {"Begin tavQVScroll40L.QVHScroll40L", "QVHScroll"},
    {"Begin tavQVScroll40B.QVHScroll40", "QVHScroll"},
    {"Begin tavQVScroll20.QVHScroll20", "QVHScroll"},
    {"Begin tavQVScroll30.QVHScroll30", "QVHScroll"},
    {"Begin tavQVScroll40.QVHScroll40", "QVHScroll"},
    {"Begin tavQVScroll20T.QVVScroll20T", "QVVScroll"},
    {"Begin tavQVScroll40L.QVVScroll40L", "QVVScroll"},
    {"Begin tavQVScroll40B.QVVScroll40", "QVVScroll"},
    {"Begin tavQVScroll30.QVVScroll30", "QVVScroll"},
    {"Begin tavQVScroll20.QVVScroll20", "QVVScroll"},
    {"Begin tavQVScroll40.QVVScroll40", "QVVScroll"},
};

constexpr BodyToken kSCntr[] = {
    {"Begin tavQVSCntr20T.QVSCntr20T", "QVSCntr"},
    {"Begin tavQVSCntr40L.QVSCntr40L", "QVSCntr"},
    {"Begin tavQVSCntr40B.QVSCntr40", "QVSCntr"},
    {"Begin tavQVSCntr30.QVSCntr30", "QVSCntr"},
    {"Begin tavQVSCntr20.QVSCntr20", "QVSCntr"},
    {"Begin tavQVSCntr40.QVSCntr40", "QVSCntr"},
};

// The option button's 40B lived in tavQVSelection, the check box's in tavQVSelectionControls.
constexpr BodyToken kSelection[] = {
    {"Begin tavQVSelectionControls20T.QVOption20T", "QVOption"},
    {"Begin tavQVSelection40B.QVOption40", "QVOption"},
    {"Begin tavQVSelection40L.QVOption40L", "QVOption"},
    {"Begin tavQVSelectionControls20.QVOption20", "QVOption"},
    {"Begin tavQVSelectionControls30.QVOption30", "QVOption"},
    {"Begin tavQVSelection40.QVOption40", "QVOption"},
    {"Begin tavQVSelectionControls20T.QVCheckBox20T", "QVCheckBox"},
    {"Begin tavQVSelectionControls40B.QVCheckBox40", "QVCheckBox"},
    {"Begin tavQVSelectionControls20.QVCheckBox20", "QVCheckBox"},
    {"Begin tavQVSelectionControls30.QVCheckBox30", "QVCheckBox"},
    {"Begin tavQVSelection40L.QVCheckBox40L", "QVCheckBox"},
    {"Begin tavQVSelection40.QVCheckBox40", "QVCheckBox"},
};

// QVStaticLabel carries no edition, neither read nor written.
constexpr BodyToken kSideBarMenu[] = {
    {"Begin tavQVSideBarMenu20T.QVSideMenu20T", "QVSideMenu"},
    {"Begin tavQVSideBarMenu20.QVSideMenu20", "QVSideMenu"},
    {"Begin tavQVSideBarMenu20T.QVStaticLabel", "QVStaticLabel", {}, ClassSuffix::Omit},
    {"Begin tavQVSideBarMenu20.QVStaticLabel", "QVStaticLabel", {}, ClassSuffix::Omit},
    {"Begin tavQVSideBarMenu30.QVSideMenu30", "QVSideMenu"},
    {"Begin tavQVSideBarMenu30.QVStaticLabel", "QVStaticLabel", {}, ClassSuffix::Omit},
    {"Begin tavQVSideBarMenu40B.QVSideMenu40", "QVSideMenu"},
    {"Begin tavQVSideBarMenu40B.QVStaticLabel", "QVStaticLabel", {}, ClassSuffix::Omit},
    {"Begin tavQVSMB40L.QVSideMenu40L", "QVSideMenu"},
    {"Begin tavQVSMB40L.QVStaticLabel", "QVStaticLabel", {}, ClassSuffix::Omit},
    {"Begin tavQVSMB40.QVSideMenu40", "QVSideMenu"},
    {"Begin tavQVSMB40.QVStaticLabel", "QVStaticLabel", {}, ClassSuffix::Omit},
};

// The 20T horizontal slider lived in library tavQVSliderT.
constexpr BodyToken kSlider[] = {
    {"Begin tavQVSliderT.tavHSlider20T", "tavHSlider"},
    {"Begin tavQVSlider20.tavHSlider20", "tavHSlider"},
    {"Begin tavQVSlider30.tavHSlider30", "tavHSlider"},
    {"Begin tavQVSlider40.tavHSlider40", "tavHSlider"},
    {"Begin tavQVSlider40B.tavHSlider40", "tavHSlider"},
    {"Begin tavQVSlider40L.tavHSlider40L", "tavHSlider"},
    {"Begin tavQVSlider20T.tavVSlider20T", "tavVSlider"},
    {"Begin tavQVSlider30.tavVSlider30", "tavVSlider"},
    {"Begin tavQVSlider20.tavVSlider20", "tavVSlider"},
    {"Begin tavQVSlider40.tavVSlider40", "tavVSlider"},
    {"Begin tavQVSlider40B.tavVSlider40", "tavVSlider"},
    {"Begin tavQVSlider40L.tavVSlider40L", "tavVSlider"},
};

// 4.0 has a vertical and a horizontal class (old single classes become vertical); 4.0L one class.
constexpr BodyToken kSpin[] = {
    {"Begin tavQVSpin20T.QVSpin20T", "QVVSpin", "QVSpin"},
    {"Begin tavQVSpin40B.QVVSpin40", "QVVSpin", "QVSpin"},
    {"Begin tavQVSpin40L.QVSpin40L", "QVVSpin", "QVSpin"},
    {"Begin tavQVSpin40B.QVHSpin40", "QVHSpin", "QVSpin"},
    {"Begin tavQVSpin30.QVSpin30", "QVVSpin", "QVSpin"},
    {"Begin tavQVSpin20.QVSpin20", "QVVSpin", "QVSpin"},
    {"Begin tavQVSpin40.QVVSpin40", "QVVSpin", "QVSpin"},
    {"Begin tavQVSpin40.QVHSpin40", "QVHSpin", "QVSpin"},
};

constexpr BodyToken kSpinAlpha[] = {
    {"Begin tavQVSpinAlpha40B.QVVSpinAlpha40", "QVVSpinAlpha"},
    {"Begin tavQVSpinAlpha40B.QVHSpinAlpha40", "QVHSpinAlpha"},
    {"Begin tavQVSpinAlpha40.QVVSpinAlpha40", "QVVSpinAlpha"},
    {"Begin tavQVSpinAlpha40.QVHSpinAlpha40", "QVHSpinAlpha"},
};

constexpr BodyToken kStatusBar[] = {
    {"Begin tavQVStatusBar20T.QVStatusBar20T", "QVStatusBar"},
    {"Begin tavQVStatusBar40L.QVStatusBar40L", "QVStatusBar"},
    {"Begin tavQVStatusBar40B.QVStatusBar40", "QVStatusBar"},
    {"Begin tavQVStatusBar30.QVStatusBar30", "QVStatusBar"},
    {"Begin tavQVStatusBar20.QVStatusBar20", "QVStatusBar"},
    {"Begin tavQVStatusBar40.QVStatusBar40", "QVStatusBar"},
};

constexpr BodyToken kTab[] = {
    {"Begin tavQVTab20T.QVTab20T", "QVTab"},
    {"Begin tavQVTab20.QVTab20", "QVTab"},
    {"Begin tavQVTab30.QVTab30", "QVTab"},
    {"Begin tavQVTab40B.QVTab40", "QVTab"},
    {"Begin tavQVTab40L.QVTab40L", "QVTab"},
    {"Begin tavQVTab40.QVTab40", "QVTab"},
    {"Begin tavQVTab40B.QVScrollTab40", "QVScrollTab"},
    {"Begin tavQVTab40L.QVScrollTab40L", "QVScrollTab"},
    {"Begin tavQVTab40.QVScrollTab40", "QVScrollTab"},
};

constexpr BodyToken kText[] = {
    {"Begin tavQVText20T.QVText20T", "QVText"},
    {"Begin tavQVText40L.QVText40L", "QVText"},
    {"Begin tavQVText40B.QVText40", "QVText"},
    {"Begin tavQVText30.QVText30", "QVText"},
    {"Begin tavQVText20.QVText20", "QVText"},
    {"Begin tavQVText40.QVText40", "QVText"},
};

// As Spin: old single classes become vertical in 4.0.
constexpr BodyToken kTimePicker[] = {
    {"Begin tavQVTP20T.QVTP20T", "QVVTP", "QVTP"},
    {"Begin tavQVTP40B.QVVTP40", "QVVTP", "QVTP"},
    {"Begin tavQVTP40B.QVHTP40", "QVHTP", "QVTP"},
    {"Begin tavQVTP40L.QVTP40L", "QVVTP", "QVTP"},
    {"Begin tavQVTP20.QVTP20", "QVVTP", "QVTP"},
    {"Begin tavQVTP30.QVTP30", "QVVTP", "QVTP"},
    {"Begin tavQVTP40.QVVTP40", "QVVTP", "QVTP"},
    {"Begin tavQVTP40.QVHTP40", "QVHTP", "QVTP"},
};

constexpr BodyToken kTree[] = {
    {"Begin tavQVTree40.QVTree40", "QVTree"},
};

// The 20T single class becomes horizontal in 4.0, the 20 and 30 single classes vertical.
constexpr BodyToken kUpDn[] = {
    {"Begin tavQVUpDn20T.QVUpDn20T", "QVHUpDn", "QVUpDn"},
    {"Begin tavQVUpDn40B.QVVUpDn40", "QVVUpDn", "QVUpDn"},
    {"Begin tavQVUpDn40L.QVVUpDn40L", "QVVUpDn", "QVUpDn"},
    {"Begin tavQVUpDn40B.QVHUpDn40", "QVHUpDn", "QVUpDn"},
    {"Begin tavQVUpDn40L.QVHUpDn40L", "QVHUpDn", "QVUpDn"},
    {"Begin tavQVUpDn20.QVUpDn20", "QVVUpDn", "QVUpDn"},
    {"Begin tavQVUpDn30.QVUpDn30", "QVVUpDn", "QVUpDn"},
    {"Begin tavQVUpDn40.QVVUpDn40", "QVVUpDn", "QVUpDn"},
    {"Begin tavQVUpDn40.QVHUpDn40", "QVHUpDn", "QVUpDn"},
};

using enum BodySuffix;

constexpr BodyFamily kFamilies[] = {
    // family         opt  suffix  row    new library stem     tokens
    {"Button",         0, FromRow,  0,     "tavQVButton",       kButton},
    {"ButtonBar",     39, Fixed40,  kNoRow, "tavQVButtonBar",   kButtonBar},
    {"Calendar",       1, FromRow,  2,     "tavQVCalendar",     kCalendar},
    {"Balloons",       2, FromRow,  3,     "tavQVBalloons",     kBalloons},
    {"ColorPicker",   35, Fixed40,  kNoRow, "tavQVColorPicker", kColorPicker},
    {"ComboBox",       3, FromRow,  5,     "tavQVComboBox",     kComboBox},
    {"ComboPlus",      4, FromRow,  6,     "tavQVComboPlus",    kComboPlus},
    {"DatePicker",     5, FromRow,  7,     "tavQVDatePicker",   kDatePicker},
    {"Form",           6, FromRow,  8,     "tavQVForm",         kForm},
    {"Frame",          7, FromRow,  9,     "tavQVFrame",        kFrame},
    {"Grid",           8, Fixed40,  kNoRow, "tavQVGrid",        kGrid},
    {"Image",          9, FromRow, 11,     "tavQVImage",        kImage},
    {"IPAddress",     40, Fixed40,  kNoRow, "tavQVIPAddress",   kIPAddress},
    {"ImagePicker",   36, Fixed40,  kNoRow, "tavQVImagePicker", kImagePicker},
    {"ImageList",     10, FromRow, 12,     "tavQVImageList",    kImageList},
    {"Label",         11, FromRow, 14,     "tavQVLabel",        kLabel},
    {"LEDDisplay",    12, FromRow, 15,     "tavLEDDisplay",     kLEDDisplay},
    {"List",          13, FromRow, 16,     "tavQVListControl",  kList},
    {"ListView",      14, FromRow, 17,     "tavQVListView",     kListView},
    {"MACAddress",    41, Fixed40,  kNoRow, "tavQVMACAddress",  kMACAddress},
    {"MaskEdit",      15, FromRow, 18,     "tavQVMaskEdit",     kMaskEdit},
    {"MenuBar",       16, FromRow, 19,     "tavQVMenuBar",      kMenuBar},
    {"MText",         17, FromRow, 20,     "tavQVMText",        kMText},
    {"NumberPicker",  37, Fixed40,  kNoRow, "tavQVNumberPicker", kNumberPicker},
    {"Panel",         18, FromRow, 22,     "tavQVPanel",        kPanel},
    {"PopUp",         19, FromRow, 23,     "tavQVPopMenu",      kPopUp},
    {"Progress",      20, FromRow, 24,     "tavQVProgress",     kProgress},
    {"ProgressStep",  21, FromRow, 25,     "tavQVProgressStep", kProgressStep},
    {"PList",         22, FromRow, 26,     "tavQVPList",        kPList},
    {"Scroll",        23, FromRow, 27,     "tavQVScroll",       kScroll},
    {"SCntr",         24, FromRow, 28,     "tavQVSCntr",        kSCntr},
    {"Selection",     25, FromRow, 29,     "tavQVSelection",    kSelection},
    {"SideBarMenu",   26, FromRow, 30,     "tavQVSMB",          kSideBarMenu},
    {"Slider",        27, FromRow, 31,     "tavQVSlider",       kSlider},
    {"Spin",          28, FromRow, 32,     "tavQVSpin",         kSpin},
    {"SpinAlpha",     38, Fixed40,  kNoRow, "tavQVSpinAlpha",   kSpinAlpha},
    {"StatusBar",     29, FromRow, 34,     "tavQVStatusBar",    kStatusBar},
    {"Tab",           30, FromRow, 35,     "tavQVTab",          kTab},
    {"Text",          31, FromRow, 36,     "tavQVText",         kText},
    {"TimePicker",    32, FromRow, 37,     "tavQVTP",           kTimePicker},
    {"Tree",          33, Fixed40,  kNoRow, "tavQVTree",        kTree},
    {"UpDn",          34, FromRow, 39,     "tavQVUpDn",         kUpDn},
};

}  // namespace

std::span<const BodyFamily> formBodyFamilies() { return kFamilies; }

}  // namespace tavkonv40
// clang-format on
