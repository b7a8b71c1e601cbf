#include "engine/conversion_run.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <map>

#include "engine/file_session.h"
#include "testing/memory_file_system.h"
#include "tests/engine/test_support.h"
#include "engine/text_util.h"

namespace tavkonv40 {
namespace {

using test::FixedClock;
using test::kBackupName;
using test::RecordingHost;

const std::string kLong(37, '-');
const std::string kShort(35, '-');

std::vector<std::string> formLines(const std::string& name) {
    return {"Found VB Form file (" + name + ").  Checking update requirements.....",
            "    -checking form headers.....",
            "    -checking form body.....",
            "    -checking form code for required declarations conversion.....",
            "    -checking form for Microsoft Controls conversion.....",
            "    -checking form header for required controls.....",
            "VB Form file (" + name + ").  File is now up to date."};
}

std::vector<std::string> userControlLines(const std::string& name) {
    return {"Found VB UserControl file (" + name + ").  Checking update requirements.....",
            "    -checking UserControl headers.....", "    -checking UserControl body.....",
            "    -checking UserControl events.....", "VB UserControl file (" + name + ").  File is now up to date."};
}

std::vector<std::string> projectLines(const std::string& name) {
    return {"Found VB Project file (" + name + ").  Checking update requirements.....",
            "    -checking Project headers.....", "    -checking Project headers for required controls.....",
            "VB Project file (" + name + ").  File is now up to date."};
}

std::vector<std::string> ending(const std::string& folder) {
    return {kShort, "Backup of original folder saved to:", "", folder + kPreferredSeparator + kBackupName,
            kShort, "Conversion complete.5:49:20 PM"};
}

std::vector<std::string> concat(std::initializer_list<std::vector<std::string>> parts) {
    std::vector<std::string> all;
    for (const auto& p : parts) all.insert(all.end(), p.begin(), p.end());
    return all;
}

class RunTest : public ::testing::Test {
  protected:
    RunResult run(const std::string& folder = "/p") {
        RunEnvironment env{fs, host, options, clock};
        return RunConversion(env, folder);
    }

    MemoryFileSystem fs;
    RecordingHost host;
    FixedOptions options;
    FixedClock clock;
    const std::vector<std::string> start{"Starting conversion 5:49:20 PM", kLong};
};

// Nobody cancelled it and nothing was converted: one ending that says so, and no backup claimed.
TEST_F(RunTest, MissingFolderEndsWithoutClaimingACancelOrABackup) {
    const auto result = run("/nowhere");
    EXPECT_TRUE(test::oneLineHolding(host.errors, "/nowhere: No such file or directory"));
    EXPECT_EQ(host.log, concat({host.errors, {kShort, "Conversion stopped before any file was changed.5:49:20 PM"}}));
    EXPECT_EQ(result.ending, RunEnding::NotStarted);
    EXPECT_FALSE(result.backupPlaced);
    EXPECT_EQ(result.refusal, RunRefusal::NoBackup);
}

TEST_F(RunTest, PassesRunFormsThenUserControlsThenProjectsWhateverTheListingOrder) {
    fs.addFile("/p/App.vbp", "Type=Exe\r\n");
    fs.addFile("/p/Ctl.ctl", "VERSION 5.00\r\n");
    fs.addFile("/p/Main.FRM", "VERSION 5.00\r\n");
    fs.addFile("/p/other.frmx", "");
    fs.addFile("/p/Group.vbg", "");
    fs.addFile("/p/sub/Inner.frm", "VERSION 5.00\r\n");
    fs.reorderListing = [](std::vector<std::string>& names) { std::reverse(names.begin(), names.end()); };
    const auto result = run();
    EXPECT_EQ(host.log, concat({start, formLines("Main.FRM"), userControlLines("Ctl.ctl"), projectLines("App.vbp"),
                                ending("/p")}));
    EXPECT_TRUE(host.errors.empty());
    EXPECT_EQ(result.ending, RunEnding::Completed);
    EXPECT_TRUE(result.backupPlaced);
}

// Separators the folder text ends with are not doubled before the backup's name.
TEST_F(RunTest, TheBackupPathLeavesOutTrailingSeparators) {
    fs.addFile("/p/A.frm", "VERSION 5.00\r\n");
    const auto result = run("/p//");
    EXPECT_EQ(result.backupPath, "/p" + std::string(1, kPreferredSeparator) + kBackupName);
    EXPECT_EQ(std::vector<std::string>(host.log.end() - 6, host.log.end()), ending("/p"));
}

TEST_F(RunTest, NameIsClassifiedByItsLastThreeCharactersOnly) {
    fs.addFile("/p/noDotfrm", "x");
    fs.addFolder("/p/folder.frm");  // a directory counts as a form file and cannot be read
    run();
    const auto count = std::count_if(host.log.begin(), host.log.end(),
                                     [](const std::string& l) { return l.rfind("Found VB Form file (", 0) == 0; });
    EXPECT_EQ(count, 2);
    EXPECT_TRUE(test::oneLineHolding(host.errors, "/p/folder.frm: Is a directory"));  // one line per unreadable file
}

// A cancel ends the pass after the file it lands in (later passes never start; before the first
// pass, not even the start lines) and the backup is still given its place.
TEST_F(RunTest, CancelEndsAfterTheCurrentFileAndStillMovesTheBackup) {
    const std::vector<std::string> cancelled{kShort, "Conversion cancelled.5:49:20 PM"};
    // The run over `files` when the log line beginning with `at` asks for a cancel (empty: asked
    // before the run) logs `log`.
    const auto expectCancel = [&](const std::vector<std::string>& files, const std::string& at,
                                  const std::vector<std::string>& log) {
        SCOPED_TRACE(at.empty() ? "cancelled before the run" : at);
        fs = MemoryFileSystem();
        host = RecordingHost();
        for (const auto& name : files) fs.addFile("/p/" + name, "VERSION 5.00\r\n");
        host.cancel = at.empty();
        host.onLine = [&](const std::string& line) { host.cancel |= !at.empty() && line.rfind(at, 0) == 0; };
        EXPECT_EQ(run().ending, RunEnding::Cancelled);
        EXPECT_EQ(host.log, log);
        EXPECT_TRUE(fs.hasFolder(std::string("/p/") + kBackupName));
    };
    expectCancel({"A.frm", "B.frm", "C.ctl", "D.vbp"}, "    -checking form body.....",
                 concat({start, formLines("A.frm"), cancelled, ending("/p")}));
    expectCancel({"A.vbp", "B.vbp"}, "VB Project file (A.vbp)",
                 concat({start, projectLines("A.vbp"), cancelled, ending("/p")}));
    expectCancel({"A.frm"}, "", concat({cancelled, ending("/p")}));
}

// The run meets a folder's files in one fixed order, whatever order the file system lists them
// in: what it remembers from file to file (references replaced controls need) follows that
// order, so another order would give other bytes.
TEST(ListingOrderTest, UpperCasedThenByteByByte) {
    // Upper-casing puts '_' (0x5F) after every letter, where lower-casing would put it before.
    std::vector<std::string> names{"_x.frm", "b.frm", "Z1.frm", "a.frm", "z0.frm", "A.frm", "a", "\xC3\xA9.frm"};
    sortInListingOrder(names);
    EXPECT_EQ(names,
              (std::vector<std::string>{"a", "A.frm", "a.frm", "b.frm", "z0.frm", "Z1.frm", "_x.frm", "\xC3\xA9.frm"}));
}

// Forms whose result depends on the forms met before them: a replaced command button makes
// every later form that lacks the button's reference line receive it, until one holds it.
std::map<std::string, std::string> generatedFolder() {
    const std::string withButton =
        "VERSION 5.00\r\nBegin VB.Form F\r\n   Begin VB.CommandButton cmd\r\n      Caption = \"OK\"\r\n"
        "   End\r\nEnd\r\n";
    const std::string plain = "VERSION 5.00\r\nBegin VB.Form F\r\nEnd\r\n";
    const std::string holding =
        "VERSION 5.00\r\n" + test::headerLine("Button", Edition::V40) + "\r\nBegin VB.Form F\r\nEnd\r\n";
    const std::string project = "Type=Exe\r\nObject={00000000-0000-0000-0000-000000000000}#1.0#0; x.ocx\r\n";
    std::map<std::string, std::string> files;
    const char* names[] = {"_x", "b", "Z1", "a", "z0", "A", "m_2", "M1", "c", "C0"};
    for (std::size_t i = 0; i < std::size(names); ++i) {
        const std::string name = names[i];
        files[name + ".frm"] = i % 3 == 0 ? withButton : i % 3 == 1 ? plain : holding;
    }
    files["p.vbp"] = project;
    files["Q.vbp"] = project;
    return files;
}

test::FolderRun convert(FileSystem& store, const std::map<std::string, std::string>& original) {
    FixedOptions options;
    options.selectAllFamilies(Edition::V40);
    options.selectMicrosoft(0, Edition::V40);
    std::vector<std::string> names;
    for (const auto& entry : original) names.push_back(entry.first);
    return test::runFolder(store, "/p", names, options);
}

TEST(ListingOrderTest, AnyListingOrderGivesTheSameBytesAndLog) {
    const auto original = generatedFolder();
    MemoryFileSystem listed, reversed;
    for (const auto& [name, bytes] : original) {
        listed.addFile("/p/" + name, bytes);
        reversed.addFile("/p/" + name, bytes);
    }
    reversed.reorderListing = [](std::vector<std::string>& names) { std::reverse(names.begin(), names.end()); };
    const auto a = convert(listed, original), b = convert(reversed, original);
    EXPECT_EQ(a.files, b.files);
    EXPECT_EQ(a.host.log, b.host.log);
    std::vector<std::string> found;
    for (const auto& line : a.host.log)
        if (line.rfind("Found VB Form file (", 0) == 0) found.push_back(line.substr(20, line.find(')') - 20));
    EXPECT_EQ(found, (std::vector<std::string>{"A.frm", "a.frm", "b.frm", "c.frm", "C0.frm", "M1.frm", "m_2.frm",
                                               "z0.frm", "Z1.frm", "_x.frm"}));
}

// A step that changes its file, to exercise the write path of a file's session.
void upperFirstLine(StepContext& ctx) {
    if (ctx.file.lineCount() == 0) return;
    std::string s(ctx.file.line(1));
    for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    ReplaceFileLine(ctx, 1, s);
}

void writeBeyondTheEnd(StepContext& ctx) { ReplaceFileLine(ctx, 99, "x"); }

struct FileSessionTest : ::testing::Test {
    FileSession session(const std::string& path) { return FileSession(fs, path, options, host, state); }
    MemoryFileSystem fs;
    RecordingHost host;
    FixedOptions options;
    RunState state;
};

TEST_F(FileSessionTest, WritesOnceAfterTheLastStepOnlyWhenBytesChanged) {
    fs.addFile("/p/a.frm", "abc\r\ndef");
    FileSession s = session("/p/a.frm");
    s.run(upperFirstLine);
    s.run(upperFirstLine);
    EXPECT_TRUE(s.finish());
    EXPECT_EQ(fs.writeCount, 1);
    EXPECT_EQ(fs.file("/p/a.frm"), "ABC\r\ndef");

    FileSession unchanged = session("/p/a.frm");
    unchanged.run(upperFirstLine);
    EXPECT_TRUE(unchanged.finish());
    EXPECT_EQ(fs.writeCount, 1);
}

// A step that fails ends the file's session: the later steps leave it alone and the file keeps its
// bytes (a failing write and a read-only file: run_fault_test, cli_test).
TEST_F(FileSessionTest, AFailingStepIsReportedOnceAndTheFileLeftAsItWas) {
    fs.addFile("/p/bad.frm", "abc");
    FileSession bad = session("/p/bad.frm");
    bad.run(upperFirstLine);
    bad.run(writeBeyondTheEnd);
    bad.run(upperFirstLine);
    EXPECT_FALSE(bad.finish());
    EXPECT_EQ(fs.file("/p/bad.frm"), "abc");
    EXPECT_TRUE(test::oneLineHolding(host.errors, "line 99 is outside the file"));
}

}  // namespace
}  // namespace tavkonv40
