// Extended attributes and POSIX ACLs on disk: kept through a rewrite, the backup copy and a restore,
// and one warning per file where the receiving file system refuses them.
#include <gtest/gtest.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/wait.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <array>
#include <cstdint>
#include <filesystem>

#include "platform/disk_file_system.h"
#include "tests/platform/disk_test_support.h"

namespace fs = std::filesystem;

namespace tavkonv40 {
namespace {

class AttributesTest : public test::DiskFolderTest {
  protected:
    DiskFileSystem disk;
};

// An ACL with an entry for one more user (user:nobody:rw-) over group::r--, in the kernel's form
// of the system.posix_acl_access attribute: a version word, then tag, permissions and id per entry.
std::string aclGivingNobodyReadWrite() {
    std::string acl;
    const auto add = [&acl](std::uint32_t word) { acl.append(reinterpret_cast<const char*>(&word), 4); };
    add(2);  // version
    for (const auto [tag, perm, id] : {std::array<std::uint32_t, 3>{0x01, 6, ~0u},
                                       {0x02, 6, 65534},
                                       {0x04, 4, ~0u},
                                       {0x10, 6, ~0u},
                                       {0x20, 0, ~0u}}) {
        add(tag | perm << 16);
        add(id);
    }
    return acl;
}

// The attributes a test looks at, as the kernel gives them back ("" when absent).
std::string attribute(const fs::path& p, const char* name) {
    std::string value(4096, '\0');
    const ssize_t n = ::getxattr(p.c_str(), name, value.data(), value.size());
    value.resize(n < 0 ? 0 : static_cast<std::size_t>(n));
    return value;
}

// What `cp -a` keeps: the ACL (which would otherwise turn group::r-- into the mask's rw-) and the
// extended attributes (a Samba share keeps a file's Windows attributes in user.DOSATTRIB), on the
// rewritten file, on both files and folders of the backup copy, and on what is put back from it.
TEST_F(AttributesTest, AclsAndExtendedAttributesAreKeptThroughRewriteCopyAndRestore) {
    put(root / "src" / "sub" / "a.frm", "old");
    const fs::path file = root / "src" / "sub" / "a.frm", folder = root / "src" / "sub";
    const std::string acl = aclGivingNobodyReadWrite();
    for (const auto& p : {file, folder}) {
        if (::setxattr(p.c_str(), "user.DOSATTRIB", "0x20", 4, 0) != 0 ||
            ::setxattr(p.c_str(), "system.posix_acl_access", acl.data(), acl.size(), 0) != 0)
            GTEST_SKIP() << "no extended attributes or ACLs here";
    }
    const auto keeps = [&](const fs::path& p, const fs::path& model) {
        EXPECT_EQ(attribute(p, "user.DOSATTRIB"), "0x20") << p;
        EXPECT_EQ(attribute(p, "system.posix_acl_access"), attribute(model, "system.posix_acl_access")) << p;
        EXPECT_EQ(fs::status(p).permissions(), fs::status(model).permissions()) << p;
    };
    const std::string original = attribute(file, "system.posix_acl_access");
    disk.writeFile(file.string(), "new");
    keeps(file, folder);
    EXPECT_EQ(attribute(file, "system.posix_acl_access"), original);
    ASSERT_EQ(disk.copyFolder((root / "src").string(), (root / "copy").string(), {}), CopyOutcome::Complete);
    keeps(root / "copy" / "sub" / "a.frm", file);
    keeps(root / "copy" / "sub", folder);
    disk.replaceFile(file.string(), "back", (root / "copy" / "sub" / "a.frm").string());
    disk.replaceFile((root / "src" / "b.frm").string(), "new", (root / "copy" / "sub" / "a.frm").string());
    keeps(file, root / "copy" / "sub" / "a.frm");
    keeps(root / "src" / "b.frm", file);
    fs::create_directory(root / "again");
    disk.giveFolderAttributes((root / "again").string(), (root / "copy" / "sub").string());
    keeps(root / "again", folder);
    EXPECT_TRUE(disk.takeWarnings().empty());
}

// A copy onto a file system without extended attributes (ramfs, mounted in a mount namespace of the
// test's own) is made all the same, with one warning per file that names it and what was lost.
TEST_F(AttributesTest, AttributesTheCopysFileSystemRefusesAreOneWarningPerFile) {
    put(root / "src" / "a.frm", "a");
    put(root / "src" / "b.frm", "b");
    fs::create_directory(root / "ram");
    if (::setxattr((root / "src" / "a.frm").c_str(), "user.DOSATTRIB", "0x20", 4, 0) != 0)
        GTEST_SKIP() << "no extended attributes here";
    const pid_t child = ::fork();
    if (child == 0) {
        if (::unshare(CLONE_NEWNS) != 0 || ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
            ::mount("none", (root / "ram").c_str(), "ramfs", 0, nullptr) != 0)
            ::_exit(77);
        const std::string copy = (root / "ram" / "copy").string();
        const bool copied = disk.copyFolder((root / "src").string(), copy, {}) == CopyOutcome::Complete;
        const auto warnings = disk.takeWarnings();
        ::_exit(copied && disk.readFile(copy + "/a.frm") == "a" &&
                        warnings == std::vector<std::string>{copy + "/a.frm: its extended attributes (user.DOSATTRIB) "
                                                                    "were not kept: the file system there does not "
                                                                    "support them"}
                    ? 0
                    : 1);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    if (WIFEXITED(status) && WEXITSTATUS(status) == 77) GTEST_SKIP() << "no mount namespace for this test";
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
}

}  // namespace
}  // namespace tavkonv40
