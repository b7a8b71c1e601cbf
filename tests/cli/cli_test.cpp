#include "cli/cli.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <sstream>

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
    std::string line;
    std::vector<std::string> lines;
    while (std::getline(in, line)) lines.push_back(line);
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

}  // namespace
}  // namespace tavkonv40::cli
