// The Windows file store's own behaviour: file attributes, links (symbolic links and junctions
// alike), names outside the ANSI code page, the lock. What every store does is in
// file_store_contract_test.cpp.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "tests/platform/disk_test_support.h"
#include "platform/disk_file_system.h"
#include "engine/text_util.h"
#include "platform/windows_text.h"

namespace fs = std::filesystem;

namespace tavkonv40 {
namespace {

class WindowsDiskTest : public ::testing::Test {
  protected:
    void SetUp() override { root = windows::narrow(test::freshTestFolder("windisk").wstring()); }
    void TearDown() override { disk.removeFolder(root); }
    std::string at(const std::string& name) const { return root + "\\" + name; }
    void put(const std::string& name, const std::string& bytes) { disk.createFile(at(name), bytes); }
    DWORD attributes(const std::string& name) const { return ::GetFileAttributesW(windows::widen(at(name)).c_str()); }
    // Makes a symbolic link; false where none can be made (this account may not, or Wine, which
    // answers success but makes no link at all).
    bool link(const std::string& name, const std::string& target, DWORD flags = 0) const {
        const std::wstring path = windows::widen(at(name));
        return ::CreateSymbolicLinkW(path.c_str(), windows::widen(target).c_str(),
                                     flags | SYMBOLIC_LINK_FLAG_ALLOW_UNPRIVILEGED_CREATE) &&
               ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
    }
    // The cause of the FileError `f` throws.
    template <typename F>
    static std::string causeOf(F f) {
        const auto e = test::errorOf(f);
        return e ? e->cause() : "(no error)";
    }

    std::string root;
    DiskFileSystem disk;
};

TEST_F(WindowsDiskTest, NamesInsideAndOutsideTheAnsiCodePageWithBlanks) {
    // e-acute is in every Western code page; Cyrillic and CJK are not in code page 1252.
    const std::string folder = "Projekt \xc3\xa9t\xc3\xa9 \xd0\x9f\xd1\x80\xd0\xbe \xe6\xbc\xa2\xe5\xad\x97";
    disk.createFolder(at(folder));
    put(folder + "\\F\xc3\xb6rm \xe6\xbc\xa2.frm", "x");
    const auto names = disk.listFolder(at(folder));
    ASSERT_EQ(names.size(), 1u);
    EXPECT_EQ(names[0], "F\xc3\xb6rm \xe6\xbc\xa2.frm");
    ASSERT_EQ(disk.copyFolder(at(folder), at("copy"), {}), CopyOutcome::Complete);
    EXPECT_EQ(disk.readFile(at("copy\\F\xc3\xb6rm \xe6\xbc\xa2.frm")), "x");
    disk.renameFolder(at("copy"), at(folder + "\\backup"));
    EXPECT_TRUE(disk.isFolder(at(folder + "\\backup")));
}

TEST_F(WindowsDiskTest, LinksAreCopiedAsLinksAndTheirTargetIsRewritten) {
    put("real.frm", "old");
    disk.createFolder(at("src"));
    if (!link("src\\link.frm", at("real.frm"))) GTEST_SKIP() << "no symbolic links here";
    ASSERT_TRUE(link("src\\up", root, SYMBOLIC_LINK_FLAG_DIRECTORY));
    EXPECT_TRUE(disk.isSymbolicLink(at("src\\link.frm")));
    EXPECT_TRUE(disk.isSymbolicLink(at("src\\up")));
    EXPECT_FALSE(disk.isFolder(at("src\\up"))) << "a link to a folder is not a folder";

    disk.writeFile(at("src\\link.frm"), "new");
    EXPECT_TRUE(disk.isSymbolicLink(at("src\\link.frm")));
    EXPECT_EQ(disk.readFile(at("real.frm")), "new");

    disk.copyFolder(at("src"), at("copy"), {});
    EXPECT_TRUE(disk.isSymbolicLink(at("copy\\link.frm")));
    EXPECT_TRUE(disk.isSymbolicLink(at("copy\\up")));
    disk.removeFolder(at("copy"));
    EXPECT_EQ(disk.readFile(at("real.frm")), "new") << "removing a copy never follows its links";
}

TEST_F(WindowsDiskTest, AnOpenLockIsSeenByOthersAndAStaleOneIsTakenOver) {
    ASSERT_TRUE(disk.lockFolder(root).taken);
    DiskFileSystem other;  // asks as another run would: the open lock file says it is held
    EXPECT_EQ(other.lockHolder(root), static_cast<long>(::GetCurrentProcessId()));
    disk.unlockFolder(root);
    EXPECT_EQ(other.lockHolder(root), 0);
    // A lock whose process is gone (no process has id 0x7ffffffc); taking it over also clears
    // what killed runs left, a read-only temporary included.
    put(kLockFileName, "2147483644\n");
    EXPECT_EQ(disk.lockHolder(root), 0) << "nobody holds it open";
    put(".a.frm.x1y2z3.tavkonv40-tmp", "half");
    put(".tavkonv40.lock.q1w2e3.tavkonv40-tmp", "123\n");
    ::SetFileAttributesW(windows::widen(at(".a.frm.x1y2z3.tavkonv40-tmp")).c_str(), FILE_ATTRIBUTE_READONLY);
    put("notes.tavkonv40-tmp", "a user's file");
    EXPECT_TRUE(disk.lockFolder(root).taken);
    disk.unlockFolder(root);
    EXPECT_EQ(disk.listFolder(root), std::vector<std::string>{"notes.tavkonv40-tmp"});
    // A lock naming a running process that does not hold it (its id given again after the run
    // that wrote it was killed) is stale all the same.
    put(kLockFileName, std::to_string(::GetCurrentProcessId()) + "\n");
    EXPECT_TRUE(disk.lockFolder(root).taken);
    disk.unlockFolder(root);
}

// A folder restore makes again looks as the backup's: hidden stays hidden.
TEST_F(WindowsDiskTest, AFolderTakesTheAttributesOfItsModel) {
    disk.createFolder(at("model"));
    ::SetFileAttributesW(windows::widen(at("model")).c_str(), FILE_ATTRIBUTE_HIDDEN);
    disk.createFolder(at("made"));
    disk.giveFolderAttributes(at("made"), at("model"));
    EXPECT_TRUE(attributes("made") & FILE_ATTRIBUTE_HIDDEN);
    EXPECT_TRUE(attributes("made") & FILE_ATTRIBUTE_DIRECTORY);
}

FILETIME writtenAt(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    ::GetFileAttributesExW(windows::widen(path).c_str(), GetFileExInfoStandard, &data);
    return data.ftLastWriteTime;
}

// A replaced or created file looks as its model; a rewrite keeps the look; read-only is said so.
TEST_F(WindowsDiskTest, ReplaceTakesTheModelsLookAndARewriteKeepsIt) {
    put("model.frm", "backup");
    HANDLE h = ::CreateFileW(windows::widen(at("model.frm")).c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING,
                             0, nullptr);
    const FILETIME old{0x12345600, 0x01d00000};  // 2015
    ::SetFileTime(h, nullptr, nullptr, &old);
    ::CloseHandle(h);
    ::SetFileAttributesW(windows::widen(at("model.frm")).c_str(), FILE_ATTRIBUTE_HIDDEN);
    put("a.frm", "converted");
    disk.replaceFile(at("a.frm"), "backup", at("model.frm"));
    disk.replaceFile(at("new.frm"), "backup", at("model.frm"));
    for (const char* name : {"a.frm", "new.frm"}) {
        EXPECT_EQ(disk.readFile(at(name)), "backup");
        EXPECT_TRUE(attributes(name) & FILE_ATTRIBUTE_HIDDEN) << name;
        const FILETIME written = writtenAt(at(name));
        EXPECT_EQ(::CompareFileTime(&old, &written), 0) << name;
    }
    disk.writeFile(at("a.frm"), "new");
    EXPECT_TRUE(attributes("a.frm") & FILE_ATTRIBUTE_HIDDEN);
    ::SetFileAttributesW(windows::widen(at("a.frm")).c_str(), FILE_ATTRIBUTE_READONLY);
    EXPECT_EQ(causeOf([&] { disk.checkReplaceable(at("a.frm")); }), "the file is read-only");
    EXPECT_EQ(causeOf([&] { disk.writeFile(at("a.frm"), "x"); }), "the file is read-only");
    ::SetFileAttributesW(windows::widen(at("a.frm")).c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(WindowsDiskTest, EntryInfoAndRealPathWithoutOpeningForReading) {
    put("a.frm", "12345");
    disk.createFolder(at("dir"));
    EXPECT_GT(disk.entryInfo(at("a.frm")).changed, std::int64_t{1600000000} * 1000000000) << "nanoseconds since 1970";
    EXPECT_EQ(disk.realPath(at("dir\\..\\a.frm")).find("\\\\?\\"), std::string::npos);
    EXPECT_EQ(fileNameOf(disk.realPath(at("dir\\..\\a.frm"))), "a.frm");
    EXPECT_EQ(causeOf([&] { disk.readFile("NUL"); }), "it is a device, not a regular file");
}

TEST_F(WindowsDiskTest, ReplaceReplacesALinkAndLeavesItsTargetAlone) {
    put("real.frm", "target");
    put("model.frm", "backup");
    if (!link("link.frm", at("real.frm"))) GTEST_SKIP() << "no symbolic links here";
    const EntryInfo link = disk.entryInfo(at("link.frm"));
    EXPECT_EQ(link.type, EntryType::SymbolicLink);
    EXPECT_EQ(link.target, EntryType::RegularFile);
    EXPECT_EQ(link.size, 6u);
    EXPECT_EQ(fileNameOf(disk.realPath(at("link.frm"))), "real.frm");
    disk.replaceFile(at("link.frm"), "backup", at("model.frm"));
    EXPECT_FALSE(disk.isSymbolicLink(at("link.frm")));
    EXPECT_EQ(disk.readFile(at("link.frm")), "backup");
    EXPECT_EQ(disk.readFile(at("real.frm")), "target");
}

}  // namespace
}  // namespace tavkonv40
