// What the project check reads out of a file: its reference lines, the suite names of its Begin
// lines and code, and the member list of a project. A parsed file refers into the file's bytes and
// lives only while its own findings are worked out; what other files need of it (reference
// files, members) is copied into small summaries. Shared by the check_*.cpp units.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_set>
#include <utility>
#include <vector>

#include "engine/file_kind.h"
#include "engine/project_check.h"
#include "engine/text_file.h"

namespace tavkonv40 {
class FolderFacts;
}

namespace tavkonv40::check {

// A control file named by a header line (Object = "{GUID}#1.0#0"; "file") or a project line
// (Object={GUID}#1.0#0; file).
struct ReferenceLine {
    std::size_t line;
    std::string_view file;
    std::string_view guid;  // without braces; empty when the line has none
};

// A ProgID is a "library.class" string in code (Controls.Add, CreateObject): the compiler does not
// see it, and it fails only when the line runs.
enum class NameSite { BeginLine, Code, ProgId };

// What may follow a library name: on a Begin line and in code after "New", "Implements" or "Is",
// only one of its classes; after "As" also one of its enum or user-defined types, which the
// catalogue does not list; elsewhere in code any member ("c.Style = tavQVButton40.bsFlat").
enum class NameFollower { Class, ClassOrType, AnyMember };

// "library.class" as a Begin line or a code line writes it, where the library looks like a suite
// name.
struct SuiteName {
    std::size_t line;
    NameSite site;
    std::string_view library;
    std::string_view className;  // empty when no "." follows the library
    bool blankBefore;            // a blank stands right before the library (what the code step needs)
    NameFollower follower;
};

// A project's Form= or UserControl= line: the member's path, relative to the project's folder.
struct ProjectMember {
    std::size_t line;
    std::string_view path;
};

// The member's file name when it lies directly in the project's folder ("frmMain.frm",
// ".\frmMain.frm"); empty when its path leads into another folder ("Forms\frmMain.frm").
std::string_view memberHere(std::string_view path);

struct CheckedFile {
    std::string_view name;
    FileKind kind;
    const std::vector<std::string_view>* lines = nullptr;  // without their line ends
    std::size_t headerLines = 0;                           // forms and user controls: lines before the first Begin line
    std::vector<ReferenceLine> references;  // header lines (forms, user controls) or Object= lines (projects)
    std::vector<SuiteName> names;           // forms and user controls
    std::vector<ProjectMember> members;     // projects: their Form= and UserControl= lines
    // Projects: their PropertyPage= and UserDocument= lines. Such files read like forms, but no run
    // converts them.
    std::vector<ProjectMember> pages;
};

// Fills `f` from the text, which must outlive it.
void parseFile(const TextFile& text, FileKind kind, CheckedFile& f);
// Only the reference lines of a form's or user control's header.
void parseHeaderReferences(const TextFile& text, CheckedFile& f);

// Where the run inserts into a project: the 1-based number of its last "Object={" line, else of
// its last "Reference=" line; 0 when it has neither. The empty lines runs leave follow it.
std::size_t projectInsertionLine(const CheckedFile& project);

enum class Shape { Unknown, Tall, Wide };

// The shape of the control whose Begin line has index `begin` (0-based), by the height and width
// it sets for itself (not those of its children or of a property block); Unknown without both, or
// when they are equal.
Shape shapeOf(const std::vector<std::string_view>& lines, std::size_t begin);

// Whether a library or file name is written the way suite names are.
bool looksLikeSuiteName(std::string_view name);

// Hashes and compares names without regard to ASCII letter case, so that a name read from a file
// is looked up as it stands, without a lower-cased copy.
struct NoCaseHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view s) const {
        std::uint64_t h = 14695981039346656037ull;  // 64-bit FNV-1a, folded to size_t on 32-bit systems
        for (char c : s) h = (h ^ static_cast<unsigned char>((c >= 'A' && c <= 'Z') ? c + 32 : c)) * 1099511628211ull;
        return static_cast<std::size_t>(h ^ (h >> 32));
    }
};
struct NoCaseEqual {
    using is_transparent = void;
    bool operator()(std::string_view a, std::string_view b) const;
};
// Views into a parsed file (or into strings that outlive the set).
using NoCaseViewSet = std::unordered_set<std::string_view, NoCaseHash, NoCaseEqual>;
using NoCaseStringSet = std::unordered_set<std::string, NoCaseHash, NoCaseEqual>;

// What a project keeps for the checks of other files, once it has been read.
struct ProjectSummary {
    struct Listed {
        std::size_t line;
        std::string file;
    };
    std::string name;
    std::vector<Listed> references;    // its Object= lines
    NoCaseStringSet listed;            // their control files
    std::vector<std::string> members;  // its members that lie directly in its folder
};

ProjectSummary summariseProject(const CheckedFile& project);

// A reference line of a project's member, with the text it stands in.
struct MemberReference {
    std::string member;  // the form or user control
    std::string file;    // the control file it names
    std::string line;    // the whole header line
};

// What the checks of one file may ask about the rest of the folder.
class FolderContext {
  public:
    virtual ~FolderContext() = default;
    // The readable projects of the folder, in name order.
    virtual const std::vector<ProjectSummary>& projects() const = 0;
    // Whether the form or user control being checked belongs to the project.
    virtual bool isMember(const ProjectSummary& project, std::string_view file) = 0;
    // The control files the forms and user controls of the named project reference; null when
    // the folder has no such readable project.
    virtual const NoCaseStringSet* usedBy(std::string_view project) = 0;
    // Every header reference line of every member of the named project, members in name order.
    // Reads them all: for the fixes, not for the checks, which stream.
    virtual std::vector<MemberReference> memberReferences(std::string_view project) = 0;
    // The bytes of a project member, its path as the project writes it: relative to the folder,
    // "\\" or "/" between parts, each part in any letter case (as Windows finds it). Nothing when it
    // cannot be found or read.
    virtual std::optional<std::string> readMember(std::string_view path) = 0;
    // The folder a member lies in, as a path the user can give a command: the checked folder's
    // path followed by the member's folder parts, each as the folder names it.
    virtual std::string memberFolder(std::string_view path) = 0;
};

// What a pass over a folder does with each of its files once it is read and parsed.
class FileVisitor {
  public:
    virtual ~FileVisitor() = default;
    virtual void visit(const CheckedFile& file, const TextFile& text, FolderContext& folder) = 0;
    virtual void unreadable(std::string_view name, const std::string& cause) = 0;
    // A file above the size limit, which is not read; `cause` says so.
    virtual void tooLarge(std::string_view name, const std::string& cause) { unreadable(name, cause); }
    // A file a pass given facts (countFindings with FolderFacts) takes from them: `skeleton` holds
    // only what FileFacts keeps. Only the check's counting visitor is ever given facts.
    virtual void visitKnown(const CheckedFile& skeleton, const FindingCounts& ownLines, FolderContext& folder);
};

// Reads the forms, user controls and projects directly in the folder, in name order (the
// projects' lists first, since every form needs them), and hands each file to the visitor.
// Throws FileError when the folder itself cannot be listed.
void visitFolder(FileReader& fs, const std::string& folder, FileVisitor& visitor);
// The same, taking from `known` every file it still describes instead of reading it.
void visitFolder(FileReader& fs, const std::string& folder, FileVisitor& visitor, const FolderFacts* known);

// One file's findings as the checks add them. Messages and advice are built only when the
// findings are wanted in full, so counting them allocates nothing per finding.
class FileFindings {
  public:
    FileFindings(std::string_view file, FindingDetail detail) : file_(file), detail_(detail) {}

    template <typename Message, typename Advice>
    void add(std::size_t line, Severity severity, FindingKind kind, Message&& message, Advice&& advice) {
        ++counts_[static_cast<int>(severity)];
        kinds_ |= 1u << static_cast<unsigned>(kind);
        if (detail_ == FindingDetail::Full)
            items_.push_back({std::string(file_), line, severity, kind, message(), advice()});
    }

    // By line; findings on one line in the order the checks added them.
    std::vector<Finding>& sorted();
    FindingCounts counts() const { return {counts_[0], counts_[1], counts_[2]}; }
    bool has(FindingKind kind) const { return (kinds_ >> static_cast<unsigned>(kind)) & 1u; }

  private:
    std::string_view file_;
    FindingDetail detail_;
    std::size_t counts_[3] = {};
    unsigned kinds_ = 0;  // one bit for each kind added
    std::vector<Finding> items_;
};

// One registered check: looks at one file (with what it may ask of the folder) and adds findings.
struct Check {
    std::string_view name;
    void (*run)(const CheckedFile&, FolderContext&, FileFindings&);
};

// The checks that judge a file by its own lines alone, and the one that also asks the folder.
void checkNames(const CheckedFile&, FileFindings&);                         // UnknownName, OldName
void checkReferences(const CheckedFile&, FileFindings&);                    // MissingReference, WrongGuid
void checkTidiness(const CheckedFile&, FileFindings&);                      // RepeatedReference, EmptyLines
void checkProjectLists(const CheckedFile&, FolderContext&, FileFindings&);  // NotInProject, UnusedInProject
// Every check but the projects' lists. The projects' lists read only a file's name, kind,
// reference lines, members and pages: what FileFacts keeps.
void checkOwnLines(const CheckedFile&, FileFindings&);

}  // namespace tavkonv40::check
