// Starts the real command line as a child process, reads what it prints, interrupts or kills
// it: fork/exec and signals on POSIX, CreateProcessW and console events on Windows.
#pragma once

#ifdef _WIN32
#include <windows.h>

#include "platform/windows_text.h"
#else
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include <cstdlib>
#include <map>
#include <string>
#include <vector>

namespace tavkonv40::test {

#ifdef _WIN32
inline constexpr const char* kNullDevice = "NUL";
inline constexpr const char* kTemporaryFolderVariable = "TMP";
#else
inline constexpr const char* kNullDevice = "/dev/null";
inline constexpr const char* kTemporaryFolderVariable = "TMPDIR";
#endif

struct ChildOptions {
    // Standard output is read through output(); with a file name it goes to that file instead.
    std::string stdoutFile;
    std::map<std::string, std::string> environment;  // set for the child only
};

class Child {
  public:
    Child(const std::string& program, const std::vector<std::string>& args, const ChildOptions& options = {});
    ~Child();
    Child(const Child&) = delete;
    Child& operator=(const Child&) = delete;

    // The next piece of standard output; empty once the child closed it.
    std::string output();
    // Ctrl-C for the child: SIGINT, or a Ctrl-Break event to its own console process group.
    // False when the system cannot deliver it (Wine cannot send console events).
    bool interrupt();
    // Ends the child at once (SIGKILL, TerminateProcess).
    void kill();
#ifndef _WIN32
    // Sends the child a signal of the test's choice.
    bool signal(int number) { return ::kill(pid_, number) == 0; }
    // Closes the reading end, as a reader that goes away does.
    void closeOutput() {
        ::close(readEnd_);
        readEnd_ = -1;
    }
#endif
    // Waits for the child; its exit status, or -1 when a signal ended it.
    int wait();

  private:
#ifdef _WIN32
    PROCESS_INFORMATION process_{};
    HANDLE readEnd_ = nullptr;
#else
    pid_t pid_ = -1;
    int readEnd_ = -1;
#endif
    bool waited_ = false;
    int status_ = -1;
};

#ifdef _WIN32

namespace detail {

// Quotes one argument the way CommandLineToArgvW splits it again.
inline std::wstring quoted(const std::wstring& arg) {
    std::wstring out = L"\"";
    std::size_t backslashes = 0;
    for (wchar_t c : arg) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        out.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
        backslashes = 0;
        out += c;
    }
    out.append(backslashes * 2, L'\\');
    return out + L"\"";
}

}  // namespace detail

inline Child::Child(const std::string& program, const std::vector<std::string>& args, const ChildOptions& options) {
    std::wstring commandLine = detail::quoted(windows::widen(program));
    for (const auto& a : args) commandLine += L" " + detail::quoted(windows::widen(a));
    SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    HANDLE writeEnd = nullptr;
    if (options.stdoutFile.empty()) {
        ::CreatePipe(&readEnd_, &writeEnd, &inherit, 0);
        ::SetHandleInformation(readEnd_, HANDLE_FLAG_INHERIT, 0);
    } else {
        writeEnd = ::CreateFileW(windows::widen(options.stdoutFile).c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit,
                                 CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    }
    // The child inherits the environment as it is when it starts.
    std::map<std::wstring, std::wstring> saved;
    for (const auto& [k, v] : options.environment) {
        wchar_t old[32768];
        const DWORD n = ::GetEnvironmentVariableW(windows::widen(k).c_str(), old, 32768);
        saved[windows::widen(k)] = n > 0 ? std::wstring(old, n) : std::wstring();
        ::SetEnvironmentVariableW(windows::widen(k).c_str(), windows::widen(v).c_str());
    }
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = ::GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = writeEnd;
    startup.hStdError = ::GetStdHandle(STD_ERROR_HANDLE);
    // A process group of its own, so that a Ctrl-Break reaches the child and not the test.
    if (!::CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE, CREATE_NEW_PROCESS_GROUP, nullptr,
                          nullptr, &startup, &process_))
        std::abort();
    for (const auto& [k, v] : saved) ::SetEnvironmentVariableW(k.c_str(), v.empty() ? nullptr : v.c_str());
    ::CloseHandle(writeEnd);
}

inline Child::~Child() {
    if (!waited_) {
        kill();
        wait();
    }
    if (readEnd_) ::CloseHandle(readEnd_);
    ::CloseHandle(process_.hThread);
    ::CloseHandle(process_.hProcess);
}

inline std::string Child::output() {
    char buf[4096];
    DWORD n = 0;
    if (!readEnd_ || !::ReadFile(readEnd_, buf, sizeof buf, &n, nullptr)) return {};
    return std::string(buf, n);
}

inline bool Child::interrupt() { return ::GenerateConsoleCtrlEvent(CTRL_BREAK_EVENT, process_.dwProcessId) != 0; }

inline void Child::kill() { ::TerminateProcess(process_.hProcess, 137); }

inline int Child::wait() {
    if (!waited_) {
        ::WaitForSingleObject(process_.hProcess, INFINITE);
        DWORD code = 0;
        ::GetExitCodeProcess(process_.hProcess, &code);
        status_ = code == 137 ? -1 : static_cast<int>(code);
        waited_ = true;
    }
    return status_;
}

#else

inline Child::Child(const std::string& program, const std::vector<std::string>& args, const ChildOptions& options) {
    int fds[2] = {-1, -1};
    if (options.stdoutFile.empty() && ::pipe(fds) != 0) std::abort();
    pid_ = ::fork();
    if (pid_ < 0) std::abort();
    if (pid_ == 0) {
        for (const auto& [k, v] : options.environment) ::setenv(k.c_str(), v.c_str(), 1);
        if (options.stdoutFile.empty()) {
            ::dup2(fds[1], 1);
            ::close(fds[0]);
            ::close(fds[1]);
        } else if (!std::freopen(options.stdoutFile.c_str(), "w", stdout)) {
            ::_exit(126);
        }
        std::vector<char*> argv{const_cast<char*>(program.c_str())};
        for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        ::execv(program.c_str(), argv.data());
        ::_exit(127);
    }
    if (options.stdoutFile.empty()) {
        ::close(fds[1]);
        readEnd_ = fds[0];
    }
}

inline Child::~Child() {
    if (!waited_) {
        kill();
        wait();
    }
    if (readEnd_ >= 0) ::close(readEnd_);
}

inline std::string Child::output() {
    char buf[4096];
    for (;;) {
        const ssize_t n = readEnd_ >= 0 ? ::read(readEnd_, buf, sizeof buf) : 0;
        if (n < 0 && errno == EINTR) continue;
        return n > 0 ? std::string(buf, static_cast<std::size_t>(n)) : std::string();
    }
}

inline bool Child::interrupt() { return signal(SIGINT); }

inline void Child::kill() { ::kill(pid_, SIGKILL); }

inline int Child::wait() {
    if (!waited_) {
        int status = 0;
        ::waitpid(pid_, &status, 0);
        status_ = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        waited_ = true;
    }
    return status_;
}

#endif

}  // namespace tavkonv40::test
