#include "cli/option_values.h"

#include "cli/cli.h"
#include "cli/terminal_text.h"
#include "cli/usage_hints.h"
#include "engine/text_util.h"

namespace tavkonv40::cli {

namespace {

std::string normalizedCaption(std::string_view s) {
    std::string out;
    for (char c : s)
        if (c != '/' && c != ' ') out += asciiUpper(c);
    return out;
}

// The edition of --all-families[=EDITION] and --all-ms[=EDITION]; 4.0 when none is given.
Edition allEdition(const std::string& text) {
    Edition e = Edition::V40;
    if (!text.empty() && !parseEdition(text, e)) throw UsageError{"unknown edition '" + text + "' (use 4.0 or 4.0L)"};
    return e;
}

// The name of a NAME:EDITION value, with its edition in `e`.
std::string valueName(const std::string& value, Edition& e) {
    std::string name;
    if (!splitValue(value, name, e)) throw UsageError{"unknown edition in '" + value + "' (use 4.0 or 4.0L)"};
    return name;
}

std::string didYouMean(const std::string& name, const std::vector<std::string>& known) {
    const std::string meant = closest(name, known);
    return meant.empty() ? std::string() : "; did you mean '" + meant + "'?";
}

std::string unknownFamily(const std::string& name) {
    std::vector<std::string> known;
    for (const auto& f : families()) known.insert(known.end(), {std::string(f.label), std::string(f.caption)});
    return "unknown family '" + quotedName(name) + "'" + didYouMean(name, known) +
           " (the families are listed by 'tavkonv40 catalogue')";
}

std::string unknownMicrosoftOption(const std::string& name) {
    std::vector<std::string> known;
    std::string list;
    for (const auto& o : microsoftOptions()) {
        known.emplace_back(o.caption);
        list += (list.empty() ? "" : ", ") + known.back();
    }
    return "unknown Microsoft control option '" + quotedName(name) + "'" + didYouMean(name, known) + " (use " + list +
           " or an index 0.." + std::to_string(kMicrosoftOptionCount - 1) + ")";
}

}  // namespace

// Splits "NAME:EDITION"; the edition part defaults to 4.0.
bool splitValue(const std::string& value, std::string& name, Edition& edition) {
    const auto colon = value.rfind(':');
    name = value.substr(0, colon);
    edition = Edition::V40;
    return colon == std::string::npos || parseEdition(value.substr(colon + 1), edition);
}

bool parseEdition(const std::string& text, Edition& edition) {
    if (text == "4.0" || text == "40") {
        edition = Edition::V40;
        return true;
    }
    if (equalsNoCase(text, "4.0L") || equalsNoCase(text, "40L")) {
        edition = Edition::V40L;
        return true;
    }
    return false;
}

int findMicrosoftOption(const std::string& name) {
    if (!name.empty() && name.find_first_not_of("0123456789") == std::string::npos && name.size() <= 2) {
        const int i = std::stoi(name);
        return i < kMicrosoftOptionCount ? i : -1;
    }
    const auto wanted = normalizedCaption(name);
    for (const auto& o : microsoftOptions())
        if (normalizedCaption(o.caption) == wanted) return o.index;
    return -1;
}

FixedOptions buildOptions(const Selection& x) {
    FixedOptions options;
    Edition e = Edition::V40;
    if (x.allFamiliesGiven) options.selectAllFamilies(allEdition(x.allFamiliesEdition));
    for (const auto& value : x.familiesArg) {
        const std::string name = valueName(value, e);
        const auto* f = findFamily(name);
        if (!f) throw UsageError{unknownFamily(name)};
        if (e == Edition::V40L && f->offers40L == Offers40L::No)
            throw UsageError{"family " + std::string(f->label) + " exists only as 4.0"};
        options.selectFamily(f->slot, e);
    }
    if (x.allMsGiven) options.selectAllMicrosoft(allEdition(x.allMsEdition));
    for (const auto& value : x.msArg) {
        const std::string name = valueName(value, e);
        const int i = findMicrosoftOption(name);
        if (i < 0) throw UsageError{unknownMicrosoftOption(name)};
        options.selectMicrosoft(i, e);
    }
    return options;
}

// An option that takes a value swallows the folder when the value is left out ("--family
// FOLDER"): a value that is no family, no option and names an existing folder is taken for that.
std::optional<std::string> misplacedFolder(FileReader& fs, const std::vector<std::string>& familiesArg,
                                           const std::vector<std::string>& msArg, const std::string& reportPath) {
    const auto message = [](std::string_view option, const std::string& value) {
        return std::string(option) + " was given " + quotedName(value) + ", which is a folder, as its value; give " +
               std::string(option) + " its own value and put the folder last";
    };
    const auto swallowed = [&](std::string_view option, const std::vector<std::string>& values,
                               auto known) -> std::optional<std::string> {
        for (const auto& value : values) {
            std::string name;
            Edition e{};
            if (fs.isFolder(value) && !(splitValue(value, name, e) && known(name))) return message(option, value);
        }
        return std::nullopt;
    };
    if (auto m = swallowed("--family", familiesArg, [](const std::string& n) { return findFamily(n) != nullptr; }))
        return m;
    if (auto m = swallowed("--ms", msArg, [](const std::string& n) { return findMicrosoftOption(n) >= 0; })) return m;
    if (!reportPath.empty() && fs.isFolder(reportPath)) return message("--report", reportPath);
    return std::nullopt;
}

// The glued flags glue their value to the flag, which CLI11 cannot express; they are taken out
// before it parses the rest, which is returned.
std::vector<std::string> takeGluedFlags(const std::vector<std::string>& argsIn, GluedFlags& glued) {
    std::vector<std::string> args;
    for (const auto& a : argsIn) {
        if (a == "--") {
            args.insert(args.end(), &a, argsIn.data() + argsIn.size());
            break;
        }
        struct Glued {
            const char* flag;
            bool& given;
            std::string& edition;
        };
        bool taken = false;
        for (Glued g : {Glued{"--all-families", glued.allFamiliesGiven, glued.allFamiliesEdition},
                        Glued{"--all-ms", glued.allMsGiven, glued.allMsEdition}}) {
            const std::string f = g.flag;
            if (a == f || a.rfind(f + ":", 0) == 0 || a.rfind(f + "=", 0) == 0) {
                g.given = true;
                g.edition = a.size() > f.size() ? a.substr(f.size() + 1) : std::string();
                if (a.size() > f.size() && g.edition.empty()) g.edition = "?";
                taken = true;
            }
        }
        if (!taken) args.push_back(a);
    }
    return args;
}

}  // namespace tavkonv40::cli
