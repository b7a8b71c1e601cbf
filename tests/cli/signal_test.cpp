// The real binary, interrupted: SIGINT, SIGTERM or SIGHUP during the form pass, or a reader that
// goes away (SIGPIPE), ends the run through its cancelled ending, with the backup in place and
// exit status 3.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>

#include "tests/cli/interrupted_folder.h"

namespace {

class CommandLineSignal : public ::testing::TestWithParam<int> {};

// 0 stands for closing the pipe the log goes to.
INSTANTIATE_TEST_SUITE_P(Requests, CommandLineSignal, ::testing::Values(SIGINT, SIGHUP, 0));

TEST_P(CommandLineSignal, DuringFormPassCancelsAndKeepsBackup) {
    const int request = GetParam();
    const tavkonv40::test::InterruptedFolder folder(600);
    int out[2];
    ASSERT_EQ(::pipe(out), 0);
    const pid_t pid = ::fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        ::dup2(out[1], 1);
        ::close(out[0]);
        ::close(out[1]);
        ::execl(TAVKONV40_BINARY, TAVKONV40_BINARY, "--all-families", "--all-ms", folder.root.c_str(),
                static_cast<char*>(nullptr));
        ::_exit(127);
    }
    ::close(out[1]);
    std::string log;
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
    folder.expectStoppedInFormPass(log);
}

}  // namespace
