// Runs the real binary to its end on POSIX and returns what it printed: standard output and
// standard error go through files beside `scratch`, so that a test reads every byte whatever
// the binary does with its streams.
#pragma once

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "tests/platform/disk_test_support.h"

namespace tavkonv40::test {

struct BinaryOutcome {
    int status = -1;  // the exit status; 128 + the signal when one ended the run
    std::string out, err;
};

struct BinaryLimits {
    std::map<std::string, std::string> environment;  // set for the run only
    rlim_t memoryLimit = 0;                          // address space in bytes; 0: no limit
};

// Stopped after ten seconds, so that a hang fails the test instead of blocking it.
inline BinaryOutcome runBinary(std::vector<std::string> args, const std::filesystem::path& scratch,
                               const BinaryLimits& limits = {}) {
    const std::filesystem::path outFile = scratch.string() + ".out", errFile = scratch.string() + ".err";
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::alarm(10);
        for (const auto& [k, v] : limits.environment) ::setenv(k.c_str(), v.c_str(), 1);
        if (limits.memoryLimit) {
            const rlimit limit{limits.memoryLimit, limits.memoryLimit};
            ::setrlimit(RLIMIT_AS, &limit);
        }
        if (!std::freopen(outFile.c_str(), "w", stdout) || !std::freopen(errFile.c_str(), "w", stderr)) ::_exit(126);
        std::vector<char*> argv{const_cast<char*>(TAVKONV40_BINARY)};
        for (auto& a : args) argv.push_back(a.data());
        argv.push_back(nullptr);
        ::execv(TAVKONV40_BINARY, argv.data());
        ::_exit(127);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    BinaryOutcome o;
    o.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    o.out = readFile(outFile);
    o.err = readFile(errFile);
    std::filesystem::remove(outFile);
    std::filesystem::remove(errFile);
    return o;
}

}  // namespace tavkonv40::test
