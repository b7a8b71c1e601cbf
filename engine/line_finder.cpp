#include "engine/line_finder.h"

#include <algorithm>
#include <cstring>
#include <functional>

#include "engine/text_util.h"

namespace tavkonv40 {

namespace {

// How often a byte turns up in Visual Basic form and code text, roughly: the search starts from
// the needle's rarest byte, so that few false hits need checking.
int commonness(char c) {
    if (c == ' ' || c == '=' || c == '"' || c == '\t') return 9;
    if (std::strchr("etaoinsrhldcu", c) != nullptr) return 8;
    if (std::strchr("jqxzkv", c) != nullptr) return 3;
    if (c >= 'a' && c <= 'z') return 6;
    if (c >= '0' && c <= '9') return 5;
    if (c >= 'A' && c <= 'Z') return 4;
    return 2;  // punctuation such as '{', '#', '.', ';'
}

char lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; }

bool equalNoCase(const char* a, std::string_view b) {
    for (std::size_t i = 0; i < b.size(); ++i)
        if (asciiUpper(a[i]) != asciiUpper(b[i])) return false;
    return true;
}

}  // namespace

LineFinder::LineFinder(const TextFile& file, std::string_view needle, LetterCase letterCase)
    : file_(file), needle_(needle), case_(letterCase) {
    // With letter case ignored a letter stands for both its spellings, as common as the
    // lower-case one.
    const auto weight = [&](char c) { return commonness(case_ == LetterCase::Ignore ? lower(c) : c); };
    key_ = 0;
    for (std::size_t i = 1; i < needle.size(); ++i)
        if (weight(needle[i]) < weight(needle[key_])) key_ = i;
    keyLower_ = case_ == LetterCase::Ignore ? lower(needle[key_]) : needle[key_];
    keyUpper_ = case_ == LetterCase::Ignore ? asciiUpper(needle[key_]) : needle[key_];
    if (!file_.scanRuns().empty()) at_ = file_.scanRuns().front().bytes.data();
}

const char* LineFinder::search(const char* from, const char* stop) const {
    const std::size_t size = needle_.size();
    // The key byte can stand no earlier than key_ bytes into the range and must leave room for
    // the rest of the needle after it.
    if (stop - from < static_cast<std::ptrdiff_t>(size)) return nullptr;
    const char* keyFrom = from + key_;
    const char* const keyStop = stop - (size - key_ - 1);
    const auto matches = [&](const char* start) {
        // The key byte matched; the first and last bytes rule out most false hits before a call.
        if (case_ == LetterCase::Ignore) return equalNoCase(start, needle_);
        return start[0] == needle_[0] && start[size - 1] == needle_[size - 1] &&
               std::memcmp(start, needle_.data(), size) == 0;
    };
    if (keyLower_ == keyUpper_) {
        while (keyFrom < keyStop) {
            const auto* hit =
                static_cast<const char*>(std::memchr(keyFrom, keyLower_, static_cast<std::size_t>(keyStop - keyFrom)));
            if (!hit) return nullptr;
            if (matches(hit - key_)) return hit - key_;
            keyFrom = hit + 1;
        }
        return nullptr;
    }
    // A letter whose case does not matter: follow both spellings, taking the nearer each time.
    const char* lowerHit = nullptr;
    const char* upperHit = nullptr;
    const auto find = [&](char c, const char* start) {
        return start < keyStop
                   ? static_cast<const char*>(std::memchr(start, c, static_cast<std::size_t>(keyStop - start)))
                   : nullptr;
    };
    lowerHit = find(keyLower_, keyFrom);
    upperHit = find(keyUpper_, keyFrom);
    while (lowerHit || upperHit) {
        const bool takeLower =
            upperHit == nullptr || (lowerHit != nullptr && std::less<const char*>()(lowerHit, upperHit));
        const char* hit = takeLower ? lowerHit : upperHit;
        if (matches(hit - key_)) return hit - key_;
        if (takeLower)
            lowerHit = find(keyLower_, hit + 1);
        else
            upperHit = find(keyUpper_, hit + 1);
    }
    return nullptr;
}

std::size_t LineFinder::next() {
    const auto& runs = file_.scanRuns();
    const auto& lines = file_.lines();
    while (run_ < runs.size()) {
        const TextFile::ScanRun& run = runs[run_];
        const char* const stop = run.bytes.data() + run.bytes.size();
        const char* hit = search(at_, stop);
        if (hit == nullptr) {
            if (++run_ < runs.size()) at_ = runs[run_].bytes.data();
            continue;
        }
        // The line holding the hit: the last line of the run that starts at or before it. Hits
        // come in order, so the search gallops forward from the previous hit's line.
        const std::less<const char*> before;
        std::size_t low = std::max(line_, run.first);
        std::size_t step = 1;
        while (low + step < run.end && !before(hit, lines[low + step].data())) {
            low += step;
            step *= 2;
        }
        const auto from = lines.begin() + static_cast<std::ptrdiff_t>(low);
        const auto to = lines.begin() + static_cast<std::ptrdiff_t>(std::min(low + step, run.end));
        const auto line =
            std::upper_bound(from, to, hit, [&](const char* p, std::string_view l) { return before(p, l.data()); }) - 1;
        line_ = static_cast<std::size_t>(line - lines.begin());
        at_ = line->data() + line->size();  // the rest of this line is not searched again
        return static_cast<std::size_t>(line - lines.begin()) + 1;
    }
    return 0;
}

void LineFinder::startAt(std::size_t line) {
    const auto& runs = file_.scanRuns();
    while (run_ < runs.size() && runs[run_].end <= line)
        if (++run_ < runs.size()) at_ = runs[run_].bytes.data();
    if (run_ == runs.size() || line <= runs[run_].first) return;
    at_ = file_.lines()[line].data();
    line_ = line;
}

bool anyLineContains(const TextFile& file, std::string_view needle, LetterCase letterCase) {
    return LineFinder(file, needle, letterCase).next() != 0;
}

}  // namespace tavkonv40
