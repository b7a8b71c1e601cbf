// The same scenarios against the disk store and the in-memory store the engine's tests run on:
// what those tests prove on the memory store holds on the disk as far as the two behave alike here.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "engine/text_util.h"
#include "platform/disk_file_system.h"
#include "testing/memory_file_system.h"
#include "tests/platform/disk_test_support.h"

#ifdef _WIN32
#include <windows.h>

#include "platform/windows_text.h"
#endif

namespace tavkonv40 {
namespace {

struct DiskStore {
    ~DiskStore() { fs.removeFolder(root); }
#ifdef _WIN32
    static constexpr char kSeparator = '\\';
    void makeReadOnly(const std::string& p) {
        ::SetFileAttributesW(windows::widen(p).c_str(), FILE_ATTRIBUTE_READONLY);
    }
    std::string root = windows::narrow(test::freshTestFolder("store").wstring());
#else
    static constexpr char kSeparator = '/';
    void makeReadOnly(const std::string& p) { std::filesystem::permissions(p, std::filesystem::perms(0444)); }
    std::string root = test::freshTestFolder("store").string();
#endif
    DiskFileSystem fs;
};

struct MemoryStore {
    static constexpr char kSeparator = '/';
    MemoryStore() { fs.addFolder(root); }
    void makeReadOnly(const std::string& p) { fs.setReadOnly(p); }
    std::string root = "/store";
    MemoryFileSystem fs;
};

template <typename Store>
class FileStoreContract : public ::testing::Test {
  protected:
    std::string at(std::string name) const {
        std::replace(name.begin(), name.end(), '/', Store::kSeparator);
        return store.root + Store::kSeparator + name;
    }
    // Folders end in "/"; each file holds its own name.
    void make(const std::vector<std::string>& entries) {
        for (const auto& e : entries)
            e.ends_with('/') ? store.fs.createFolder(at(e.substr(0, e.size() - 1)))
                             : store.fs.createFile(at(e), std::string(fileNameOf(e)));
    }
    // What make() takes, for everything under `name`, sorted; each file must hold its own name.
    std::vector<std::string> tree(const std::string& name = {}, const std::string& below = {}) {
        std::vector<std::string> found;
        for (const auto& n : store.fs.listFolder(name.empty() ? store.root : at(name))) {
            const std::string path = name.empty() ? n : name + "/" + n;
            if (store.fs.isFolder(at(path))) {
                found.push_back(below + n + "/");
                for (auto& e : tree(path, below + n + "/")) found.push_back(std::move(e));
            } else {
                EXPECT_EQ(store.fs.readFile(at(path)), n) << path;
                found.push_back(below + n);
            }
        }
        std::sort(found.begin(), found.end());
        return found;
    }

    Store store;
};

using Stores = ::testing::Types<DiskStore, MemoryStore>;
TYPED_TEST_SUITE(FileStoreContract, Stores);

TYPED_TEST(FileStoreContract, WritesPassBytesUntranslatedReplaceWholeAndRefuseReadOnlyFilesAndFolders) {
    FileSystem& fs = this->store.fs;
    const std::string a = this->at("a.frm");
    // LF stays LF, CR LF stays CR LF, 0x1A (end of file to a text-mode reader) and NUL are bytes.
    const std::string bytes = std::string("a\nb\r\nc\x1a") + '\0' + "d\r";
    this->make({"a.frm"});
    fs.writeFile(a, bytes);
    EXPECT_EQ(fs.readFile(a), bytes);
    fs.replaceFile(a, "a.frm", a);
    fs.replaceFile(this->at("new.frm"), "new.frm", a);
    EXPECT_THROW(fs.createFile(a, "x"), FileError);
    EXPECT_THROW(fs.createFile(this->at("nowhere/x.frm"), "x"), FileError);
    EXPECT_THROW(fs.createFolder(a), FileError);
    EXPECT_EQ(this->tree(), (std::vector<std::string>{"a.frm", "new.frm"})) << "no temporary left";

    // Read-only files and folders are refused before anything is written.
    this->make({"sub/", "sub/ro.frm", "dir.frm/"});
    this->store.makeReadOnly(this->at("sub/ro.frm"));
    for (const auto& path : {this->at("sub/ro.frm"), this->at("dir.frm")}) {
        EXPECT_THROW(fs.checkWritable(path), FileError) << path;
        EXPECT_THROW(fs.writeFile(path, "x"), FileError) << path;
        EXPECT_THROW(fs.checkReplaceable(path), FileError) << path;
        EXPECT_THROW(fs.replaceFile(path, "x", path), FileError) << path;
    }
    EXPECT_THROW(fs.checkReplaceable(this->at("nowhere/x.frm")), FileError);
    EXPECT_EQ(this->tree(), (std::vector<std::string>{"a.frm", "dir.frm/", "new.frm", "sub/", "sub/ro.frm"}));
    fs.removeFolder(this->at("sub"));
    EXPECT_EQ(this->tree(), (std::vector<std::string>{"a.frm", "dir.frm/", "new.frm"})) << "read-only is no obstacle";
}

TYPED_TEST(FileStoreContract, EntriesAreToldApartAndFailuresNameThePathAndTheCause) {
    FileSystem& fs = this->store.fs;
    const std::string file = this->at("a.frm"), folder = this->at("dir.frm"), gone = this->at("gone.frm");
    this->make({"a.frm", "dir.frm/"});
    const EntryInfo info = fs.entryInfo(file);
    EXPECT_EQ(info.type, EntryType::RegularFile);
    EXPECT_EQ(info.target, EntryType::RegularFile);
    EXPECT_EQ(info.size, 5u);
    EXPECT_EQ(fs.entryInfo(folder).type, EntryType::Folder);
    EXPECT_EQ(fs.entryInfo(gone).type, EntryType::Missing);
    EXPECT_TRUE(fs.isFolder(folder));
    EXPECT_FALSE(fs.isFolder(file) || fs.isSymbolicLink(file));
    EXPECT_EQ(fs.realPath(gone), gone);
    for (const auto& path : {folder, gone}) {
        const auto e = test::errorOf([&] { fs.readFile(path); });
        ASSERT_TRUE(e) << path << " was read";
        EXPECT_EQ(e->path(), path);
        EXPECT_EQ(e->cause() == "Is a directory", path == folder) << e->cause();
        EXPECT_FALSE(e->cause().ends_with('.') || e->cause().find('\n') != std::string::npos) << e->cause();
    }
    EXPECT_THROW(fs.listFolder(this->at("nowhere")), FileError);
}

TYPED_TEST(FileStoreContract, CopyLeavesOutWhatItIsToldStopsWhenAskedAndNeitherItNorRenameReplaces) {
    FileSystem& fs = this->store.fs;
    const auto at = [this](const std::string& name) { return this->at(name); };
    this->make({"src/", "src/a.frm", "src/b.frm", "src/sub/", "src/sub/c.ctl", "src/sub/skip/", "src/sub/skip/d.frm",
                "src/skip/", "src/skip/e.frm"});
    FolderCopy how{[](const std::string& n) { return n == "skip"; }, nullptr};
    fs.checkFolderCopy(at("src"), at("copy"), how);
    ASSERT_EQ(fs.copyFolder(at("src"), at("copy"), how), CopyOutcome::Complete);
    const std::vector<std::string> copied{"a.frm", "b.frm", "sub/", "sub/c.ctl"};
    EXPECT_EQ(this->tree("copy"), copied) << "left out at any depth";
    EXPECT_THROW(fs.copyFolder(at("src"), at("copy"), how), FileError);
    EXPECT_THROW(fs.copyFolder(at("nowhere"), at("copy2"), {}), FileError);
    EXPECT_THROW(fs.checkFolderCopy(at("nowhere"), at("copy2"), {}), FileError);

    int asked = 0;
    how.stop = [&asked] { return ++asked > 1; };
    EXPECT_EQ(fs.copyFolder(at("src"), at("stopped"), how), CopyOutcome::Stopped);
    const auto stopped = this->tree("stopped");
    EXPECT_EQ(std::count_if(stopped.begin(), stopped.end(), [](const auto& e) { return !e.ends_with('/'); }), 1)
        << "asked between files";

    EXPECT_THROW(fs.renameFolder(at("stopped"), at("copy")), FileError);
    fs.renameFolder(at("copy"), at("renamed"));
    EXPECT_EQ(this->tree("renamed"), copied);
    EXPECT_EQ(this->tree("stopped"), stopped);
    EXPECT_NO_THROW(fs.flushFileSystem(this->store.root));
}

// What another program removes while the backup is made is no reason to refuse it. The hook that
// names what to leave out runs after each folder is listed, where such a removal lands.
TYPED_TEST(FileStoreContract, EntriesGoneBeforeTheCopyReachesThemAreLeftOutOfIt) {
    FileSystem& fs = this->store.fs;
    const auto at = [this](const std::string& name) { return this->at(name); };
    const std::vector<std::string> tree{"src/",        "src/a.frm", "src/b.frm~",    "src/c.frm",    "src/obj/",
                                        "src/obj/x.o", "src/sub/",  "src/sub/d.frm", "src/sub/e.tmp"};
    const FolderCopy how{[&](const std::string& name) {
                             for (const char* other : {"src/b.frm~", "src/obj"})
                                 if (name == "a.frm") fs.removeFolder(at(other));
                             if (name == "d.frm") fs.removeFolder(at("src/sub/e.tmp"));
                             return false;
                         },
                         nullptr};
    this->make(tree);
    EXPECT_NO_THROW(fs.checkFolderCopy(at("src"), at("copy"), how));
    fs.removeFolder(at("src"));
    this->make(tree);
    ASSERT_EQ(fs.copyFolder(at("src"), at("copy"), how), CopyOutcome::Complete);
    EXPECT_EQ(this->tree("copy"), (std::vector<std::string>{"a.frm", "c.frm", "sub/", "sub/d.frm"}));
}

// A folder at the lock's name is no lock: refused at once, saying what it is, never taken for a run's.
TYPED_TEST(FileStoreContract, TheLockIsExclusiveTakingItClearsWhatKilledRunsLeftAndOnlyAFileIsALock) {
    FileSystem& fs = this->store.fs;
    const std::string root = this->store.root;
    // Temporaries killed runs left (a rewrite's, a lock's) go once the lock is taken; a visible
    // name with the same ending and a folder are a user's and stay.
    this->make({".a.frm.x1y2z3.tavkonv40-tmp", ".tavkonv40.lock.q1w2e3.tavkonv40-tmp", "notes.tavkonv40-tmp",
                ".d.tavkonv40-tmp/"});
    EXPECT_EQ(fs.lockHolder(root), 0);
    ASSERT_TRUE(fs.lockFolder(root).taken);
    const FolderLock second = fs.lockFolder(root);
    EXPECT_FALSE(second.taken);
    EXPECT_NE(second.holder, 0);
    EXPECT_EQ(fs.lockHolder(root), second.holder);
    fs.unlockFolder(root);
    EXPECT_EQ(fs.lockHolder(root), 0);
    EXPECT_EQ(this->tree(), (std::vector<std::string>{".d.tavkonv40-tmp/", "notes.tavkonv40-tmp"}));

    const std::string lock = this->at(kLockFileName);
    fs.createFolder(lock);
    const auto e = test::errorOf([&] { fs.lockFolder(root); });
    ASSERT_TRUE(e) << "taken";
    EXPECT_EQ(e->cause(), lock + " is a folder, not a lock this tool made; remove or rename it, then run again");
    EXPECT_EQ(fs.lockHolder(root), 0);
}

}  // namespace
}  // namespace tavkonv40
