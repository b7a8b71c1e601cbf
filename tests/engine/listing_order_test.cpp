// The run meets a folder's files in one fixed order, whatever order the file system lists them
// in: what it remembers from file to file (references replaced controls need) follows that
// order, so another order would give other bytes.
#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <map>

#include "engine/text_util.h"
#include "tests/engine/test_support.h"

namespace tavkonv40 {
namespace {

TEST(ListingOrderTest, UpperCasedThenByteByByte) {
    // Upper-casing puts '_' (0x5F) after every letter, where lower-casing would put it before.
    std::vector<std::string> names{"_x.frm", "b.frm", "Z1.frm", "a.frm", "z0.frm", "A.frm", "a", "\xC3\xA9.frm"};
    sortInListingOrder(names);
    EXPECT_EQ(names,
              (std::vector<std::string>{"a", "A.frm", "a.frm", "b.frm", "z0.frm", "Z1.frm", "_x.frm", "\xC3\xA9.frm"}));
}

// Forms whose result depends on the forms met before them: a replaced command button makes
// every later form that lacks the button's reference line receive it, until one holds it.
std::map<std::string, std::string> generatedFolder() {
    const std::string withButton =
        "VERSION 5.00\r\nBegin VB.Form F\r\n   Begin VB.CommandButton cmd\r\n      Caption = \"OK\"\r\n"
        "   End\r\nEnd\r\n";
    const std::string plain = "VERSION 5.00\r\nBegin VB.Form F\r\nEnd\r\n";
    const std::string holding =
        "VERSION 5.00\r\n" + test::headerLine("Button", Edition::V40) + "\r\nBegin VB.Form F\r\nEnd\r\n";
    const std::string project = "Type=Exe\r\nObject={00000000-0000-0000-0000-000000000000}#1.0#0; x.ocx\r\n";
    std::map<std::string, std::string> files;
    const char* names[] = {"_x", "b", "Z1", "a", "z0", "A", "m_2", "M1", "c", "C0"};
    for (std::size_t i = 0; i < std::size(names); ++i) {
        const std::string name = names[i];
        files[name + ".frm"] = i % 3 == 0 ? withButton : i % 3 == 1 ? plain : holding;
    }
    files["p.vbp"] = project;
    files["Q.vbp"] = project;
    return files;
}

test::FolderRun convert(FileSystem& store, const std::map<std::string, std::string>& original) {
    FixedOptions options;
    options.selectAllFamilies(Edition::V40);
    options.selectMicrosoft(0, Edition::V40);
    std::vector<std::string> names;
    for (const auto& entry : original) names.push_back(entry.first);
    return test::runFolder(store, "/p", names, options);
}

TEST(ListingOrderTest, AnyListingOrderGivesTheSameBytesAndLog) {
    const auto original = generatedFolder();
    MemoryFileSystem listed, reversed;
    for (const auto& [name, bytes] : original) {
        listed.addFile("/p/" + name, bytes);
        reversed.addFile("/p/" + name, bytes);
    }
    reversed.reorderListing = [](std::vector<std::string>& names) { std::reverse(names.begin(), names.end()); };
    const auto a = convert(listed, original), b = convert(reversed, original);
    EXPECT_EQ(a.files, b.files);
    EXPECT_EQ(a.host.log, b.host.log);
    std::vector<std::string> found;
    for (const auto& line : a.host.log)
        if (line.rfind("Found VB Form file (", 0) == 0) found.push_back(line.substr(20, line.find(')') - 20));
    EXPECT_EQ(found, (std::vector<std::string>{"A.frm", "a.frm", "b.frm", "c.frm", "C0.frm", "M1.frm", "m_2.frm",
                                               "z0.frm", "Z1.frm", "_x.frm"}));
}

}  // namespace
}  // namespace tavkonv40
