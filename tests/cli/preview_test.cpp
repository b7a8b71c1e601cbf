// What a dry run shows: unified diffs, checked against git and by applying them; then dry run,
// report and restore against real runs on generated folders on disk.
#include "cli/unified_diff.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <random>
#include <sstream>

#include "cli/restore_command.h"
#include "engine/text_file.h"
#include "platform/disk_file_system.h"
#include "testing/corpus.h"
#include "tests/cli/cli_test_support.h"

namespace tavkonv40::cli {
namespace {

namespace fs = std::filesystem;
using test::holds;

// Limits that send every changed region of more than a few lines through the bounded alignment.
const AlignmentLimits kTight{0, 64, 1000};
const AlignmentLimits kTightPieces{0, 64, 8};

// The lines' texts, split on CR LF, LF or a lone CR.
std::vector<std::string> textLines(const std::string& bytes) {
    const TextFile file(bytes);
    return {file.lines().begin(), file.lines().end()};
}

// Applies a plain diff's hunks to the old text's lines, checking every context and removed line
// and every hunk's ranges on the way; returns the new text's lines.
std::vector<std::string> applyDiff(const std::string& before, const std::string& diff) {
    const std::vector<std::string> old = textLines(before);
    std::vector<std::string> result;
    std::size_t next = 0;  // the next old line to copy
    std::istringstream in(diff);
    std::string line;
    long oldLeft = 0, newLeft = 0;
    while (std::getline(in, line)) {
        if (line.rfind("@@ -", 0) == 0) {
            EXPECT_EQ(oldLeft, 0);
            EXPECT_EQ(newLeft, 0);
            long oldStart = 0, newStart = 0;
            oldLeft = newLeft = 1;
            const char* p = line.c_str() + 4;
            char* end = nullptr;
            oldStart = std::strtol(p, &end, 10);
            if (*end == ',') oldLeft = std::strtol(end + 1, &end, 10);
            newStart = std::strtol(end + 2, &end, 10);
            if (*end == ',') newLeft = std::strtol(end + 1, &end, 10);
            // An empty range names the line before it.
            const std::size_t first = static_cast<std::size_t>(oldLeft == 0 ? oldStart : oldStart - 1);
            EXPECT_GE(first, next) << line;
            while (next < first && next < old.size()) result.push_back(old[next++]);
            EXPECT_EQ(static_cast<long>(result.size()), newLeft == 0 ? newStart : newStart - 1) << line;
        } else if (!line.empty() && (line[0] == ' ' || line[0] == '-')) {
            if (line.rfind("--- ", 0) == 0 && oldLeft == 0) continue;
            EXPECT_LT(next, old.size());
            if (next >= old.size()) return result;
            EXPECT_EQ(line.substr(1), old[next]) << "old line " << next + 1;
            if (line[0] == ' ') result.push_back(old[next]), --newLeft;
            ++next;
            --oldLeft;
        } else if (!line.empty() && line[0] == '+' && !(line.rfind("+++ ", 0) == 0 && newLeft == 0)) {
            result.push_back(line.substr(1));
            --newLeft;
        }
    }
    EXPECT_EQ(oldLeft, 0);
    EXPECT_EQ(newLeft, 0);
    while (next < old.size()) result.push_back(old[next++]);
    return result;
}

// Context, hunk ranges and headings, the missing final line end: SameAsGitOnGeneratedFiles.
TEST(UnifiedDiffTest, EmptySidesAndBlanksInTheName) {
    EXPECT_EQ(unifiedDiff("A.frm", "same\n", "same\n"), "");
    EXPECT_EQ(unifiedDiff("B.frm", "", "x\r\n"),
              "diff --git a/B.frm b/B.frm\n--- a/B.frm\n+++ b/B.frm\n@@ -0,0 +1 @@\n+x\n");
    // A blank in the name puts a tab after the ---/+++ names.
    EXPECT_TRUE(holds(unifiedDiff("my form.frm", "a\n", "b\n"), "--- a/my form.frm\t\n+++ b/my form.frm\t\n"));
}

TEST(UnifiedDiffTest, LineEndsShownAsPlainLinesWithANoteUnlessCrLf) {
    const std::string d = unifiedDiff("A.frm", "a\r\nb\r\n", "a\r\nc\r\n");
    EXPECT_EQ(d.find('\r'), std::string::npos);
    EXPECT_EQ(d.rfind("diff --git", 0), 0u) << "no note for CR LF";
    EXPECT_EQ(lineEndNote("A.frm", "a\nb\n"), "# A.frm: line ends are LF, not CR LF\n");
    EXPECT_EQ(lineEndNote("A.frm", "a\rb\r"), "# A.frm: line ends are CR, not CR LF\n");
    EXPECT_EQ(lineEndNote("A.frm", "a\r\nb\n"), "# A.frm: line ends are mixed (CR LF, LF), not CR LF\n");
    EXPECT_EQ(unifiedDiff("A.frm", "a\rb\r", "a\rc\r").find("# A.frm: line ends are CR"), 0u);
    // A line whose only change is its terminator is a changed line.
    EXPECT_NE(unifiedDiff("A.frm", "a\r\nb\r\n", "a\nb\r\n").find("-a\n+a\n"), std::string::npos);
}

TEST(UnifiedDiffTest, ColourAsGitPrintsIt) {
    const std::string d = unifiedDiff("A.frm", "Sub x\r\n1\r\n2\r\n", "Sub x\r\n1\r\n3  \r\n", {DiffColor::Terminal});
    EXPECT_EQ(d,
              "\033[1mdiff --git a/A.frm b/A.frm\033[m\n\033[1m--- a/A.frm\033[m\n\033[1m+++ b/A.frm\033[m\n"
              "\033[36m@@ -1,3 +1,3 @@\033[m\n Sub x\033[m\n 1\033[m\n\033[31m-2\033[m\n"
              "\033[32m+\033[m\033[32m3\033[m\033[41m  \033[m\n");
}

// Generated files whose lines are all different, so that every correct diff aligns them alike:
// the output must be git's, byte for byte (git's index line aside).
TEST(UnifiedDiffTest, SameAsGitOnGeneratedFiles) {
    if (std::system("git --version >/dev/null 2>&1") != 0) GTEST_SKIP() << "git is not installed";
    const fs::path dir = fs::temp_directory_path() / ("tavkonv40-diff-" + std::to_string(::getpid()));
    std::mt19937 rng(7);
    for (int round = 0; round < 25; ++round) {
        std::string before, after;
        const int n = 1 + static_cast<int>(rng() % 60);
        int fresh = 0;
        for (int i = 0; i < n; ++i) {
            // Every fifth line or so starts with a letter, which git takes as a hunk heading.
            const std::string line = (rng() % 5 == 0 ? "Sub s" : "  l") + std::to_string(i);
            before += line + "\n";
            switch (rng() % 8) {
                case 0: after += "  new" + std::to_string(fresh++) + "\n"; break;  // replaced
                case 1: break;                                                     // removed
                case 2: after += line + "\n  ins" + std::to_string(fresh++) + "\n"; break;
                default: after += line + "\n";
            }
        }
        if (rng() % 3 == 0) after.pop_back();  // no final line end
        test::writeFile(dir / "a" / "F.frm", before);
        test::writeFile(dir / "b" / "F.frm", after);
        const std::string cmd =
            "cd '" + dir.string() + "' && git diff --no-index a/F.frm b/F.frm | grep -v '^index ' > out.txt";
        ASSERT_GE(std::system(cmd.c_str()), 0);
        std::string git = test::readFile(dir / "out.txt");
        // git names the two files by their own folders.
        for (const auto& [from, to] :
             {std::pair<std::string, std::string>{"a/a/F.frm", "a/F.frm"}, {"b/b/F.frm", "b/F.frm"}})
            for (auto p = git.find(from); p != std::string::npos; p = git.find(from)) git.replace(p, from.size(), to);
        const std::string mine = unifiedDiff("F.frm", before, after);
        EXPECT_EQ(mine.substr(mine.find("diff --git")), git) << "round " << round;
        // Nothing is moved, so aligning region by region between runs of equal lines finds the
        // same shortest script.
        EXPECT_EQ(unifiedDiff("F.frm", before, after, {DiffColor::Plain, 3, kTight}), mine) << "round " << round;
    }
    fs::remove_all(dir);
}

// Small alphabets make many equal lines, so runs of equal lines often match in the wrong place:
// the diff must still turn the old text into the new one.
TEST(UnifiedDiffTest, BoundedAlignmentAlwaysGivesACorrectDiff) {
    std::mt19937 rng(11);
    for (int round = 0; round < 300; ++round) {
        const int alphabet = 2 + static_cast<int>(rng() % 12);
        std::string before, after;
        const int n = static_cast<int>(rng() % 400);
        for (int i = 0; i < n; ++i) {
            const std::string line =
                std::string("l") + std::to_string(rng() % alphabet) + (rng() % 4 == 0 ? "\n" : "\r\n");
            before += line;
            switch (rng() % 6) {
                case 0: after += std::string("n") + std::to_string(rng() % alphabet) + "\r\n"; break;
                case 1: break;
                case 2: after += line + line + "x\r\n"; break;
                default: after += line;
            }
        }
        if (rng() % 3 == 0 && !after.empty()) after.pop_back();
        for (const auto& limits : {kTight, kTightPieces, AlignmentLimits{}}) {
            const std::string d = unifiedDiff("F.frm", before, after, {DiffColor::Plain, rng() % 4, limits});
            EXPECT_EQ(applyDiff(before, d), textLines(after)) << "round " << round << "\n" << d;
        }
    }
}

// What the dry run shows: converted generated files, from small ones (aligned exactly) to ones big
// and changed enough to be aligned region by region under the normal limits.
TEST(UnifiedDiffTest, DiffsOfConvertedFilesApply) {
    MemoryFileSystem fs;
    fs.addFolder("/p");
    fs.addFile("/p/Small.frm", corpus::makeForm(3, "Small", {8 * 1024}));
    fs.addFile("/p/Big.frm", corpus::makeForm(4, "Big", {3 * 1024 * 1024}));
    fs.addFile("/p/Dense.frm", corpus::makeDenseForm(5, 20000));
    fs.addFile("/p/Control.ctl", corpus::makeUserControl(6, "Control", 1024 * 1024));
    const auto before = fs.files();
    test::FixedClock clock;
    const std::atomic<bool> cancel{false};
    const auto run = test::invoke(fs, clock, cancel, {"--quiet", "--all-families", "--all-ms", "/p"});
    ASSERT_EQ(run.status, 0) << run.err;
    for (const auto& [path, bytes] : fs.files()) {
        if (!before.count(path)) continue;
        const std::string& old = before.at(path);
        ASSERT_NE(old, bytes) << path;
        for (const auto& limits : {AlignmentLimits{}, kTightPieces}) {
            const std::string d = unifiedDiff(path, old, bytes, {DiffColor::Plain, 3, limits});
            EXPECT_EQ(applyDiff(old, d), textLines(bytes)) << path;
            EXPECT_EQ(unifiedDiff(path, old, bytes, {DiffColor::Plain, 3, limits}), d) << "deterministic";
        }
    }
}

// ---- dry run, report and restore on disk --------------------------------------------------

using Snapshot = std::map<std::string, std::string>;
using test::snapshot;

class PreviewTest : public ::testing::Test {
  protected:
    void SetUp() override { root = test::freshTestFolder("preview"); }
    // The store removes read-only files too, which std::filesystem does not on Windows.
    void TearDown() override { disk.removeFolder(root.string()); }

    test::Invocation run(std::vector<std::string> args) { return test::invoke(disk, clock, cancel, args); }

    fs::path makeFolder(std::uint64_t seed) {
        const fs::path folder = root / ("project " + std::to_string(seed));
        corpus::writeFolder(folder, seed, {4, 2, 2, 6 * 1024});
        return folder;
    }

    fs::path root;
    DiskFileSystem disk;
    test::FixedClock clock;
    std::atomic<bool> cancel{false};
};

const std::vector<std::vector<std::string>> kOptionSets{
    {"--all-families", "--all-ms"},
    {"--all-families:4.0L", "--ms", "Text:4.0L", "--ms", "checkoption"},
    {"--family", "Button:4.0L", "--family", "QVList", "--family", "Tree", "--all-ms:4.0L"},
    {"--ms", "Frame", "--ms", "Slider"},
};

TEST_F(PreviewTest, DryRunLogsAndDiffsExactlyWhatTheRealRunDoes) {
    for (std::uint64_t seed = 1; seed <= kOptionSets.size(); ++seed) {
        const auto& options = kOptionSets[seed - 1];
        const fs::path folder = makeFolder(seed);
        // An LF form and a read-only form: the dry run refuses what the real run refuses.
        test::writeFile(folder / "Lf.frm", "VERSION 5.00\nObject = \"{X}#1.0#0\"; \"tavQVButton30.ocx\"\n");
        fs::permissions(folder / "Form1.frm", fs::perms(0444));
        const Snapshot before = snapshot(folder, true);

        std::vector<std::string> args{"--quiet", "--dry-run"};
        args.insert(args.end(), options.begin(), options.end());
        args.push_back(folder.string());
        const auto dry = run(args);
        EXPECT_EQ(snapshot(folder, true), before) << "a dry run changes nothing and makes no backup";

        args.erase(args.begin() + 1);
        const auto real = run(args);
        ASSERT_EQ(real.status, dry.status);
        const Snapshot after = snapshot(folder);
        std::string diffs;
        for (const auto& [name, bytes] : after) diffs += unifiedDiff(name, before.at(name), bytes);
        EXPECT_FALSE(diffs.empty());
        EXPECT_TRUE(holds(diffs, "# Lf.frm: line ends are LF"));
        EXPECT_EQ(dry.out, real.out + diffs) << "seed " << seed;
        EXPECT_EQ(dry.err, real.err);
    }
}

TEST_F(PreviewTest, ReportMatchesTheFilesTheRunChanged) {
    const fs::path folder = makeFolder(11);
    test::writeFile(folder / "Plain.frm", "Nothing to convert here\r\n");  // only gains its empty line
    const Snapshot before = snapshot(folder);
    const fs::path reportFile = root / "report.json";
    const auto r = run({"--all-families", "--all-ms:4.0L", "--report", reportFile.string(), folder.string()});
    ASSERT_EQ(r.status, 0) << r.err;
    const Snapshot after = snapshot(folder);
    const auto j = nlohmann::json::parse(test::readFile(reportFile));

    EXPECT_EQ(j["tool"], "tavkonv40");
    EXPECT_FALSE(j["dry_run"].get<bool>());
    EXPECT_EQ(j["folder"], folder.string());
    EXPECT_TRUE(fs::is_directory(j["backup"].get<std::string>()));
    EXPECT_EQ(j["options"]["families"].size(), 42u);
    EXPECT_EQ(j["options"]["microsoft"][0]["edition"], "4.0L");
    EXPECT_TRUE(j["errors"].empty());

    std::size_t changed = 0, forms = 0;
    for (const auto& f : j["files"]) {
        const std::string name = f["name"];
        const bool differs = before.at(name) != after.at(name);
        EXPECT_EQ(f["changed"].get<bool>(), differs) << name;
        EXPECT_EQ(!f["steps"].empty(), differs) << name;
        changed += differs;
        if (f["kind"] == "form") ++forms;
        if (name == "Plain.frm") {
            EXPECT_EQ(f["steps"], nlohmann::json::array({"form_required_controls"}));
        }
    }
    EXPECT_EQ(j["files_changed"].get<std::size_t>(), changed);
    EXPECT_EQ(j["files_examined"]["forms"].get<std::size_t>(), forms);
    EXPECT_EQ(forms, 5u);
    EXPECT_EQ(j["files_examined"]["user_controls"], 2);
    EXPECT_EQ(j["files_examined"]["projects"], 2);

    std::size_t replaced = 0;
    for (const auto& [option, n] : j["microsoft_controls_replaced"].items()) replaced += n.get<std::size_t>();
    EXPECT_GT(replaced, 0u);
    // Each replaced control's library is required once per run and file until one holds it.
    EXPECT_GT(j["reference_lines_added"]["forms"].get<std::size_t>(), 0u);
    EXPECT_GT(j["lines_rewritten"]["microsoft_controls"].get<std::size_t>(), replaced - 1);

    // The summary on standard error says the same.
    EXPECT_TRUE(holds(r.err, "Summary: examined 5 forms, 2 user controls, 2 projects; " + std::to_string(changed) +
                                 " files changed"));
}

TEST_F(PreviewTest, RestoreGivesBackEveryOriginalByte) {
    const fs::path folder = makeFolder(21);
    test::writeFile(folder / "res" / "note.txt", "kept\n");
    // What a run on the subfolder left there (as --recursive does): never copied again.
    const std::string subBackup = "Nexaria Conversion Backup 01.01.2026 08.00.00";
    test::writeFile(folder / "res" / subBackup / "old.frm", "the subfolder's own backup\r\n");
    const Snapshot original = snapshot(folder);
    ASSERT_EQ(run({"--quiet", "--all-families", "--all-ms", folder.string()}).status, 0);
    ASSERT_NE(snapshot(folder), original);
    EXPECT_TRUE(fs::exists(folder / test::kBackupName / "res" / "note.txt"));
    EXPECT_FALSE(fs::exists(folder / test::kBackupName / "res" / subBackup));

    // After the run: a file removed, one in a subfolder edited, one added.
    fs::remove(folder / "Form2.frm");
    test::writeFile(folder / "res" / "note.txt", "edited\n");
    test::writeFile(folder / "added.frm", "new\r\n");

    const Snapshot withBackups = snapshot(folder, true);
    // --all puts back the whole folder, not only what the run wrote.
    const auto preview = run({"restore", "--dry-run", "--all", folder.string()});
    EXPECT_EQ(preview.status, 0);
    EXPECT_EQ(snapshot(folder, true), withBackups) << "restore --dry-run changes nothing";
    EXPECT_TRUE(holds(preview.out, "would create: Form2.frm\n"));

    const auto r = run({"restore", "--all", folder.string()});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(holds(r.out, "only in the folder, left alone: added.frm\n"));
    EXPECT_FALSE(holds(r.out, subBackup));
    EXPECT_TRUE(fs::exists(folder / "res" / subBackup / "old.frm"));
    Snapshot restored = snapshot(folder);
    EXPECT_EQ(restored.erase("added.frm"), 1u);
    EXPECT_EQ(restored, original);
    EXPECT_TRUE(fs::exists(folder / test::kBackupName)) << "the backup stays";
}

}  // namespace
}  // namespace tavkonv40::cli
