#include "cli/cli.h"

#include <CLI/CLI.hpp>

#include <optional>
#include <ostream>

#include "engine/catalogue.h"
#include "cli/check_command.h"
#include "cli/fix_command.h"
#include "cli/folder_guard.h"
#include "cli/option_values.h"
#include "cli/recursive_command.h"
#include "cli/restore_command.h"
#include "cli/run_command.h"
#include "cli/terminal_text.h"
#include "cli/usage_hints.h"
#include "engine/text_util.h"

namespace tavkonv40::cli {

namespace {

constexpr const char* kVersion = "tavkonv40 0.1.0";
// The version number alone, without the program's name.
constexpr const char* kVersionNumber = kVersion + std::string_view("tavkonv40 ").size();
// The run, check and restore all need one.
constexpr const char* kNoFolder = "no folder given";
// What follows every usage error.
constexpr const char* kHelpHint = "\nRun 'tavkonv40 --help' for usage.";

int usageError(const std::string& message, Services& s) {
    s.err << "tavkonv40: " << message << kHelpHint << '\n';
    return kUsage;
}

void printCatalogue(std::ostream& out) {
    out << "slot\tfamily\tcaption\toption_index\toption_row\toffers_40L\tocx_base\tlibrary_base\t"
           "guid_40\tguid_40L\n";
    for (const auto& f : families()) {
        out << f.slot << '\t' << f.label << '\t' << f.caption << '\t' << f.optionIndex << '\t' << f.optionRow << '\t'
            << (f.offers40L == Offers40L::Yes ? "yes" : "no") << '\t' << f.ocxBase << '\t' << f.libraryBase << '\t'
            << f.guid40 << '\t' << f.guid40L << '\n';
    }
}

// --dry-run, --quiet, --report and --color, which a run and `check --fix` both take.
struct OutputOptions {
    bool dryRun = false, quiet = false;
    std::string reportPath, color = "auto";
};

// The options `check` takes besides --json: --fix and what goes with it, and --recursive.
struct CheckExtras : OutputOptions {
    bool fix = false, recursive = false;
};

// The help texts say what each output option does for the command.
struct OutputOptionHelp {
    const char* dryRun;
    const char* quiet;
    const char* report;
    const char* color;
};

void addOutputOptions(CLI::App& app, OutputOptions& o, const OutputOptionHelp& help) {
    app.add_flag("--dry-run", o.dryRun, help.dryRun);
    app.add_flag("--quiet", o.quiet, help.quiet);
    app.add_option("--report", o.reportPath, help.report)->type_name("FILE");
    app.add_option("--color", o.color, help.color)
        ->type_name("WHEN")
        ->check(CLI::IsMember({"auto", "always", "never"}));
}

// --color WHEN: "auto" colours the diff only when standard output is a terminal.
DiffColor diffColorFor(const std::string& when, const Services& s) {
    const bool colored = when == "always" || (when == "auto" && s.outTerminal == Terminal::Yes);
    return colored ? DiffColor::Terminal : DiffColor::Plain;
}

void addCheckExtras(CLI::App& check, CheckExtras& x) {
    check.add_flag("--fix", x.fix, "Apply every finding whose advice leaves no choice, after a backup of the folder");
    addOutputOptions(check, x,
                     {"With --fix: change nothing, print the fixes and the diff they would make",
                      "With --fix: no summary on standard error", "With --fix: write the summary as JSON to FILE",
                      "With --fix --dry-run: colour the diff: auto, always or never"});
    check.add_flag("--recursive", x.recursive, "Every folder of the tree that holds project files, one by one");
}

int runCheckCommand(const std::string& folder, bool json, const CheckExtras& x, Services& s) {
    if (!x.fix && (x.dryRun || x.quiet || !x.reportPath.empty()))
        return usageError("--dry-run, --quiet and --report go with 'check --fix'", s);
    if (x.fix && json) return usageError("--json does not go with --fix (use --report FILE)", s);
    if (!x.fix) {
        if (x.recursive)
            return runRecursive(folder, json ? WalkKind::CheckJson : WalkKind::Check, {}, s,
                                [&](const std::string& f, FolderOutcome& o) { return runCheck(f, json, s, &o); });
        if (const auto refusal = folderRefusal(s.fs, folder, FolderUse::Check))
            return refuseCheck(folder, *refusal, json, s);
        return runCheck(folder, json, s);
    }
    // The fixes write like a run: never on "/" or a backup, and never a report into the folder.
    if (const auto refusal = folderRefusal(s.fs, folder, x.recursive ? FolderUse::ConvertTree : FolderUse::Fix)) {
        s.err << "tavkonv40: " << *refusal << '\n';
        return kUsage;
    }
    if (const auto refusal = x.reportPath.empty() ? std::nullopt : reportRefusal(s.fs, x.reportPath)) {
        s.err << "tavkonv40: " << *refusal << '\n';
        return kUsage;
    }
    if (!x.reportPath.empty() && liesInside(s.fs, x.reportPath, folder)) {
        s.err << "tavkonv40: the report " << quotedName(x.reportPath) << " would lie inside the folder being fixed, "
              << quotedName(folder) << "; write it elsewhere\n";
        return kUsage;
    }
    FixRequest request{
        folder,        x.dryRun ? RunMode::DryRun : RunMode::Real, x.quiet, x.reportPath, diffColorFor(x.color, s),
        kVersionNumber};
    if (!x.recursive) return runFixCommand(request, s);
    return runRecursive(folder, WalkKind::Fix, x.reportPath, s, [&](const std::string& f, FolderOutcome& o) {
        FixRequest one = request;
        one.folder = f;
        one.reportPath.clear();
        return runFixCommand(one, s, &o);
    });
}

}  // namespace

namespace {
int runParsed(const std::vector<std::string>& argsIn, Services& s);
}  // namespace

int runCommandLine(const std::vector<std::string>& args, Services& s) {
    const int status = runParsed(args, s);
    // Output lost to a closed pipe or a full device must not pass for success.
    s.out.flush();
    if (!s.out) {
        s.err << "tavkonv40: standard output could not be written (closed, or the device is full)\n";
        s.err.flush();
        return status == kCompleted ? kCompletedWithErrors : status;
    }
    return status;
}

namespace {

// What the command line was given, once CLI11 has parsed it.
struct Arguments : OutputOptions, Selection {
    std::string folder;
    bool recursive = false;
    std::string restoreFolderArg, restoreBackup;
    bool restoreDry = false, restoreAll = false, restoreForce = false;
    std::vector<std::string> restoreFiles;
    std::string checkFolder;
    bool checkJson = false;
    CheckExtras checkExtras;
};

struct Subcommands {
    CLI::App* catalogue = nullptr;
    CLI::App* restore = nullptr;
    CLI::App* check = nullptr;
};

Subcommands defineCommandLine(CLI::App& app, Arguments& x) {
    // A folder such as /tmp/x or C:/x must stay a folder; CLI11 would take it for a Windows-style
    // option on Windows. Set before the subcommands, which inherit it.
    app.allow_windows_style_options(false);
    app.set_version_flag("--version", kVersion);
    app.footer("A run needs at least one of --family, --all-families, --ms and --all-ms.");
    app.add_option("--family", x.familiesArg, "Convert a suite family: LABEL or caption, optionally :4.0 or :4.0L")
        ->type_name("LABEL[:EDITION]")
        ->allow_extra_args(false);
    app.add_flag("--all-families")
        ->description("Convert every family, optionally :4.0 or :4.0L (4.0-only families stay on 4.0)");
    app.add_option("--ms", x.msArg,
                   "Replace a Microsoft control kind: caption (Button, Check/Option, Combo, "
                   "Date/Time Picker, Frame, Label, List, ListView, Progress, Scroll, Slider, "
                   "Text, UpDown) or index 0..12, optionally :4.0 or :4.0L")
        ->type_name("NAME[:EDITION]")
        ->allow_extra_args(false);
    app.add_flag("--all-ms")->description("Replace every Microsoft control kind, optionally :4.0 or :4.0L");
    app.add_option("FOLDER", x.folder, "The folder holding the project files");
    Subcommands sub;
    sub.catalogue = app.add_subcommand("catalogue", "Print the suite catalogue as tab-separated values");
    addOutputOptions(app, x,
                     {"Change nothing: print the log, then the diff the run would make",
                      "No summary and no progress display on standard error", "Write the summary as JSON to FILE",
                      "Colour the diff: auto (on a terminal), always or never"});
    sub.restore =
        app.add_subcommand("restore", "Take back the newest run: put the files it wrote back from its backup");
    sub.restore->add_option("FOLDER", x.restoreFolderArg, "The folder to restore")->required();
    sub.restore->add_option("--backup", x.restoreBackup, "The backup to use (its name or date and time)")
        ->type_name("NAME");
    sub.restore->add_flag("--dry-run", x.restoreDry, "Only show what would be restored");
    sub.restore->add_flag("--all", x.restoreAll, "Put back every file the backup holds, not only those the run wrote");
    sub.restore->add_flag("--force", x.restoreForce, "Also overwrite files the run wrote that were changed since");
    sub.restore
        ->add_option("--file", x.restoreFiles,
                     "Put back only this file (a path in the folder), as the backup holds it; repeatable")
        ->type_name("NAME")
        ->allow_extra_args(false);
    sub.check = app.add_subcommand("check", "Report what keeps a converted project from loading; changes nothing");
    sub.check->add_option("FOLDER", x.checkFolder, "The folder holding the project files")->required();
    sub.check->add_flag("--json", x.checkJson, "Write the findings as JSON");
    addCheckExtras(*sub.check, x.checkExtras);
    app.add_flag("--recursive", x.recursive,
                 "Convert every folder of the tree that holds project files, each with its own backup");
    return sub;
}

int runRestoreCommand(const Arguments& x, Services& s) {
    if (const auto refusal = folderRefusal(s.fs, x.restoreFolderArg, FolderUse::Restore)) {
        s.err << "tavkonv40: " << *refusal << '\n';
        return kUsage;
    }
    try {
        // Ctrl-C and the other requests to stop end a restore between two files, as they end a run.
        const std::function<bool()> stop = [&s] { return s.cancel.load(); };
        RestoreRequest request;
        request.backup = x.restoreBackup;
        request.mode = x.restoreDry ? RestoreMode::DryRun : RestoreMode::Restore;
        request.scope = x.restoreAll ? RestoreScope::All : RestoreScope::RunsWrites;
        request.changed = x.restoreForce ? ChangedFiles::Overwritten : ChangedFiles::Kept;
        request.files = x.restoreFiles;
        const auto r = restoreFolder(s.fs, x.restoreFolderArg, request, s.out, s.err, stop);
        if (r.stopped) return kCancelled;
        return r.errors > 0 || r.markKept ? kCompletedWithErrors : kCompleted;
    } catch (const NoBackup& e) {
        s.err << "tavkonv40: " << e.what() << '\n';
        return kUsage;
    } catch (const FolderBusy& e) {
        s.err << "tavkonv40: " << e.what() << '\n';
        return kUsage;
    }
}

// The checks of a conversion's arguments, before anything is read or written: the usage error's
// message, or nothing.
std::optional<std::string> conversionUsageError(const Arguments& x, Services& s, FixedOptions& options) {
    if (const auto problem = misplacedFolder(s.fs, x.familiesArg, x.msArg, x.reportPath)) return *problem + kHelpHint;
    if (x.folder.empty()) return kNoFolder + std::string(kHelpHint);
    // A run with nothing selected would still rewrite every form's first line and add an empty
    // line to every form and project: never what someone trying the command out wants.
    if (x.familiesArg.empty() && x.msArg.empty() && !x.allFamiliesGiven && !x.allMsGiven)
        return "nothing selected: choose suite families (--family, --all-families) or Microsoft controls (--ms, "
               "--all-ms)" +
               std::string(kHelpHint);
    try {
        options = buildOptions(x);
    } catch (const UsageError& e) {
        return e.message;
    }
    if (const auto refusal = folderRefusal(s.fs, x.folder, x.recursive ? FolderUse::ConvertTree : FolderUse::Convert))
        return *refusal;
    if (x.reportPath.empty()) return std::nullopt;
    // Where the report's folder does not exist, whether it lies inside cannot be told.
    if (auto refusal = reportRefusal(s.fs, x.reportPath)) return refusal;
    if (liesInside(s.fs, x.reportPath, x.folder))
        return "the report " + quotedName(x.reportPath) + " would lie inside the folder being converted, " +
               quotedName(x.folder) + "; write it elsewhere";
    return std::nullopt;
}

int runConversionArguments(const Arguments& x, Services& s) {
    FixedOptions options;
    if (const auto error = conversionUsageError(x, s, options)) {
        s.err << "tavkonv40: " << *error << '\n';
        return kUsage;
    }
    const RunRequest request{x.folder,
                             options,
                             x.dryRun ? RunMode::DryRun : RunMode::Real,
                             x.quiet ? SummaryOutput::Quiet : SummaryOutput::Shown,
                             x.reportPath,
                             diffColorFor(x.color, s),
                             kVersionNumber};
    if (!x.recursive) return runConversionCommand(request, s);
    return runRecursive(x.folder, WalkKind::Run, x.reportPath, s, [&](const std::string& f, FolderOutcome& o) {
        RunRequest one = request;
        one.folder = f;
        one.reportPath.clear();
        return runConversionCommand(one, s, &o);
    });
}

// The options and positional words of the run and of each subcommand, for the usage hints.
Grammar grammarOf(const CLI::App& app) {
    const auto wordsOf = [](const CLI::App& a) {
        CommandWords c{a.get_name() == "tavkonv40" ? std::string() : a.get_name(), {}, 0};
        for (const CLI::Option* o : a.get_options()) {
            if (!o->nonpositional()) ++c.positionals;
            const bool takesValue = o->get_expected_max() > 0 && o->get_type_size_max() > 0;
            for (const auto& n : o->get_lnames()) c.options.push_back({"--" + n, takesValue});
            for (const auto& n : o->get_snames()) c.options.push_back({"-" + n, takesValue});
        }
        return c;
    };
    Grammar g{wordsOf(app)};
    for (const CLI::App* sub : app.get_subcommands([](const CLI::App*) { return true; })) g.push_back(wordsOf(*sub));
    return g;
}

int runParsed(const std::vector<std::string>& argsIn, Services& s) {
    CLI::App app{
        "Converts the Visual Basic 6 forms, user controls and projects of a folder to "
        "edition 4.0 or 4.0L of the Nexaria control suite. A dated backup of the folder "
        "is left inside it.",
        "tavkonv40"};
    Arguments x;
    const Subcommands sub = defineCommandLine(app, x);
    const Grammar grammar = grammarOf(app);
    if (const auto hint = hintBeforeParsing(grammar, s.fs, argsIn)) return usageError(*hint, s);
    const std::vector<std::string> args = takeGluedFlags(argsIn, x);
    std::vector<std::string> reversed(args.rbegin(), args.rend());
    try {
        app.parse(reversed);
    } catch (const CLI::CallForHelp&) {
        s.out << app.help();
        return kCompleted;
    } catch (const CLI::CallForVersion&) {
        s.out << kVersion << '\n';
        return kCompleted;
    } catch (const CLI::ExtrasError& e) {
        const std::string words = unexpectedWords(grammar, argsIn);
        return usageError(words.empty() ? e.what() : words, s);
    } catch (const CLI::RequiredError& e) {
        return usageError(std::string(e.what()).find("FOLDER") != std::string::npos ? kNoFolder : e.what(), s);
    } catch (const CLI::ParseError& e) {
        return usageError(e.what(), s);
    }
    if (*sub.catalogue) {
        printCatalogue(s.out);
        return kCompleted;
    }
    if (*sub.check) return runCheckCommand(x.checkFolder, x.checkJson, x.checkExtras, s);
    if (*sub.restore) return runRestoreCommand(x, s);
    return runConversionArguments(x, s);
}

}  // namespace

}  // namespace tavkonv40::cli
