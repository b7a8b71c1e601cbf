#include "engine/project_check.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "engine/catalogue.h"
#include "testing/memory_file_system.h"
#include "tests/engine/test_support.h"

namespace tavkonv40 {
namespace {

using test::crlf;
using test::headerLine;
using test::projectLine;

std::vector<std::string> described(const std::vector<Finding>& all) {
    std::vector<std::string> out;
    for (const auto& f : all) out.push_back(f.file + ":" + std::to_string(f.line) + " " + f.message);
    return out;
}

class ProjectCheckTest : public ::testing::Test {
  protected:
    std::vector<Finding> check() { return checkProject(fs, "/p"); }

    // The findings at file:line, as "kind" strings.
    static std::vector<std::string> at(const std::vector<Finding>& all, const std::string& file, std::size_t line) {
        std::vector<std::string> kinds;
        for (const auto& f : all)
            if (f.file == file && f.line == line) kinds.emplace_back(kindName(f.kind));
        return kinds;
    }
    static const Finding& only(const std::vector<Finding>& all, const std::string& file, std::size_t line) {
        static const Finding none{};
        std::size_t n = 0;
        const Finding* found = &none;
        for (const auto& f : all)
            if (f.file == file && f.line == line) ++n, found = &f;
        EXPECT_EQ(n, 1u) << file << ":" << line;
        return *found;
    }

    MemoryFileSystem fs;
};

TEST_F(ProjectCheckTest, NamesNoEditionHasOrTheNamedEditionLacks) {
    fs.addFile("/p/A.frm", crlf({"VERSION 5.00",
                                 headerLine("Text", Edition::V40),
                                 headerLine("UpDn", Edition::V40),
                                 "Object = \"{00000000-0000-0000-0000-000000000000}#1.0#0\"; \"tavQVWidget40.ocx\"",
                                 "Begin VB.Form A ",
                                 "   Begin tavQVMultiLineText40.QVMultiLineText40 t ",  // 6
                                 "   End",
                                 "   Begin tavQVCombo40.QVCombo40 c ",  // 8
                                 "   End",
                                 "   Begin tavQVUpDn40.QVUpDn40 u ",  // 10
                                 "   End",
                                 "   Begin tavQVGrid40L.QVGrid40L tavQVButton1 ",  // 12
                                 "   End",
                                 "End",
                                 "Dim a As tavQVLEDDisplay40.LEDDisplay40",         // 15
                                 "Dim b As tavQVSelection40LB.QVOption40L",         // 16
                                 "Dim c As tavQVButton40.QVButton20",               // 17
                                 "Set d = New  tavQVButton40.QVButton",             // 18
                                 "Dim e As tavQVButton40.ButtonStyles",             // 19: maybe an enum type
                                 "tavQVButton1.Caption = tavQVButton40.bsFlat"}));  // 20: a control of the form
    const auto f = check();
    EXPECT_EQ(only(f, "A.frm", 4).kind, FindingKind::UnknownName);
    for (std::size_t line : {6, 8, 10, 12, 15, 16, 17, 18}) {
        const auto& x = only(f, "A.frm", line);
        EXPECT_EQ(x.kind, FindingKind::UnknownName) << line;
        EXPECT_EQ(x.severity, Severity::Error) << line;
        EXPECT_FALSE(x.advice.empty());
    }
    // The texts a person reads, which the command line prints as they are.
    EXPECT_EQ(only(f, "A.frm", 6).message.rfind("no edition has the suite library tavQVMultiLineText40", 0), 0u);
    EXPECT_EQ(only(f, "A.frm", 10).message.rfind("library tavQVUpDn40 has no class QVUpDn40", 0), 0u);
    EXPECT_TRUE(test::holds(only(f, "A.frm", 6).advice, "tavQVMText40.QVMText40"));
    EXPECT_TRUE(test::holds(only(f, "A.frm", 8).advice, "tavQVComboBox40.QVComboBox40"));
    EXPECT_EQ(only(f, "A.frm", 10).advice, "Change the class to QVVUpDn40 or QVHUpDn40.");
    EXPECT_TRUE(test::holds(only(f, "A.frm", 12).message, "exists only as 4.0"));
    EXPECT_TRUE(test::holds(only(f, "A.frm", 15).message, "tavLEDDisplay40"));
    EXPECT_EQ(only(f, "A.frm", 17).advice, "Change the class to QVButton40.");
    EXPECT_EQ(only(f, "A.frm", 19).severity, Severity::Note);
    EXPECT_EQ(only(f, "A.frm", 19).advice, "If it is meant as a class: Change the class to QVButton40.");
    EXPECT_TRUE(at(f, "A.frm", 20).empty());
    // The 4.0L classes differ from the 4.0 ones for the single-class families.
    fs.addFile("/p/A.frm", crlf({"VERSION 5.00", headerLine("Spin", Edition::V40L), "Begin VB.Form A ",
                                 "   Begin tavQVSpin40L.QVVSpin40L s ", "   End", "End"}));
    EXPECT_EQ(only(check(), "A.frm", 4).advice, "Change the class to QVSpin40L.");
}

TEST_F(ProjectCheckTest, MissingReferenceLineAndForeignGuid) {
    std::string frame = headerLine("Frame", Edition::V40);
    frame.replace(frame.find('{') + 1, 8, "DEADBEEF");
    fs.addFile("/p/A.frm",
               crlf({"VERSION 5.00", frame, "Begin VB.Form A ", "   Begin tavQVButton40L.QVButton40L b1 ",
                     "   End",  // 4
                     "   Begin tavQVButton40L.QVButton40L b2 ", "   End", "   Begin tavQVFrame40.QVFrame40 f ",
                     "   End", "   Begin tavQVFrame40L.QVFrame40L g ", "   End", "End"}));  // 10
    fs.addFile("/p/P.vbp", crlf({"Object={55870AA1-BEA7-4F63-A945-7F0682E167A4}#1.0#0; tavQVButton40.ocx",
                                 projectLine("Frame", Edition::V40), projectLine("Button", Edition::V40L)}));
    const auto f = check();
    const auto& missing = only(f, "A.frm", 4);
    EXPECT_EQ(missing.kind, FindingKind::MissingReference);
    EXPECT_EQ(missing.advice, "Add this line to the header: " + headerLine("Button", Edition::V40L));
    EXPECT_TRUE(at(f, "A.frm", 6).empty()) << "reported once per control file";
    EXPECT_EQ(only(f, "A.frm", 10).advice, "Add this line to the header: " + headerLine("Frame", Edition::V40L))
        << "each edition of a family needs its own line";
    EXPECT_EQ(only(f, "A.frm", 2).kind, FindingKind::WrongGuid);
    const auto projectFindings = at(f, "P.vbp", 1);
    EXPECT_EQ(projectFindings, (std::vector<std::string>{"wrong-guid", "unused-in-project"}));
}

TEST_F(ProjectCheckTest, ProjectListsAgainstItsMembersHeaders) {
    fs.addFile("/p/A.frm", crlf({"VERSION 5.00", headerLine("Button", Edition::V40), headerLine("Frame", Edition::V40),
                                 "Object = \"{831FDD16-0C5C-11D2-A9FC-0000F8754DA1}#2.0#0\"; \"MSCOMCTL.OCX\"",
                                 "Begin VB.Form A ", "End"}));
    fs.addFile("/p/Other.frm", crlf({"VERSION 5.00", headerLine("Tree", Edition::V40), "Begin VB.Form O ", "End"}));
    fs.addFile("/p/P.vbp", crlf({"Type=Exe", projectLine("Button", Edition::V40), projectLine("Label", Edition::V40),
                                 "Form=a.FRM"}));
    const auto f = check();
    EXPECT_EQ(only(f, "A.frm", 3).kind, FindingKind::NotInProject);
    EXPECT_EQ(only(f, "A.frm", 3).advice, "Add this line to it: " + projectLine("Frame", Edition::V40));
    EXPECT_EQ(only(f, "A.frm", 4).kind, FindingKind::NotInProject) << "Microsoft control files count too";
    EXPECT_EQ(only(f, "P.vbp", 3).kind, FindingKind::UnusedInProject);
    EXPECT_TRUE(at(f, "Other.frm", 2).empty()) << "not a member of P.vbp";
    // ".\\" still names a file of the folder.
    fs.addFile("/p/P.vbp", crlf({"Type=Exe", projectLine("Button", Edition::V40), projectLine("Label", Edition::V40),
                                 "Form=.\\a.FRM"}));
    const auto here = check();
    EXPECT_EQ(only(here, "P.vbp", 3).kind, FindingKind::UnusedInProject);
    EXPECT_TRUE(at(here, "Other.frm", 2).empty());
    // A project that names none of the folder's forms owns all of them. A member in another
    // folder, which a run here leaves alone, is named; what it references is unknown here, so no
    // line of the project is judged unused.
    fs.addFile("/p/P.vbp", crlf({projectLine("Button", Edition::V40), "Form=elsewhere\\X.frm"}));
    const auto elsewhere = check();
    EXPECT_EQ(only(elsewhere, "Other.frm", 2).kind, FindingKind::NotInProject);
    EXPECT_EQ(only(elsewhere, "P.vbp", 2).kind, FindingKind::MemberElsewhere);
    EXPECT_EQ(only(elsewhere, "P.vbp", 2).severity, Severity::Warning);
    EXPECT_TRUE(at(elsewhere, "P.vbp", 1).empty());
}

// A control project of the same group is referenced by its path, in the form's header and in
// the project alike; a member in another folder counts once its own folder is converted.
TEST_F(ProjectCheckTest, GroupProjectsAndMembersInOtherFolders) {
    fs.addFile("/p/A.frm",
               crlf({"VERSION 5.00", "Object = \"*\\A..\\Gauge\\Gauge.vbp\"", headerLine("Button", Edition::V40),
                     "Begin VB.Form A ", "   Begin Gauge.ctlGauge g ", "   End", "End"}));
    fs.addFile("/p/Forms/FRMB.FRM", crlf({"VERSION 5.00", headerLine("Tree", Edition::V40), "Begin VB.Form B ",
                                          "   Begin tavQVTree40.QVTree40 t ", "   End", "End"}));
    const auto project = [&](const std::string& member) {
        fs.addFile("/p/P.vbp",
                   crlf({"Type=Exe", "Object=*\\A..\\Gauge\\Gauge.vbp", projectLine("Button", Edition::V40),
                         projectLine("Tree", Edition::V40), projectLine("Spin", Edition::V40), "Form=A.frm", member}));
        return check();
    };
    const auto settled = project("Form=forms\\frmB.frm");
    EXPECT_EQ(described(settled),
              (std::vector<std::string>{"P.vbp:5 no form or user control of the project references tavQVSpin40.ocx"}));
    // Not yet converted there, or not found: what it references is unknown, nothing is judged unused.
    fs.addFile("/p/Forms/FRMB.FRM",
               crlf({"VERSION 5.00", "Begin VB.Form B ", "   Begin tavQVTree30.QVTree30 t ", "   End", "End"}));
    for (const std::string member : {"Form=Forms\\frmB.frm", "Form=Forms\\Gone.frm", "Form=..\\x\\B.frm"}) {
        const auto f = project(member);
        ASSERT_EQ(f.size(), 1u) << member;
        EXPECT_EQ(only(f, "P.vbp", 7).kind, FindingKind::MemberElsewhere) << member;
    }
    // Converted there, yet a name is left that no edition has: another run would change nothing,
    // that folder's own check says what is left.
    fs.addFile("/p/Forms/FRMB.FRM", crlf({"VERSION 5.00", headerLine("Tree", Edition::V40), "Begin VB.Form B ",
                                          "   Begin tavQVTree40.QVTreeNone t ", "   End", "End"}));
    const auto converted = project("Form=forms\\frmB.frm");
    EXPECT_EQ(only(converted, "P.vbp", 7).kind, FindingKind::MemberElsewhere);
    EXPECT_EQ(only(converted, "P.vbp", 7).advice, "Check that folder: tavkonv40 check /p/Forms");
}

TEST_F(ProjectCheckTest, OlderEditionNamesWithTheFamilyThatConvertsThem) {
    fs.addFile("/p/A.frm", crlf({"VERSION 5.00", "Object = \"{1}#1.0#0\"; \"tavQVSpin20.ocx\"",
                                 "Object = \"{1}#1.0#0\"; \"tavQVCP77.ocx\"",                           // 3
                                 "Begin VB.Form A ", "   Begin tavQVButton20.QVButton20 b ", "   End",  // 5
                                 "   Begin tavQVCP30.QVColorPicker30 c ", "   End", "End",              // 7
                                 "Dim a As tavQVButton20.QVButton20",                                   // 10
                                 "Dim b As tavLEDDisplay30.LEDDisplay30",                               // 11
                                 "Dim c As tavQVPopup20.QVPopUp20",                                     // 12
                                 "Dim d As tavQVSelection40B.QVOption40",                               // 13
                                 "Call Show(tavQVButton20.QVButton20)"}));                              // 14
    fs.addFile("/p/P.vbp", crlf({"Object={1}#1.0#0; tavQVSpin20.ocx", "Object={1}#1.0#0; tavQVCP77.ocx"}));
    const auto f = check();
    for (std::size_t line : {2, 5, 7, 10, 11, 12, 13, 14}) {
        EXPECT_EQ(only(f, "A.frm", line).kind, FindingKind::OldName) << line;
        EXPECT_EQ(only(f, "A.frm", line).severity, Severity::Warning) << line;
    }
    EXPECT_EQ(only(f, "A.frm", 2).advice, "Convert it with --family Spin (QVSpin).");
    EXPECT_EQ(only(f, "A.frm", 3).kind, FindingKind::UnknownName) << "77 is no edition";
    EXPECT_EQ(only(f, "A.frm", 5).advice, "Convert it with --family Button (QVButton).");
    EXPECT_EQ(only(f, "A.frm", 7).message.rfind("older-edition control tavQVCP30.QVColorPicker30 remains", 0), 0u);
    EXPECT_EQ(only(f, "A.frm", 11).message.rfind("older-edition library tavLEDDisplay30 remains", 0), 0u);
    EXPECT_TRUE(test::holds(only(f, "A.frm", 7).message, "no conversion rule"));
    EXPECT_TRUE(test::holds(only(f, "A.frm", 7).advice, "tavQVColorPicker40.QVColorPicker40"));
    EXPECT_TRUE(test::holds(only(f, "A.frm", 10).advice, "--family Button (QVButton)"));
    EXPECT_TRUE(test::holds(only(f, "A.frm", 11).message, "no conversion rule"));
    EXPECT_TRUE(test::holds(only(f, "A.frm", 12).message, "would write tavQVPopup40 (4.0) or tavQVPopup40L (4.0L)"));
    EXPECT_TRUE(test::holds(only(f, "A.frm", 13).message, "tavQVSelection40LB"));
    EXPECT_TRUE(test::holds(only(f, "A.frm", 14).message, "follow a blank"));
    EXPECT_EQ(only(f, "P.vbp", 1).advice, "Convert it with --family Spin (QVSpin).");
}

// The conversion gives every older up-down one orientation, and a slider the vertical class when
// "Orientation" follows it anywhere: a class at odds with the control's shape is pointed out.
TEST_F(ProjectCheckTest, ClassesAtOddsWithTheControlsShape) {
    const auto control = [](const std::string& begin, int height, int width) {
        return std::vector<std::string>{"   " + begin, "      Height = " + std::to_string(height),
                                        "      Width = " + std::to_string(width), "   End"};
    };
    std::vector<std::string> lines = {"VERSION 5.00", headerLine("UpDn", Edition::V40),
                                      headerLine("Slider", Edition::V40), headerLine("Progress", Edition::V40),
                                      "Begin VB.Form A "};
    for (const auto& c : {control("Begin tavQVUpDn40.QVVUpDn40 wide ", 300, 600),         // 6
                          control("Begin tavQVUpDn40.QVVUpDn40 tall ", 600, 300),         // 10
                          control("Begin tavQVSlider40.tavVSlider40 s ", 400, 3000),      // 14
                          control("Begin tavQVProgress40.ProgressHBar40 p ", 2000, 255),  // 18
                          control("Begin tavQVUpDn40.QVHUpDn40 square ", 300, 300)})
        lines.insert(lines.end(), c.begin(), c.end());
    lines.push_back("End");
    fs.addFile("/p/A.frm", crlf(lines));
    const auto f = check();
    EXPECT_EQ(described(f), (std::vector<std::string>{
                                "A.frm:6 class QVVUpDn40 is vertical, but the control is wider than tall",
                                "A.frm:14 class tavVSlider40 is vertical, but the control is wider than tall",
                                "A.frm:18 class ProgressHBar40 is horizontal, but the control is taller than wide"}));
    EXPECT_EQ(only(f, "A.frm", 14).advice,
              "If the control is meant to lie horizontally, change the class to tavHSlider40.");
    EXPECT_EQ(only(f, "A.frm", 14).severity, Severity::Warning);
}

// A property page or user document reads like a form, but no run converts it.
TEST_F(ProjectCheckTest, PropertyPagesAndUserDocumentsAreNotConverted) {
    fs.addFile("/p/G.ctl", crlf({"VERSION 5.00", "Begin VB.UserControl G ", "End"}));
    fs.addFile("/p/P.vbp", crlf({"Type=Control", projectLine("Spin", Edition::V40), "UserControl=G.ctl",
                                 "PropertyPage=ppgG.pag", "UserDocument=docG.dob"}));
    fs.addFile("/p/ppgG.pag",
               crlf({"VERSION 5.00", "Object = \"{1}#1.0#0\"; \"tavQVSpin20.ocx\"", "Begin VB.PropertyPage ppgG ",
                     "   Begin tavQVSpin20.QVSpin20 s ", "   End", "End"}));
    const auto old = check();
    const auto& page = only(old, "P.vbp", 4);
    EXPECT_EQ(page.kind, FindingKind::UnconvertedMember);
    EXPECT_EQ(page.message,
              "member ppgG.pag names suite controls that need converting, and no run converts property pages or user "
              "documents");
    // Converted by hand: nothing to say, and the control file it references counts as used.
    fs.addFile("/p/ppgG.pag", crlf({"VERSION 5.00", headerLine("Spin", Edition::V40), "Begin VB.PropertyPage ppgG ",
                                    "   Begin tavQVSpin40.QVVSpin40 s ", "   End", "End"}));
    EXPECT_TRUE(check().empty());
}

// A ProgID names a library and class in a string; no conversion step changes it, and a stale one
// fails only when the line runs.
TEST_F(ProjectCheckTest, ProgIdsInStrings) {
    fs.addFile("/p/A.frm", crlf({"VERSION 5.00", "Begin VB.Form A ", "End",
                                 "Set b = Controls.Add(\"tavQVButton20.QVButton20\", \"b\")",  // 4
                                 "Set c = CreateObject(\"tavQVButton40.QVButton20\")",         // 5
                                 "Set d = Controls.Add(\"tavQVButton40L.QVButton40L\", \"d\")",
                                 "MsgBox \"tavQVButton.ocx is missing\" & \"tavQVButton.ocx\" & \"tavQVButton20.bmp\" "
                                 "& \"tavkonv40.Settings\"",
                                 "' Set e = Controls.Add(\"tavQVButton20.QVButton20\", \"e\")"}));
    const auto f = check();
    ASSERT_EQ(f.size(), 2u);
    EXPECT_EQ(only(f, "A.frm", 4).kind, FindingKind::OldName);
    EXPECT_EQ(only(f, "A.frm", 4).message,
              "older-edition ProgID \"tavQVButton20.QVButton20\" remains in a string, which no conversion changes");
    EXPECT_TRUE(test::holds(only(f, "A.frm", 4).advice, "tavQVButton40.QVButton40"));
    EXPECT_EQ(only(f, "A.frm", 5).advice, "Change the class to QVButton40.");
}

TEST_F(ProjectCheckTest, RepeatedReferencesAndEmptyLinesWhateverTheLineEnds) {
    const std::vector<std::string> form = {"VERSION 5.00",
                                           "",
                                           "",
                                           headerLine("Button", Edition::V40),
                                           "",
                                           headerLine("Button", Edition::V40),
                                           "Begin VB.Form A ",
                                           "   Begin tavQVButton40.QVButton40 b ",
                                           "",
                                           "   End",
                                           "End"};
    const std::vector<std::string> project = {"Type=Exe", projectLine("Button", Edition::V40), "", "", "Form=A.frm",
                                              ""};
    for (const std::string eol : {"\r\n", "\n", "\r"}) {
        std::string f, p;
        for (const auto& l : form) f += l + eol;
        for (const auto& l : project) p += l + eol;
        fs.addFile("/p/A.frm", f);
        fs.addFile("/p/P.vbp", p);
        const auto all = check();
        EXPECT_EQ(only(all, "A.frm", 2).message, "2 empty lines in the header");
        EXPECT_EQ(only(all, "A.frm", 5).kind, FindingKind::EmptyLines);
        EXPECT_EQ(only(all, "A.frm", 6).kind, FindingKind::RepeatedReference);
        EXPECT_EQ(only(all, "P.vbp", 3).message, "2 empty lines after the last reference line");
        EXPECT_EQ(all.size(), 4u);
        EXPECT_EQ(checkHintLine(fs, "/p"),
                  "check: 4 findings (1 above note level); run 'tavkonv40 check /p' to see them");
    }
}

// An unreadable file: ProjectCheckStreaming.AProjectWhoseNamedMembersAreUnreadableOwnsEveryForm.
TEST_F(ProjectCheckTest, UnlistableFolder) {
    EXPECT_THROW(checkProject(fs, "/missing"), FileError);
    EXPECT_EQ(checkHintLine(fs, "/missing"), "");
}

// The command the hint suggests works when copied into a shell, whatever the folder's name.
TEST(CheckHintLine, QuotesAFolderAShellWouldSplit) {
    const FindingCounts counts{0, 1, 0};
    // An apostrophe alone, and one beside a dollar sign: TerminalTextTest (cli_test.cpp).
    const std::pair<std::string, std::string> cases[] = {
        {"Order Desk/été", "\"Order Desk/été\""},
#ifndef _WIN32
        {"a$b \"c\"", "'a$b \"c\"'"},
#endif
        {"../Проект_1.2", "../Проект_1.2"},
    };
    for (const auto& [folder, quoted] : cases)
        EXPECT_EQ(checkHintLine(counts, folder),
                  "check: 1 finding (1 above note level); run 'tavkonv40 check " + quoted + "' to see them");
}

// ---- checking one file at a time ---------------------------------------------------------

struct RecordingSink : FindingSink {
    void fileFindings(const std::vector<Finding>& findings) override { calls.push_back(findings); }
    std::vector<std::vector<Finding>> calls;
};

// A project, one form it names and one it does not; the named form uses a suite library.
void addProjectFolder(MemoryFileSystem& fs, const std::string& projectName) {
    fs.addFile("/p/" + projectName,
               crlf({"Type=Exe", "Form=B.frm", projectLine("Spin", Edition::V40), projectLine("Tree", Edition::V40)}));
    fs.addFile("/p/B.frm", crlf({"VERSION 5.00", headerLine("Tree", Edition::V40), headerLine("Button", Edition::V40),
                                 "Begin VB.Form B ", "   Begin tavQVTree40.QVTree40 t ", "   End",
                                 "   Begin tavQVButton40.QVButton40 b ", "   End", "End"}));
    fs.addFile("/p/C.frm", crlf({"VERSION 5.00", headerLine("Calendar", Edition::V40), "Begin VB.Form C ", "End"}));
}

TEST(ProjectCheckStreaming, AProjectBeforeItsFormsJudgesThemAsOneAfterThem) {
    for (const std::string project : {"A.vbp", "Z.vbp"}) {
        MemoryFileSystem fs;
        addProjectFolder(fs, project);
        const auto found = described(checkProject(fs, "/p"));
        EXPECT_EQ(std::multiset<std::string>(found.begin(), found.end()),
                  (std::multiset<std::string>{
                      "B.frm:3 tavQVButton40.ocx is referenced here but not listed in " + project,
                      project + ":3 no form or user control of the project references tavQVSpin40.ocx"}))
            << project;
    }
}

TEST(ProjectCheckStreaming, AProjectWhoseNamedMembersAreUnreadableOwnsEveryForm) {
    MemoryFileSystem fs;
    fs.addFile("/p/A.vbp", crlf({"Type=Exe", "Form=X.frm", projectLine("Spin", Edition::V40)}));
    fs.addFolder("/p/X.frm");
    fs.addFile("/p/C.frm", crlf({"VERSION 5.00", headerLine("Spin", Edition::V40), headerLine("Calendar", Edition::V40),
                                 "Begin VB.Form C ", "End"}));
    const auto found = checkProject(fs, "/p");
    EXPECT_EQ(described(found),
              (std::vector<std::string>{"C.frm:3 tavQVCalendar40.ocx is referenced here but not listed in A.vbp",
                                        "X.frm:0 cannot be read: Is a directory"}));
    EXPECT_EQ(found.back().kind, FindingKind::Unreadable);
}

TEST(ProjectCheckStreaming, SinksGetEachFileOnceAndCountingBuildsNothing) {
    MemoryFileSystem fs;
    addProjectFolder(fs, "P.vbp");
    fs.addFile("/p/D.frm", crlf({"VERSION 5.00", "", "Begin VB.Form D ", "   Begin tavQVButton20.QVButton20 b ",
                                 "   End", "End", "Dim x As tavQVNothing.Y"}));
    RecordingSink sink;
    const auto counts = checkProject(fs, "/p", sink);
    std::vector<Finding> joined;
    std::vector<std::string> files;
    for (const auto& call : sink.calls) {
        ASSERT_FALSE(call.empty());
        for (const auto& f : call) EXPECT_EQ(f.file, call.front().file);
        EXPECT_TRUE(std::is_sorted(call.begin(), call.end(), [](auto& x, auto& y) { return x.line < y.line; }));
        files.push_back(call.front().file);
        joined.insert(joined.end(), call.begin(), call.end());
    }
    EXPECT_EQ(files, (std::vector<std::string>{"B.frm", "D.frm", "P.vbp"}));
    EXPECT_EQ(described(joined), described(checkProject(fs, "/p")));
    const auto counted = countFindings(fs, "/p");
    EXPECT_EQ(counted.total(), joined.size());
    EXPECT_EQ(counted.aboveNotes(),
              static_cast<std::size_t>(std::count_if(joined.begin(), joined.end(),
                                                     [](const Finding& f) { return f.severity != Severity::Note; })));
    EXPECT_EQ(counts.errors, counted.errors);
    EXPECT_EQ(counts.warnings, counted.warnings);
    EXPECT_EQ(counts.notes, 1u);
}

}  // namespace
}  // namespace tavkonv40
