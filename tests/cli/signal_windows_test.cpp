// The real binary on Windows, interrupted: Ctrl-Break during the form pass ends the run through
// its cancelled ending, with the backup in place and exit status 3.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "tests/platform/disk_test_support.h"
#include "tests/cli/process_support.h"

namespace fs = std::filesystem;

namespace {

using tavkonv40::test::readFile;

TEST(CommandLineConsoleEvent, CtrlBreakDuringFormPassCancelsAndKeepsBackup) {
    const fs::path root =
        fs::temp_directory_path() / ("tavkonv40-sigint-" + std::to_string(tavkonv40::test::processId()));
    fs::remove_all(root);
    fs::create_directories(root);
    const std::string form =
        "VERSION 5.00\r\nObject = \"{3F2A9C41-7B0E-4D1A-9E55-2C8B6F104A11}#1.0#0\"; "
        "\"tavQVButton20.ocx\"\r\nBegin VB.Form F \r\n   Begin VB.CommandButton C \r\n   End\r\nEnd\r\n";
    for (int i = 0; i < 300; ++i)
        std::ofstream(root / std::string("F").append(std::to_string(i)).append(".frm"), std::ios::binary) << form;
    const std::string ctl = "VERSION 5.00\r\nBegin VB.UserControl U \r\nEnd\r\n";
    const std::string vbp = "Type=Exe\r\nObject={3F2A9C41-7B0E-4D1A-9E55-2C8B6F104A11}#1.0#0; tavQVButton20.ocx\r\n";
    std::ofstream(root / "U.ctl", std::ios::binary) << ctl;
    std::ofstream(root / "P.vbp", std::ios::binary) << vbp;

    tavkonv40::test::Child child(TAVKONV40_BINARY, {"--all-families", "--all-ms", root.string()});
    std::string log;
    bool signalled = false;
    for (std::string piece; !(piece = child.output()).empty();) {
        log += piece;
        if (!signalled && log.find("Found VB Form file (") != std::string::npos) {
            if (!child.interrupt()) {
                child.kill();
                child.wait();
                std::error_code ec;
                fs::remove_all(root, ec);
                GTEST_SKIP() << "no console events here (Wine); scripts/ci-windows.sh types Ctrl-C instead";
            }
            signalled = true;
        }
    }
    EXPECT_EQ(child.wait(), 3);
    EXPECT_NE(log.find("\nConversion cancelled."), std::string::npos);
    EXPECT_EQ(log.find("UserControl"), std::string::npos);
    EXPECT_EQ(log.find("VB Project file"), std::string::npos);
    EXPECT_EQ(readFile(root / "U.ctl"), ctl);
    EXPECT_EQ(readFile(root / "P.vbp"), vbp);

    int backups = 0;
    for (const auto& e : fs::directory_iterator(root))
        if (e.path().filename().string().rfind("Nexaria Conversion Backup ", 0) == 0) {
            ++backups;
            EXPECT_EQ(readFile(e.path() / "F0.frm"), form);
            EXPECT_EQ(readFile(e.path() / "P.vbp"), vbp);
        }
    EXPECT_EQ(backups, 1);
    fs::remove_all(root);
}

}  // namespace
