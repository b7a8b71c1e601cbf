#include "cli/unified_diff.h"

#include <dtl/dtl.hpp>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <functional>
#include <optional>
#include <utility>
#include <vector>

namespace tavkonv40::cli {

namespace {

// A line as read, terminator included: two lines are equal only when their ends are too.
struct Line {
    std::string_view raw;
    std::size_t textSize;  // without the terminator
    std::string_view text() const { return raw.substr(0, textSize); }
    bool terminated() const { return textSize < raw.size(); }
};

// A file's lines, kept as the offsets where they start: four bytes a line, for files of millions
// of lines (the rare file past 4 GiB records where the offsets' upper part steps up). A line holds
// no CR or LF but its terminator, so the terminator is found at its end.
class Lines {
  public:
    explicit Lines(std::string_view bytes) : bytes_(bytes) {
        std::size_t count = 0;
        forEachStart([&](std::size_t) { ++count; });
        starts_.reserve(count + 1);
        forEachStart([&](std::size_t start) { push(start); });
        push(bytes.size());
    }

    std::size_t size() const { return starts_.size() - 1; }
    std::string_view raw(std::size_t k) const {
        const std::size_t start = startOf(k);
        return bytes_.substr(start, startOf(k + 1) - start);
    }
    Line operator[](std::size_t k) const {
        const std::string_view r = raw(k);
        std::size_t textSize = r.size();
        if (textSize > 0 && r[textSize - 1] == '\n') --textSize;
        if (textSize > 0 && r[textSize - 1] == '\r') --textSize;
        return {r, textSize};
    }

  private:
    template <typename F>
    void forEachStart(F&& f) const {
        const char* const data = bytes_.data();
        const std::size_t size = bytes_.size();
        std::size_t begin = 0;
        while (begin < size) {
            f(begin);
            std::size_t brk = begin;
            while (brk < size && data[brk] != '\r' && data[brk] != '\n') ++brk;
            if (brk == size) break;
            begin = brk + (data[brk] == '\r' && brk + 1 < size && data[brk + 1] == '\n' ? 2 : 1);
        }
    }
    void push(std::size_t start) {
        while ((start >> 32) > steps_.size()) steps_.push_back(starts_.size());
        starts_.push_back(static_cast<std::uint32_t>(start));
    }
    std::size_t startOf(std::size_t k) const {
        const std::size_t low = starts_[k];
        if (steps_.empty()) return low;
        const auto high = static_cast<std::size_t>(std::upper_bound(steps_.begin(), steps_.end(), k) - steps_.begin());
        return low + (high << 32);
    }

    std::string_view bytes_;
    std::vector<std::uint32_t> starts_;  // the lower 32 bits
    std::vector<std::size_t> steps_;     // the first line of each further 4 GiB
};

enum class Op : signed char { Delete = -1, Common = 0, Add = 1 };

// The edit script: one operation per line of either file, in order, so every line's index
// follows from counting. Within a run of changes, removed lines come before added ones, as git
// shows them.
class ScriptBuilder {
  public:
    explicit ScriptBuilder(std::vector<Op>& ops) : ops_(ops) {}

    void common() {
        flush();
        ops_.push_back(Op::Common);
    }
    void removed(std::size_t lines = 1) { removed_ += lines; }
    void added(std::size_t lines = 1) { added_ += lines; }
    void flush() {
        ops_.insert(ops_.end(), removed_, Op::Delete);
        ops_.insert(ops_.end(), added_, Op::Add);
        removed_ = added_ = 0;
    }
    // For the library's edit script.
    void step(dtl::edit_t type) {
        if (type == dtl::SES_DELETE)
            removed();
        else if (type == dtl::SES_ADD)
            added();
        else
            common();
    }

  private:
    std::vector<Op>& ops_;
    std::size_t removed_ = 0, added_ = 0;
};

template <typename SesElem, typename Builder>
class ScriptStorage {
  public:
    explicit ScriptStorage(Builder& builder) : builder_(builder) {}
    void operator()(const SesElem& e) const { builder_.step(e.second.type); }

  private:
    Builder& builder_;
};

// Gives every line of the changed region an id, the index of the first line equal to it
// (terminator included), so that aligning compares integers. The table grows with the distinct
// lines, which in a converted file are far fewer than the lines.
std::vector<std::uint32_t> lineIds(const Lines& a, std::size_t aFrom, std::size_t m, const Lines& b, std::size_t bFrom,
                                   std::size_t n) {
    const auto raw = [&](std::size_t k) { return k < m ? a.raw(aFrom + k) : b.raw(bFrom + k - m); };
    const auto hash = [](std::string_view line) { return std::hash<std::string_view>{}(line); };
    std::vector<std::uint32_t> slots(1024, 0);  // id + 1; 0 is free
    std::size_t used = 0;
    const auto insert = [&](std::uint32_t id, std::size_t h) {
        const std::size_t mask = slots.size() - 1;
        std::size_t s = h & mask;
        while (slots[s] != 0) s = (s + 1) & mask;
        slots[s] = id + 1;
    };
    std::vector<std::uint32_t> ids(m + n);
    for (std::size_t k = 0; k < m + n; ++k) {
        const std::string_view line = raw(k);
        const std::size_t h = hash(line);
        const std::size_t mask = slots.size() - 1;
        std::size_t s = h & mask;
        while (slots[s] != 0 && raw(slots[s] - 1) != line) s = (s + 1) & mask;
        if (slots[s] != 0) {
            ids[k] = slots[s] - 1;
            continue;
        }
        ids[k] = static_cast<std::uint32_t>(k);
        slots[s] = ids[k] + 1;
        if (++used * 3 > slots.size() * 2) {
            std::vector<std::uint32_t> old(slots.size() * 2, 0);
            old.swap(slots);
            for (const std::uint32_t id : old)
                if (id != 0) insert(id - 1, hash(raw(id - 1)));
        }
    }
    return ids;
}

// One side of a changed region: its line ids.
struct Side {
    const std::uint32_t* ids;
    std::size_t size;
    Side sub(std::size_t from, std::size_t to) const { return {ids + from, to - from}; }
};

// The library's O(NP) alignment records a path point per diagonal visited and per round; past
// its own cap it stops looking for the shortest script and restarts from where it got, which for
// big regions is slow. Its work follows from an upper bound on the changed lines.
bool exactAlignmentAffordable(std::size_t m, std::size_t n, std::size_t changes, const AlignmentLimits& limits) {
    const double shorter = static_cast<double>(std::min(m, n));
    const double delta = static_cast<double>(std::max(m, n)) - shorter;
    // Lines removed going from the shorter side to the longer one: the rounds the library needs.
    const double rounds = std::max(0.0, (static_cast<double>(changes) - delta) / 2);
    const double pathPoints = (rounds + 1) * (delta + 1) + rounds * (rounds + 1);
    // Each visited diagonal is walked at most once along the shorter side.
    const double comparisons = (delta + 2 * rounds + 1) * (shorter + 1);
    const double allowed = std::max(static_cast<double>(limits.minimumWork),
                                    static_cast<double>(limits.workPerLine) * static_cast<double>(m + n));
    return pathPoints <= static_cast<double>(dtl::MAX_CORDINATES_SIZE) && comparisons <= allowed;
}

// A shortest edit script from the library.
void alignExactly(const Side& a, const Side& b, ScriptBuilder& out) {
    if (a.size == 0 || b.size == 0) {
        out.removed(a.size);
        out.added(b.size);
        return;
    }
    using Sequence = std::vector<std::uint32_t>;
    dtl::Diff<std::uint32_t, Sequence> diff(Sequence(a.ids, a.ids + a.size), Sequence(b.ids, b.ids + b.size));
    diff.compose();
    diff.storeSES<ScriptBuilder, ScriptStorage>(out);
}

// A stretch without runs of equal lines: exactly when cheap, else cut into pieces of at most
// `pieceLines` lines on each side, cut at the same fraction of each side, each aligned exactly.
void alignStretch(const Side& a, const Side& b, ScriptBuilder& out, const AlignmentLimits& limits) {
    if (a.size == 0 || b.size == 0 || exactAlignmentAffordable(a.size, b.size, a.size + b.size, limits))
        return alignExactly(a, b, out);
    const std::size_t piece = std::max<std::size_t>(limits.pieceLines, 1);
    const std::size_t pieces = (std::max(a.size, b.size) + piece - 1) / piece;
    for (std::size_t t = 0; t < pieces; ++t)
        alignExactly(a.sub(a.size * t / pieces, a.size * (t + 1) / pieces),
                     b.sub(b.size * t / pieces, b.size * (t + 1) / pieces), out);
}

// Finds where two sides fall into step again: a run of kSyncLines equal lines. Conversions never
// reorder lines, so the nearest such run is almost always where an edit ends.
class SyncFinder {
  public:
    static constexpr std::size_t kSyncLines = 3;

    struct Sync {
        std::size_t i, j;
    };

    // The pair (i, j) with the smallest i + j where both sides start a run of kSyncLines equal
    // lines (the smaller j on a tie), or none. The square searched doubles until it holds one, so
    // the work is proportional to the distance found.
    std::optional<Sync> nearest(const Side& a, const Side& b) {
        if (a.size < kSyncLines || b.size < kSyncLines) return std::nullopt;
        const std::size_t aStarts = a.size - kSyncLines + 1, bStarts = b.size - kSyncLines + 1;
        std::size_t width = 16;
        for (;;) {
            const bool covered = width >= aStarts && width >= bStarts;
            const auto best = nearestWithin(a, b, std::min(width, aStarts), std::min(width, bStarts));
            if (best) {
                // Every pair nearer than the one found lies inside a square of this width.
                const std::size_t distance = best->i + best->j;
                if (distance < width || covered) return best;
                width = distance + 1;
            } else {
                if (covered) return std::nullopt;
                width *= 2;
            }
        }
    }

  private:
    static bool runsEqual(const std::uint32_t* x, const std::uint32_t* y) { return std::equal(x, x + kSyncLines, y); }
    static std::size_t runHash(const std::uint32_t* x) {
        std::uint64_t h = 0;
        for (std::size_t k = 0; k < kSyncLines; ++k) h = (h ^ x[k]) * 0x9E3779B97F4A7C15ull;
        return static_cast<std::size_t>(h ^ (h >> 29));
    }

    std::optional<Sync> nearestWithin(const Side& a, const Side& b, std::size_t aStarts, std::size_t bStarts) {
        std::size_t capacity = 16;
        while (capacity < 2 * aStarts) capacity <<= 1;
        table_.assign(capacity, 0);
        const std::size_t mask = capacity - 1;
        // The first start of each distinct run on the old side.
        for (std::size_t i = 0; i < aStarts; ++i) {
            for (std::size_t s = runHash(a.ids + i) & mask;; s = (s + 1) & mask) {
                if (table_[s] == 0) {
                    table_[s] = i + 1;
                    break;
                }
                if (runsEqual(a.ids + table_[s] - 1, a.ids + i)) break;
            }
        }
        std::optional<Sync> best;
        for (std::size_t j = 0; j < bStarts && (!best || j < best->i + best->j); ++j) {
            for (std::size_t s = runHash(b.ids + j) & mask; table_[s] != 0; s = (s + 1) & mask) {
                const std::size_t i = table_[s] - 1;
                if (!runsEqual(a.ids + i, b.ids + j)) continue;
                if (!best || i + j < best->i + best->j) best = Sync{i, j};
                break;
            }
        }
        return best;
    }

    std::vector<std::size_t> table_;
};

// Walks both sides together: equal lines are common, and from each difference the nearest run of
// equal lines ends a stretch that is aligned on its own. Linear in the lines, whatever the number
// of changes.
void alignBySync(const Side& a, const Side& b, ScriptBuilder& out, const AlignmentLimits& limits) {
    SyncFinder finder;
    std::size_t i = 0, j = 0;
    while (i < a.size && j < b.size) {
        if (a.ids[i] == b.ids[j]) {
            out.common();
            ++i, ++j;
            continue;
        }
        const Side restA = a.sub(i, a.size), restB = b.sub(j, b.size);
        const auto sync = finder.nearest(restA, restB);
        if (!sync) break;
        alignStretch(restA.sub(0, sync->i), restB.sub(0, sync->j), out, limits);
        i += sync->i;
        j += sync->j;
    }
    alignStretch(a.sub(i, a.size), b.sub(j, b.size), out, limits);
}

// The edit script over the whole files. The common head and tail are matched directly; the
// middle is aligned exactly (a shortest script) when that is affordable, else by runs of equal
// lines.
std::vector<Op> editScript(const Lines& a, const Lines& b, const AlignmentLimits& limits) {
    std::size_t head = 0;
    while (head < a.size() && head < b.size() && a.raw(head) == b.raw(head)) ++head;
    std::size_t tail = 0;
    while (tail < a.size() - head && tail < b.size() - head && a.raw(a.size() - 1 - tail) == b.raw(b.size() - 1 - tail))
        ++tail;

    std::vector<Op> ops(head, Op::Common);
    ScriptBuilder out(ops);
    const std::size_t m = a.size() - tail - head, n = b.size() - tail - head;
    const std::vector<std::uint32_t> ids = lineIds(a, head, m, b, head, n);
    const Side midA{ids.data(), m}, midB{ids.data() + m, n};
    if (exactAlignmentAffordable(m, n, m + n, limits)) {
        alignExactly(midA, midB, out);
    } else {
        // The walk's changes bound the shortest script's from above; when even that bound makes
        // the exact alignment cheap, it is used after all.
        const std::size_t mark = ops.size();
        alignBySync(midA, midB, out, limits);
        out.flush();
        const auto changes = static_cast<std::size_t>(std::count_if(ops.begin() + static_cast<std::ptrdiff_t>(mark),
                                                                    ops.end(), [](Op op) { return op != Op::Common; }));
        if (exactAlignmentAffordable(m, n, changes, limits)) {
            ops.resize(mark);
            alignExactly(midA, midB, out);
        }
    }
    out.flush();
    ops.insert(ops.end(), tail, Op::Common);
    return ops;
}

struct Colors {
    const char* meta = "";
    const char* frag = "";
    const char* old = "";
    const char* added = "";
    const char* whitespace = "";
    const char* reset = "";
};

Colors colorsFor(DiffColor c) {
    if (c == DiffColor::Plain) return {};
    return {"\033[1m", "\033[36m", "\033[31m", "\033[32m", "\033[41m", "\033[m"};
}

// Names with blanks are followed by a tab on the ---/+++ lines; names with control or non-ASCII
// bytes, quotes or backslashes are quoted with C escapes, as git does.
std::string quotedPath(std::string_view prefix, std::string_view name) {
    const bool needsQuote = std::any_of(name.begin(), name.end(), [](char ch) {
        const auto c = static_cast<unsigned char>(ch);
        return c < 0x20 || c >= 0x7f || c == '"' || c == '\\';
    });
    std::string path(prefix);
    if (!needsQuote) return path.append(name);
    std::string q = "\"";
    q += prefix;
    for (char ch : name) {
        const auto c = static_cast<unsigned char>(ch);
        switch (c) {
            case '"':
                q += "\\\"";
                break;
            case '\\':
                q += "\\\\";
                break;
            case '\a':
                q += "\\a";
                break;
            case '\b':
                q += "\\b";
                break;
            case '\t':
                q += "\\t";
                break;
            case '\n':
                q += "\\n";
                break;
            case '\v':
                q += "\\v";
                break;
            case '\f':
                q += "\\f";
                break;
            case '\r':
                q += "\\r";
                break;
            default:
                if (c < 0x20 || c >= 0x7f) {
                    const char digits[] = {'\\', static_cast<char>('0' + (c >> 6)),
                                           static_cast<char>('0' + ((c >> 3) & 7)), static_cast<char>('0' + (c & 7))};
                    q.append(digits, 4);
                } else {
                    q += ch;
                }
        }
    }
    return q += '"';
}

// The hunk heading git takes by default: the nearest line above the hunk that starts with a
// letter, "_" or "$", cut to 80 bytes (terminator counted) and stripped of trailing blanks.
bool headingOf(const Line& line, std::string& heading) {
    const auto raw = line.raw;
    if (raw.empty()) return false;
    const auto c = static_cast<unsigned char>(raw[0]);
    if (!std::isalpha(c) && c != '_' && c != '$') return false;
    std::size_t len = std::min<std::size_t>(raw.size(), 80);
    while (len > 0 && std::isspace(static_cast<unsigned char>(raw[len - 1]))) --len;
    heading.assign(raw.substr(0, len));
    return true;
}

std::string range(std::size_t start, std::size_t count) {
    // An empty range names the line before it; a one-line range omits its count.
    std::string s = std::to_string(count == 0 ? start : start + 1);
    if (count != 1) {
        s += ',';
        s += std::to_string(count);
    }
    return s;
}

class Writer {
  public:
    Writer(const Lines& a, const Lines& b, const Colors& c, std::string& out) : a_(a), b_(b), c_(c), out_(out) {}

    // The operations [from, to) of the script; oldStart and newStart count the lines before them.
    void hunk(const std::vector<Op>& ops, std::size_t from, std::size_t to, std::size_t oldStart,
              std::size_t newStart) {
        std::size_t oldCount = 0, newCount = 0;
        for (std::size_t k = from; k < to; ++k) {
            if (ops[k] != Op::Add) ++oldCount;
            if (ops[k] != Op::Delete) ++newCount;
        }

        // Searched from the line above the hunk back to where the previous search began.
        for (long l = static_cast<long>(oldStart) - 1; l > headingLimit_; --l)
            if (headingOf(a_[static_cast<std::size_t>(l)], heading_)) break;
        headingLimit_ = static_cast<long>(oldStart) - 1;

        out_ += c_.frag;
        out_ += "@@ -";
        out_ += range(oldStart, oldCount);
        out_ += " +";
        out_ += range(newStart, newCount);
        out_ += " @@";
        out_ += c_.reset;
        if (!heading_.empty()) {
            out_ += ' ';
            out_ += c_.reset;
            out_ += heading_;
            out_ += c_.reset;
        }
        out_ += '\n';

        std::size_t o = oldStart, n = newStart;
        for (std::size_t k = from; k < to; ++k) {
            if (ops[k] == Op::Common) {
                line(' ', a_[o++]);
                ++n;
            } else if (ops[k] == Op::Delete) {
                line('-', a_[o++]);
            } else {
                line('+', b_[n++]);
            }
        }
    }

  private:
    void line(char mark, const Line& l) {
        const std::string_view text = l.text();
        if (mark == ' ') {
            out_ += ' ';
            out_ += text;
            out_ += c_.reset;
        } else if (mark == '-') {
            out_ += c_.old;
            out_ += '-';
            out_ += text;
            out_ += c_.reset;
        } else {
            out_ += c_.added;
            out_ += '+';
            out_ += c_.reset;
            // Trailing blanks on an added line are shown as git shows whitespace errors.
            std::size_t body = text.size();
            if (*c_.reset)
                while (body > 0 && (text[body - 1] == ' ' || text[body - 1] == '\t')) --body;
            if (body > 0) {
                out_ += c_.added;
                out_ += text.substr(0, body);
                out_ += c_.reset;
            }
            if (body < text.size()) {
                out_ += c_.whitespace;
                out_ += text.substr(body);
                out_ += c_.reset;
            }
        }
        out_ += '\n';
        if (!l.terminated()) {
            out_ += "\\ No newline at end of file";
            out_ += c_.reset;
            out_ += '\n';
        }
    }

    const Lines& a_;
    const Lines& b_;
    const Colors& c_;
    std::string& out_;
    std::string heading_;
    long headingLimit_ = -1;
};

}  // namespace

std::string lineEndNote(std::string_view name, std::string_view bytes) {
    bool crlf = false, lf = false, cr = false;
    const Lines lines(bytes);
    for (std::size_t k = 0; k < lines.size(); ++k) {
        const Line l = lines[k];
        const auto end = l.raw.substr(l.textSize);
        if (end == "\r\n")
            crlf = true;
        else if (end == "\n")
            lf = true;
        else if (end == "\r")
            cr = true;
    }
    if (!lf && !cr) return {};
    std::string kinds;
    for (auto [seen, label] : {std::pair{crlf, "CR LF"}, std::pair{lf, "LF"}, std::pair{cr, "CR"}}) {
        if (!seen) continue;
        if (!kinds.empty()) kinds += ", ";
        kinds += label;
    }
    const bool mixed = static_cast<int>(crlf) + static_cast<int>(lf) + static_cast<int>(cr) > 1;
    return "# " + std::string(name) + ": line ends are " + (mixed ? "mixed (" + kinds + ")" : kinds) + ", not CR LF\n";
}

std::string unifiedDiff(std::string_view name, std::string_view before, std::string_view after,
                        const DiffStyle& style) {
    if (before == after) return {};
    const Lines a(before);
    const Lines b(after);
    const std::vector<Op> ops = editScript(a, b, style.limits);
    const Colors c = colorsFor(style.color);

    std::string out = lineEndNote(name, after.empty() ? before : after);
    const std::string tab = name.find(' ') != std::string_view::npos ? "\t" : "";
    out += std::string(c.meta) + "diff --git " + quotedPath("a/", name) + " " + quotedPath("b/", name) + c.reset + "\n";
    out += std::string(c.meta) + "--- " + quotedPath("a/", name) + c.reset + tab + "\n";
    out += std::string(c.meta) + "+++ " + quotedPath("b/", name) + c.reset + tab + "\n";
    // Room for the largest diff these files can give (only what is written is ever touched), so
    // a big diff is not copied while it grows.
    const std::size_t changeRuns =
        static_cast<std::size_t>(std::count_if(ops.begin(), ops.end(), [&, previous = Op::Common](Op op) mutable {
            return std::exchange(previous, op) == Op::Common && op != Op::Common;
        }));
    out.reserve(out.size() + before.size() + after.size() + 32 * ops.size() + 256 * changeRuns + 128);

    // Changes whose gap of unchanged lines is at most twice the context share one hunk.
    Writer writer(a, b, c, out);
    const std::size_t ctx = style.context;
    std::size_t k = 0, oldPos = 0, newPos = 0;  // the lines before operation k
    while (k < ops.size()) {
        for (; k < ops.size() && ops[k] == Op::Common; ++k) ++oldPos, ++newPos;
        if (k == ops.size()) break;
        // The context before the first change is all common lines.
        const std::size_t lead = std::min(k, ctx);
        std::size_t end = k;  // one past the last change of the hunk
        for (;;) {
            while (end < ops.size() && ops[end] != Op::Common) ++end;
            std::size_t gap = end;
            while (gap < ops.size() && ops[gap] == Op::Common) ++gap;
            if (gap == ops.size() || gap - end > 2 * ctx) break;
            end = gap;
        }
        const std::size_t to = std::min(ops.size(), end + ctx);
        writer.hunk(ops, k - lead, to, oldPos - lead, newPos - lead);
        for (; k < to; ++k) {
            if (ops[k] != Op::Add) ++oldPos;
            if (ops[k] != Op::Delete) ++newPos;
        }
    }
    return out;
}

}  // namespace tavkonv40::cli
