// The real binary on Windows, interrupted: Ctrl-Break during the form pass ends the run through
// its cancelled ending, with the backup in place and exit status 3.
#include <gtest/gtest.h>

#include <string>

#include "tests/cli/interrupted_folder.h"

namespace {

TEST(CommandLineConsoleEvent, CtrlBreakDuringFormPassCancelsAndKeepsBackup) {
    const tavkonv40::test::InterruptedFolder folder(300);
    tavkonv40::test::Child child(TAVKONV40_BINARY, {"--all-families", "--all-ms", folder.root.string()});
    std::string log;
    bool signalled = false;
    for (std::string piece; !(piece = child.output()).empty();) {
        log += piece;
        if (!signalled && log.find("Found VB Form file (") != std::string::npos) {
            if (!child.interrupt()) {
                child.kill();
                child.wait();
                GTEST_SKIP() << "no console events here (Wine); scripts/ci-windows.sh types Ctrl-C instead";
            }
            signalled = true;
        }
    }
    EXPECT_EQ(child.wait(), 3);
    EXPECT_NE(log.find("\nConversion cancelled."), std::string::npos);
    folder.expectStoppedInFormPass(log);
}

}  // namespace
