// Faults a user can meet, through the real binary on disk: each is reported by name and cause,
// the file concerned keeps its bytes, the exit status is 1, and either every other file is
// converted and the backup holds the folder as it was, or (when the backup cannot be made whole)
// nothing is converted at all.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <string>

#include "tests/cli/binary_run.h"
#include "tests/platform/disk_test_support.h"

namespace fs = std::filesystem;

namespace {

const std::string kForm =
    "VERSION 5.00\r\n"
    "Object = \"{3F2A9C41-7B0E-4D1A-9E55-2C8B6F104A11}#1.0#0\"; \"tavQVButton20.ocx\"\r\n"
    "Begin VB.Form F \r\n"
    "   Begin tavQVButton20.QVButton20 cmd \r\n"
    "   End\r\n"
    "   Begin VB.CommandButton cmdClose \r\n"
    "      Caption         =   \"Close\"\r\n"
    "   End\r\n"
    "End\r\n";
const std::string kControl =
    "VERSION 5.00\r\n"
    "Object = \"{3F2A9C41-7B0E-4D1A-9E55-2C8B6F104A11}#1.0#0\"; \"tavQVButton20.ocx\"\r\n"
    "Begin VB.UserControl U \r\n   Begin tavQVButton20.QVButton20 cmd \r\n   End\r\nEnd\r\n";
const std::string kProject =
    "Type=Exe\r\nObject={3F2A9C41-7B0E-4D1A-9E55-2C8B6F104A11}#1.0#0; tavQVButton20.ocx\r\nForm=A.frm\r\n";

using tavkonv40::test::readFile;
using tavkonv40::test::writeFile;

using Outcome = tavkonv40::test::BinaryOutcome;

// A run with every family and Microsoft control; `option` first when given.
Outcome runBinary(const fs::path& folder, const std::map<std::string, std::string>& env = {},
                  const std::string& option = "") {
    std::vector<std::string> args{"--all-families", "--all-ms", folder.string()};
    if (!option.empty()) args.insert(args.begin(), option);
    return tavkonv40::test::runBinary(args, folder, {env});
}

class FaultTest : public ::testing::Test {
  protected:
    void SetUp() override {
        root = tavkonv40::test::freshTestFolder("fault");
        folder = root / "project";
        fs::create_directories(folder);
        writeFile(folder / "A.frm", kForm);
        writeFile(folder / "B.frm", kForm);
        writeFile(folder / "U.ctl", kControl);
        writeFile(folder / "P.vbp", kProject);
    }
    void TearDown() override {
        std::error_code ec;
        for (auto it = fs::recursive_directory_iterator(root, ec); it != fs::recursive_directory_iterator();
             it.increment(ec))
            fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add | fs::perm_options::nofollow, ec);
        fs::remove_all(root, ec);
    }

    fs::path backup() const {
        for (const auto& e : fs::directory_iterator(folder))
            if (e.path().filename().string().rfind("Nexaria Conversion Backup ", 0) == 0) return e.path();
        return {};
    }

    // The healthy files are converted, the backup holds the originals.
    void expectOthersConvertedAndBackupWhole(const std::vector<std::string>& healthy) {
        for (const auto& name : healthy) {
            const std::string bytes = readFile(folder / name);
            EXPECT_EQ(bytes.find("tavQVButton20"), std::string::npos) << name << " was not converted";
        }
        const fs::path b = backup();
        ASSERT_FALSE(b.empty()) << "no backup";
        EXPECT_EQ(readFile(b / "B.frm"), kForm);
        EXPECT_EQ(readFile(b / "U.ctl"), kControl);
        EXPECT_EQ(readFile(b / "P.vbp"), kProject);
    }

    static void expectReported(const Outcome& o, const std::string& path, const std::string& cause) {
        EXPECT_EQ(o.status, 1);
        EXPECT_NE(o.err.find(path), std::string::npos) << o.err;
        EXPECT_NE(o.err.find(cause), std::string::npos) << o.err;
        EXPECT_NE(o.out.find("    -error: "), std::string::npos);
        EXPECT_NE(o.out.find("\nConversion complete."), std::string::npos);
    }

    fs::path root, folder;
};

TEST_F(FaultTest, ReadOnlyFormIsReportedAndKeptAsItWas) {
    fs::permissions(folder / "A.frm", fs::perms(0444));
    const auto o = runBinary(folder);
    expectReported(o, (folder / "A.frm").string(), "read-only");
    EXPECT_EQ(readFile(folder / "A.frm"), kForm);
    EXPECT_EQ(fs::status(folder / "A.frm").permissions(), fs::perms(0444));
    expectOthersConvertedAndBackupWhole({"B.frm", "U.ctl", "P.vbp"});
}

TEST_F(FaultTest, UnreadableForm) {
    if (::geteuid() == 0) GTEST_SKIP() << "root reads every file whatever its permission bits";
    fs::permissions(folder / "A.frm", fs::perms::none);
    const auto o = runBinary(folder);
    expectReported(o, (folder / "A.frm").string(), "Permission denied");
    fs::permissions(folder / "A.frm", fs::perms(0644));
    EXPECT_EQ(readFile(folder / "A.frm"), kForm);
    EXPECT_EQ(readFile(folder / "B.frm"), kForm) << "no complete backup, so nothing is converted";
}

TEST_F(FaultTest, DirectoryNamedLikeAForm) {
    fs::create_directories(folder / "Old.frm" / "inside");
    const auto o = runBinary(folder);
    expectReported(o, (folder / "Old.frm").string(), "Is a directory");
    EXPECT_TRUE(fs::is_directory(folder / "Old.frm" / "inside"));
    EXPECT_TRUE(fs::is_directory(backup() / "Old.frm" / "inside"));
    expectOthersConvertedAndBackupWhole({"A.frm", "B.frm", "U.ctl", "P.vbp"});
}

TEST_F(FaultTest, SymbolicLinksAreLeftToTheirTargets) {
    fs::create_directories(folder / "shared");
    writeFile(folder / "shared" / "Inside.frm", kForm);
    writeFile(root / "Outside.frm", kForm);
    fs::create_symlink("shared/Inside.frm", folder / "LinkIn.frm");
    fs::create_symlink(root / "Outside.frm", folder / "LinkOut.frm");
    const auto o = runBinary(folder);
    expectReported(o, (folder / "LinkIn.frm").string(), "symbolic link");
    expectReported(o, (folder / "LinkOut.frm").string(), "symbolic link");
    EXPECT_TRUE(fs::is_symlink(folder / "LinkIn.frm"));
    EXPECT_EQ(readFile(folder / "shared" / "Inside.frm"), kForm);
    EXPECT_EQ(readFile(root / "Outside.frm"), kForm);
    EXPECT_TRUE(fs::is_symlink(backup() / "LinkOut.frm")) << "links are backed up as links";
    expectOthersConvertedAndBackupWhole({"A.frm", "B.frm", "U.ctl", "P.vbp"});
}

TEST_F(FaultTest, FolderGivenThroughASymbolicLinkIsConvertedAndReallyBackedUp) {
    fs::create_directory_symlink(folder, root / "via-link");
    const auto o = runBinary(root / "via-link");
    EXPECT_EQ(o.status, 0) << o.err;
    const fs::path b = backup();
    ASSERT_FALSE(b.empty());
    EXPECT_FALSE(fs::is_symlink(b));
    EXPECT_EQ(readFile(b / "A.frm"), kForm);
    expectOthersConvertedAndBackupWhole({"A.frm", "B.frm", "U.ctl", "P.vbp"});
}

TEST_F(FaultTest, TheTemporaryFolderPlaysNoPart) {
    writeFile(root / "not-a-folder", "x");
    const auto o = runBinary(folder, {{"TMPDIR", (root / "not-a-folder").string()}});
    EXPECT_EQ(o.status, 0) << o.err;
    expectOthersConvertedAndBackupWhole({});
}

// Whatever keeps the backup from being whole: nothing is converted, the cause is named, nothing
// is left behind in the folder, and the exit status says so.
TEST_F(FaultTest, AnEntryTheBackupCannotCopyChangesNothing) {
    fs::create_directories(folder / "data");
    ASSERT_EQ(::mkfifo((folder / "data" / "feed").c_str(), 0600), 0);
    for (const char* dry : {"--dry-run", ""}) {
        const auto o = runBinary(folder, {}, dry);
        EXPECT_EQ(o.status, 1) << dry;
        expectReported(o, (folder / "data" / "feed").string(), "named pipe");
        EXPECT_NE(o.err.find("nothing"), std::string::npos) << o.err;
        EXPECT_EQ(readFile(folder / "A.frm"), kForm);
        EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 5)
            << "no staged copy, no lock";
    }
    if (::geteuid() == 0) return;  // root reads everything
    fs::remove(folder / "data" / "feed");
    fs::permissions(folder / "data", fs::perms::none);
    const auto o = runBinary(folder);
    EXPECT_EQ(o.status, 1);
    expectReported(o, (folder / "data").string(), "Permission denied");
    EXPECT_EQ(readFile(folder / "A.frm"), kForm);
}

TEST_F(FaultTest, NoTemporaryFileIsLeftBehind) {
    runBinary(folder);
    for (const auto& e : fs::directory_iterator(folder))
        EXPECT_EQ(e.path().filename().string().find("tavkonv40-tmp"), std::string::npos) << e.path();
}

}  // namespace
