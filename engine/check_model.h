// What the project check reads out of a folder: per file, its reference lines, the suite names
// of its Begin lines and code, and the member list of a project. Shared by the check_*.cpp units.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "project_check.h"

namespace tavkonv40::check {

enum class FileKind { Form, UserControl, Project };

// A control file named by a header line (Object = "{GUID}#1.0#0"; "file") or a project line
// (Object={GUID}#1.0#0; file).
struct ReferenceLine {
    std::size_t line;
    std::string file;
    std::string guid;  // without braces; empty when the line has none
};

enum class NameSite { BeginLine, Code };

// "library.class" as a Begin line or a code line writes it, where the library looks like a suite
// name.
struct SuiteName {
    std::size_t line;
    NameSite site;
    std::string library;
    std::string className;      // empty when no "." follows the library
    bool blankBefore;           // a blank stands right before the library (what the code step needs)
};

struct CheckedFile {
    std::string name;
    FileKind kind;
    std::vector<std::string> lines;          // without their line ends
    std::size_t headerLines = 0;             // forms and user controls: lines before the first Begin line
    std::vector<ReferenceLine> references;   // header lines (forms, user controls) or Object= lines (projects)
    std::vector<SuiteName> names;            // forms and user controls
    std::vector<std::string> members;        // projects: values of Form= and UserControl= lines
};

struct CheckedFolder {
    std::vector<CheckedFile> files;  // in name order
};

CheckedFile parseFile(std::string name, FileKind kind, const std::string& bytes);

// Whether a library or file name is written the way suite names are.
bool looksLikeSuiteName(std::string_view name);

// ASCII letters in lower case: control files and libraries are compared without regard to case.
std::string lower(std::string_view s);

using Findings = std::vector<Finding>;

// One registered check: looks at the folder and appends findings.
struct Check {
    std::string_view name;
    void (*run)(const CheckedFolder&, Findings&);
};

void checkNames(const CheckedFolder&, Findings&);          // UnknownName, OldName
void checkReferences(const CheckedFolder&, Findings&);     // MissingReference, WrongGuid
void checkProjectLists(const CheckedFolder&, Findings&);   // NotInProject, UnusedInProject
void checkTidiness(const CheckedFolder&, Findings&);       // RepeatedReference, EmptyLines

}  // namespace tavkonv40::check
