// A run on the real disk while another program rewrites a file the backup copy is copying.
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
        EXPECT_TRUE(test::holds(run.host.errors[0], "data.bin: it kept changing while it was being copied"));
    }
    fs::remove_all(root);
}

}  // namespace
}  // namespace tavkonv40
