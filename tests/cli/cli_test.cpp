// The command line: help, usage errors and how its log goes out; and every line it prints must be
// true: causes as the system gives them, names that cannot forge lines, counts of what really
// happened, output that is whole.
#include "cli/cli.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <iterator>
#include <map>
#include <sstream>

#include "cli/progress_display.h"
#include "cli/restore_command.h"
#include "cli/terminal_text.h"
#include "tests/cli/cli_test_support.h"

namespace tavkonv40::cli {
namespace {

using test::holds;

using CliTest = test::InProcessCli<>;

TEST_F(CliTest, HelpVersionAndTheCatalogueOfAHeaderAnd42Rows) {
    EXPECT_EQ(invoke({"--help"}).status, 0);
    const auto v = invoke({"--version"});
    EXPECT_EQ(v.status, 0);
    EXPECT_EQ(v.out.rfind("tavkonv40 ", 0), 0u);
    const auto r = invoke({"catalogue"});
    EXPECT_EQ(r.status, 0);
    std::istringstream in(r.out);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    ASSERT_EQ(lines.size(), 43u);
    EXPECT_EQ(lines[0],
              "slot\tfamily\tcaption\toption_index\toption_row\toffers_40L\tocx_base\t"
              "library_base\tguid_40\tguid_40L");
    const std::string button = "0\tButton\tQVButton\t0\t0\tyes\ttavQVButton\ttavQVButton\t";
    EXPECT_EQ(lines[1].substr(0, button.size()), button);
    EXPECT_EQ(lines[2].substr(lines[2].size() - 1), "\t") << "ButtonBar has no 4.0L GUID";
}

TEST_F(CliTest, UsageErrorsExitTwoAndTouchNothing) {
    fs.addFile("/p/A.frm", "VERSION 4.00\r\n");
    const auto before = fs.files();
    // One command line a string, its words split at blanks.
    for (const char* line :
         {"", "/p", "--dry-run /p", "--recursive --quiet /p", "--family NoSuchFamily /p", "--family ButtonBar:4.0L /p",
          "--family Button:5.0 /p", "--ms Checkbox /p", "--all-families:4.1 /p", "--bogus /p", "check --dry-run /p",
          "check --report /r.json /p", "check --fix --json /p"}) {
        std::istringstream words(line);
        const std::vector<std::string> args{std::istream_iterator<std::string>(words), {}};
        const auto r = invoke(args);
        SCOPED_TRACE(std::string("command line: ") + line);
        EXPECT_EQ(r.status, 2);
        EXPECT_FALSE(r.err.empty());
        EXPECT_TRUE(r.out.empty());
    }
    EXPECT_EQ(fs.files(), before) << "no backup, no report on a usage error";
    EXPECT_EQ(invoke({"/p"}).err,
              "tavkonv40: nothing selected: choose suite families (--family, --all-families) or Microsoft controls "
              "(--ms, --all-ms)\nRun 'tavkonv40 --help' for usage.\n");
}

// Mistyped command lines are told what was probably meant, in the words the user typed.
TEST_F(CliTest, UsageErrorsSayWhatWasMeant) {
    fs.addFile("/p/A.frm", "VERSION 4.00\r\n");
    const std::string msList =
        " (use Button, Check/Option, Combo, Date/Time Picker, Frame, Label, List, ListView, Progress, Scroll, "
        "Slider, Text, UpDown or an index 0..12)";
    const std::string quote = " (a name with blanks must be quoted to be one word: \"Order Desk\" or 'Order Desk')";
    for (const auto& [args, message] : std::vector<std::pair<std::vector<std::string>, std::string>>{
             {{"chek", "/p"}, "unknown command 'chek'; did you mean 'check'?"},
             {{"catalog"}, "unknown command 'catalog'; did you mean 'catalogue'?"},
             {{"--famly", "Button", "/p"}, "unknown option --famly; did you mean --family?"},
             {{"check", "--jsn", "/p"}, "unknown option --jsn; did you mean --json?"},
             {{"--alll", "/p"}, "unknown option --alll"},  // --all-families or --all-ms: not for us to guess
             {{"check", "/p", "--family", "Button"}, "--family is not an option of 'check'; it goes with a run"},
             {{"--all-families", "4.0L", "/p"}, "write the edition after a colon: --all-families:4.0L"},
             {{"--family", "Button", "40l", "/p"}, "write the edition after a colon: --family Button:40l"},
             {{"--ms", "13", "/p"}, "unknown Microsoft control option '13'" + msList},
             {{"--ms", "Buton", "/p"}, "unknown Microsoft control option 'Buton'; did you mean 'Button'?" + msList},
             {{"--all-ms", "Order", "Desk"}, "not expected: Desk" + quote},
             {{"restore", "--backup", "Nexaria", "Conversion", "Backup", "01.02.2026", "/p"},
              "not expected: Backup 01.02.2026 /p" + quote},
             {{"catalogue", "x"}, "not expected: x"},
             {{"--all-ms"}, "no folder given"},
             {{"check"}, "no folder given"},
             {{"restore", "--dry-run"}, "no folder given"},
         }) {
        const auto r = invoke(args);
        EXPECT_EQ(r.status, 2) << message;
        EXPECT_EQ(r.err.substr(0, r.err.find('\n') + 1), "tavkonv40: " + message + "\n");
    }
    // A folder that exists is a folder, however close its name is to a command or an edition.
    for (const char* folder : {"chek", "4.0L"}) fs.addFile(std::string(folder) + "/A.frm", "VERSION 5.00\r\n");
    EXPECT_EQ(invoke({"--quiet", "--all-ms", "chek"}).status, 0);
    EXPECT_EQ(invoke({"--quiet", "--all-families", "4.0L"}).status, 0);
}

TEST_F(CliTest, AcceptsLabelsCaptionsEditionsAndMicrosoftNames) {
    for (const char* folder : {"/p", "/q", "/r"}) fs.addFile(std::string(folder) + "/A.frm", "VERSION 5.00\r\n");
    EXPECT_EQ(invoke({"--family", "qvbutton:40L", "--family", "Tree", "--ms", "checkoption:4.0L", "--ms",
                      "date/time picker", "--ms", "12", "/p"})
                  .status,
              0);
    // Each run in its own folder: a fixed clock gives every backup the same name.
    EXPECT_EQ(invoke({"--all-families:4.0L", "--all-ms:40", "/q"}).status, 0);
    EXPECT_EQ(invoke({"--all-families", "--all-ms", "/r"}).status, 0);
}

// A file or a pipe gets the log in a few large writes (the first line at once), a terminal line by
// line.
TEST_F(CliTest, TheLogGoesOutInLargeWritesUnlessStandardOutputIsATerminal) {
    struct CountingBuffer : std::stringbuf {
        int flushes = 0;
        int sync() override { return ++flushes, std::stringbuf::sync(); }
    };
    for (const auto terminal : {Terminal::No, Terminal::Yes}) {
        const std::string folder = terminal == Terminal::No ? "/p" : "/q";
        for (int i = 0; i < 100; ++i) fs.addFile(folder + "/F" + std::to_string(i) + ".frm", "VERSION 5.00\r\n");
        CountingBuffer buffer;
        std::ostream out(&buffer);
        std::ostringstream err;
        Services s{fs, clock, out, err, cancel};
        s.outTerminal = terminal;
        EXPECT_EQ(runCommandLine({"--quiet", "--all-families", folder}, s), 0);
        const std::string log = buffer.str();
        const auto lines = std::count(log.begin(), log.end(), '\n');
        EXPECT_GT(lines, 700);
        if (terminal == Terminal::No) {
            EXPECT_LE(buffer.flushes, 4);
        } else {
            EXPECT_GE(buffer.flushes, lines);
        }
    }
}

// The summary of a run that changed some files and failed on others ends with how to try again.
TEST_F(CliTest, FailureExitsOneAndErrorLinesAlsoGoToStandardError) {
    fs.addFile("/p/A.frm", "VERSION 4.00\r\n");
    fs.setReadOnly("/p/A.frm");
    auto r = invoke({"--all-families", "/p"});
    EXPECT_EQ(r.status, 1);
    ASSERT_EQ(r.err.rfind("    -error: ", 0), 0u);
    EXPECT_NE(r.out.find(r.err.substr(0, r.err.find('\n') + 1)), std::string::npos);
    const std::string advice = "the run had errors: fix their cause, put the folder back (tavkonv40 restore ";
    EXPECT_FALSE(holds(r.err, advice)) << "nothing was changed";
    fs.addFile("/q r/A.frm", "VERSION 4.00\r\n");
    fs.addFile("/q r/B.frm", "VERSION 4.00\r\n");
    fs.setReadOnly("/q r/A.frm");
    r = invoke({"--all-families", "/q r"});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.err.ends_with(advice +
                                "\"/q r\"), then run again; running again without restoring adds another empty line "
                                "to every file this run changed\n"))
        << r.err;
}

const std::string kForm =
    "VERSION 5.00\r\nBegin VB.Form F\r\n   Begin tavQVButton20.QVButton20 cmd\r\n   End\r\nEnd\r\n";

using MessagesTest = test::InProcessCli<>;

TEST(TerminalTextTest, ControlCharactersAreQuotedAndCutsFallBetweenCharacters) {
    EXPECT_EQ(quotedName("plain name.frm"), "plain name.frm");
    EXPECT_EQ(quotedName("a\nb\x1b\"c\\.frm"), "\"a\\nb\\033\\\"c\\\\.frm\"");
    const std::vector<std::string> names{"x\ny.frm"};
    EXPECT_EQ(terminalLine("Found VB Form file (x\ny.frm).", names), "Found VB Form file (\"x\\ny.frm\").");
    EXPECT_EQ(terminalLine("stray \x07 bell", names), "stray \\007 bell");
    EXPECT_EQ(shellWord("repo/App-1.2,x"), "repo/App-1.2,x");
    EXPECT_EQ(shellWord("Order Desk's"), "\"Order Desk's\"");  // what a Windows console takes too
#ifndef _WIN32
    EXPECT_EQ(shellWord("$HOME's"), "'$HOME'\\''s'");
#endif
    EXPECT_EQ(shellWord("a\nb"), "\"a\\nb\"");
    const std::string e = "ab\xC3\xA9";  // "abé": the last character is two bytes
    EXPECT_EQ(utf8Prefix(e, 3), "ab");
    EXPECT_EQ(utf8Prefix(e, 4), e);
}

TEST(ProgressTextTest, ALongNameIsCutBetweenCharactersAndQuotedWhenItHoldsControls) {
    std::ostringstream err;
    ProgressDisplay p(err, Terminal::Yes, 1);
    std::string name;
    while (name.size() < 100) name += "\xC3\xA9";
    p.afterLogLine("Found VB Form file (" + name + ".frm).  Checking update requirements.....");
    const std::string text = p.text();
    ASSERT_EQ(text.substr(text.size() - 3), "...");
    EXPECT_NE(static_cast<unsigned char>(text[text.size() - 4]), 0xC3) << "a character was cut in half";
    p.afterLogLine("Found VB Form file (a\rb.frm).  Checking update requirements.....");
    EXPECT_EQ(p.text(), "[0/1] \"a\\rb.frm\"");
}

// A report that cannot be written is found before the run or the fixes touch anything; one that
// fails all the same (a full device) names the system's cause.
TEST_F(MessagesTest, ReportCausesAreTheSystemsAndJsonStaysWhole) {
    fs.addFile("/p/A.frm", kForm);
    fs.addFile("/out/report.json", "{}");
    fs.setReadOnly("/out/report.json");
    fs.addFile("/out/file", "");
    const auto before = fs.files();
    for (const auto& [report, cause] :
         std::vector<std::pair<std::string, std::string>>{{"/out/report.json", "file is read-only"},
                                                          {"/missing/r.json", "the folder /missing does not exist"},
                                                          {"/out/file/r.json", "/out/file is not a folder"}}) {
        for (const auto& command : {std::vector<std::string>{"--all-families", "--dry-run"}, {"check", "--fix"}}) {
            std::vector<std::string> args = command;
            args.insert(args.end(), {"--report", report, "/p"});
            const auto r = invoke(args);
            EXPECT_EQ(r.status, 2) << report;
            EXPECT_EQ(r.err, "tavkonv40: cannot write the report " + report + ": " + cause + "\n");
            EXPECT_TRUE(r.out.empty()) << r.out;
        }
    }
    EXPECT_EQ(fs.files(), before);
    fs.beforeWrite = [](const std::string& path) {
        if (path == "/out/new.json") throw FileError(path, "No space left on device");
    };
    const auto r = invoke({"--quiet", "--all-families", "--report", "/out/new.json", "/p"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "tavkonv40: cannot write the report /out/new.json: No space left on device\n");

    const auto missing = invoke({"check", "--json", "/missing"});
    EXPECT_EQ(missing.status, 2);
    const auto doc = nlohmann::json::parse(missing.out);
    EXPECT_EQ(doc["error"], "cannot list /missing: No such file or directory");
}

TEST_F(MessagesTest, MissingFolderFileOrBackupIsAUsageErrorEverywhereAndNothingIsLogged) {
    fs.addFile("/p/A.frm", kForm);
    // A missing folder, and a project file typed where its folder belongs, after every command.
    const std::map<std::string, std::string> start{
        {"/missing", "tavkonv40: cannot list /missing"},
        {"/p/A.frm", "tavkonv40: /p/A.frm is a file, not a folder; give the folder that holds it (/p)\n"}};
    for (const auto& [folder, message] : start) {
        for (const auto& command : std::vector<std::vector<std::string>>{
                 {"--all-ms"}, {"--dry-run", "--all-ms"}, {"check"}, {"check", "--fix"}, {"restore"}}) {
            std::vector<std::string> args = command;
            args.push_back(folder);
            const auto r = invoke(args);
            EXPECT_EQ(r.status, 2) << args[0];
            EXPECT_FALSE(holds(r.out, "Backup of original folder")) << args[0];
            EXPECT_EQ(r.err.rfind(message, 0), 0u) << r.err;
        }
    }
    const auto none = invoke({"restore", "/p"});
    EXPECT_EQ(none.status, 2);
    EXPECT_EQ(none.err.rfind("tavkonv40: /p holds no backup", 0), 0u) << none.err;
    for (const char* sub : {"/t/App", "/t/libs/Grid Demo"}) {
        fs.addFile(std::string(sub) + "/A.frm", kForm);
        fs.addFolder(std::string(sub) + "/Nexaria Conversion Backup 01.02.2026 09.03.07");
    }
    fs.addFile("/t/docs/B.frm", kForm);
    const auto tree = invoke({"restore", "/t"});
    EXPECT_EQ(tree.status, 2);
    EXPECT_EQ(tree.err,
              "tavkonv40: /t holds no backup ('Nexaria Conversion Backup mm.dd.yyyy hh.mm.ss'); 2 subfolders hold "
              "backups (as a --recursive run leaves them), each restored on its own: tavkonv40 restore SUBFOLDER\n"
              "  /t/App\n  /t/libs/Grid Demo\n");
    fs.addFolder("/p/Nexaria Conversion Backup 01.02.2026 09.03.07");
    const auto unknown = invoke({"restore", "--backup", "01.01.2020 00.00.00", "/p"});
    EXPECT_EQ(unknown.status, 2);
    EXPECT_TRUE(holds(unknown.err, "no backup named"));
}

TEST_F(MessagesTest, SummaryCountsOnlyWhatWasWritten) {
    fs.addFile("/p/A.frm", kForm);
    fs.beforeWrite = [](const std::string& path) {
        if (path == "/p/A.frm") throw FileError(path, "Read-only file system");
    };
    const auto r = invoke({"--family", "Button", "/p"});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(holds(r.err, "0 files changed"));
    EXPECT_TRUE(holds(r.err, "lines rewritten: headers 0, body 0,"));
    EXPECT_TRUE(holds(r.err, "Read-only file system"));
}

TEST_F(MessagesTest, NamesWithoutADotBeforeTheSuffixAreWarnedAboutOnceEach) {
    fs.addFile("/p/A.frm", kForm);
    fs.addFile("/p/deploy_frm", "#!/bin/sh\n");
    fs.addFile("/p/kubectl", "binary");
    const auto r = invoke({"--quiet", "--dry-run", "--all-ms", "/p"});
    EXPECT_EQ(r.status, 0);
    EXPECT_TRUE(holds(r.err, "warning: deploy_frm will be converted as a form: its name ends in 'frm' without a dot"));
    EXPECT_TRUE(holds(r.err, "warning: kubectl will be converted as a user control"));
    EXPECT_FALSE(holds(r.err, "A.frm"));
}

// The newest backup is the one its record says was made last, whatever its name says (a clock set
// back by a time zone or daylight saving gives a later backup an earlier name) and whatever its
// folder's time says (an editor's swap file made and removed inside a backup moves it). What is
// older than the backup restored from is named, with the command that restores the oldest.
TEST_F(MessagesTest, RestoreTakesTheBackupMadeLastAndAcceptsTheNameAsCompletionGivesIt) {
    const std::string firstName = "Nexaria Conversion Backup 03.28.2026 09.00.00";
    const std::string earlierName = "Nexaria Conversion Backup 03.29.2026 02.30.00";
    const std::string laterName = "Nexaria Conversion Backup 03.29.2026 02.10.00";
    fs.addFile("/p/A.frm", "converted");
    fs.addFile("/p/" + firstName + "/A.frm", "original");
    fs.addFile("/p/" + earlierName + "/A.frm", "first");
    fs.addFile("/p/" + laterName + "/A.frm", "second");
    const auto made = [&](const std::string& name, std::int64_t at, std::int64_t folderTime) {
        fs.addFile("/p/" + name + "/" + kRecordName, formatRecord({at, {}, {}, {}}));
        fs.setChanged("/p/" + name, folderTime);
    };
    made(firstName, 50, 300);
    made(earlierName, 100, 200);
    made(laterName, 200, 100);
    ASSERT_EQ(findBackups(fs, "/p").back().name, laterName);

    const std::string olderTwo = "2 older backups remain; the oldest, '" + firstName +
                                 "', holds the folder as it was before the earliest run that left one; to restore "
                                 "it: tavkonv40 restore --backup \"" +
                                 firstName + "\" /p\n";
    auto r = invoke({"restore", "--all", "/p"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(fs.file("/p/A.frm"), "second");
    EXPECT_TRUE(r.out.ends_with(" 0 errors\n" + olderTwo)) << r.out;
    r = invoke({"restore", "--dry-run", "--all", "/p"});
    EXPECT_TRUE(r.out.ends_with("Nothing would be restored: the folder's files already hold what " + laterName +
                                " holds\n" + olderTwo))
        << r.out;
    r = invoke({"restore", "--all", "--backup", "/p/" + earlierName + "/", "/p"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(fs.file("/p/A.frm"), "first");
    EXPECT_TRUE(r.out.ends_with("\n1 older backup remains, '" + firstName +
                                "': it holds the folder as it was before an earlier run; to restore it: tavkonv40 "
                                "restore --backup \"" +
                                firstName + "\" /p\n"))
        << r.out;
    EXPECT_EQ(invoke({"restore", "--backup", "/q/" + earlierName + "/", "/p"}).status, 2);
}

// A form edited since the run is kept and named with the command that overwrites it; --force does.
TEST_F(MessagesTest, RestoreKeepsAFormEditedSinceTheRunUntilForced) {
    fs.addFile("/p/A.frm", kForm);
    ASSERT_EQ(invoke({"--quiet", "--all-families", "/p"}).status, 0);
    fs.addFile("/p/A.frm", "edited");
    auto r = invoke({"restore", "/p"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(fs.file("/p/A.frm"), "edited");
    EXPECT_TRUE(holds(
        r.out, "changed since the run, not overwritten: A.frm (to overwrite it: tavkonv40 restore --file A.frm /p)\n"));
    EXPECT_TRUE(holds(r.out, "to overwrite every such file with the backup's copy: tavkonv40 restore --force /p\n"));
    r = invoke({"restore", "--force", "/p"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(fs.file("/p/A.frm"), kForm);
}

TEST_F(MessagesTest, RestoreSaysRestoredOnlyAfterTheWriteAndItsDryRunFindsUnwritableFiles) {
    const std::string backup = "Nexaria Conversion Backup 01.02.2026 09.03.07";
    fs.addFile("/p/A.frm", "converted");
    fs.addFile("/p/B.frm", "converted");
    fs.addFile("/p/" + backup + "/A.frm", "original");
    fs.addFile("/p/" + backup + "/B.frm", "original");
    fs.setReadOnly("/p/B.frm");
    const auto dry = invoke({"restore", "--dry-run", "/p"});
    EXPECT_EQ(dry.status, 1);
    EXPECT_TRUE(holds(dry.out, "would restore: A.frm\n"));
    EXPECT_TRUE(holds(dry.err, "cannot restore B.frm"));

    fs.beforeWrite = [](const std::string& path) { throw FileError(path, "No space left on device"); };
    const auto r = invoke({"restore", "/p"});
    EXPECT_EQ(r.status, 1);
    EXPECT_FALSE(holds(r.out, "restored: A.frm"));
    EXPECT_TRUE(holds(r.err, "No space left on device"));
}

}  // namespace
}  // namespace tavkonv40::cli
