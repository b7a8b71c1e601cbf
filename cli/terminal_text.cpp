#include "cli/terminal_text.h"

#include <array>

#include "engine/text_util.h"

namespace tavkonv40::cli {

namespace {

bool isControl(char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7F; }

void appendOctal(std::string& out, char c) {
    const auto b = static_cast<unsigned char>(c);
    out += '\\';
    out += static_cast<char>('0' + (b >> 6));
    out += static_cast<char>('0' + ((b >> 3) & 7));
    out += static_cast<char>('0' + (b & 7));
}

struct Escape {
    char c;
    char letter;
};

constexpr std::array<Escape, 9> kEscapes{{{'\a', 'a'},
                                          {'\b', 'b'},
                                          {'\t', 't'},
                                          {'\n', 'n'},
                                          {'\v', 'v'},
                                          {'\f', 'f'},
                                          {'\r', 'r'},
                                          {'"', '"'},
                                          {'\\', '\\'}}};

}  // namespace

bool hasControlCharacters(std::string_view text) {
    for (char c : text)
        if (isControl(c)) return true;
    return false;
}

std::string quotedName(std::string_view name) {
    if (!hasControlCharacters(name)) return std::string(name);
    std::string out = "\"";
    for (char c : name) {
        bool done = false;
        for (const auto& e : kEscapes)
            if (e.c == c) {
                out += '\\';
                out += e.letter;
                done = true;
            }
        if (done) continue;
        if (isControl(c))
            appendOctal(out, c);
        else
            out += c;
    }
    return out + "\"";
}

std::string shellWord(std::string_view name) {
    return hasControlCharacters(name) ? quotedName(name) : shellQuoted(name);
}

std::string terminalLine(std::string_view line, const std::vector<std::string>& names) {
    if (!hasControlCharacters(line)) return std::string(line);
    std::string out;
    while (!line.empty()) {
        bool replaced = false;
        for (const auto& name : names) {
            if (!hasControlCharacters(name) || line.substr(0, name.size()) != name) continue;
            out += quotedName(name);
            line.remove_prefix(name.size());
            replaced = true;
            break;
        }
        if (replaced) continue;
        if (isControl(line.front()))
            appendOctal(out, line.front());
        else
            out += line.front();
        line.remove_prefix(1);
    }
    return out;
}

std::string_view utf8Prefix(std::string_view text, std::size_t bytes) {
    if (text.size() <= bytes) return text;
    std::size_t end = bytes;
    // Step back over continuation bytes to the start of the character that would be cut.
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) --end;
    return text.substr(0, end);
}

}  // namespace tavkonv40::cli
