// Project check benchmark: generates a folder, converts it once (with every family and Microsoft
// control selected, so that it is the folder a user checks after a run), then times the check in
// the two ways it is used: counting only (the line after every conversion run) and with every
// finding built (the check command). Each case runs in its own child process so its peak memory
// can be read; the first case does nothing, to show what a child starts with.
//
//   tavkonv40-check-bench [--quick] [--work DIR]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <functional>
#include <string>

#include "bench/bench_support.h"
#include "engine/conversion_run.h"
#include "testing/corpus.h"
#include "platform/disk_file_system.h"
#include "engine/project_check.h"

namespace fs = std::filesystem;
using namespace tavkonv40;

namespace {

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
    const auto outcome = bench::runInChild<Result>(label, [&] {
        const auto t0 = std::chrono::steady_clock::now();
        const std::size_t found = job(folder.string());
        return Result{std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count(), found};
    });
    const Result& r = outcome.result;
    std::printf("| %-26s | %8.1f | %7.3f | %8.1f | %9zu | %8.1f |\n", label, mb, r.seconds,
                r.seconds > 0 ? mb / r.seconds : 0.0, r.findings, outcome.peakMB);
}

}  // namespace

int main(int argc, char** argv) {
    const auto [quick, base] = bench::parseArguments(argc, argv, "tavkonv40-check-bench");
    const fs::path folder = base / "folder";
    corpus::FolderShape shape;
    if (quick) shape.forms = 50;
    corpus::writeFolder(folder, 42, shape);
    {
        FixedOptions all;
        all.selectAllFamilies(Edition::V40);
        all.selectAllMicrosoft(Edition::V40);
        DiskFileSystem disk;
        bench::SilentHost host;
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
