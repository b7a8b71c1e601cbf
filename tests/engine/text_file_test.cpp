// TextFile and the searches the steps make in it: the pre-test of anchored positions and the line
// finder, each against a plain search, and a file's rewrites against a plain model.
#include "engine/text_file.h"

#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "engine/anchor_positions.h"
#include "engine/line_finder.h"
#include "engine/text_util.h"

namespace tavkonv40 {
namespace {

TEST(InStrNoCase, FindsIgnoringCaseFromStart) {
    EXPECT_EQ(InStrNoCase(1, "  OBJECT={abc}", "Object={"), 3u);
    EXPECT_EQ(InStrNoCase(4, "  OBJECT={abc} object={", "Object={"), 16u);
    EXPECT_EQ(InStrNoCase(1, "Objec", "Object"), 0u);
    EXPECT_EQ(InStrNoCase(1, "", "x"), 0u);
    EXPECT_EQ(InStrNoCase(3, "abc", ""), 3u);
    EXPECT_EQ(InStrNoCase(9, "abc", "a"), 0u);
    // Bytes above 0x7F are compared as they are.
    EXPECT_EQ(InStrNoCase(1, "caf\xC9 BEGIN", "begin"), 6u);
    EXPECT_EQ(InStrNoCase(1, "caf\xE9", "\xC9"), 0u);
}

TEST(StripNull, CutsAtFirstNul) {
    std::string s("Form1.frm\0garbage\0", 18);
    EXPECT_EQ(StripNull(s), "Form1.frm");
    std::string plain = "abc";
    EXPECT_EQ(StripNull(plain), "abc");
}

TEST(TextFile, ScanningArrayIsNotRefreshedButRewritesShiftLines) {
    TextFile f("VERSION 5.00\r\nline2\r\nline3\r\n");
    f.replaceLine(1, "VERSION 5.00\r\nadded\r\n");
    EXPECT_EQ(f.lineCount(), 3u);
    EXPECT_EQ(f.line(2), "line2");  // the step still sees the old lines
    EXPECT_EQ(f.currentLineCount(), 5u);
    EXPECT_EQ(f.bytes(), "VERSION 5.00\r\nadded\r\n\r\nline2\r\nline3\r\n");
    // Line 3 of the current content is now the empty line, not "line3".
    f.replaceLine(3, "x");
    EXPECT_EQ(f.bytes(), "VERSION 5.00\r\nadded\r\nx\r\nline2\r\nline3\r\n");
}

TEST(TextFile, LinesOutsideTheFileAreRefused) {
    TextFile f("a\r\nb");
    EXPECT_THROW(f.replaceLine(0, "x"), LineOutOfRange);
    EXPECT_THROW(f.replaceLine(3, "x"), LineOutOfRange);
    EXPECT_THROW(TextFile("a\r\n").replaceLine(3, "x"), LineOutOfRange);
}

// A plain model of a file's lines, rewritten the slow way: what TextFile must produce however it
// shares bytes with the file as read, from step to step. Each line keeps its own terminator, a
// rewrite that holds line breaks takes the dominant one, and after a final line end there is one
// more, empty, line.
struct ModelFile {
    std::vector<std::pair<std::string, std::string>> lines;  // text, line end
    std::string dominant = "\r\n";

    explicit ModelFile(const std::string& bytes) {
        std::size_t begin = 0, crlf = 0, lf = 0, cr = 0;
        for (std::size_t i = 0; i < bytes.size(); ++i) {
            if (bytes[i] != '\r' && bytes[i] != '\n') continue;
            const bool pair = bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n';
            const std::string end = pair ? "\r\n" : bytes.substr(i, 1);
            (pair ? crlf : end == "\n" ? lf : cr)++;
            lines.push_back({bytes.substr(begin, i - begin), end});
            i += pair ? 1 : 0;
            begin = i + 1;
        }
        if (begin < bytes.size()) lines.push_back({bytes.substr(begin), ""});
        if (lf > crlf && lf >= cr)
            dominant = "\n";
        else if (cr > crlf && cr > lf)
            dominant = "\r";
    }
    void replace(std::size_t n, const std::string& text) {
        if (n == lines.size() + 1) lines.push_back({"", ""});
        std::vector<std::pair<std::string, std::string>> pieces;
        std::size_t begin = 0;
        for (std::size_t brk; (brk = text.find("\r\n", begin)) != std::string::npos; begin = brk + 2)
            pieces.push_back({text.substr(begin, brk - begin), dominant});
        pieces.push_back({text.substr(begin), lines[n - 1].second});
        lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(n) - 1);
        lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(n) - 1, pieces.begin(), pieces.end());
    }
    std::string bytes() const {
        std::string out;
        for (const auto& [text, end] : lines) out += text + end;
        return out;
    }
};

TEST(TextFile, RewritesOverSeveralStepsMatchAPlainModel) {
    std::mt19937 rng(11);
    const char* const ends[] = {"\r\n", "\r\n", "\r\n", "\n", "\r"};
    for (int round = 0; round < 300; ++round) {
        std::string bytes;
        const int count = static_cast<int>(rng() % 10);
        const bool lone = rng() % 3 == 0;  // with lone CRs too, or CR LF and LF only
        for (int i = 0; i < count; ++i)
            bytes +=
                "l" + std::to_string(rng() % 50) + (i + 1 < count || rng() % 2 ? ends[rng() % (lone ? 5 : 4)] : "");
        auto file = std::make_unique<TextFile>(bytes);
        ModelFile model(bytes);
        for (int step = 0; step < 3; ++step) {
            for (int e = 0; e < 3 && file->currentLineCount() > 0; ++e) {
                const std::size_t n = 1 + rng() % file->currentLineCount();
                const std::string text = rng() % 4 == 0   ? "a\r\nb"
                                         : rng() % 4 == 0 ? model.lines[n - 1].first
                                                          : "r" + std::to_string(e);
                file->replaceLine(n, text);
                model.replace(n, text);
            }
            ASSERT_EQ(file->bytes(), model.bytes()) << "round " << round << " step " << step;
            if (file->changed()) file = TextFile::continueFrom(std::move(file));
            ASSERT_EQ(file->bytes(), model.bytes()) << "round " << round << " after step " << step;
        }
    }
}

// The pre-test must answer exactly like a plain search, also past its capacity of positions.
TEST(AnchorPositions, AgreesWithPlainSearch) {
    std::mt19937 rng(3);
    const std::string pieces[] = {" tav", "Begin tav", "QVButton20", " tavQVButton20", "x", "tavQV", " "};
    for (int round = 0; round < 2000; ++round) {
        std::string line;
        const int n = static_cast<int>(rng() % 40);
        for (int i = 0; i < n; ++i) line += pieces[rng() % std::size(pieces)];
        for (const std::string anchor : {" tav", "Begin tav"}) {
            const AnchorPositions anchors(line, anchor);
            EXPECT_EQ(anchors.empty(), line.find(anchor) == std::string::npos);
            for (const std::string token : {"tavQVButton20", "tavQV", "Begin tavQVButton20"}) {
                const std::size_t lead = anchor == " tav" && token.rfind("tav", 0) == 0 ? 1 : 0;
                const bool plain = line.find(anchor.substr(0, lead) + token) != std::string::npos;
                const bool anchored = token.rfind(anchor.substr(lead), 0) == 0;
                if (anchored) {
                    ASSERT_EQ(anchors.contains(token, lead), plain) << line << " | " << token;
                }
            }
        }
    }
}

TEST(CommonPrefix, StopsAtTheFirstEmptyToken) {
    const std::string_view tokens[] = {"tavQVButton20T", "tavQVButton40B", "", "other"};
    EXPECT_EQ(commonPrefix(tokens, [](std::string_view t) { return t; }), "tavQVButton");
}

std::vector<std::size_t> found(const TextFile& file, std::string_view needle, LetterCase c) {
    std::vector<std::size_t> out;
    for (LineFinder f(file, needle, c); const std::size_t n = f.next();) out.push_back(n);
    return out;
}

// What a search line by line finds.
std::vector<std::size_t> lineByLine(const TextFile& file, std::string_view needle, LetterCase c) {
    std::vector<std::size_t> out;
    for (std::size_t n = 1; n <= file.lineCount(); ++n) {
        const auto line = file.line(n);
        if (c == LetterCase::Exact ? contains(line, needle) : containsNoCase(line, needle)) out.push_back(n);
    }
    return out;
}

// Random files with every kind of line end, rewritten at random between two hand-overs, agree
// with the line-by-line search for needles of every shape: each holding line once, in order, in
// either letter case, never across a line end, rewritten lines seen after the hand-over.
TEST(LineFinder, AgreesWithLineByLineSearchOnRandomFiles) {
    std::mt19937 rng(12345);
    const std::string alphabet = "abtvBTV {}#=\r\n\r\n";
    const std::vector<std::string> needles{"tav", "Begin tav", "{", " t", "Tav", "v", "b{#", "aa"};
    for (int round = 0; round < 300; ++round) {
        std::string bytes;
        const std::size_t size = rng() % 200;
        for (std::size_t i = 0; i < size; ++i) bytes += alphabet[rng() % alphabet.size()];
        if (round % 3 == 0) bytes += "Begin tav tav";
        auto file = std::make_unique<TextFile>(bytes);
        for (int step = 0; step < 3; ++step) {
            for (const auto& needle : needles)
                for (auto c : {LetterCase::Exact, LetterCase::Ignore})
                    ASSERT_EQ(found(*file, needle, c), lineByLine(*file, needle, c))
                        << "round " << round << " step " << step << " needle " << needle;
            const std::size_t lines = file->currentLineCount();
            for (int k = 0; k < 3 && lines > 0; ++k) {
                std::string text(rng() % 6, 't');
                text += (rng() % 2) ? "av" : "\r\nTAV {";
                file->replaceLine(1 + rng() % lines, text);
            }
            file = TextFile::continueFrom(std::move(file));
        }
    }
}

}  // namespace
}  // namespace tavkonv40
