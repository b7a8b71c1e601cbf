// A run on the real disk while another program works in the folder: what the backup copy meets and
// what the conversion then dares to touch.
#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <thread>

#include "engine/conversion_run.h"
#include "platform/disk_file_system.h"
#include "tests/engine/test_support.h"
#include "tests/platform/disk_test_support.h"

namespace tavkonv40 {
namespace {

namespace fs = std::filesystem;

const std::string kForm =
    "VERSION 5.00\r\nObject = \"{3F2A9C41-7B0E-4D1A-9E55-2C8B6F104A11}#1.0#0\"; \"tavQVButton20.ocx\"\r\n"
    "Begin VB.Form F \r\nEnd\r\n";
const std::string kSavedAgain = kForm + "' saved again by the editor\r\n";
const std::string kProject = "Type=Exe\r\nObject={3F2A9C41-7B0E-4D1A-9E55-2C8B6F104A11}#1.0#0; tavQVButton20.ocx\r\n";

// An editor saving B.frm while the backup is copied: it removes the old file (once the copy has
// listed the folder) and puts the new one in place after the copy has passed its name.
class EditorDuringCopy : public DiskFileSystem {
  public:
    explicit EditorDuringCopy(fs::path folder) : folder_(std::move(folder)) {}

    CopyOutcome copyFolder(const std::string& from, const std::string& to, const FolderCopy& how) override {
        FolderCopy editing = how;
        editing.leaveOut = [this, &how](const std::string& name) {
            if (name == "A.frm") fs::remove(folder_ / "B.frm");
            if (name == "P.vbp") test::writeFile(folder_ / "B.frm", kSavedAgain);
            return how.leaveOut(name);
        };
        return DiskFileSystem::copyFolder(from, to, editing);
    }

  private:
    fs::path folder_;
};

// The backup is whole without the form that was gone, and the form that came back is not converted:
// the backup could not give its bytes back.
TEST(RunOnDisk, AFormGoneDuringTheCopyAndBackAfterItIsLeftAsSaved) {
    const fs::path root = test::freshTestFolder("run-on-disk");
    test::writeFile(root / "A.frm", kForm);
    test::writeFile(root / "B.frm", kForm);
    test::writeFile(root / "P.vbp", kProject);
    EditorDuringCopy disk(root);
    FixedOptions options;
    options.selectAllFamilies(Edition::V40);

    const auto run = test::runFolder(disk, root.string(), {"A.frm", "B.frm", "P.vbp"}, options);
    EXPECT_EQ(run.result.refusal, RunRefusal::None);
    EXPECT_TRUE(run.result.backupPlaced);
    EXPECT_EQ(run.result.fileErrors, 1);
    EXPECT_EQ(run.files.at("B.frm"), kSavedAgain);
    EXPECT_EQ(run.files.at("A.frm").find("tavQVButton20"), std::string::npos) << "converted";
    EXPECT_EQ(run.files.at("P.vbp").find("tavQVButton20"), std::string::npos) << "converted";
    ASSERT_EQ(run.host.errors.size(), 1u);
    EXPECT_NE(run.host.errors[0].find("B.frm: it appeared after the backup copy was made"), std::string::npos)
        << run.host.errors[0];
    const fs::path backup = root / test::kBackupName;
    EXPECT_EQ(test::readFile(backup / "A.frm"), kForm);
    EXPECT_EQ(test::readFile(backup / "P.vbp"), kProject);
    EXPECT_FALSE(fs::exists(backup / "B.frm"));
    fs::remove_all(root);
}

// A sync tool truncating and rewriting a large file once the copy has begun to copy it: a backup
// that is placed holds one version of the file as it was at one moment, never the old bytes cut
// where the rewrite caught them nor a mix of old and new.
class SyncDuringCopy : public DiskFileSystem {
  public:
    CopyOutcome copyFolder(const std::string& from, const std::string& to, const FolderCopy& how) override {
        std::atomic<bool> done{false};
        std::thread sync([&] {
            const fs::path copied = fs::path(to) / "data.bin";
            std::error_code ec;
            while (!done && (!fs::exists(copied, ec) || fs::file_size(copied, ec) == 0)) std::this_thread::yield();
            if (!done) test::writeFile(fs::path(from) / "data.bin", newer);
        });
        try {
            const CopyOutcome outcome = DiskFileSystem::copyFolder(from, to, how);
            done = true;
            sync.join();
            return outcome;
        } catch (...) {
            done = true;
            sync.join();
            throw;
        }
    }
    const std::string older = std::string(32 << 20, 'o'), newer = std::string((32 << 20) + 4096, 'n');
};

TEST(RunOnDisk, AFileRewrittenDuringTheCopyIsNeverCutInAPlacedBackup) {
    const fs::path root = test::freshTestFolder("run-on-disk");
    SyncDuringCopy disk;
    test::writeFile(root / "A.frm", kForm);
    test::writeFile(root / "data.bin", disk.older);
    FixedOptions options;
    options.selectAllFamilies(Edition::V40);
    const auto run = test::runFolder(disk, root.string(), {"A.frm"}, options);
    if (run.result.backupPlaced) {
        const std::string copy = test::readFile(root / test::kBackupName / "data.bin");
        const bool newerSoFar = copy.find_first_not_of('n') == std::string::npos;  // read while being written
        EXPECT_TRUE(copy == disk.older || newerSoFar) << copy.size() << " bytes, " << copy.front() << copy.back();
    } else {
        ASSERT_FALSE(run.host.errors.empty());
        EXPECT_NE(run.host.errors[0].find("data.bin: it kept changing while it was being copied"), std::string::npos)
            << run.host.errors[0];
    }
    fs::remove_all(root);
}

}  // namespace
}  // namespace tavkonv40
