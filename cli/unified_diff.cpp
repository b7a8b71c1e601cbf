#include "cli/unified_diff.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <utility>
#include <vector>

#include "cli/diff_alignment.h"
#include "cli/diff_lines.h"

namespace tavkonv40::cli {

namespace {

using diff::Line;
using diff::Lines;
using diff::Op;

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
    const std::vector<Op> ops = diff::editScript(a, b, style.limits);
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
