// The same scenarios against the disk store and the in-memory store the engine's tests run on:
// whatever the engine's tests prove on the memory store holds on the disk only as far as the two
// behave alike here.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>

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
    DiskStore() {
#ifdef _WIN32
        root = windows::narrow(test::freshTestFolder("store").wstring());
#else
        root = test::freshTestFolder("store").string();
#endif
    }
    ~DiskStore() {
        try {
            fs.removeFolder(root);
        } catch (const FileError&) {}
    }
    std::string at(std::string name) const {
#ifdef _WIN32
        std::replace(name.begin(), name.end(), '/', '\\');
        return root + "\\" + name;
#else
        return root + "/" + name;
#endif
    }
    void makeReadOnly(const std::string& path) {
#ifdef _WIN32
        ::SetFileAttributesW(windows::widen(path).c_str(), FILE_ATTRIBUTE_READONLY);
#else
        std::filesystem::permissions(path, std::filesystem::perms(0444));
#endif
    }

    DiskFileSystem fs;
    std::string root;
};

struct MemoryStore {
    MemoryStore() { fs.addFolder(root); }
    std::string at(const std::string& name) const { return root + "/" + name; }
    void makeReadOnly(const std::string& path) { fs.setReadOnly(path); }

    MemoryFileSystem fs;
    std::string root = "/store";
};

template <typename Store>
class FileStoreContract : public ::testing::Test {
  protected:
    std::string at(const std::string& name) const { return store.at(name); }
    void put(const std::string& name, const std::string& bytes) { fs.createFile(at(name), bytes); }
    void folder(const std::string& name) { fs.createFolder(at(name)); }
    std::vector<std::string> names(const std::string& name = {}) {
        auto listed = fs.listFolder(name.empty() ? store.root : at(name));
        std::sort(listed.begin(), listed.end());
        return listed;
    }
    // Every file under `name` by its path below it, with its bytes; folders as "folder".
    std::map<std::string, std::string> tree(const std::string& name, const std::string& below = {}) {
        std::map<std::string, std::string> found;
        for (const auto& n : fs.listFolder(at(name))) {
            const std::string rel = below.empty() ? n : below + "/" + n;
            if (fs.isFolder(at(name + "/" + n))) {
                found[rel] = "folder";
                found.merge(tree(name + "/" + n, rel));
            } else {
                found[rel] = fs.readFile(at(name + "/" + n));
            }
        }
        return found;
    }
    // The FileError `f` throws; the test fails when it throws none.
    template <typename F>
    static FileError errorOf(F f) {
        try {
            f();
        } catch (const FileError& e) {
            return e;
        }
        ADD_FAILURE() << "no FileError";
        return FileError("", "");
    }

    Store store;
    FileSystem& fs = store.fs;
};

using Stores = ::testing::Types<DiskStore, MemoryStore>;
TYPED_TEST_SUITE(FileStoreContract, Stores);

TYPED_TEST(FileStoreContract, BytesPassUntranslatedAndWritesReplaceWholeLeavingNothingBeside) {
    // LF stays LF, CR LF stays CR LF, 0x1A (end of file to a text-mode reader) and NUL are bytes.
    const std::string bytes = std::string("a\nb\r\nc\x1a") + '\0' + "d\r";
    this->put("a.frm", "old");
    this->fs.writeFile(this->at("a.frm"), bytes);
    EXPECT_EQ(this->fs.readFile(this->at("a.frm")), bytes);
    this->fs.replaceFile(this->at("a.frm"), "back", this->at("a.frm"));
    this->fs.replaceFile(this->at("new.frm"), "made", this->at("a.frm"));
    EXPECT_EQ(this->fs.readFile(this->at("a.frm")), "back");
    EXPECT_EQ(this->fs.readFile(this->at("new.frm")), "made");
    EXPECT_EQ(this->names(), (std::vector<std::string>{"a.frm", "new.frm"})) << "no temporary left";

    EXPECT_THROW(this->fs.createFile(this->at("a.frm"), "x"), FileError) << "create never replaces";
    EXPECT_THROW(this->fs.createFile(this->at("nowhere/x.frm"), "x"), FileError);
    EXPECT_THROW(this->fs.createFolder(this->at("a.frm")), FileError);
    EXPECT_THROW(this->fs.createFolder(this->at("nowhere/sub")), FileError);
    EXPECT_EQ(this->fs.readFile(this->at("a.frm")), "back");
}

TYPED_TEST(FileStoreContract, ReadOnlyFilesAndFoldersAreRefusedBeforeAnythingIsWritten) {
    this->folder("sub");
    this->put("sub/ro.frm", "keep");
    this->store.makeReadOnly(this->at("sub/ro.frm"));
    this->folder("dir.frm");
    for (const char* name : {"sub/ro.frm", "dir.frm"}) {
        const std::string path = this->at(name);
        EXPECT_THROW(this->fs.checkWritable(path), FileError) << name;
        EXPECT_THROW(this->fs.writeFile(path, "x"), FileError) << name;
        EXPECT_THROW(this->fs.checkReplaceable(path), FileError) << name;
        EXPECT_THROW(this->fs.replaceFile(path, "x", path), FileError) << name;
    }
    EXPECT_THROW(this->fs.checkReplaceable(this->at("nowhere/x.frm")), FileError);
    EXPECT_EQ(this->fs.readFile(this->at("sub/ro.frm")), "keep");
    this->fs.removeFolder(this->at("sub"));
    EXPECT_EQ(this->names(), std::vector<std::string>{"dir.frm"}) << "a read-only file is no obstacle";
}

TYPED_TEST(FileStoreContract, EntriesAreToldApartAndFailuresNameThePathAndTheCause) {
    this->put("a.frm", "12345");
    this->folder("dir.frm");
    const EntryInfo file = this->fs.entryInfo(this->at("a.frm"));
    EXPECT_EQ(file.type, EntryType::RegularFile);
    EXPECT_EQ(file.target, EntryType::RegularFile);
    EXPECT_EQ(file.size, 5u);
    EXPECT_EQ(this->fs.entryInfo(this->at("dir.frm")).type, EntryType::Folder);
    EXPECT_EQ(this->fs.entryInfo(this->at("gone.frm")).type, EntryType::Missing);
    EXPECT_TRUE(this->fs.isFolder(this->at("dir.frm")));
    EXPECT_FALSE(this->fs.isFolder(this->at("a.frm")));
    EXPECT_FALSE(this->fs.isSymbolicLink(this->at("a.frm")));
    EXPECT_EQ(this->fs.realPath(this->at("gone.frm")), this->at("gone.frm"));
    EXPECT_TRUE(entryExists(this->fs, this->at("a.frm")));
    EXPECT_FALSE(entryExists(this->fs, this->at("gone.frm")));

    EXPECT_EQ(this->errorOf([&] { this->fs.readFile(this->at("dir.frm")); }).cause(), "Is a directory");
    const FileError gone = this->errorOf([&] { this->fs.readFile(this->at("gone.frm")); });
    EXPECT_EQ(gone.path(), this->at("gone.frm"));
    ASSERT_FALSE(gone.cause().empty());
    EXPECT_NE(gone.cause().back(), '.');
    EXPECT_EQ(gone.cause().find('\n'), std::string::npos);
    EXPECT_THROW(this->fs.listFolder(this->at("nowhere")), FileError);
}

TYPED_TEST(FileStoreContract, CopyLeavesOutWhatItIsToldAtAnyDepthAndStopsWhenAsked) {
    this->folder("src");
    this->folder("src/sub");
    this->folder("src/sub/skip");
    this->folder("src/skip");
    this->put("src/a.frm", "a");
    this->put("src/b.frm", "b");
    this->put("src/sub/c.ctl", "c");
    this->put("src/sub/skip/d.frm", "d");
    this->put("src/skip/e.frm", "e");
    FolderCopy how{[](const std::string& n) { return n == "skip"; }, nullptr};
    this->fs.checkFolderCopy(this->at("src"), this->at("copy"), how);
    ASSERT_EQ(this->fs.copyFolder(this->at("src"), this->at("copy"), how), CopyOutcome::Complete);
    EXPECT_EQ(this->tree("copy"), (std::map<std::string, std::string>{
                                      {"a.frm", "a"}, {"b.frm", "b"}, {"sub", "folder"}, {"sub/c.ctl", "c"}}));
    EXPECT_THROW(this->fs.copyFolder(this->at("src"), this->at("copy"), how), FileError) << "never into what exists";

    int asked = 0;
    how.stop = [&asked] { return ++asked > 1; };
    EXPECT_EQ(this->fs.copyFolder(this->at("src"), this->at("stopped"), how), CopyOutcome::Stopped);
    const auto stopped = this->tree("stopped");
    EXPECT_EQ(std::count_if(stopped.begin(), stopped.end(), [](const auto& e) { return e.second != "folder"; }), 1)
        << "asked between files";
    EXPECT_THROW(this->fs.copyFolder(this->at("nowhere"), this->at("copy2"), {}), FileError);
    EXPECT_THROW(this->fs.checkFolderCopy(this->at("nowhere"), this->at("copy2"), {}), FileError);
}

// An editor's temporary file, a build output or a whole folder of them removed while the backup is
// made is no reason to refuse the backup: the copy is whole for what still exists. The hook that
// names what to leave out runs after each folder is listed and before its entries are looked at,
// which is where another program's removal lands.
TYPED_TEST(FileStoreContract, EntriesGoneBeforeTheCopyReachesThemAreLeftOutOfIt) {
    const auto makeTree = [&] {
        this->folder("src");
        this->folder("src/obj");
        this->folder("src/sub");
        for (const char* n : {"a.frm", "b.frm~", "c.frm", "obj/x.o", "sub/d.frm", "sub/e.tmp"})
            this->put(std::string("src/") + n, n);
    };
    const FolderCopy how{[&](const std::string& name) {
                             if (name == "a.frm") {
                                 this->fs.removeFolder(this->at("src/b.frm~"));
                                 this->fs.removeFolder(this->at("src/obj"));
                             }
                             if (name == "d.frm") this->fs.removeFolder(this->at("src/sub/e.tmp"));
                             return false;
                         },
                         nullptr};
    makeTree();
    EXPECT_NO_THROW(this->fs.checkFolderCopy(this->at("src"), this->at("copy"), how));
    this->fs.removeFolder(this->at("src"));
    makeTree();
    ASSERT_EQ(this->fs.copyFolder(this->at("src"), this->at("copy"), how), CopyOutcome::Complete);
    EXPECT_EQ(this->tree("copy"),
              (std::map<std::string, std::string>{
                  {"a.frm", "a.frm"}, {"c.frm", "c.frm"}, {"sub", "folder"}, {"sub/d.frm", "sub/d.frm"}}));
}

TYPED_TEST(FileStoreContract, RenameRefusesAnExistingNameAndKeepsBoth) {
    this->folder("a");
    this->folder("b");
    this->put("a/x", "1");
    this->put("b/y", "2");
    EXPECT_THROW(this->fs.renameFolder(this->at("a"), this->at("b")), FileError);
    EXPECT_EQ(this->fs.readFile(this->at("b/y")), "2");
    this->fs.renameFolder(this->at("a"), this->at("c"));
    EXPECT_EQ(this->fs.readFile(this->at("c/x")), "1");
    EXPECT_EQ(this->names(), (std::vector<std::string>{"b", "c"}));
    EXPECT_NO_THROW(this->fs.flushFileSystem(this->store.root));
}

TYPED_TEST(FileStoreContract, TheLockIsExclusiveAndTakingItClearsWhatKilledRunsLeft) {
    const std::string root = this->store.root;
    EXPECT_EQ(this->fs.lockHolder(root), 0);
    // Temporaries killed runs left (a rewrite's, a lock's) go once the lock is taken; a visible
    // name with the same ending and a folder are a user's and stay.
    this->put(".a.frm.x1y2z3.tavkonv40-tmp", "half");
    this->put(".tavkonv40.lock.q1w2e3.tavkonv40-tmp", "123\n");
    this->put("notes.tavkonv40-tmp", "a user's file");
    this->folder(".d.tavkonv40-tmp");
    ASSERT_TRUE(this->fs.lockFolder(root).taken);
    EXPECT_EQ(this->names(), (std::vector<std::string>{".d.tavkonv40-tmp", kLockFileName, "notes.tavkonv40-tmp"}));
    const FolderLock second = this->fs.lockFolder(root);
    EXPECT_FALSE(second.taken);
    EXPECT_NE(second.holder, 0);
    EXPECT_EQ(this->fs.lockHolder(root), second.holder);
    this->fs.unlockFolder(root);
    EXPECT_EQ(this->fs.lockHolder(root), 0);
    EXPECT_EQ(this->names(), (std::vector<std::string>{".d.tavkonv40-tmp", "notes.tavkonv40-tmp"}));
}

}  // namespace
}  // namespace tavkonv40
