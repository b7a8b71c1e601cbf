// What the benchmark programs share: a host that logs nowhere, and running one case in a child
// process so that the peak memory read afterwards is that case's own.
#pragma once

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <functional>
#include <type_traits>

#include "platform/memory_tuning.h"
#include "engine/run_host.h"

namespace tavkonv40::bench {

class SilentHost : public RunHost {
  public:
    void appendLog(std::string_view, LogLineKind kind) override {
        if (kind == LogLineKind::Error) ++errors;
    }
    bool cancelRequested() const override { return false; }
    long errors = 0;
};

// The options every benchmark program takes: [--quick] [--work DIR].
struct Arguments {
    bool quick = false;
    std::filesystem::path base;  // the work folder, emptied first
};

inline Arguments parseArguments(int argc, char** argv, const char* defaultFolder) {
    Arguments a;
    a.base = std::filesystem::temp_directory_path() / defaultFolder;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--quick") == 0) {
            a.quick = true;
        } else if (std::strcmp(argv[i], "--work") == 0 && i + 1 < argc) {
            a.base = argv[++i];
        } else {
            std::fprintf(stderr, "usage: %s [--quick] [--work DIR]\n", argv[0]);
            std::exit(2);
        }
    }
    std::filesystem::remove_all(a.base);
    return a;
}

template <typename Result>
struct ChildOutcome {
    Result result;
    double peakMB;
};

// Runs `job` in a child (tuned like the command line) and returns what it produced with the
// child's peak resident memory. Exits the program when the child fails.
template <typename Result>
ChildOutcome<Result> runInChild(const char* label, const std::function<Result()>& job) {
    static_assert(std::is_trivially_copyable_v<Result>, "the result crosses a pipe");
    std::fflush(stdout);
    int fds[2];
    if (::pipe(fds) != 0) std::exit(1);
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::close(fds[0]);
        keepFreedMemoryForReuse();  // as the command line does
        const Result r = job();
        if (::write(fds[1], &r, sizeof r) != static_cast<ssize_t>(sizeof r)) ::_exit(1);
        ::_exit(0);
    }
    ::close(fds[1]);
    Result r{};
    const bool ok = ::read(fds[0], &r, sizeof r) == static_cast<ssize_t>(sizeof r);
    ::close(fds[0]);
    int status = 0;
    struct rusage usage {};
    ::wait4(pid, &status, 0, &usage);
    if (!ok || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "case %s failed\n", label);
        std::exit(1);
    }
    return {r, static_cast<double>(usage.ru_maxrss) / 1024.0};
}

}  // namespace tavkonv40::bench
