#include "cli/usage_hints.h"

#include <algorithm>
#include <limits>

#include "cli/cli.h"
#include "cli/terminal_text.h"
#include "engine/text_util.h"

namespace tavkonv40::cli {

namespace {

std::size_t editDistance(std::string_view a, std::string_view b) {
    std::vector<std::size_t> row(b.size() + 1);
    for (std::size_t j = 0; j <= b.size(); ++j) row[j] = j;
    for (std::size_t i = 1; i <= a.size(); ++i) {
        std::size_t diagonal = row[0];
        row[0] = i;
        for (std::size_t j = 1; j <= b.size(); ++j) {
            const std::size_t above = row[j];
            const bool same = asciiUpper(a[i - 1]) == asciiUpper(b[j - 1]);
            row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (same ? 0 : 1)});
            diagonal = above;
        }
    }
    return row[b.size()];
}

// Dashes: the "--" after which every word is positional.
enum class WordKind { Command, Option, Value, Positional, Dashes };

// A word as the parser will read it: in which command's part of the line it stands, and for an
// option, which one it is (null when the command has none of that name).
struct Word {
    std::string text;
    WordKind kind;
    const CommandWords* command;
    const OptionWord* option = nullptr;
};

// "--all-families:4.0L" and "--report=r.json" name "--all-families" and "--report".
std::string optionName(const std::string& word) {
    return word.rfind("--", 0) == 0 ? word.substr(0, word.find_first_of("=:")) : word;
}

const OptionWord* findOption(const CommandWords& c, const std::string& name) {
    const auto it =
        std::find_if(c.options.begin(), c.options.end(), [&](const OptionWord& o) { return o.name == name; });
    return it == c.options.end() ? nullptr : &*it;
}

std::vector<Word> classify(const Grammar& g, const std::vector<std::string>& args) {
    std::vector<Word> words;
    const CommandWords* context = &g.front();
    const OptionWord* awaiting = nullptr;
    bool onlyPositionals = false;
    for (const auto& a : args) {
        if (awaiting) {
            words.push_back({a, WordKind::Value, context, awaiting});
            awaiting = nullptr;
        } else if (!onlyPositionals && a == "--") {
            onlyPositionals = true;
            words.push_back({a, WordKind::Dashes, context});
        } else if (!onlyPositionals && a.size() > 1 && a[0] == '-') {
            const OptionWord* o = findOption(*context, optionName(a));
            words.push_back({a, WordKind::Option, context, o});
            if (o && o->takesValue && a.find('=') == std::string::npos) awaiting = o;
        } else {
            const auto sub = std::find_if(g.begin() + 1, g.end(), [&](const CommandWords& c) { return c.name == a; });
            const bool command =
                context == &g.front() && sub != g.end() && !onlyPositionals &&
                std::none_of(words.begin(), words.end(), [](const Word& w) { return w.kind == WordKind::Positional; });
            if (command) context = &*sub;
            words.push_back({a, command ? WordKind::Command : WordKind::Positional, context});
        }
    }
    return words;
}

std::string commandText(const CommandWords& c) { return c.name.empty() ? "a run" : "'" + c.name + "'"; }

std::optional<std::string> misspeltCommand(const Grammar& g, FileReader& fs, const std::vector<Word>& words) {
    const auto first = std::find_if(words.begin(), words.end(), [](const Word& w) {
        return w.kind == WordKind::Positional || w.kind == WordKind::Command;
    });
    if (first == words.end() || first->kind == WordKind::Command ||
        fs.entryInfo(first->text).type != EntryType::Missing)
        return std::nullopt;
    std::vector<std::string> names;
    for (auto c = g.begin() + 1; c != g.end(); ++c) names.push_back(c->name);
    const std::string meant = closest(first->text, names);
    if (meant.empty()) return std::nullopt;
    return "unknown command '" + quotedName(first->text) + "'; did you mean '" + meant + "'?";
}

std::optional<std::string> unknownOption(const Grammar& g, const std::vector<Word>& words) {
    for (const auto& w : words) {
        if (w.kind != WordKind::Option || w.option) continue;
        const std::string name = optionName(w.text);
        for (const auto& other : g)
            if (findOption(other, name))
                return name + " is not an option of " + commandText(*w.command) + "; it goes with " +
                       commandText(other);
        std::vector<std::string> known;
        for (const auto& o : w.command->options)
            if (o.name.rfind("--", 0) == 0) known.push_back(o.name.substr(2));
        const std::string meant = name.rfind("--", 0) == 0 ? closest(name.substr(2), known) : std::string();
        return "unknown option " + quotedName(name) + (meant.empty() ? "" : "; did you mean --" + meant + "?");
    }
    return std::nullopt;
}

// "--all-families 4.0L" and "--family Button 4.0L": the edition belongs after a colon.
std::optional<std::string> editionAsOwnWord(FileReader& fs, const std::vector<Word>& words) {
    for (std::size_t i = 1; i < words.size(); ++i) {
        Edition e{};
        const Word& w = words[i];
        if (w.kind != WordKind::Positional || !parseEdition(w.text, e) ||
            fs.entryInfo(w.text).type != EntryType::Missing)
            continue;
        const Word& before = words[i - 1];
        const std::string name = before.option ? before.option->name : std::string();
        const bool valueOption = name == "--family" || name == "--ms";
        std::string meant;
        if (before.kind == WordKind::Value && valueOption && before.text.find(':') == std::string::npos)
            meant = name + " " + before.text;
        else if (before.kind == WordKind::Option && (name == "--all-families" || name == "--all-ms") &&
                 before.text == name)
            meant = name;
        else if (before.kind == WordKind::Option && valueOption && before.text.find(':') == std::string::npos &&
                 before.text.find('=') != std::string::npos)
            meant = before.text;
        if (!meant.empty()) return "write the edition after a colon: " + quotedName(meant + ":" + w.text);
    }
    return std::nullopt;
}

}  // namespace

std::string closest(std::string_view word, const std::vector<std::string>& candidates) {
    constexpr std::size_t kPrefixOnly = 3, kNone = std::numeric_limits<std::size_t>::max();
    std::size_t best = kNone;
    std::vector<std::string> found;
    for (const auto& c : candidates) {
        const std::size_t d = editDistance(word, c);
        const bool prefix = word.size() >= 3 && c.size() > word.size() && startsWithNoCase(c, word);
        const std::size_t score = d <= 2 && d < word.size() ? d : prefix ? kPrefixOnly : kNone;
        if (score < best) found.clear();
        if (score <= best && score != kNone) found.push_back(c);
        best = std::min(best, score);
    }
    // Two candidates that merely begin with the word: which one was meant cannot be told.
    if (found.empty() || (best == kPrefixOnly && found.size() > 1)) return {};
    return found.front();
}

std::optional<std::string> hintBeforeParsing(const Grammar& g, FileReader& fs, const std::vector<std::string>& args) {
    const std::vector<Word> words = classify(g, args);
    if (auto hint = misspeltCommand(g, fs, words)) return hint;
    if (auto hint = unknownOption(g, words)) return hint;
    return editionAsOwnWord(fs, words);
}

std::string unexpectedWords(const Grammar& g, const std::vector<std::string>& args) {
    std::string extra;
    // A word right after a name ("Order Desk") is most likely the rest of a name with blanks.
    bool restOfAName = false;
    std::vector<std::size_t> taken(g.size());
    const std::vector<Word> words = classify(g, args);
    for (std::size_t i = 0; i < words.size(); ++i) {
        const Word& w = words[i];
        if (w.kind != WordKind::Positional) continue;
        const auto k = static_cast<std::size_t>(w.command - g.data());
        if (++taken[k] <= w.command->positionals) continue;
        extra += (extra.empty() ? "" : " ") + quotedName(w.text);
        restOfAName = restOfAName ||
                      (i > 0 && (words[i - 1].kind == WordKind::Positional || words[i - 1].kind == WordKind::Value));
    }
    if (extra.empty()) return {};
    return "not expected: " + extra +
           (restOfAName ? " (a name with blanks must be quoted to be one word: \"Order Desk\" or 'Order Desk')" : "");
}

}  // namespace tavkonv40::cli
