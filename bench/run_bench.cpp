// End-to-end conversion benchmark: whole runs (backup included) over generated folders, each
// beside the time `cp -r` takes to copy the same folder and the time a durable copy takes
// (`cp -r`, then `sync -f` of the copy's file system), so the ratios mean something on a noisy
// machine. Each case runs in its own child process so its peak memory can be read.
//
//   tavkonv40-bench [--quick] [--work DIR] [--case LETTERS] [--repeat N]
//     --case ac: cases (a) and (c) only; --repeat 5: each case five times, the median row shown
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "bench/bench_support.h"
#include "engine/conversion_run.h"
#include "testing/corpus.h"
#include "platform/disk_file_system.h"

namespace fs = std::filesystem;
using namespace tavkonv40;

namespace {

double seconds(const std::function<void()>& f) {
    const auto t0 = std::chrono::steady_clock::now();
    f();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
}

std::uintmax_t folderBytes(const fs::path& p) {
    std::uintmax_t total = 0;
    for (const auto& e : fs::recursive_directory_iterator(p))
        if (e.is_regular_file()) total += e.file_size();
    return total;
}

void shell(const std::string& cmd) {
    if (std::system(cmd.c_str()) != 0) {
        std::fprintf(stderr, "command failed: %s\n", cmd.c_str());
        std::exit(1);
    }
}

// Processor seconds (user and system, every thread) this process and the children it has waited
// for have used so far: the command line's process is such a child.
double processorSeconds() {
    const auto s = [](const timeval& t) {
        return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) / 1e6;
    };
    double total = 0;
    for (const int who : {RUSAGE_SELF, RUSAGE_CHILDREN}) {
        struct rusage u {};
        ::getrusage(who, &u);
        total += s(u.ru_utime) + s(u.ru_stime);
    }
    return total;
}

struct Result {
    double runSeconds;
    double runCpuSeconds;
    double copySeconds;
    double durableCopySeconds;
    long errors;
};

// What any safe run must do even when it converts nothing: copy the folder for the backup and
// flush the copy, then read every file and replace it atomically, then flush once more. With
// FlushBeforeReplace::Yes every replaced file is flushed on its own as well.
void ioFloor(const fs::path& folder, FlushBeforeReplace flush) {
    DiskFileSystem disk(flush);
    const std::string staged = folder.string() + "/.floor-backup";
    disk.copyFolder(folder.string(), staged,
                    FolderCopy{[](const std::string& n) { return n == ".floor-backup"; }, nullptr});
    disk.flushFileSystem(folder.string());
    for (const auto& e : fs::directory_iterator(folder))
        if (e.is_regular_file()) disk.writeFile(e.path().string(), disk.readFile(e.path().string()));
    disk.flushFileSystem(folder.string());
}

using Work = std::function<void(const fs::path& work)>;

// A whole conversion run on the folder, backup included.
Work conversion(const FixedOptions& options) {
    return [&options](const fs::path& work) {
        DiskFileSystem disk;
        bench::SilentHost host;
        SystemClock clock;
        RunEnvironment env{disk, host, options, clock};
        RunConversion(env, work.string());
        if (host.errors) throw std::runtime_error("the run logged errors");
    };
}

// The same run as users start it: the `tavkonv40` process, its log and summary (a check of the
// converted folder included) written to files nobody reads.
Work commandLine(const std::string& options) {
    return [options](const fs::path& work) {
        shell("'" TAVKONV40_BINARY "' " + options + " '" + work.string() + "' >/dev/null 2>&1");
    };
}

// Moves a finished copy aside instead of deleting it; all of them go when the benchmark ends.
// Without a journal, ext4 skips every inode freed in the last minute when it makes a file, one
// look each, so deleting the 2,000 to 3,000 files of each measurement at once made every later
// measurement's files dearer to make than they are on a user's disk, the more the longer the
// benchmark ran.
void setAside(const fs::path& spent, const fs::path& finished) {
    static int count = 0;
    if (!fs::exists(finished)) return;
    fs::create_directories(spent);
    fs::rename(finished, spent / (std::to_string(::getpid()) + "-" + std::to_string(++count)));
}

// Copies the pristine folder (untimed), times `cp -r` of it, then times the work on it.
Result measure(const fs::path& pristine, const fs::path& work, const Work& job) {
    const fs::path spent = work.parent_path() / "spent";
    setAside(spent, work);
    const fs::path copyTarget = work.string() + "-cp";
    setAside(spent, copyTarget);
    const std::string copy = "cp -r '" + pristine.string() + "' '" + copyTarget.string() + "'";
    shell("sync");
    const double cp = seconds([&] { shell(copy); });
    setAside(spent, copyTarget);
    shell("sync");
    const double durable = seconds([&] { shell(copy + " && sync -f '" + copyTarget.string() + "'"); });
    setAside(spent, copyTarget);
    shell("cp -r '" + pristine.string() + "' '" + work.string() + "'");
    shell("sync");
    long errors = 0;
    const double cpu0 = processorSeconds();
    const double run = seconds([&] {
        try {
            job(work);
        } catch (const std::exception& e) {
            std::fprintf(stderr, "%s\n", e.what());
            errors = 1;
        }
    });
    const double cpu = processorSeconds() - cpu0;
    setAside(spent, work);
    return {run, cpu, cp, durable, errors};
}

std::string selectedCases = "abcdef";
int repeats = 1;

void runCase(const char* label, const fs::path& pristine, const fs::path& work, const Work& job) {
    if (selectedCases.find(label[1]) == std::string::npos) return;
    std::vector<bench::ChildOutcome<Result>> outcomes;
    for (int i = 0; i < repeats; ++i)
        outcomes.push_back(bench::runInChild<Result>(label, [&] { return measure(pristine, work, job); }));
    // The median by the ratio to a durable copy, the yardstick that absorbs a noisy machine.
    const auto ratio = [](const bench::ChildOutcome<Result>& o) {
        return o.result.runSeconds / o.result.durableCopySeconds;
    };
    std::sort(outcomes.begin(), outcomes.end(), [&](const auto& a, const auto& b) { return ratio(a) < ratio(b); });
    const auto& outcome = outcomes[outcomes.size() / 2];
    const Result& r = outcome.result;
    const double mb = static_cast<double>(folderBytes(pristine)) / 1e6;
    std::printf("| %-34s | %6.1f | %6.2f | %7.2f | %6.1f | %7.2f | %6.2f | %7.2f | %7.2f | %7.1f |%s\n", label, mb,
                r.runSeconds, r.runCpuSeconds, mb / r.runSeconds, r.copySeconds, r.durableCopySeconds,
                r.runSeconds / r.durableCopySeconds, r.runSeconds / r.copySeconds, outcome.peakMB,
                r.errors ? " errors!" : "");
}

}  // namespace

int main(int argc, char** argv) {
    // --case is this program's own; the rest are the options every benchmark takes.
    std::vector<char*> args(argv, argv + argc);
    for (auto it = args.begin() + 1; it != args.end(); ++it)
        if (std::strcmp(*it, "--case") == 0 && it + 1 != args.end()) {
            selectedCases = *(it + 1);
            it = args.erase(it, it + 2) - 1;
        } else if (std::strcmp(*it, "--repeat") == 0 && it + 1 != args.end()) {
            repeats = std::max(1, std::atoi(*(it + 1)));
            it = args.erase(it, it + 2) - 1;
        }
    const auto [quick, base] = bench::parseArguments(static_cast<int>(args.size()), args.data(), "tavkonv40-bench");
    const fs::path folder = base / "folder", dense = base / "dense";
    corpus::FolderShape shape;
    if (quick) shape.forms = 50;
    const auto bytes = corpus::writeFolder(folder, 42, shape);
    fs::create_directories(dense);
    {
        const std::string form = corpus::makeDenseForm(7, quick ? 10000 : 100000);
        FILE* f = std::fopen((dense / "Dense.frm").c_str(), "wb");
        std::fwrite(form.data(), 1, form.size(), f);
        std::fclose(f);
    }
    std::printf("Generated %d forms (%.1f MB) and a dense form of %.1f MB in %s\n\n", shape.forms,
                static_cast<double>(bytes) / 1e6, static_cast<double>(fs::file_size(dense / "Dense.frm")) / 1e6,
                base.c_str());

    FixedOptions all;
    all.selectAllFamilies(Edition::V40);
    all.selectAllMicrosoft(Edition::V40);
    const FixedOptions none;

    std::printf("| %-34s | %6s | %6s | %7s | %6s | %7s | %6s | %7s | %7s | %7s |\n", "case", "MB", "run s", "run cpu s",
                "MB/s", "cp -r s", "durable s", "/ durable", "/ cp -r", "peak MB");
    std::printf("|---|---|---|---|---|---|---|---|---|---|\n");
    runCase("(a) folder, everything selected", folder, base / "work", conversion(all));
    runCase("(b) one dense form, everything", dense, base / "work", conversion(all));
    runCase("(c) folder, nothing selected", folder, base / "work", conversion(none));
    // The floor under (a): the disk work alone, as a run does it (two flushes of the file
    // system) and with a flush before each replace as well, as earlier versions did.
    runCase("(d) floor: backup, read, replace", folder, base / "work",
            [](const fs::path& w) { ioFloor(w, FlushBeforeReplace::No); });
    runCase("(e) floor, flush per file too", folder, base / "work",
            [](const fs::path& w) { ioFloor(w, FlushBeforeReplace::Yes); });
    runCase("(f) as (a), the tavkonv40 process", folder, base / "work", commandLine("--all-families --all-ms"));
    fs::remove_all(base);
    return 0;
}
