#include "cli/diff_alignment.h"

#include <dtl/dtl.hpp>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <optional>
#include <utility>
#include <vector>

namespace tavkonv40::cli::diff {

namespace {

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

}  // namespace

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

}  // namespace tavkonv40::cli::diff
