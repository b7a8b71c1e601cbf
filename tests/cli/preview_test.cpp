// Dry run, report and restore against real runs on generated folders on disk.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <filesystem>
#include <map>
#include <sstream>

#include "tests/engine/test_support.h"
#include "tests/cli/cli_test_support.h"
#include "testing/corpus.h"
#include "platform/disk_file_system.h"
#include "tests/platform/disk_test_support.h"
#include "testing/memory_file_system.h"
#include "cli/restore_command.h"
#include "cli/unified_diff.h"

namespace tavkonv40::cli {
namespace {

using test::holds;

namespace fs = std::filesystem;

using Snapshot = std::map<std::string, std::string>;
using test::snapshot;

using Output = test::Invocation;

class PreviewTest : public ::testing::Test {
  protected:
    void SetUp() override { root = test::freshTestFolder("preview"); }
    // The store removes read-only files too, which std::filesystem does not on Windows.
    void TearDown() override { disk.removeFolder(root.string()); }

    Output run(std::vector<std::string> args) { return test::invoke(disk, clock, cancel, args); }

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
        const Output dry = run(args);
        EXPECT_EQ(snapshot(folder, true), before) << "a dry run changes nothing and makes no backup";

        args.erase(args.begin() + 1);
        const Output real = run(args);
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
    const Output r = run({"--all-families", "--all-ms:4.0L", "--report", reportFile.string(), folder.string()});
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
    const Output preview = run({"restore", "--dry-run", "--all", folder.string()});
    EXPECT_EQ(preview.status, 0);
    EXPECT_EQ(snapshot(folder, true), withBackups) << "restore --dry-run changes nothing";
    EXPECT_TRUE(holds(preview.out, "would create: Form2.frm\n"));

    const Output r = run({"restore", "--all", folder.string()});
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
