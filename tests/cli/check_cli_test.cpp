#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <set>
#include <tuple>

#include "engine/catalogue.h"
#include "tests/cli/cli_test_support.h"
#include "testing/corpus.h"
#include "engine/project_check.h"
#include "engine/project_fix.h"

namespace tavkonv40::cli {
namespace {

using CheckCliTest = test::InProcessCli<>;

// The example after a full conversion: every kind of finding, the counts' singular and plural
// words, and the run's hint on standard error while its log stays the log.
TEST_F(CheckCliTest, ExampleAfterAFullConversionCountsItsFindings) {
    loadExample();
    const auto run = invoke({"--all-families", "--all-ms", "/p"});
    ASSERT_EQ(run.status, 0);
    const auto before = fs.files();
    const auto r = invoke({"check", "/p"});
    EXPECT_EQ(fs.files(), before) << "the check writes nothing";
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.out.ends_with("\ncheck: 5 errors, 1 warning, 4 notes\n")) << r.out;
    EXPECT_TRUE(run.err.ends_with("\ncheck: 10 findings (6 above note level); run 'tavkonv40 check /p' to see them\n"))
        << run.err;
    EXPECT_EQ(run.out.find("check:"), std::string::npos);
}

// The JSON document is written a finding at a time; it must read exactly as a whole dump would.
TEST_F(CheckCliTest, ExitStatusTextAndJson) {
    const auto asWhole = [](const std::string& text) {
        return nlohmann::ordered_json::parse(text).dump(2, ' ', false, nlohmann::json::error_handler_t::replace) + "\n";
    };
    fs.addFile("/p/A.frm", "VERSION 5.00\r\n\r\nBegin VB.Form A \r\nEnd\r\n");
    auto r = invoke({"check", "/p"});
    EXPECT_EQ(r.status, 0) << "notes only";
    EXPECT_EQ(r.out,
              "A.frm:2: note: an empty line in the header \xE2\x80\x94 Harmless (every conversion run adds one); "
              "delete them to tidy the file.\n\ncheck: 0 errors, 0 warnings, 1 note\n");
    fs.addFile("/p/B.ctl",
               "VERSION 5.00\r\nBegin VB.UserControl B \r\n   Begin tavQVTree40.QVTree40 t \r\n   End\r\nEnd\r\n");
    r = invoke({"check", "--json", "/p"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, asWhole(r.out));
    const auto doc = nlohmann::json::parse(r.out);
    EXPECT_EQ(doc["folder"], "/p");
    ASSERT_EQ(doc["findings"].size(), 2u);
    const auto& second = doc["findings"][1];
    EXPECT_EQ(nlohmann::json({second["file"], second["line"], second["severity"], second["kind"]}),
              nlohmann::json({"B.ctl", 3, "error", "missing-reference"}));
    EXPECT_EQ(doc["counts"], nlohmann::json({{"error", 1}, {"warning", 0}, {"note", 1}}));
    fs.addFile("/p/Odd\xff.frm",
               "VERSION 5.00\r\n\r\nBegin VB.Form A \r\n   Begin tavQV\xfe.Q \"x\" \r\n   End\r\nEnd\r\n");
    r = invoke({"check", "--json", "/p"});
    EXPECT_EQ(r.out, asWhole(r.out));
    EXPECT_NE(r.out.find("Odd\xef\xbf\xbd.frm"), std::string::npos) << "bytes that are not UTF-8 become U+FFFD";

    fs.addFile("/q/A.frm", "VERSION 5.00\r\nBegin VB.Form A \r\nEnd\r\n");
    r = invoke({"check", "/q"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "check: no findings\n");
    r = invoke({"check", "--json", "/q"});
    EXPECT_EQ(r.out, asWhole(r.out)) << "no findings";
    EXPECT_EQ(invoke({"check"}).status, 2);  // a missing folder: MessagesTest

    // A folder with nothing to check is no clean project; only a walk passes over such folders.
    fs.addFile("/e/sub/A.frm", "VERSION 5.00\r\n");
    const std::string holdsNothing =
        "/e holds no form (.frm), user control (.ctl) or project (.vbp) directly; nothing to check (subfolders "
        "only with --recursive)";
    r = invoke({"check", "/e"});
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.err, "tavkonv40: " + holdsNothing + "\n");
    EXPECT_TRUE(r.out.empty());
    r = invoke({"check", "--json", "/e"});
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(nlohmann::json::parse(r.out), nlohmann::json({{"error", holdsNothing}, {"folder", "/e"}}));
    r = invoke({"check", "--fix", "--dry-run", "/e"});
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("/e holds no form"), std::string::npos) << r.err;
    EXPECT_EQ(invoke({"check", "--recursive", "/e"}).status, 0);
}

// ---- generated folders, converted with mixed options ----------------------------------------

TEST_F(CheckCliTest, AGeneratedFolderConvertedWithMixedOptionsReportsWhatTheEngineFinds) {
    const std::uint64_t seed = 1;
    for (int i = 0; i < 3; ++i)
        fs.addFile("/p/Form" + std::to_string(i) + ".frm",
                   corpus::makeForm(seed * 31 + static_cast<std::uint64_t>(i), "Form" + std::to_string(i), {6000}));
    fs.addFile("/p/Ctl0.ctl", corpus::makeUserControl(seed, "Ctl0", 3000));
    // A form the run cannot write: the count after the run reads it, as a check would.
    fs.addFile("/p/Form9.frm", corpus::makeForm(seed, "Form9", {3000}));
    fs.setReadOnly("/p/Form9.frm");
    fs.addFile("/p/Project.vbp", corpus::makeProject(seed, 3, 1));
    // Every family and Microsoft option left alone, on 4.0 or on 4.0L.
    std::vector<std::string> args;
    for (const auto& f : families()) {
        const auto pick = (seed * 7 + static_cast<std::uint64_t>(f.slot) * 13) % 3;
        if (pick == 1 || (pick == 2 && f.offers40L == Offers40L::No))
            args.push_back("--family=" + std::string(f.label));
        else if (pick == 2)
            args.push_back("--family=" + std::string(f.label) + ":4.0L");
    }
    for (int i = 0; i < kMicrosoftOptionCount; ++i)
        if (const auto pick = (seed + static_cast<std::uint64_t>(i) * 5) % 3; pick != 0)
            args.push_back("--ms=" + std::to_string(i) + (pick == 2 ? ":4.0L" : ""));
    args.push_back("/p");
    args.insert(args.begin(), "--dry-run");
    const auto dry = invoke(args);
    args.front() = "--quiet";
    fs.readCount.clear();
    MemoryFileSystem quiet = fs;
    test::invoke(quiet, clock, cancel, args);
    args.erase(args.begin());
    const auto run = invoke(args);
    ASSERT_EQ(run.status, 1) << run.err;
    auto reads = quiet.readCount;
    ++reads["/p/Form9.frm"];
    EXPECT_EQ(fs.readCount, reads) << "the summary's count reads only the file the run left unconverted";

    // The command reports what the engine's check finds, finding for finding, and the run's
    // summary counted the same.
    const auto found = checkProject(fs, "/p");
    ASSERT_FALSE(found.empty());
    std::multiset<std::tuple<std::string, std::size_t, std::string>> expected, reported;
    for (const auto& f : found) expected.insert({f.file, f.line, std::string(kindName(f.kind))});
    const auto doc = nlohmann::json::parse(invoke({"check", "--json", "/p"}).out);
    for (const auto& f : doc["findings"])
        reported.insert({f["file"].get<std::string>(), f["line"].get<std::size_t>(), f["kind"].get<std::string>()});
    EXPECT_EQ(reported, expected);
    const std::string hint = checkHintLine(countFindings(fs, "/p"), "/p");
    EXPECT_NE(hint.find(std::to_string(found.size()) + " findings ("), std::string::npos) << hint;
    EXPECT_NE(run.err.find(hint), std::string::npos) << run.err;
    EXPECT_NE(dry.err.find(hint), std::string::npos) << "a dry run counts its in-memory result alike";
}

// ---- check --fix, and runs, checks and fixes over trees of folders ---------------------------

// A clock one second further on at every reading, so that every run and fix has a backup name of
// its own.
class TickingClock : public test::FixedClock {
  public:
    std::tm now() override {
        std::tm t = FixedClock::now();
        t.tm_min = ticks / 60 % 60;
        t.tm_sec = ticks++ % 60;
        return t;
    }
    int ticks = 0;
};

std::set<std::string> backupsIn(MemoryFileSystem& fs, const std::string& folder) {
    std::set<std::string> found;
    for (const auto& n : fs.listFolder(folder))
        if (n.rfind("Nexaria Conversion Backup ", 0) == 0) found.insert(n);
    return found;
}

class FixCliTest : public test::InProcessCli<TickingClock> {
  protected:
    // Project files directly in the folder (not in its backups).
    std::map<std::string, std::string> projectFiles(const std::string& folder) {
        std::map<std::string, std::string> files;
        for (const auto& [path, bytes] : fs.files())
            if (path.rfind(folder + "/", 0) == 0 && path.find('/', folder.size() + 1) == std::string::npos)
                files[path] = bytes;
        return files;
    }
};

TEST_F(FixCliTest, ExampleConvertedWithEverythingThenFixedChecksClean) {
    loadExample("/p");
    ASSERT_EQ(invoke({"--all-families", "--all-ms", "/p"}).status, 0);
    const auto converted = projectFiles("/p");
    const auto backupsBefore = backupsIn(fs, "/p");

    // The dry run shows the fixes and their diff and changes nothing.
    const auto dry = invoke({"check", "--fix", "--dry-run", "/p"});
    EXPECT_EQ(dry.status, 0) << dry.err;
    EXPECT_EQ(projectFiles("/p"), converted);
    EXPECT_EQ(backupsIn(fs, "/p"), backupsBefore);
    for (const char* expected : {": fixed: replaced tavQVCombo40.QVCombo40 by tavQVComboBox40.QVComboBox40\n",
                                 "fixed: replaced tavQVUpDn40.QVUpDn40 by tavQVUpDn40.QVVUpDn40 (the control is taller "
                                 "than wide)\n",
                                 "+Object={BCF31F5D-19DD-4EE8-B718-437D7511723C}#1.0#0; tavQVMText40.ocx\n"})
        EXPECT_NE(dry.out.find(expected), std::string::npos) << expected << "\n" << dry.out;
    EXPECT_NE(dry.err.find("Dry run: 12 fixes in 4 files would be made\n"), std::string::npos) << dry.err;
    EXPECT_NE(dry.err.find("\ncheck: no findings\n"), std::string::npos) << dry.err;

    fs.addFolder("/out");
    const auto fixed = invoke({"check", "--fix", "--report", "/out/report.json", "/p"});
    EXPECT_EQ(fixed.status, 0) << fixed.err;
    const auto backups = backupsIn(fs, "/p");
    EXPECT_EQ(backups.size(), backupsBefore.size() + 1);
    const auto report = nlohmann::json::parse(fs.file("/out/report.json"));
    EXPECT_EQ(report["fixes"].size(), 12u);
    EXPECT_EQ(report["files_written"], 4);
    EXPECT_EQ(report["files_planned"],
              nlohmann::json({"frmMain.frm", "frmOrders.frm", "frmSettings.frm", "OrderDesk.vbp"}))
        << "in the order of the log";
    EXPECT_EQ(report["findings_left"]["error"], 0);

    const auto after = invoke({"check", "/p"});
    EXPECT_EQ(after.status, 0);
    EXPECT_EQ(after.out, "check: no findings\n");
    const auto again = invoke({"check", "--fix", "/p"});
    EXPECT_EQ(again.status, 0);
    EXPECT_NE(again.out.find("\nNothing to fix.\n"), std::string::npos);
    EXPECT_EQ(backupsIn(fs, "/p").size(), backups.size()) << "nothing to fix, no backup";
}

// A tree of project folders as a repository holds them: nested projects, earlier backups with
// project files inside, version-control data, a staging copy and folders with nothing to convert.
void addTree(MemoryFileSystem& fs) {
    const std::string oldForm =
        test::crlf({"VERSION 5.00", "Object = \"{3F2A9C41-7B0E-4D1A-9E55-2C8B6F104A11}#1.0#0\"; \"tavQVButton20.ocx\"",
                    "Begin VB.Form F ", "   Begin tavQVButton20.QVButton20 b ", "   End", "End"});
    for (const char* folder : {"/r/App", "/r/App/Tools", "/r/libs/Grid Demo"}) {
        fs.addFile(std::string(folder) + "/F.frm", oldForm);
        fs.addFile(std::string(folder) + "/P.vbp", test::crlf({"Type=Exe", "Form=F.frm"}));
    }
    for (const char* ignored : {"/r/App/Nexaria Conversion Backup 01.02.2026 10.00.00/F.frm", "/r/.git/objects/F.frm",
                                "/r/libs/.tavkonv40-backup-01.02.2026 10.00.00.partial/F.frm"})
        fs.addFile(ignored, oldForm);
    fs.addFile("/r/docs/readme.txt", "nothing to convert\n");
}

TEST_F(FixCliTest, RecursiveRunGivesEachProjectFolderItsOwnBackupAndOneSummary) {
    addTree(fs);
    const auto untouched = fs.files();
    const auto r = invoke({"--recursive", "--family", "Button", "/r"});
    EXPECT_EQ(r.status, 0) << r.err;
    for (const char* folder : {"/r/App", "/r/App/Tools", "/r/libs/Grid Demo"}) {
        EXPECT_EQ(backupsIn(fs, folder).size(), std::string(folder) == "/r/App" ? 2u : 1u) << folder;
        EXPECT_NE(fs.file(std::string(folder) + "/F.frm").find("tavQVButton40.QVButton40"), std::string::npos);
    }
    for (const auto& [path, bytes] : untouched) {
        if (path.find("/.git/") != std::string::npos || path.find("Backup 01.02") != std::string::npos ||
            path.find(".partial") != std::string::npos) {
            EXPECT_EQ(fs.file(path), bytes) << path;
        }
    }
    EXPECT_TRUE(backupsIn(fs, "/r").empty());
    EXPECT_TRUE(backupsIn(fs, "/r/docs").empty());
    EXPECT_NE(r.out.find("== Folder 1 of 3: /r/App\n"), std::string::npos);
    EXPECT_NE(r.out.find("== Folder 3 of 3: /r/libs/Grid Demo\n"), std::string::npos);
    EXPECT_TRUE(test::holds(r.err, "Recursive run: 3 of 3 folders; 3 files changed, 0 errors; check: "));
    EXPECT_NE(r.err.find("\n  /r/App/Tools: 1 file changed, 0 errors, "), std::string::npos) << r.err;

    // The check and the fixes walk the same folders; the check's exit status is the worst folder's.
    const auto c = invoke({"check", "--recursive", "/r"});
    EXPECT_EQ(c.status, 1);
    EXPECT_NE(c.out.find("Recursive check: 3 of 3 folders; check: "), std::string::npos) << c.out;
    const auto json = invoke({"check", "--json", "--recursive", "/r"});
    EXPECT_EQ(json.status, 1);
    EXPECT_TRUE(json.err.empty()) << "JSON mode writes the JSON and errors, no summary: " << json.err;
    EXPECT_EQ(nlohmann::json::parse(json.out).size(), 3u);
    const auto f = invoke({"check", "--fix", "--recursive", "/r"});
    EXPECT_EQ(f.status, 0) << f.err;
    EXPECT_EQ(invoke({"check", "--recursive", "/r"}).status, 0);
    EXPECT_EQ(backupsIn(fs, "/r/App/Tools").size(), 2u);
}

// "N findings (M above note level)" of a summary's head line and of each folder's line, in order.
std::vector<std::string> findingCounts(const std::string& summary) {
    const std::string tail = " above note level)";
    std::vector<std::string> found;
    for (auto end = summary.find(tail); end != std::string::npos; end = summary.find(tail, end + 1)) {
        const auto start = summary.rfind(' ', summary.rfind(" finding", end) - 1) + 1;  // N's first digit
        found.push_back(summary.substr(start, end + tail.size() - start));
    }
    return found;
}

// The top project lists members in a subfolder the walk reaches later: the summaries count what
// the walk left, as a check afterwards does.
TEST_F(FixCliTest, RecursiveSummariesCountTheTreeAsTheWholeWalkLeftIt) {
    fs.addFile("/t/A.frm", test::crlf({"VERSION 5.00", "Begin VB.Form A ", "End"}));
    fs.addFile("/t/P.vbp", test::crlf({"Type=Exe", "Form=A.frm", "Form=Sub\\B.frm", "Form=Sub\\C.frm"}));
    fs.addFile(
        "/t/Sub/B.frm",
        test::crlf({"VERSION 5.00", "Object = \"{3F2A9C41-7B0E-4D1A-9E55-2C8B6F104A11}#1.0#0\"; \"tavQVButton20.ocx\"",
                    "Begin VB.Form B ", "   Begin tavQVButton20.QVButton20 b ", "   End", "End"}));
    // Left for the fixes: a class name the catalogue's naming rule settles.
    fs.addFile("/t/Sub/C.frm", test::crlf({"VERSION 5.00", test::headerLine("ComboBox", Edition::V40),
                                           "Begin VB.Form C ", "   Begin tavQVCombo40.QVCombo40 c ", "   End", "End"}));
    const auto run = invoke({"--recursive", "--family", "Button", "/t"});
    ASSERT_EQ(run.status, 0) << run.err;
    const auto checkAfterRun = invoke({"check", "--recursive", "/t"});
    EXPECT_EQ(findingCounts(run.err), findingCounts(checkAfterRun.out)) << run.err << checkAfterRun.out;
    fs.addFolder("/out");
    const auto fix = invoke({"check", "--fix", "--recursive", "--report", "/out/fix.json", "/t"});
    ASSERT_EQ(fix.status, 0) << fix.err;
    const auto checkAfterFix = invoke({"check", "--recursive", "/t"});
    EXPECT_EQ(findingCounts(fix.err), findingCounts(checkAfterFix.out)) << fix.err << checkAfterFix.out;
    const auto report = nlohmann::json::parse(fs.file("/out/fix.json"));
    EXPECT_EQ(report["folders"][0]["report"].value("findings_left", nlohmann::json()),
              nlohmann::json({{"error", 0}, {"warning", 0}, {"note", 0}}));
}

TEST_F(FixCliTest, CancelStopsTheWalkAfterTheCurrentFolder) {
    addTree(fs);
    auto onLine = [this](const std::string& line) {
        if (line.rfind("Starting conversion", 0) == 0) cancel = true;
    };
    const auto r = test::invoke(fs, clock, cancel, {"--recursive", "--family", "Button", "/r"}, onLine);
    EXPECT_EQ(r.status, 3);
    EXPECT_EQ(backupsIn(fs, "/r/App").size(), 2u) << "the cancelled folder still gets its backup";
    EXPECT_TRUE(backupsIn(fs, "/r/App/Tools").empty());
    EXPECT_NE(r.err.find("Recursive run: 1 of 3 folders"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("  cancelled: 2 folders not started"), std::string::npos) << r.err;
}

// Generated folders with every family and every Microsoft control, converted with every option
// (to 4.0 and to 4.0L), fixed and checked: the fixes leave nothing they handle, and the folders
// that keep an error are counted (how often a person still has to step in).
TEST_F(FixCliTest, GeneratedFoldersWithEveryControlAreLeftWithNothingTheFixesHandle) {
    constexpr int kFoldersPerEdition = 10;
    const auto hasError = [&](const std::string& folder) {
        const auto all = checkProject(fs, folder);
        return std::any_of(all.begin(), all.end(), [](const Finding& f) { return f.severity == Severity::Error; });
    };
    int withErrors = 0, withErrorsBeforeFix = 0;
    for (const char* edition : {"4.0", "4.0L"}) {
        const std::string root = std::string("/r") + edition;
        for (int k = 0; k < kFoldersPerEdition; ++k) {
            const std::string folder = root + "/p" + std::to_string(k);
            const auto seed = static_cast<std::uint64_t>(k) * 101 + (edition[3] ? 7 : 3);
            for (int i = 0; i < 3; ++i)
                fs.addFile(folder + "/Form" + std::to_string(i) + ".frm",
                           corpus::makeForm(seed + static_cast<std::uint64_t>(i), "Form" + std::to_string(i), {4000}));
            fs.addFile(folder + "/Ctl0.ctl", corpus::makeUserControl(seed, "Ctl0", 2000));
            fs.addFile(folder + "/Project.vbp", corpus::makeProject(seed, 3, 1));
        }
        const std::string all = std::string(":") + edition;
        ASSERT_LE(invoke({"--recursive", "--quiet", "--all-families" + all, "--all-ms" + all, root}).status, 1);
        for (int k = 0; k < kFoldersPerEdition; ++k) withErrorsBeforeFix += hasError(root + "/p" + std::to_string(k));
        ASSERT_LE(invoke({"check", "--fix", "--recursive", "--quiet", root}).status, 1);
        for (int k = 0; k < kFoldersPerEdition; ++k) {
            const std::string folder = root + "/p" + std::to_string(k);
            EXPECT_TRUE(planFixes(fs, folder).fixes.empty()) << folder;
            for (const auto& f : checkProject(fs, folder)) {
                const bool handledKind = f.kind == FindingKind::EmptyLines ||
                                         f.kind == FindingKind::RepeatedReference || f.kind == FindingKind::WrongGuid ||
                                         f.kind == FindingKind::MissingReference;
                EXPECT_FALSE(handledKind) << folder << "/" << f.file << ":" << f.line << ": " << f.message;
            }
            withErrors += hasError(folder);
        }
    }
    std::cout << "generated folders with an error-level finding: " << withErrorsBeforeFix << " after the run, "
              << withErrors << " after --fix, of " << 2 * kFoldersPerEdition << '\n';
    EXPECT_LE(withErrors * 20, 2 * kFoldersPerEdition) << "at most 1 folder in 20";
}

}  // namespace
}  // namespace tavkonv40::cli
