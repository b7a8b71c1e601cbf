// What `check --fix` builds on: each fix looks at a file the way the check parsed it (with what it
// may ask of the folder) and proposes line edits for the findings whose advice leaves no choice.
// The edits of one file are applied together; what they leave is checked and fixed again until
// nothing more changes. Shared by the fix_*.cpp units.
#pragma once

#include <cstddef>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "engine/check_model.h"

namespace tavkonv40::fix {

enum class EditAction { Replace, InsertAfter, Delete };

// One change to the file, by the line numbers of the file as the fixes read it (1-based; an
// insertion after line 0 goes before the first line).
struct LineEdit {
    EditAction action;
    std::size_t line;
    std::string text;  // Replace, InsertAfter: the new line, without its line end
};

// What one fix did, for the log and the report.
struct FixNote {
    std::size_t line;
    FindingKind kind;  // the finding it answers
    std::string description;
};

// One file's edits as the fixes propose them. A line that one fix already replaces or deletes is
// left to that fix: the next round sees the result and may take it up again.
class FileFixes {
  public:
    bool replace(std::size_t line, std::string text, FindingKind kind, std::string description);
    bool remove(std::size_t line, FindingKind kind, std::string description);
    // Lines inserted after the same line keep the order they were added in.
    void insertAfter(std::size_t line, std::string text, FindingKind kind, std::string description);

    const std::vector<LineEdit>& edits() const { return edits_; }
    const std::vector<FixNote>& notes() const { return notes_; }
    bool empty() const { return edits_.empty(); }

  private:
    bool claim(std::size_t line);

    std::vector<LineEdit> edits_;
    std::vector<FixNote> notes_;
    std::set<std::size_t> claimed_;  // lines replaced or deleted
};

// The file's bytes with the edits applied. Every line keeps its own line end; inserted lines take
// the file's dominant one (CR LF when it has none), and a file without a final line end keeps
// lacking one.
std::string applyEdits(std::string_view bytes, const std::vector<LineEdit>& edits);

// One registered fix.
struct Fix {
    std::string_view name;
    void (*run)(const check::CheckedFile&, check::FolderContext&, FileFixes&);
};

void fixSuiteNames(const check::CheckedFile&, check::FolderContext&, FileFixes&);    // UnknownName, OldName
void fixReferences(const check::CheckedFile&, check::FolderContext&, FileFixes&);    // MissingReference, WrongGuid
void fixProjectLists(const check::CheckedFile&, check::FolderContext&, FileFixes&);  // NotInProject
void fixTidiness(const check::CheckedFile&, check::FolderContext&, FileFixes&);      // RepeatedReference, EmptyLines

}  // namespace tavkonv40::fix
