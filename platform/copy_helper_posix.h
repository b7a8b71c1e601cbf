// A second thread for a folder copy's files: while the copy goes on with one entry, the helper
// copies the file before it. Making a file is the kernel's largest part of a copy on some file
// systems (ext4 without a journal looks past every inode freed in the last minute), and a second
// core makes as many again. Entries carry their number in the copy's order, so that the copy can
// report what a copy one entry after another would have: the earliest entry's failure, and the
// warnings in the entries' order.
#pragma once

#include <condition_variable>
#include <cstddef>
#include <exception>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace tavkonv40::posix {

// Copies one file, adding a line to `warnings` for what the copy's file system refused.
using CopyFileJob = void (*)(const std::string& src, const std::string& dst, std::vector<std::string>& warnings);

// A warning with the number of the entry it came from.
using NumberedWarning = std::pair<std::size_t, std::string>;

class CopyHelper {
  public:
    explicit CopyHelper(CopyFileJob job) : job_(job) {}
    ~CopyHelper();
    CopyHelper(const CopyHelper&) = delete;
    CopyHelper& operator=(const CopyHelper&) = delete;

    // Starts copying entry `number` on the helper's thread and returns true; false when the helper
    // is busy, has failed, or no thread could be had: the caller copies the file itself.
    bool offer(std::size_t number, const std::string& src, const std::string& dst);

    // Waits until the helper has finished what it was given.
    void settle();

    // Whether a copy it was given has failed; settle() before asking which.
    bool failed() const {
        const std::lock_guard lock(mutex_);
        return failure_ != nullptr;
    }

    // After settle(): the number of the entry whose copy failed, and why.
    std::optional<std::size_t> failedEntry() const { return failedEntry_; }
    std::exception_ptr failure() const { return failure_; }
    std::vector<NumberedWarning>& warnings() { return warnings_; }

  private:
    struct Entry {
        std::size_t number;
        std::string src, dst;
    };
    void work();

    CopyFileJob job_;
    mutable std::mutex mutex_;
    std::condition_variable changed_;
    std::optional<Entry> entry_;  // being copied; the helper is idle without one
    bool quit_ = false;
    bool unavailable_ = false;
    std::thread thread_;
    std::optional<std::size_t> failedEntry_;
    std::exception_ptr failure_;
    std::vector<NumberedWarning> warnings_;
};

}  // namespace tavkonv40::posix
