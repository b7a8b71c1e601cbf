#include "engine/project_fix.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "engine/backup_record.h"
#include "engine/catalogue.h"
#include "engine/fix_model.h"
#include "testing/memory_file_system.h"
#include "tests/engine/test_support.h"
#include "engine/text_util.h"

namespace tavkonv40 {
namespace {

using test::crlf;
using test::headerLine;
using test::projectLine;

const std::string kMsComctl = "Object = \"{831FDD16-0C5C-11D2-A9FC-0000F8754DA1}#2.0#0\"; \"MSCOMCTL.OCX\"";
const std::string kMsComctlProject = "Object={831FDD16-0C5C-11D2-A9FC-0000F8754DA1}#2.0#0; MSCOMCTL.OCX";

// A form with the given header lines (after VERSION 5.00) and body lines (inside the form).
std::vector<std::string> form(std::vector<std::string> header, const std::vector<std::string>& body,
                              const std::vector<std::string>& code = {}) {
    std::vector<std::string> lines{"VERSION 5.00"};
    lines.insert(lines.end(), header.begin(), header.end());
    lines.push_back("Begin VB.Form F ");
    lines.insert(lines.end(), body.begin(), body.end());
    lines.push_back("End");
    lines.push_back("Attribute VB_Name = \"F\"");
    lines.insert(lines.end(), code.begin(), code.end());
    return lines;
}

// A control block with its own height and width (and a child that has others).
std::vector<std::string> control(const std::string& begin, int height, int width) {
    return {"   " + begin,
            "      Height          =   " + std::to_string(height),
            "      BeginProperty Font ",
            "         Height = 99999",
            "      EndProperty",
            "      Width           =   " + std::to_string(width),
            "   End"};
}

std::vector<std::string> joined(std::vector<std::string> a, const std::vector<std::string>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

struct FixCase {
    const char* what;
    std::map<std::string, std::vector<std::string>> files;  // name in /p -> lines (CR LF)
    std::vector<std::string> expected;                      // the file's lines afterwards; empty: left as it is
    std::string file = "F.frm";                             // the file whose result is compared
};

void PrintTo(const FixCase& c, std::ostream* os) { *os << c.what; }

class FixKinds : public ::testing::TestWithParam<FixCase> {};

TEST_P(FixKinds, LeaveTheFileAsExpectedAndNothingMoreToFix) {
    const auto& c = GetParam();
    MemoryFileSystem fs;
    for (const auto& [name, lines] : c.files) fs.addFile("/p/" + name, crlf(lines));
    const auto plan = planFixes(fs, "/p");
    const auto it = plan.files.find(c.file);
    if (c.expected.empty()) {
        EXPECT_EQ(it, plan.files.end()) << it->second;
        return;
    }
    ASSERT_NE(it, plan.files.end());
    EXPECT_EQ(it->second, crlf(c.expected));
    // What the plan leaves is a fixed point: a second plan finds nothing more.
    for (const auto& [name, bytes] : plan.files) fs.addFile("/p/" + name, bytes);
    const auto again = planFixes(fs, "/p");
    for (const auto& f : again.fixes) ADD_FAILURE() << f.file << ":" << f.line << ": " << f.description;
}

const std::string kButton = headerLine("Button", Edition::V40);
const std::string kCombo = headerLine("ComboBox", Edition::V40);
const std::string kUpDn = headerLine("UpDn", Edition::V40);
const std::string kProgress = headerLine("Progress", Edition::V40);
const std::string kProgressL = headerLine("Progress", Edition::V40L);
const std::string kGrid = headerLine("Grid", Edition::V40);
const std::string kTP = headerLine("TimePicker", Edition::V40);

INSTANTIATE_TEST_SUITE_P(
    SuiteNames, FixKinds,
    ::testing::Values(
        FixCase{"a library composed from the file's stem becomes the family's library",
                {{"F.frm", form({kCombo}, {"   Begin tavQVCombo40.QVCombo40 c ", "   End"})}},
                form({kCombo}, {"   Begin tavQVComboBox40.QVComboBox40 c ", "   End"})},
        FixCase{"the 4.0L name of a 4.0-only family becomes its 4.0 name, in code too",
                {{"F.frm", form({kGrid}, {"   Begin tavQVGrid40L.QVGrid40L g ", "   End"},
                                {"Dim a As tavQVGrid40L.QVGrid40L, b As tavQVGrid40.QVGrid40L"})}},
                form({kGrid}, {"   Begin tavQVGrid40.QVGrid40 g ", "   End"},
                     {"Dim a As tavQVGrid40.QVGrid40, b As tavQVGrid40.QVGrid40"})},
        FixCase{"a class kept from an older edition takes the library's edition; the library's spelling stays",
                {{"F.frm", form({kButton}, {}, {"Private WithEvents m As TAVQVBUTTON40.QVButton20"})}},
                form({kButton}, {}, {"Private WithEvents m As TAVQVBUTTON40.QVButton40"})},
        FixCase{
            "a tall up-down is vertical, a wide progress bar horizontal (the font block's height is not the control's)",
            {{"F.frm", form({kUpDn, kProgress}, joined(control("Begin tavQVUpDn40.QVUpDn40 u ", 315, 255),
                                                       control("Begin tavQVProgress40.ProgressBar40 p ", 255, 5175)))}},
            form({kUpDn, kProgress}, joined(control("Begin tavQVUpDn40.QVVUpDn40 u ", 315, 255),
                                            control("Begin tavQVProgress40.ProgressHBar40 p ", 255, 5175)))},
        FixCase{"4.0L has one progress bar class, whatever the shape",
                {{"F.frm", form({kProgressL}, control("Begin tavQVProgress40L.ProgressBar40L p ", 100, 100))}},
                form({kProgressL}, control("Begin tavQVProgress40L.QVProgressBar40L p ", 100, 100))},
        FixCase{"in code, a library's constant keeps its name while the library's pair is fixed",
                {{"F.frm", form({kButton}, {}, {"m.Style = tavQVButton40.bsFlat: Dim c As tavQVCombo40.QVCombo40"})}},
                form({kButton}, {}, {"m.Style = tavQVButton40.bsFlat: Dim c As tavQVComboBox40.QVComboBox40"})},
        FixCase{
            "a ProgID's class follows its library; an older one takes the edition the header references (none: stays)",
            {{"F.frm", form({kButton, kProgressL}, {},
                            {"Set a = Controls.Add(\"tavQVButton40.QVButton20\", \"a\")",
                             "Set b = Controls.Add(\"tavQVButton20.QVButton20\", \"b\")",
                             "Set c = Controls.Add(\"tavQVSpin20.QVSpin20\", \"c\")",
                             "Set d = Controls.Add(\"tavQVProgress30.ProgressBar30\", \"d\")"})}},
            form({kButton, kProgressL}, {},
                 {"Set a = Controls.Add(\"tavQVButton40.QVButton40\", \"a\")",
                  "Set b = Controls.Add(\"tavQVButton40.QVButton40\", \"b\")",
                  "Set c = Controls.Add(\"tavQVSpin20.QVSpin20\", \"c\")",
                  "Set d = Controls.Add(\"tavQVProgress40L.QVProgressBar40L\", \"d\")"})},
        FixCase{"an older ProgID stays when the header references both editions of its family",
                {{"F.frm", form({kButton, headerLine("Button", Edition::V40L)}, {},
                                {"Set b = Controls.Add(\"tavQVButton20.QVButton20\", \"b\")"})}},
                {}},
        FixCase{"a square up-down, an up-down in code and a time picker's class stay with their advice",
                {{"F.frm", form({kUpDn, kTP},
                                joined(control("Begin tavQVUpDn40.QVUpDn40 u ", 300, 300),
                                       control("Begin tavQVTP40.QVTP40 t ", 300, 1200)),
                                {"Dim u2 As tavQVUpDn40.QVUpDn40"})}},
                {}},
        FixCase{"an older name a conversion rule still converts, and one whose family has two editions, stay",
                {{"F.frm", form({kButton}, {"   Begin tavQVButton20.QVButton20 b ", "   End"},
                                {"Dim m As tavQVPopMenu30.QVPopUp30"})}},
                {}},
        FixCase{"what the 4.0L conversion makes of 4.0B names means 4.0L; 4.0L has one bar class for both orientations",
                {{"F.frm", form({headerLine("SideBarMenu", Edition::V40L), kProgressL},
                                {"   Begin tavQVProgress40L.ProgressVBar30 p ", "   End"},
                                {"Dim a As tavQVSMB40LB.QVSideMenu40B, b As tavQVSMB40LB.QVStaticLabel40B"})}},
                form({headerLine("SideBarMenu", Edition::V40L), kProgressL},
                     {"   Begin tavQVProgress40L.QVProgressBar40L p ", "   End"},
                     {"Dim a As tavQVSMB40L.QVSideMenu40L, b As tavQVSMB40L.QVStaticLabel"})},
        FixCase{"an older name of a 4.0-only family that no rule recognises becomes the 4.0 name",
                {{"F.frm", form({headerLine("ColorPicker", Edition::V40)},
                                {"   Begin tavQVCP30.QVColorPicker30 c ", "   End"})}},
                form({headerLine("ColorPicker", Edition::V40)},
                     {"   Begin tavQVColorPicker40.QVColorPicker40 c ", "   End"})}));

INSTANTIATE_TEST_SUITE_P(
    ReferenceLines, FixKinds,
    ::testing::Values(
        FixCase{
            "a missing reference line goes after the last one, else after VERSION 5.00",
            {{"A.frm", form({kMsComctl}, {"   Begin tavQVButton40.QVButton40 b ", "   End"})},
             {"B.ctl",
              {"VERSION 5.00", "Begin VB.UserControl B ", "   Begin tavQVButton40L.QVButton40L b ", "   End", "End"}}},
            form({kMsComctl, kButton}, {"   Begin tavQVButton40.QVButton40 b ", "   End"}),
            "A.frm"},
        FixCase{
            "... and a header without reference lines gets it after VERSION 5.00",
            {{"B.ctl",
              {"VERSION 5.00", "Begin VB.UserControl B ", "   Begin tavQVButton40L.QVButton40L b ", "   End", "End"}}},
            {"VERSION 5.00", headerLine("Button", Edition::V40L), "Begin VB.UserControl B ",
             "   Begin tavQVButton40L.QVButton40L b ", "   End", "End"},
            "B.ctl"},
        FixCase{"a wrong GUID in a form becomes the catalogue's line",
                {{"F.frm", form({"Object = \"{00000000-0000-0000-0000-000000000000}#1.0#0\"; \"tavQVButton40.ocx\""},
                                {"   Begin tavQVButton40.QVButton40 b ", "   End"})}},
                form({kButton}, {"   Begin tavQVButton40.QVButton40 b ", "   End"})},
        FixCase{
            "a control file no edition has becomes the one its family and edition mean",
            {{"F.frm", form({"Object = \"{00000000-0000-0000-0000-000000000000}#1.0#0\"; \"tavQVImagePicker40L.ocx\"",
                             "Object = \"{00000000-0000-0000-0000-000000000000}#1.0#0\"; \"tavQVComboBox40L.ocx\""},
                            {})}},
            form({headerLine("ImagePicker", Edition::V40), headerLine("ComboBox", Edition::V40L)}, {})},
        FixCase{
            "a wrong GUID in a project becomes the catalogue's project line",
            {{"P.vbp",
              {"Type=Exe", "Object={00000000-0000-0000-0000-000000000000}#1.0#0; tavQVButton40.ocx", "Name=\"P\""}}},
            {"Type=Exe", projectLine("Button", Edition::V40), "Name=\"P\""},
            "P.vbp"}));

INSTANTIATE_TEST_SUITE_P(
    ProjectLists, FixKinds,
    ::testing::Values(
        FixCase{"a project gains the catalogue's line for a suite file and the members' own line for another",
                {{"A.frm", form({kButton, kMsComctl}, {"   Begin tavQVButton40.QVButton40 b ", "   End"})},
                 {"P.vbp",
                  {"Type=Exe", "Reference=*\\G{00020430-0000-0000-C000-000000000046}#2.0#0#x#OLE", "Form=A.frm",
                   "Name=\"P\""}}},
                {"Type=Exe", "Reference=*\\G{00020430-0000-0000-C000-000000000046}#2.0#0#x#OLE",
                 projectLine("Button", Edition::V40), kMsComctlProject, "Form=A.frm", "Name=\"P\""},
                "P.vbp"},
        FixCase{"members that disagree about a file's line leave it to a person",
                {{"A.frm", form({kMsComctl}, {})},
                 {"B.frm", form({"Object = \"{831FDD16-0C5C-11D2-A9FC-0000F8754DA1}#2.1#0\"; \"MSCOMCTL.OCX\""}, {})},
                 {"P.vbp", {"Type=Exe", "Form=A.frm", "Form=B.frm"}}},
                {},
                "P.vbp"}));

INSTANTIATE_TEST_SUITE_P(
    Tidiness, FixKinds,
    ::testing::Values(FixCase{"the empty lines of three runs and a repeated reference line go",
                              {{"F.frm",
                                {"VERSION 5.00", "", "", kButton, "", kButton, "Begin VB.Form F ",
                                 "   Begin tavQVButton40.QVButton40 b ", "   End", "End", "", "Sub A()", "End Sub"}}},
                              {"VERSION 5.00", kButton, "Begin VB.Form F ", "   Begin tavQVButton40.QVButton40 b ",
                               "   End", "End", "", "Sub A()", "End Sub"}},
                      FixCase{"a project's empty lines after its last reference line go; others stay",
                              {{"P.vbp",
                                {"Type=Exe", "Object={831FDD16-0C5C-11D2-A9FC-0000F8754DA1}#2.0#0; MSCOMCTL.OCX", "",
                                 "", "Name=\"P\"", "", "[MS Transaction Server]"}}},
                              {"Type=Exe", "Object={831FDD16-0C5C-11D2-A9FC-0000F8754DA1}#2.0#0; MSCOMCTL.OCX",
                               "Name=\"P\"", "", "[MS Transaction Server]"},
                              "P.vbp"}));

TEST(FixEdits, LinesKeepTheirOwnEndsAndInsertedOnesTakeTheDominantEnd) {
    using fix::EditAction;
    const std::vector<fix::LineEdit> edits{{EditAction::InsertAfter, 0, "first"},
                                           {EditAction::Replace, 2, "two"},
                                           {EditAction::Delete, 3, {}},
                                           {EditAction::InsertAfter, 4, "after last"}};
    EXPECT_EQ(fix::applyEdits("a\nb\r\nc\nd", edits), "first\na\ntwo\r\nd\nafter last");
    EXPECT_EQ(fix::applyEdits("a\r\nb\r\n", {{EditAction::InsertAfter, 2, "c"}}), "a\r\nb\r\nc\r\n");
    EXPECT_EQ(fix::applyEdits("", {{EditAction::InsertAfter, 0, "x"}}), "x\r\n");
}

// The fixes run over /p in memory, with the log kept.
struct FixRun : ::testing::Test {
    FixResult run() { return RunFixes(fs, host, clock, "/p"); }
    MemoryFileSystem fs;
    test::RecordingHost host;
    test::FixedClock clock;
};

TEST_F(FixRun, ChainedFixesConvergeAndALinkOrReadOnlyFileIsReportedNotWritten) {
    // The name fix opens the way for the reference line, which opens the way for the project's.
    fs.addFile("/p/A.frm", crlf(form({}, {"   Begin tavQVMultiLineText40.QVMultiLineText40 t ", "   End"})));
    fs.addFile("/p/B.frm", crlf(form({"", kButton}, {"   Begin tavQVButton40.QVButton40 b ", "   End"})));
    fs.addFile("/p/P.vbp", crlf({"Type=Exe", projectLine("Button", Edition::V40), "", "Form=A.frm", "Form=B.frm"}));
    fs.setReadOnly("/p/B.frm");
    const auto r = run();
    EXPECT_EQ(r.ending, FixEnding::Completed);
    EXPECT_EQ(fs.file("/p/A.frm"),
              crlf(form({headerLine("MText", Edition::V40)}, {"   Begin tavQVMText40.QVMText40 t ", "   End"})));
    EXPECT_EQ(fs.file("/p/P.vbp"), crlf({"Type=Exe", projectLine("Button", Edition::V40),
                                         projectLine("MText", Edition::V40), "Form=A.frm", "Form=B.frm"}));
    EXPECT_EQ(r.filesWritten, 2u);
    EXPECT_EQ(r.fileErrors, 1u);
    EXPECT_EQ(host.errors, std::vector<std::string>{"    -error: not fixed: B.frm: file is read-only"});
    for (const auto& line : host.log) EXPECT_NE(line.rfind("B.frm:", 0), 0u) << "no fixed: line: " << line;
    EXPECT_TRUE(r.backupPlaced);
    const std::string backup = std::string("/p/") + test::kBackupName;
    EXPECT_EQ(r.backupPath, std::string("/p") + kPreferredSeparator + test::kBackupName);
    EXPECT_EQ(fs.file(backup + "/A.frm"),
              crlf(form({}, {"   Begin tavQVMultiLineText40.QVMultiLineText40 t ", "   End"})));
    // The record names what the fixes wrote, so that restore takes back exactly those.
    const auto record = readRecord(fs, backup);
    ASSERT_TRUE(record);
    EXPECT_EQ(record->wrote.size(), 2u);
    EXPECT_EQ(record->wrote.at("A.frm"), stampOf(fs.file("/p/A.frm")));
    EXPECT_EQ(record->read.at("A.frm"), stampOf(fs.file(backup + "/A.frm")));
    EXPECT_EQ(host.log.back(), "Fixes complete. 5:49:20 PM");
}

TEST_F(FixRun, AFileAnotherProgramSavesAfterThePlanKeepsWhatItWrote) {
    fs.addFile("/p/A.frm", crlf(form({}, {"   Begin tavQVMultiLineText40.QVMultiLineText40 t ", "   End"})));
    fs.addFile("/p/P.vbp", crlf({"Type=Exe", "Form=A.frm"}));
    const std::string edited = crlf(form({}, {"   Begin tavQVMultiLineText40.QVMultiLineText40 t2 ", "   End"}));
    host.onLine = [&](const std::string& line) {
        if (line.rfind("Starting fixes", 0) == 0) fs.addFile("/p/A.frm", edited);  // the IDE saves the form
    };
    const auto r = run();
    EXPECT_EQ(fs.file("/p/A.frm"), edited);
    EXPECT_EQ(r.fileErrors, 1u);
    EXPECT_TRUE(test::oneLineHolding(
        host.errors, "A.frm was not fixed: another program changed it after the fixes were worked out"));
}

TEST_F(FixRun, ACancelDuringAWriteStopsBeforeTheNextFileAndStillPlacesTheBackup) {
    const std::string broken = crlf(form({"", kButton}, {"   Begin tavQVButton40.QVButton40 b ", "   End"}));
    fs.addFile("/p/A.frm", broken);
    fs.addFile("/p/B.frm", broken);
    // The first write of a fixed file asks for the cancel (the backup's record is written before).
    fs.beforeWrite = [&](const std::string& path) { host.cancel |= path == "/p/A.frm" || path == "/p/B.frm"; };
    const auto r = run();
    EXPECT_EQ(r.ending, FixEnding::Cancelled);
    EXPECT_EQ(r.filesWritten, 1u);
    EXPECT_NE(fs.file("/p/A.frm"), broken);
    EXPECT_EQ(fs.file("/p/B.frm"), broken);
    EXPECT_TRUE(r.backupPlaced);
    EXPECT_EQ(fs.file("/p/Nexaria Conversion Backup 02.01.2026 09.03.07/B.frm"), broken);
}

TEST_F(FixRun, NothingToFixMakesNoBackupAndABusyFolderOrNoBackupMeansNothingWritten) {
    fs.addFile("/p/A.frm", crlf(form({kButton}, {"   Begin tavQVButton40.QVButton40 b ", "   End"})));
    auto r = run();
    EXPECT_EQ(r.ending, FixEnding::NothingToFix);
    EXPECT_TRUE(r.backupPath.empty());
    EXPECT_FALSE(fs.hasFolder("/p/Nexaria Conversion Backup 02.01.2026 09.03.07"));

    const std::string broken = crlf(form({"", kButton}, {}));
    fs.addFile("/p/B.frm", broken);
    fs.lockedByOthers["/p"] = 4242;
    r = run();
    EXPECT_EQ(r.ending, FixEnding::Refused);
    EXPECT_EQ(r.refusal, RunRefusal::FolderBusy);
    EXPECT_EQ(fs.file("/p/B.frm"), broken);

    fs.lockedByOthers.clear();
    fs.copyFailures["/p/B.frm"] = "No space left on device";
    host.errors.clear();
    r = run();
    EXPECT_EQ(r.ending, FixEnding::NoBackup);
    EXPECT_EQ(fs.file("/p/B.frm"), broken);
    ASSERT_FALSE(host.errors.empty());
    EXPECT_TRUE(test::holds(host.errors[0], "No space left on device"));
}

}  // namespace
}  // namespace tavkonv40
