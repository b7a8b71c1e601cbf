// The real binary, interrupted during the form pass: Ctrl-C (SIGINT; a Ctrl-Break event on
// Windows), SIGHUP from a closed terminal, or a reader that goes away (SIGPIPE) ends the run
// through its cancelled ending, with the backup in place and exit status 3. A restore ends
// between two files.
#include <gtest/gtest.h>
#ifndef _WIN32
#include <signal.h>
#endif

#include <filesystem>
#include <string>

#include "tests/cli/process_support.h"
#include "tests/platform/disk_test_support.h"

namespace {

namespace fs = std::filesystem;
using tavkonv40::test::readFile;

const std::string kForm =
    "VERSION 5.00\r\nObject = \"{3F2A9C41-7B0E-4D1A-9E55-2C8B6F104A11}#1.0#0\"; "
    "\"tavQVButton20.ocx\"\r\nBegin VB.Form F \r\n   Begin VB.CommandButton C \r\n   End\r\nEnd\r\n";
const std::string kUserControl = "VERSION 5.00\r\nBegin VB.UserControl U \r\nEnd\r\n";
const std::string kProject = "Type=Exe\r\nObject={3F2A9C41-7B0E-4D1A-9E55-2C8B6F104A11}#1.0#0; tavQVButton20.ocx\r\n";

enum class Request { Interrupt, HangUp, CloseLog };

class CommandLineSignal : public ::testing::TestWithParam<Request> {};

#ifdef _WIN32
INSTANTIATE_TEST_SUITE_P(Requests, CommandLineSignal, ::testing::Values(Request::Interrupt));
constexpr int kForms = 300;
#else
INSTANTIATE_TEST_SUITE_P(Requests, CommandLineSignal,
                         ::testing::Values(Request::Interrupt, Request::HangUp, Request::CloseLog));
constexpr int kForms = 600;
#endif

// False when the system cannot deliver it (Wine sends no console events).
bool deliver(tavkonv40::test::Child& child, [[maybe_unused]] Request request) {
#ifndef _WIN32
    if (request == Request::HangUp) return child.signal(SIGHUP);
    if (request == Request::CloseLog) {
        child.closeOutput();
        return true;
    }
#endif
    return child.interrupt();
}

// Many forms, then a user control and a project the run must not reach.
TEST_P(CommandLineSignal, DuringFormPassCancelsAndKeepsBackup) {
    const fs::path root = tavkonv40::test::freshTestFolder("sigint");
    for (int i = 0; i < kForms; ++i) tavkonv40::test::writeFile(root / ("F" + std::to_string(i) + ".frm"), kForm);
    tavkonv40::test::writeFile(root / "U.ctl", kUserControl);
    tavkonv40::test::writeFile(root / "P.vbp", kProject);
    tavkonv40::test::Child child(TAVKONV40_BINARY, {"--all-families", "--all-ms", root.string()});
    std::string log;
    bool delivered = false;
    for (std::string piece; !(piece = child.output()).empty();) {
        log += piece;
        if (delivered || log.find("Found VB Form file (") == std::string::npos) continue;
        if (!deliver(child, GetParam())) {
            child.kill();
            child.wait();
            fs::remove_all(root);
            GTEST_SKIP() << "no console events here (Wine); scripts/ci-windows.sh types Ctrl-C instead";
        }
        delivered = true;
    }
    EXPECT_EQ(child.wait(), 3);
    if (GetParam() != Request::CloseLog) {
        EXPECT_NE(log.find("\nConversion cancelled."), std::string::npos);
    }
    // The later passes never started, and the one backup holds the folder as it was.
    EXPECT_EQ(log.find("UserControl"), std::string::npos);
    EXPECT_EQ(log.find("VB Project file"), std::string::npos);
    EXPECT_EQ(readFile(root / "U.ctl"), kUserControl);
    EXPECT_EQ(readFile(root / "P.vbp"), kProject);
    int backups = 0;
    for (const auto& e : fs::directory_iterator(root))
        if (e.path().filename().string().rfind("Nexaria Conversion Backup ", 0) == 0) {
            ++backups;
            EXPECT_EQ(readFile(e.path() / "F0.frm"), kForm);
            EXPECT_EQ(readFile(e.path() / "P.vbp"), kProject);
        }
    EXPECT_EQ(backups, 1);
    fs::remove_all(root);
}

#ifndef _WIN32
// A restore stopped by Ctrl-C (SIGTERM and SIGHUP set the same request, as the run's cases show).
// Its file names are long, so that its output fills the pipe long before the restore ends: the
// request, sent before the test reads on, always lands half way. The restore ends with exit
// status 3, some files restored and its mark in place.
TEST(CommandLineRestoreSignal, EndsTheRestoreBetweenTwoFilesAndKeepsItsMark) {
    constexpr int kFiles = 360;
    const std::string backup = "Nexaria Conversion Backup 01.01.2026 08.00.00";
    const fs::path root = tavkonv40::test::freshTestFolder("restore-signal");
    fs::create_directory(root / backup);
    const auto name = [](int i) { return std::string(240, 'f') + std::to_string(i) + ".frm"; };
    for (int i = 0; i < kFiles; ++i) {
        tavkonv40::test::writeFile(root / backup / name(i), "original");
        tavkonv40::test::writeFile(root / name(i), "converted");
    }
    tavkonv40::test::Child child(TAVKONV40_BINARY, {"restore", root.string()});
    ASSERT_NE(child.output(), "");
    ASSERT_TRUE(child.interrupt());
    while (!child.output().empty()) {}
    EXPECT_EQ(child.wait(), 3);
    EXPECT_EQ(readFile(root / ".tavkonv40-restoring"), backup);
    int restored = 0;
    for (int i = 0; i < kFiles; ++i) restored += readFile(root / name(i)) == "original" ? 1 : 0;
    EXPECT_GT(restored, 0);
    EXPECT_LT(restored, kFiles);
    fs::remove_all(root);
}
#endif

}  // namespace
