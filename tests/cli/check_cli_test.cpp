#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <set>
#include <tuple>

#include "engine/catalogue.h"
#include "tests/cli/cli_test_support.h"
#include "testing/corpus.h"
#include "engine/project_check.h"

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
    const std::string last = "check: 5 errors, 1 warning, 4 notes\n";
    ASSERT_GE(r.out.size(), last.size());
    EXPECT_EQ(r.out.substr(r.out.size() - last.size()), last);
    const std::string hint = "\ncheck: 10 findings (6 above note level); run 'tavkonv40 check /p' to see them\n";
    ASSERT_GE(run.err.size(), hint.size());
    EXPECT_EQ(run.err.substr(run.err.size() - hint.size()), hint);
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
    EXPECT_EQ(doc["findings"][1]["file"], "B.ctl");
    EXPECT_EQ(doc["findings"][1]["line"], 3);
    EXPECT_EQ(doc["findings"][1]["severity"], "error");
    EXPECT_EQ(doc["findings"][1]["kind"], "missing-reference");
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
    EXPECT_EQ(invoke({"check"}).status, 2);  // a missing folder: messages_test

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

}  // namespace
}  // namespace tavkonv40::cli
