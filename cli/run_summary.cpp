#include "cli/run_summary.h"

#include <nlohmann/json.hpp>

#include <array>
#include <cctype>

#include "cli/terminal_text.h"

namespace tavkonv40::cli {

namespace {

constexpr std::array<StepKind, kStepKindCount> kAllSteps{StepKind::Headers,
                                                         StepKind::Body,
                                                         StepKind::Declarations,
                                                         StepKind::MicrosoftControls,
                                                         StepKind::FormRequiredControls,
                                                         StepKind::ProjectHeaders,
                                                         StepKind::ProjectRequiredControls};

constexpr std::array<FileKind, kFileKindCount> kAllFileKinds{FileKind::Form, FileKind::UserControl, FileKind::Project};

constexpr std::array<const char*, kFileKindCount> kFileKindKeys{"form", "user_control", "project"};

std::string editionText(Edition e) { return e == Edition::V40 ? "4.0" : "4.0L"; }

std::string count(std::size_t n, const std::string& one, const std::string& many) {
    return std::to_string(n) + " " + (n == 1 ? one : many);
}

std::string jsonKey(std::string_view name) {
    std::string key(name);
    for (char& c : key) c = c == ' ' ? '_' : static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return key;
}

}  // namespace

std::vector<std::string> summaryLines(const RunReport& r) {
    const RunStatistics& st = *r.statistics;
    const bool dry = r.mode == RunMode::DryRun;
    std::vector<std::string> lines;

    std::string examined;
    for (FileKind k : kAllFileKinds) {
        if (!examined.empty()) examined += ", ";
        constexpr std::array<const char*, kFileKindCount> kOne{"form", "user control", "project"};
        examined += count(st.filesExamined(k), kOne[static_cast<std::size_t>(k)], std::string(fileKindName(k)));
    }
    lines.push_back(std::string(dry ? "Dry run" : "Summary") + (r.cancelled ? " (cancelled)" : "") + ": examined " +
                    examined + "; " + count(st.filesChanged(), "file", "files") + (dry ? " would change" : " changed"));

    std::string steps;
    for (StepKind k : kAllSteps) {
        if (!steps.empty()) steps += ", ";
        steps += std::string(stepName(k)) + " " + std::to_string(st.linesRewritten(k));
    }
    lines.push_back("  lines rewritten: " + steps);

    std::string ms;
    for (const auto& o : microsoftOptions()) {
        const std::size_t n = st.microsoftControlsReplaced(o.index);
        if (n == 0) continue;
        if (!ms.empty()) ms += ", ";
        ms += std::string(o.caption) + " " + std::to_string(n);
    }
    lines.push_back("  Microsoft controls replaced: " + (ms.empty() ? std::string("none") : ms));
    lines.push_back("  reference lines added: " + std::to_string(st.referenceLinesAddedToForms()) + " to forms, " +
                    std::to_string(st.referenceLinesAddedToProjects()) + " to projects");
    lines.push_back("  errors: " + std::to_string(r.errors.size()));
    if (!r.backupPath.empty())
        lines.push_back(std::string(dry              ? "  backup would go to: "
                                    : r.backupPlaced ? "  backup: "
                                                     : "  backup not placed: ") +
                        r.backupPath);
    return lines;
}

std::string retryAdviceLine(const RunReport& r) {
    if (r.mode == RunMode::DryRun || !r.backupPlaced || r.errors.empty() || r.statistics->filesChanged() == 0)
        return {};
    return "the run had errors: fix their cause, put the folder back (tavkonv40 restore " + shellWord(r.folder) +
           "), then run again; running again without restoring adds another empty line to every file this run "
           "changed";
}

std::string reportJson(const RunReport& r) {
    using nlohmann::json;
    const RunStatistics& st = *r.statistics;
    json j;
    j["tool"] = "tavkonv40";
    j["version"] = r.version;
    j["dry_run"] = r.mode == RunMode::DryRun;
    j["folder"] = r.folder;
    j["backup"] = r.backupPath.empty() ? json(nullptr) : json(r.backupPath);
    j["backup_placed"] = r.backupPlaced;
    j["ending"] = r.cancelled ? "cancelled" : "completed";

    json families = json::array(), microsoft = json::array();
    if (r.options) {
        for (const auto& f : tavkonv40::families()) {
            if (!r.options->familySelected(f.optionIndex)) continue;
            families.push_back({{"family", f.label},
                                {"edition", editionText(r.options->rowEdition(r.options->familyRow(f.optionIndex)))}});
        }
        for (const auto& o : microsoftOptions()) {
            if (!r.options->microsoftSelected(o.index)) continue;
            microsoft.push_back(
                {{"option", o.caption}, {"edition", editionText(r.options->microsoftEdition(o.index))}});
        }
    }
    j["options"] = {{"families", families}, {"microsoft", microsoft}};

    json examined = json::object();
    for (FileKind k : kAllFileKinds) examined[jsonKey(fileKindName(k))] = st.filesExamined(k);
    j["files_examined"] = examined;
    j["files_changed"] = st.filesChanged();
    json steps = json::object();
    for (StepKind k : kAllSteps) steps[jsonKey(stepName(k))] = st.linesRewritten(k);
    j["lines_rewritten"] = steps;
    json ms = json::object();
    for (const auto& o : microsoftOptions()) ms[std::string(o.caption)] = st.microsoftControlsReplaced(o.index);
    j["microsoft_controls_replaced"] = ms;
    j["reference_lines_added"] = {{"forms", st.referenceLinesAddedToForms()},
                                  {"projects", st.referenceLinesAddedToProjects()}};
    j["errors"] = r.errors;

    json files = json::array();
    for (const auto& f : st.files()) {
        json changedBy = json::array();
        for (StepKind k : f.changedBy) changedBy.push_back(jsonKey(stepName(k)));
        files.push_back({{"name", f.name},
                         {"kind", kFileKindKeys[static_cast<std::size_t>(f.kind)]},
                         {"changed", f.changed},
                         {"failed", f.failed},
                         {"steps", changedBy}});
    }
    j["files"] = files;
    // Bytes that are not UTF-8 (file names are bytes) are replaced rather than refused.
    return j.dump(2, ' ', false, json::error_handler_t::replace) + "\n";
}

}  // namespace tavkonv40::cli
