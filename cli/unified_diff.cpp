#include "unified_diff.h"

#include <dtl/dtl.hpp>

#include <algorithm>
#include <cctype>
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

std::vector<Line> splitLines(std::string_view bytes) {
    std::vector<Line> lines;
    std::size_t begin = 0;
    while (begin < bytes.size()) {
        const auto brk = bytes.find_first_of("\r\n", begin);
        if (brk == std::string_view::npos) {
            lines.push_back({bytes.substr(begin), bytes.size() - begin});
            break;
        }
        const std::size_t endSize = bytes[brk] == '\r' && brk + 1 < bytes.size() && bytes[brk + 1] == '\n' ? 2 : 1;
        lines.push_back({bytes.substr(begin, brk - begin + endSize), brk - begin});
        begin = brk + endSize;
    }
    return lines;
}

enum class Op : signed char { Delete = -1, Common = 0, Add = 1 };

struct Edit {
    Op op;
    std::size_t oldIndex;  // 0-based, valid for Common and Delete
    std::size_t newIndex;  // 0-based, valid for Common and Add
};

// The edit script over the whole files. The common head and tail are matched directly and only
// the middle goes to the library, so a large file with a few changes stays cheap.
std::vector<Edit> editScript(const std::vector<Line>& a, const std::vector<Line>& b) {
    std::size_t head = 0;
    while (head < a.size() && head < b.size() && a[head].raw == b[head].raw) ++head;
    std::size_t tail = 0;
    while (tail < a.size() - head && tail < b.size() - head &&
           a[a.size() - 1 - tail].raw == b[b.size() - 1 - tail].raw)
        ++tail;

    std::vector<Edit> edits;
    for (std::size_t i = 0; i < head; ++i) edits.push_back({Op::Common, i, i});

    std::vector<std::string_view> midA, midB;
    for (std::size_t i = head; i < a.size() - tail; ++i) midA.push_back(a[i].raw);
    for (std::size_t i = head; i < b.size() - tail; ++i) midB.push_back(b[i].raw);
    dtl::Diff<std::string_view, std::vector<std::string_view>> diff(midA, midB);
    diff.compose();
    // Within a run of changes, removed lines come before added ones, as git shows them.
    std::vector<Edit> removed, added;
    auto flush = [&] {
        edits.insert(edits.end(), removed.begin(), removed.end());
        edits.insert(edits.end(), added.begin(), added.end());
        removed.clear();
        added.clear();
    };
    for (const auto& [elem, info] : diff.getSes().getSequence()) {
        const auto oi = static_cast<std::size_t>(info.beforeIdx - 1) + head;
        const auto ni = static_cast<std::size_t>(info.afterIdx - 1) + head;
        if (info.type == dtl::SES_DELETE) {
            removed.push_back({Op::Delete, oi, 0});
        } else if (info.type == dtl::SES_ADD) {
            added.push_back({Op::Add, 0, ni});
        } else {
            flush();
            edits.push_back({Op::Common, oi, ni});
        }
    }
    flush();
    for (std::size_t k = tail; k > 0; --k)
        edits.push_back({Op::Common, a.size() - k, b.size() - k});
    return edits;
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
            case '"': q += "\\\""; break;
            case '\\': q += "\\\\"; break;
            case '\a': q += "\\a"; break;
            case '\b': q += "\\b"; break;
            case '\t': q += "\\t"; break;
            case '\n': q += "\\n"; break;
            case '\v': q += "\\v"; break;
            case '\f': q += "\\f"; break;
            case '\r': q += "\\r"; break;
            default:
                if (c < 0x20 || c >= 0x7f) {
                    const char digits[] = {'\\', static_cast<char>('0' + (c >> 6)),
                                           static_cast<char>('0' + ((c >> 3) & 7)),
                                           static_cast<char>('0' + (c & 7))};
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
    Writer(const std::vector<Line>& a, const std::vector<Line>& b, const Colors& c, std::string& out)
        : a_(a), b_(b), c_(c), out_(out) {}

    void hunk(const std::vector<Edit>& edits, std::size_t from, std::size_t to) {
        std::size_t oldStart = 0, newStart = 0, oldCount = 0, newCount = 0;
        bool oldSeen = false, newSeen = false;
        for (std::size_t k = from; k < to; ++k) {
            const Edit& e = edits[k];
            if (e.op != Op::Add) {
                if (!oldSeen) oldStart = e.oldIndex, oldSeen = true;
                ++oldCount;
            }
            if (e.op != Op::Delete) {
                if (!newSeen) newStart = e.newIndex, newSeen = true;
                ++newCount;
            }
        }
        // An empty side starts where the other side's lines sit in it.
        if (!oldSeen) oldStart = oldPositionAt(edits, from);
        if (!newSeen) newStart = newPositionAt(edits, from);

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

        for (std::size_t k = from; k < to; ++k) {
            const Edit& e = edits[k];
            if (e.op == Op::Common) {
                line(' ', a_[e.oldIndex]);
            } else if (e.op == Op::Delete) {
                line('-', a_[e.oldIndex]);
            } else {
                line('+', b_[e.newIndex]);
            }
        }
    }

private:
    // Old lines before edit `at`: the start of an empty old side.
    static std::size_t oldPositionAt(const std::vector<Edit>& edits, std::size_t at) {
        for (std::size_t k = at; k-- > 0;)
            if (edits[k].op != Op::Add) return edits[k].oldIndex + 1;
        return 0;
    }
    static std::size_t newPositionAt(const std::vector<Edit>& edits, std::size_t at) {
        for (std::size_t k = at; k-- > 0;)
            if (edits[k].op != Op::Delete) return edits[k].newIndex + 1;
        return 0;
    }

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

    const std::vector<Line>& a_;
    const std::vector<Line>& b_;
    const Colors& c_;
    std::string& out_;
    std::string heading_;
    long headingLimit_ = -1;
};

}  // namespace

std::string lineEndNote(std::string_view name, std::string_view bytes) {
    bool crlf = false, lf = false, cr = false;
    for (const Line& l : splitLines(bytes)) {
        const auto end = l.raw.substr(l.textSize);
        if (end == "\r\n") crlf = true;
        else if (end == "\n") lf = true;
        else if (end == "\r") cr = true;
    }
    if (!lf && !cr) return {};
    std::string kinds;
    for (auto [seen, label] : {std::pair{crlf, "CR LF"}, std::pair{lf, "LF"}, std::pair{cr, "CR"}}) {
        if (!seen) continue;
        if (!kinds.empty()) kinds += ", ";
        kinds += label;
    }
    const bool mixed = static_cast<int>(crlf) + static_cast<int>(lf) + static_cast<int>(cr) > 1;
    return "# " + std::string(name) + ": line ends are " + (mixed ? "mixed (" + kinds + ")" : kinds) +
           ", not CR LF\n";
}

std::string unifiedDiff(std::string_view name, std::string_view before, std::string_view after,
                        const DiffStyle& style) {
    if (before == after) return {};
    const auto a = splitLines(before);
    const auto b = splitLines(after);
    const auto edits = editScript(a, b);
    const Colors c = colorsFor(style.color);

    std::string out = lineEndNote(name, after.empty() ? before : after);
    const std::string tab = name.find(' ') != std::string_view::npos ? "\t" : "";
    out += std::string(c.meta) + "diff --git " + quotedPath("a/", name) + " " + quotedPath("b/", name) + c.reset + "\n";
    out += std::string(c.meta) + "--- " + quotedPath("a/", name) + c.reset + tab + "\n";
    out += std::string(c.meta) + "+++ " + quotedPath("b/", name) + c.reset + tab + "\n";

    // Changes whose gap of unchanged lines is at most twice the context share one hunk.
    Writer writer(a, b, c, out);
    const std::size_t ctx = style.context;
    std::size_t k = 0;
    while (k < edits.size()) {
        while (k < edits.size() && edits[k].op == Op::Common) ++k;
        if (k == edits.size()) break;
        const std::size_t from = k >= ctx ? k - ctx : 0;
        std::size_t end = k;  // one past the last change of the hunk
        for (;;) {
            while (end < edits.size() && edits[end].op != Op::Common) ++end;
            std::size_t gap = end;
            while (gap < edits.size() && edits[gap].op == Op::Common) ++gap;
            if (gap == edits.size() || gap - end > 2 * ctx) break;
            end = gap;
        }
        const std::size_t to = std::min(edits.size(), end + ctx);
        writer.hunk(edits, from, to);
        k = to;
    }
    return out;
}

}  // namespace tavkonv40::cli
