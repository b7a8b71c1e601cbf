// What someone who mistyped the command line is told. The parser (CLI11) knows only that words
// were not expected; these hints look at the words as typed and say what was probably meant: a
// misspelt command or option, an edition given as a word of its own, a name with blanks that was
// not quoted.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/file_system.h"

namespace tavkonv40::cli {

struct OptionWord {
    std::string name;  // "--family", "-h"
    bool takesValue = false;
};

struct CommandWords {
    std::string name;  // empty for the run itself
    std::vector<OptionWord> options;
    std::size_t positionals = 0;  // how many positional words it takes (FOLDER)
};

// The run first, then its subcommands, as the parser was told them.
using Grammar = std::vector<CommandWords>;

// The hint for words the parser would refuse or misread, checked before it parses them: a first
// word that is no existing path but close to a command ("chek"), an option no command has or the
// command given does not take, an edition after a blank instead of a colon ("--all-families
// 4.0L"). Nothing when none applies.
std::optional<std::string> hintBeforeParsing(const Grammar& grammar, FileReader& fs,
                                             const std::vector<std::string>& args);

// The message for positional words the parser did not expect, in the order they were typed, with
// the advice to quote a name with blanks when there are several. Empty when there are none.
std::string unexpectedWords(const Grammar& grammar, const std::vector<std::string>& args);

// The one of `candidates` closest to `word` (letter case ignored): at most two edits away, or,
// for a word of three letters or more, the only candidate that begins with it. Empty when none.
std::string closest(std::string_view word, const std::vector<std::string>& candidates);

}  // namespace tavkonv40::cli
