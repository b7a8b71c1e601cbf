// Faults injected through the file store: a file that vanishes between listing and conversion, a
// write that fails, a temporary folder without room. Each is reported once, by name and cause,
// and everything else is converted.
#include <gtest/gtest.h>

#include "conversion_run.h"
#include "memory_file_system.h"
#include "test_support.h"

namespace tavkonv40 {
namespace {

const std::string kForm =
    "VERSION 5.00\r\nObject = \"{3F2A9C41-7B0E-4D1A-9E55-2C8B6F104A11}#1.0#0\"; \"tavQVButton20.ocx\"\r\n"
    "Begin VB.Form F \r\nEnd\r\n";
const std::string kProject = "Type=Exe\r\nObject={3F2A9C41-7B0E-4D1A-9E55-2C8B6F104A11}#1.0#0; tavQVButton20.ocx\r\n";

class RunFaultTest : public ::testing::Test {
protected:
    void SetUp() override {
        fs.addFile("/p/A.frm", kForm);
        fs.addFile("/p/B.frm", kForm);
        fs.addFile("/p/P.vbp", kProject);
        fs.addFile("/p/Q.vbp", kProject);
        options.selectAllFamilies(Edition::V40);
    }
    RunResult run() {
        RunEnvironment env{fs, host, options, clock};
        return RunConversion(env, "/p");
    }
    bool converted(const std::string& path) const { return fs.file(path).find("tavQVButton20") == std::string::npos; }

    MemoryFileSystem fs;
    test::RecordingHost host;
    test::FixedClock clock;
    FixedOptions options;
};

TEST_F(RunFaultTest, ProjectDeletedBetweenListingAndConversion) {
    int listings = 0;
    fs.reorderListing = [&](std::vector<std::string>&) {
        if (++listings == 3) fs.remove("/p/P.vbp");  // the project pass's listing
    };
    const auto result = run();
    EXPECT_EQ(result.fileErrors, 1);
    ASSERT_EQ(host.errors.size(), 1u);
    EXPECT_NE(host.errors[0].find("/p/P.vbp: No such file or directory"), std::string::npos);
    EXPECT_TRUE(converted("/p/Q.vbp"));
    EXPECT_EQ(fs.file(std::string("/p/") + test::kBackupName + "/P.vbp"), kProject);
}

TEST_F(RunFaultTest, FailedWriteLeavesTheFileAsItWas) {
    fs.beforeWrite = [](const std::string& path) {
        if (path == "/p/A.frm") throw FileError(path, "Input/output error");
    };
    const auto result = run();
    EXPECT_EQ(result.fileErrors, 1);
    EXPECT_EQ(fs.file("/p/A.frm"), kForm);
    EXPECT_TRUE(converted("/p/B.frm"));
    EXPECT_TRUE(converted("/p/P.vbp"));
    ASSERT_EQ(host.errors.size(), 1u);
    EXPECT_NE(host.errors[0].find("cannot write /p/A.frm: Input/output error"), std::string::npos);
}

TEST_F(RunFaultTest, NoRoomForTheBackupIsReportedAndTheRunGoesOn) {
    fs.temporaryFolderAvailable = false;
    const auto result = run();
    EXPECT_FALSE(result.backupPlaced);
    ASSERT_EQ(host.errors.size(), 1u);
    EXPECT_NE(host.errors[0].find("No space left on device"), std::string::npos);
    EXPECT_TRUE(converted("/p/A.frm"));
    // The log still names where the backup would have been.
    EXPECT_NE(std::find(host.log.begin(), host.log.end(), std::string("/p/") + test::kBackupName), host.log.end());
}

TEST_F(RunFaultTest, TemporaryCopiesOfRunsNeverMeetAndAreCleanedUp) {
    run();
    test::RecordingHost second;
    RunEnvironment env{fs, second, options, clock};
    fs.addFolder("/q");
    fs.addFile("/q/X.frm", kForm);
    RunConversion(env, "/q");
    EXPECT_EQ(fs.temporaryFolders, 2);
    EXPECT_TRUE(fs.listFolder("/tmp").empty());
    EXPECT_FALSE(fs.hasFile(std::string("/q/") + test::kBackupName + "/A.frm"));
}

TEST_F(RunFaultTest, BackupNameTakenIsReportedAndTheCopyKept) {
    fs.addFolder(std::string("/p/") + test::kBackupName);
    const auto result = run();
    EXPECT_FALSE(result.backupPlaced);
    ASSERT_EQ(host.errors.size(), 1u);
    EXPECT_NE(host.errors[0].find("remains at /tmp/tavkonv40-1/"), std::string::npos);
    EXPECT_EQ(fs.file(std::string("/tmp/tavkonv40-1/") + test::kBackupName + "/A.frm"), kForm);
}

}  // namespace
}  // namespace tavkonv40
