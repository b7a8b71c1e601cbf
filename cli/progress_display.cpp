#include "cli/progress_display.h"

#include "cli/terminal_text.h"

namespace tavkonv40::cli {

std::string startedFile(std::string_view line) {
    constexpr std::string_view kTail = ").  Checking update requirements.....";
    if (line.rfind("Found VB ", 0) != 0 || !line.ends_with(kTail)) return {};
    const auto open = line.find(" file (");
    if (open == std::string_view::npos) return {};
    const auto from = open + 7;
    return std::string(line.substr(from, line.size() - kTail.size() - from));
}

bool finishedFile(std::string_view line) {
    return line.rfind("VB ", 0) == 0 && line.ends_with(").  File is now up to date.");
}

ProgressDisplay::ProgressDisplay(std::ostream& err, Terminal terminal, std::size_t total)
    : err_(err), active_(terminal == Terminal::Yes), total_(total) {}

ProgressDisplay::~ProgressDisplay() { finish(); }

std::string ProgressDisplay::text() const {
    std::string s = "[";
    s += std::to_string(done_);
    s += '/';
    s += std::to_string(total_);
    s += ']';
    if (!current_.empty()) {
        s += ' ';
        s += quotedName(current_);
    }
    // A long name must not wrap: a wrapped line cannot be erased with one carriage return. It
    // is cut between characters, never inside one.
    constexpr std::size_t kMax = 78;
    if (s.size() > kMax) s = std::string(utf8Prefix(s, kMax - 3)) + "...";
    return s;
}

void ProgressDisplay::beforeLogLine() {
    if (shown_) erase();
}

void ProgressDisplay::afterLogLine(std::string_view line) {
    if (!active_) return;
    bool started = false;
    if (auto name = startedFile(line); !name.empty()) {
        current_ = std::move(name);
        started = true;
    } else if (finishedFile(line)) {
        ++done_;
        if (done_ > total_) total_ = done_;  // a file added while the run goes on
    }
    if (started || now() - lastDraw_ >= interval) draw();
}

void ProgressDisplay::finish() {
    if (shown_) erase();
    active_ = false;
}

void ProgressDisplay::draw() {
    err_ << '\r' << text() << "\033[K";
    err_.flush();
    shown_ = true;
    lastDraw_ = now();
}

void ProgressDisplay::erase() {
    err_ << "\r\033[K";
    err_.flush();
    shown_ = false;
}

}  // namespace tavkonv40::cli
