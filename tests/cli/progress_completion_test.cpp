// The progress display (through its terminal seam) and the bash completion script.
#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>

#include "tests/engine/test_support.h"
#include "engine/catalogue.h"
#include "cli/cli.h"
#include "testing/memory_file_system.h"
#include "cli/progress_display.h"

namespace tavkonv40::cli {
namespace {

using namespace std::chrono_literals;

ProgressDisplay::Clock::time_point g_now{};
ProgressDisplay::Clock::time_point fakeNow() { return g_now; }

TEST(ProgressDisplayTest, CountsFilesThrottlesRedrawsAndErasesForGood) {
    std::ostringstream err;
    ProgressDisplay p(err, Terminal::Yes, 2);
    p.now = &fakeNow;
    g_now += 1s;
    p.beforeLogLine();
    p.afterLogLine("Found VB Form file (frmMain.frm).  Checking update requirements.....");
    EXPECT_EQ(p.text(), "[0/2] frmMain.frm");
    EXPECT_EQ(err.str(), "\r[0/2] frmMain.frm\033[K");

    err.str("");
    p.beforeLogLine();
    p.afterLogLine("    -checking form headers.....");  // soon after: erased, not redrawn yet
    EXPECT_EQ(err.str(), "\r\033[K");
    g_now += 200ms;
    err.str("");
    p.beforeLogLine();
    p.afterLogLine("VB Form file (frmMain.frm).  File is now up to date.");
    EXPECT_EQ(err.str(), "\r[1/2] frmMain.frm\033[K");

    err.str("");
    p.finish();
    EXPECT_EQ(err.str(), "\r\033[K");
    p.afterLogLine("Found VB Project file (P.vbp).  Checking update requirements.....");
    EXPECT_EQ(err.str(), "\r\033[K") << "nothing after finish";

    std::ostringstream quiet;
    ProgressDisplay off(quiet, Terminal::No, 2);
    off.afterLogLine("Found VB Form file (frmMain.frm).  Checking update requirements.....");
    off.finish();
    EXPECT_TRUE(quiet.str().empty());
}

TEST(ProgressDisplayTest, NeverOnStandardOutputAndGoneBeforeTheSummary) {
    MemoryFileSystem mem;
    test::FixedClock clock;
    std::atomic<bool> cancel{false};
    for (const char* quiet : {"", "--quiet"}) {
        std::ostringstream out, err;
        Services s{mem, clock, out, err, cancel};
        s.errTerminal = Terminal::Yes;
        std::vector<std::string> args{"--all-families", "/p"};
        if (*quiet) args.insert(args.begin(), quiet);
        // Each run in a folder of its own: the fixed clock names every backup alike.
        args.back() = std::string("/p") + (*quiet ? "q" : "");
        mem.addFile(args.back() + "/A.frm", "VERSION 5.00\r\n");
        EXPECT_EQ(runCommandLine(args, s), 0);
        EXPECT_EQ(out.str().find_first_of("\r\033"), std::string::npos);
        if (*quiet) {
            EXPECT_TRUE(err.str().empty()) << err.str();
        } else {
            const auto summary = err.str().find("Summary:");
            ASSERT_NE(summary, std::string::npos);
            EXPECT_EQ(err.str().rfind("\r\033[K", summary), summary - 4) << "erased right before it";
            EXPECT_NE(err.str().find("\r[0/1] A.frm\033[K"), std::string::npos);
        }
    }
}

std::string shell(const std::string& command) {
    std::string out;
    if (FILE* p = ::popen(command.c_str(), "r")) {
        char buf[4096];
        for (std::size_t n; (n = std::fread(buf, 1, sizeof buf, p)) > 0;) out.append(buf, n);
        ::pclose(p);
    }
    return out;
}

// The script's lists are written by hand: every family must be there, with the editions it has.
TEST(CompletionTest, OffersEveryFamilyWithItsEditionsAndEveryMicrosoftOption) {
    const std::string script = TAVKONV40_EXAMPLES "/../completion/tavkonv40.bash";
    auto complete = [&](const std::string& line) {
        // COMP_WORDS as bash splits the line; the completion is asked for the last word.
        return shell("bash -c 'source \"" + script + "\"; COMP_WORDS=(" + line +
                     "); COMP_CWORD=$((${#COMP_WORDS[@]}-1)); _tavkonv40; printf \"%s\\n\" \"${COMPREPLY[@]}\"' 2>&1");
    };
    const std::string families = complete("tavkonv40 --family \"\"");
    auto offered = [&](const std::string& word) {
        return families.find("\n" + word + "\n") != std::string::npos || families.rfind(word + "\n", 0) == 0;
    };
    for (const auto& f : tavkonv40::families()) {
        for (std::string_view name : {f.label, f.caption}) {
            const std::string n(name);
            EXPECT_TRUE(offered(n)) << n;
            EXPECT_TRUE(offered(n + ":4.0")) << n;
            EXPECT_EQ(offered(n + ":4.0L"), f.offers40L == Offers40L::Yes) << n;
        }
    }
    const std::string ms = complete("tavkonv40 --ms \"\"");
    for (const auto& o : microsoftOptions()) {
        std::string name(o.caption);
        std::erase(name, ' ');
        if (name == "Date/TimePicker") name = "DateTimePicker";
        EXPECT_NE(ms.find(name + ":4.0L\n"), std::string::npos) << name;
        EXPECT_EQ(findMicrosoftOption(name), o.index) << "the program takes what is offered";
    }
    // The program takes any letter case, and so does the completion.
    EXPECT_EQ(complete("tavkonv40 --family buttonb"), "ButtonBar\nButtonBar:4.0\n");
    EXPECT_NE(complete("tavkonv40 --ms CHECK").find("Check/Option:4.0L\n"), std::string::npos);
    EXPECT_EQ(complete("tavkonv40 --family button:4.0"), "button:4.0\nbutton:4.0L\n");
    EXPECT_NE(complete("tavkonv40 res").find("restore\n"), std::string::npos);
    EXPECT_NE(complete("tavkonv40 restore --").find("--backup\n"), std::string::npos);
    EXPECT_NE(complete("tavkonv40 --dr").find("--dry-run\n"), std::string::npos);
}

}  // namespace
}  // namespace tavkonv40::cli
