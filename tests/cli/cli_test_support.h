// Runs the command line in process, against any file system, and keeps what it printed.
#pragma once

#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "cli/cli.h"
#include "testing/memory_file_system.h"
#include "tests/engine/test_support.h"
#include "tests/platform/disk_test_support.h"

namespace tavkonv40::test {

struct Invocation {
    int status;
    std::string out;
    std::string err;
};

// `onLine` sees every log line after it is printed, e.g. to cancel at a chosen one.
inline Invocation invoke(FileSystem& fs, Clock& clock, const std::atomic<bool>& cancel,
                         const std::vector<std::string>& args, std::function<void(const std::string&)> onLine = {}) {
    std::ostringstream out, err;
    cli::Services s{fs, clock, out, err, cancel};
    s.onLine = std::move(onLine);
    const int status = cli::runCommandLine(args, s);
    return {status, out.str(), err.str()};
}

// The command line in process over a store in memory, at a clock of the test's choice.
template <class ClockType = FixedClock>
class InProcessCli : public ::testing::Test {
  protected:
    Invocation invoke(const std::vector<std::string>& args) { return test::invoke(fs, clock, cancel, args); }

    // The example project's files, put into `folder`.
    void loadExample(const std::string& folder = "/p") {
        for (const auto& e : std::filesystem::directory_iterator(std::string(TAVKONV40_EXAMPLES) + "/OrderDesk"))
            fs.addFile(folder + "/" + e.path().filename().string(), readFile(e.path()));
    }

    MemoryFileSystem fs;
    ClockType clock;
    std::atomic<bool> cancel{false};
};

}  // namespace tavkonv40::test
