// The real binary, interrupted: SIGINT, SIGTERM or SIGHUP during the form pass, or a reader that
// goes away (SIGPIPE), ends the run through its cancelled ending, with the backup in place and
// exit status 3.
#include <gtest/gtest.h>
#include <signal.h>

#include <string>

#include "tests/cli/interrupted_folder.h"

namespace {

class CommandLineSignal : public ::testing::TestWithParam<int> {};

// 0 stands for closing the pipe the log goes to.
INSTANTIATE_TEST_SUITE_P(Requests, CommandLineSignal, ::testing::Values(SIGINT, SIGHUP, 0));

TEST_P(CommandLineSignal, DuringFormPassCancelsAndKeepsBackup) {
    const int request = GetParam();
    const tavkonv40::test::InterruptedFolder folder(600);
    tavkonv40::test::Child child(TAVKONV40_BINARY, {"--all-families", "--all-ms", folder.root.string()});
    std::string log;
    bool signalled = false;
    for (std::string piece; !(piece = child.output()).empty();) {
        log += piece;
        if (!signalled && log.find("Found VB Form file (") != std::string::npos) {
            signalled = true;
            if (request == 0) break;
            child.signal(request);
        }
    }
    if (request == 0) child.closeOutput();
    EXPECT_EQ(child.wait(), 3);
    if (request != 0) {
        EXPECT_NE(log.find("\nConversion cancelled."), std::string::npos);
    }
    folder.expectStoppedInFormPass(log);
}

}  // namespace
