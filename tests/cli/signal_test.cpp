// The real binary, interrupted: SIGINT, SIGTERM or SIGHUP during the form pass, or a reader that
// goes away (SIGPIPE), ends the run through its cancelled ending, with the backup in place and
// exit status 3.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "tests/platform/disk_test_support.h"

namespace fs = std::filesystem;

namespace {

using tavkonv40::test::readFile;

class CommandLineSignal : public ::testing::TestWithParam<int> {};

// 0 stands for closing the pipe the log goes to.
INSTANTIATE_TEST_SUITE_P(Requests, CommandLineSignal, ::testing::Values(SIGINT, SIGHUP, 0));

TEST_P(CommandLineSignal, DuringFormPassCancelsAndKeepsBackup) {
    const int request = GetParam();
    const fs::path root = fs::temp_directory_path() / ("tavkonv40-sigint-" + std::to_string(::getpid()));
    fs::remove_all(root);
    fs::create_directories(root);
    const std::string form =
        "VERSION 5.00\r\nObject = \"{3F2A9C41-7B0E-4D1A-9E55-2C8B6F104A11}#1.0#0\"; "
        "\"tavQVButton20.ocx\"\r\nBegin VB.Form F \r\n   Begin VB.CommandButton C \r\n   End\r\nEnd\r\n";
    for (int i = 0; i < 600; ++i)
        std::ofstream(root / std::string("F").append(std::to_string(i)).append(".frm"), std::ios::binary) << form;
    const std::string ctl = "VERSION 5.00\r\nBegin VB.UserControl U \r\nEnd\r\n";
    const std::string vbp = "Type=Exe\r\nObject={3F2A9C41-7B0E-4D1A-9E55-2C8B6F104A11}#1.0#0; tavQVButton20.ocx\r\n";
    std::ofstream(root / "U.ctl", std::ios::binary) << ctl;
    std::ofstream(root / "P.vbp", std::ios::binary) << vbp;

    int out[2];
    ASSERT_EQ(::pipe(out), 0);
    const pid_t pid = ::fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        ::dup2(out[1], 1);
        ::close(out[0]);
        ::close(out[1]);
        ::execl(TAVKONV40_BINARY, TAVKONV40_BINARY, "--all-families", "--all-ms", root.c_str(),
                static_cast<char*>(nullptr));
        ::_exit(127);
    }
    ::close(out[1]);
    std::string log, pending;
    bool signalled = false;
    char buf[4096];
    for (;;) {
        const ssize_t n = ::read(out[0], buf, sizeof buf);
        if (n <= 0) break;
        log.append(buf, static_cast<std::size_t>(n));
        if (!signalled && log.find("Found VB Form file (") != std::string::npos) {
            signalled = true;
            if (request == 0) break;
            ::kill(pid, request);
        }
    }
    ::close(out[0]);
    int status = 0;
    ASSERT_EQ(::waitpid(pid, &status, 0), pid);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 3);
    if (request != 0) {
        EXPECT_NE(log.find("\nConversion cancelled."), std::string::npos);
    }
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
