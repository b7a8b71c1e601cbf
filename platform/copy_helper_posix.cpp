#include "platform/copy_helper_posix.h"

#include <signal.h>

#include <system_error>

namespace tavkonv40::posix {

CopyHelper::~CopyHelper() {
    if (!thread_.joinable()) return;
    {
        const std::lock_guard lock(mutex_);
        quit_ = true;
    }
    changed_.notify_all();
    thread_.join();
}

bool CopyHelper::offer(std::size_t number, const std::string& src, const std::string& dst) {
    if (unavailable_) return false;
    if (!thread_.joinable()) {
        try {
            thread_ = std::thread(&CopyHelper::work, this);
        } catch (const std::system_error&) {
            unavailable_ = true;
            return false;
        }
    }
    {
        const std::lock_guard lock(mutex_);
        if (entry_ || failure_) return false;
        entry_ = Entry{number, src, dst};
    }
    changed_.notify_all();
    return true;
}

void CopyHelper::settle() {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [&] { return !entry_; });
}

void CopyHelper::work() {
    // Cancel requests keep going to the thread that acts on them, as before there was a helper.
    sigset_t all;
    sigfillset(&all);
    pthread_sigmask(SIG_BLOCK, &all, nullptr);
    std::unique_lock lock(mutex_);
    for (;;) {
        changed_.wait(lock, [&] { return entry_ || quit_; });
        if (!entry_) return;
        const Entry entry = *entry_;
        lock.unlock();
        std::vector<std::string> warnings;
        std::exception_ptr failure;
        try {
            job_(entry.src, entry.dst, warnings);
        } catch (...) {
            failure = std::current_exception();
        }
        lock.lock();
        for (auto& w : warnings) warnings_.emplace_back(entry.number, std::move(w));
        if (failure) {
            failure_ = failure;
            failedEntry_ = entry.number;
        }
        entry_.reset();
        changed_.notify_all();
    }
}

}  // namespace tavkonv40::posix
