// The real binary, interrupted during the form pass: Ctrl-C (SIGINT; a Ctrl-Break event on
// Windows), SIGHUP from a closed terminal, or a reader that goes away (SIGPIPE) ends the run
// through its cancelled ending, with the backup in place and exit status 3.
#include <gtest/gtest.h>
#ifndef _WIN32
#include <signal.h>
#endif

#include <string>

#include "tests/cli/interrupted_folder.h"

namespace {

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

TEST_P(CommandLineSignal, DuringFormPassCancelsAndKeepsBackup) {
    const tavkonv40::test::InterruptedFolder folder(kForms);
    tavkonv40::test::Child child(TAVKONV40_BINARY, {"--all-families", "--all-ms", folder.root.string()});
    std::string log;
    bool delivered = false;
    for (std::string piece; !(piece = child.output()).empty();) {
        log += piece;
        if (delivered || log.find("Found VB Form file (") == std::string::npos) continue;
        if (!deliver(child, GetParam())) {
            child.kill();
            child.wait();
            GTEST_SKIP() << "no console events here (Wine); scripts/ci-windows.sh types Ctrl-C instead";
        }
        delivered = true;
    }
    EXPECT_EQ(child.wait(), 3);
    if (GetParam() != Request::CloseLog) {
        EXPECT_NE(log.find("\nConversion cancelled."), std::string::npos);
    }
    folder.expectStoppedInFormPass(log);
}

}  // namespace
