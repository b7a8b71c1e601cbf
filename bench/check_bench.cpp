// Project check benchmark: generates a folder, converts it once (with every family and Microsoft
// control selected, so that it is the folder a user checks after a run), then times the check in
// the two ways it is used: counting only (the line after every conversion run) and with every
// finding built (the check command). Each case runs in its own child process so its peak memory
// can be read; the first case does nothing, to show what a child starts with.
//
//   tavkonv40-check-bench [--quick] [--work DIR]
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <functional>
#include <string>

#include "conversion_run.h"
#include "corpus.h"
#include "disk_file_system.h"
#include "memory_tuning.h"
#include "project_check.h"

namespace fs = std::filesystem;
using namespace tavkonv40;

namespace {

class SilentHost : public RunHost {
public:
    void appendLog(std::string_view, LogLineKind kind) override {
        if (kind == LogLineKind::Error) ++errors;
    }
    bool cancelRequested() const override { return false; }
    long errors = 0;
};

// Builds every finding, as the check command does, and keeps only their size.
class DiscardingSink final : public FindingSink {
public:
    void fileFindings(const std::vector<Finding>& findings) override {
        for (const auto& f : findings) bytes += f.message.size() + f.advice.size();
    }
    std::size_t bytes = 0;
};

struct Result {
    double seconds;
    std::size_t findings;
};

using Work = std::function<std::size_t(const std::string& folder)>;

void runCase(const char* label, const fs::path& folder, double mb, const Work& job) {
    std::fflush(stdout);
    int fds[2];
    if (::pipe(fds) != 0) std::exit(1);
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::close(fds[0]);
        keepFreedMemoryForReuse();  // as the command line does
        const auto t0 = std::chrono::steady_clock::now();
        const std::size_t found = job(folder.string());
        const Result r{std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count(), found};
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
    std::printf("| %-26s | %8.1f | %7.3f | %8.1f | %9zu | %8.1f |\n", label, mb, r.seconds,
                r.seconds > 0 ? mb / r.seconds : 0.0, r.findings, static_cast<double>(usage.ru_maxrss) / 1024.0);
}

}  // namespace

int main(int argc, char** argv) {
    bool quick = false;
    fs::path base = fs::temp_directory_path() / "tavkonv40-check-bench";
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--quick") == 0) quick = true;
        else if (std::strcmp(argv[i], "--work") == 0 && i + 1 < argc) base = argv[++i];
        else {
            std::fprintf(stderr, "usage: %s [--quick] [--work DIR]\n", argv[0]);
            return 2;
        }
    }
    fs::remove_all(base);
    const fs::path folder = base / "folder";
    corpus::FolderShape shape;
    if (quick) shape.forms = 50;
    corpus::writeFolder(folder, 42, shape);
    {
        FixedOptions all;
        all.selectAllFamilies(Edition::V40);
        all.selectAllMicrosoft(Edition::V40);
        DiskFileSystem disk;
        SilentHost host;
        SystemClock clock;
        RunEnvironment env{disk, host, all, clock};
        RunConversion(env, folder.string());
        if (host.errors) {
            std::fprintf(stderr, "the conversion logged errors\n");
            return 1;
        }
    }
    // What the check reads: the files directly in the folder (the backup lies in a subfolder).
    std::uintmax_t total = 0, largest = 0;
    for (const auto& e : fs::directory_iterator(folder))
        if (e.is_regular_file()) {
            total += e.file_size();
            largest = std::max(largest, e.file_size());
        }
    const double mb = static_cast<double>(total) / 1e6;
    std::printf("Converted %d forms: %.1f MB checked, largest file %.2f MB, in %s\n\n", shape.forms, mb,
                static_cast<double>(largest) / 1e6, folder.c_str());

    std::printf("| %-26s | %8s | %7s | %8s | %9s | %8s |\n", "case", "MB", "s", "MB/s", "findings", "peak MB");
    std::printf("|%s|%s|%s|%s|%s|%s|\n", std::string(28, '-').c_str(), std::string(10, '-').c_str(),
                std::string(9, '-').c_str(), std::string(10, '-').c_str(), std::string(11, '-').c_str(),
                std::string(10, '-').c_str());
    runCase("(a) nothing (the floor)", folder, mb, [](const std::string&) { return std::size_t{0}; });
    runCase("(b) counting (run's hint)", folder, mb, [](const std::string& f) {
        DiskFileSystem disk;
        return countFindings(disk, f).total();
    });
    runCase("(c) every finding built", folder, mb, [](const std::string& f) {
        DiskFileSystem disk;
        DiscardingSink sink;
        return checkProject(disk, f, sink).total();
    });
    fs::remove_all(base);
    return 0;
}
