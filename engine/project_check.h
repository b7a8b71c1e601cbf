// `tavkonv40 check`: reads the forms, user controls and projects directly in a folder and reports
// what would keep Visual Basic 6 from loading the project as it stands. Read-only: it never
// writes, and it judges the files, not the run that produced them.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "engine/file_system.h"

namespace tavkonv40 {

enum class Severity { Error, Warning, Note };

enum class FindingKind {
    UnknownName,        // a suite library, class or control file no edition (or not the named edition) has
    MissingReference,   // a suite library used in a form body without its header reference line
    WrongGuid,          // a reference line naming a 4.0/4.0L control file with another GUID
    NotInProject,       // a control file a member form references that the project does not list
    UnusedInProject,    // a project reference line for a suite file no member form references
    MemberElsewhere,    // a project member that lies in another folder, which a run here leaves alone
    UnconvertedMember,  // a property page or user document that names suite controls no run converts
    OldName,            // an older edition's suite name that is still there
    RepeatedReference,  // the same control file referenced twice in one file
    EmptyLines,         // empty lines that repeated runs leave in a header or after a project's references
    Orientation,        // a vertical class on a control wider than tall, or the other way round
    Unreadable,         // a file that could not be read
    TooLarge,           // a file above the size limit, which is not read
};

struct Finding {
    std::string file;  // name within the folder
    std::size_t line;  // 1-based; 0 when the finding concerns the whole file
    Severity severity;
    FindingKind kind;
    std::string message;
    std::string advice;  // one short sentence: what to do about it
};

std::string_view severityName(Severity s);  // "error", "warning", "note"
std::string_view kindName(FindingKind k);   // "unknown-name", ...

struct FindingCounts {
    std::size_t errors = 0, warnings = 0, notes = 0;
    std::size_t total() const { return errors + warnings + notes; }
    std::size_t aboveNotes() const { return errors + warnings; }
};

// How much of each finding a sink wants: counting needs no message, so none is built.
enum class FindingDetail { CountsOnly, Full };

// Receives the findings of a check as it goes, one file at a time, so that a folder of any size
// is checked in the memory its largest file needs.
class FindingSink {
  public:
    virtual ~FindingSink() = default;
    virtual FindingDetail detail() const { return FindingDetail::Full; }
    // One file's findings, by line; once for every file that has any, files in name order.
    // Not called when the detail is CountsOnly.
    virtual void fileFindings(const std::vector<Finding>& findings) = 0;
};

// Checks the folder and hands the findings to the sink: grouped by file (files in name order), by
// line within a file. Throws FileError when the folder itself cannot be listed.
FindingCounts checkProject(FileReader& fs, const std::string& folder, FindingSink& sink);

// The same, collected.
std::vector<Finding> checkProject(FileReader& fs, const std::string& folder);

// The findings a check would report, counted without building them.
FindingCounts countFindings(FileReader& fs, const std::string& folder);

// One line for the end of a conversion run: how many findings a check would report. Empty when
// the folder cannot be listed.
std::string checkHintLine(FileReader& fs, const std::string& folder);
// The same line for counts already made.
std::string checkHintLine(const FindingCounts& counts, const std::string& folder);

}  // namespace tavkonv40
