// The values of the options that choose what a run converts (--family, --ms, --all-families and
// --all-ms with their editions), read into the options the engine asks.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "engine/file_system.h"
#include "engine/options.h"

namespace tavkonv40::cli {

// A value the command line cannot take; the message says which and why.
struct UsageError {
    std::string message;
};

// "--all-families[:EDITION]" and "--all-ms[:EDITION]": given or not, and the edition glued on.
struct GluedFlags {
    bool allFamiliesGiven = false, allMsGiven = false;
    std::string allFamiliesEdition, allMsEdition;
};

// What the run was asked to convert.
struct Selection : GluedFlags {
    std::vector<std::string> familiesArg, msArg;
};

// The glued flags glue their value to the flag, which CLI11 cannot express; they are taken out
// before it parses the rest, which is returned.
std::vector<std::string> takeGluedFlags(const std::vector<std::string>& argsIn, GluedFlags& glued);

// Splits "NAME:EDITION"; the edition part defaults to 4.0.
bool splitValue(const std::string& value, std::string& name, Edition& edition);

// The options the selection names. Throws UsageError for an unknown name or edition.
FixedOptions buildOptions(const Selection& selection);

// An option that takes a value swallows the folder when the value is left out ("--family
// FOLDER"): a value that is no family, no option and names an existing folder is taken for that.
std::optional<std::string> misplacedFolder(FileReader& fs, const std::vector<std::string>& familiesArg,
                                           const std::vector<std::string>& msArg, const std::string& reportPath);

}  // namespace tavkonv40::cli
