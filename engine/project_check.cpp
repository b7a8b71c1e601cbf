#include "engine/project_check.h"

#include <algorithm>
#include <array>

#include "engine/check_facts.h"
#include "engine/check_model.h"
#include "engine/text_util.h"

namespace tavkonv40 {

namespace {

using check::Check;
using check::CheckedFile;

// Every check each file goes through, in this order; on one line, findings keep it.
constexpr std::array<Check, 4> kChecks = {{
    {"suite names", [](const CheckedFile& f, check::FolderContext&, check::FileFindings& out) { checkNames(f, out); }},
    {"reference lines",
     [](const CheckedFile& f, check::FolderContext&, check::FileFindings& out) { checkReferences(f, out); }},
    {"project lists", check::checkProjectLists},
    {"tidiness", [](const CheckedFile& f, check::FolderContext&, check::FileFindings& out) { checkTidiness(f, out); }},
}};

// Runs every check on each file and hands its findings to the sink.
class CheckVisitor final : public check::FileVisitor {
  public:
    explicit CheckVisitor(FindingSink& sink) : sink_(sink), detail_(sink.detail()) {}

    void visit(const CheckedFile& file, const TextFile&, check::FolderContext& folder) override {
        check::FileFindings findings(file.name, detail_);
        for (const auto& c : kChecks) c.run(file, folder, findings);
        done(findings);
    }

    // Counting only: the findings of the file's own lines were counted when the facts were taken.
    void visitKnown(const CheckedFile& skeleton, const FindingCounts& ownLines, check::FolderContext& folder) override {
        if (detail_ == FindingDetail::Full) check::FileVisitor::visitKnown(skeleton, ownLines, folder);
        check::FileFindings findings(skeleton.name, detail_);
        check::checkProjectLists(skeleton, folder, findings);
        counts.errors += ownLines.errors;
        counts.warnings += ownLines.warnings;
        counts.notes += ownLines.notes;
        done(findings);
    }

    void unreadable(std::string_view name, const std::string& cause) override {
        check::FileFindings findings(name, detail_);
        findings.add(
            0, Severity::Error, FindingKind::Unreadable, [&] { return "cannot be read: " + cause; },
            [] { return std::string("Make the file readable and check again."); });
        done(findings);
    }

    void tooLarge(std::string_view name, const std::string& cause) override {
        check::FileFindings findings(name, detail_);
        findings.add(
            0, Severity::Error, FindingKind::TooLarge, [&] { return "too large to check: " + cause; },
            [] {
                return std::string(
                    "No command reads or converts a file this large; if it is not part of the project, move it out "
                    "of the folder.");
            });
        done(findings);
    }

    FindingCounts counts;

  private:
    void done(check::FileFindings& findings) {
        const auto c = findings.counts();
        counts.errors += c.errors;
        counts.warnings += c.warnings;
        counts.notes += c.notes;
        if (detail_ == FindingDetail::Full && c.total() > 0) sink_.fileFindings(findings.sorted());
    }

    FindingSink& sink_;
    const FindingDetail detail_;
};

class CollectingSink final : public FindingSink {
  public:
    void fileFindings(const std::vector<Finding>& findings) override {
        all.insert(all.end(), findings.begin(), findings.end());
    }
    std::vector<Finding> all;
};

class CountingSink final : public FindingSink {
  public:
    FindingDetail detail() const override { return FindingDetail::CountsOnly; }
    void fileFindings(const std::vector<Finding>&) override {}
};

}  // namespace

std::string_view severityName(Severity s) {
    switch (s) {
        case Severity::Error: return "error";
        case Severity::Warning: return "warning";
        case Severity::Note: return "note";
    }
    return "?";
}

std::string_view kindName(FindingKind k) {
    switch (k) {
        case FindingKind::UnknownName: return "unknown-name";
        case FindingKind::MissingReference: return "missing-reference";
        case FindingKind::WrongGuid: return "wrong-guid";
        case FindingKind::NotInProject: return "not-in-project";
        case FindingKind::UnusedInProject: return "unused-in-project";
        case FindingKind::MemberElsewhere: return "member-elsewhere";
        case FindingKind::UnconvertedMember: return "unconverted-member";
        case FindingKind::OldName: return "old-name";
        case FindingKind::RepeatedReference: return "repeated-reference";
        case FindingKind::EmptyLines: return "empty-lines";
        case FindingKind::Orientation: return "orientation";
        case FindingKind::Unreadable: return "unreadable";
        case FindingKind::TooLarge: return "too-large";
    }
    return "?";
}

FindingCounts checkProject(FileReader& fs, const std::string& folder, FindingSink& sink) {
    CheckVisitor visitor(sink);
    check::visitFolder(fs, folder, visitor);
    return visitor.counts;
}

std::vector<Finding> checkProject(FileReader& fs, const std::string& folder) {
    CollectingSink sink;
    checkProject(fs, folder, sink);
    return std::move(sink.all);
}

FindingCounts countFindings(FileReader& fs, const std::string& folder) {
    CountingSink sink;
    return checkProject(fs, folder, sink);
}

FindingCounts countFindings(FileReader& fs, const std::string& folder, FolderFacts& known) {
    known.settle();
    CountingSink sink;
    CheckVisitor visitor(sink);
    check::visitFolder(fs, folder, visitor, &known);
    return visitor.counts;
}

void check::checkOwnLines(const CheckedFile& f, FileFindings& out) {
    checkNames(f, out);
    checkReferences(f, out);
    checkTidiness(f, out);
}

std::string checkHintLine(FileReader& fs, const std::string& folder) {
    try {
        return checkHintLine(countFindings(fs, folder), folder);
    } catch (const FileError&) {
        return {};
    }
}

std::string checkHintLine(const FindingCounts& counts, const std::string& folder) {
    if (counts.total() == 0) return "check: no findings";
    std::string line =
        "check: " + std::to_string(counts.total()) + (counts.total() == 1 ? " finding (" : " findings (");
    line += std::to_string(counts.aboveNotes()) + " above note level); run 'tavkonv40 check " + shellQuoted(folder) +
            "' to see them";
    return line;
}

}  // namespace tavkonv40
