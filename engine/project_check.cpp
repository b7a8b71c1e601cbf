#include "engine/project_check.h"

#include <algorithm>
#include <array>
#include <map>
#include <new>
#include <optional>

#include "engine/check_model.h"
#include "engine/text_file.h"
#include "engine/text_util.h"

namespace tavkonv40 {

namespace {

using check::Check;
using check::CheckedFile;
using check::ProjectSummary;

// Every check each file goes through, in this order; on one line, findings keep it.
constexpr std::array<Check, 4> kChecks = {{
    {"suite names", check::checkNames},
    {"reference lines", check::checkReferences},
    {"project lists", check::checkProjectLists},
    {"tidiness", check::checkTidiness},
}};

enum class Readable : unsigned char { Unknown, Yes, No };

struct Entry {
    std::string name;
    FileKind kind;
    Readable readable = Readable::Unknown;
};

// One check of a folder. The projects are read first, since every form needs their lists; then
// each file in name order is read, checked and let go. What a project's own check needs of files
// that come after it (whether they are readable, what they reference) is read ahead of them.
class FolderRun final : public check::FolderContext {
  public:
    FolderRun(FileReader& fs, std::string base, std::vector<Entry> entries)
        : fs_(fs), base_(std::move(base)), entries_(std::move(entries)) {}

    void run(check::FileVisitor& visitor) {
        readProjects();
        for (current_ = 0; current_ < entries_.size(); ++current_) visitFile(entries_[current_], visitor);
    }

    const std::vector<ProjectSummary>& projects() const override { return projects_; }

    bool isMember(const ProjectSummary& project, std::string_view) override {
        return isMember(stateOf(project), current_);
    }

    const check::NoCaseStringSet* usedBy(std::string_view project) override {
        for (std::size_t p = 0; p < projects_.size(); ++p)
            if (projects_[p].name == project) {
                readAheadFor(p);
                return &states_[p].used;
            }
        return nullptr;
    }

    std::vector<check::MemberReference> memberReferences(std::string_view project) override {
        std::vector<check::MemberReference> all;
        for (std::size_t p = 0; p < projects_.size(); ++p) {
            if (projects_[p].name != project) continue;
            for (std::size_t i = 0; i < entries_.size(); ++i) {
                if (!isMember(states_[p], i)) continue;
                forEachHeaderReference(i, [&](const check::ReferenceLine& r, const TextFile& text) {
                    all.push_back({entries_[i].name, std::string(r.file), std::string(text.line(r.line))});
                });
            }
        }
        return all;
    }

    std::optional<std::string> readMember(std::string_view member) override {
        const std::string at = memberPath(member);
        if (!whyNotReadable(fs_, at, Links::Followed).empty()) return std::nullopt;
        try {
            return fs_.readFile(at);
        } catch (const FileError&) {
        } catch (const std::bad_alloc&) {}
        return std::nullopt;
    }

    std::string memberFolder(std::string_view member) override {
        const auto slash = member.find_last_of("\\/");
        return memberPath(member.substr(0, slash == std::string_view::npos ? 0 : slash));
    }

  private:
    enum class Membership : unsigned char { Unknown, Named, All };

    struct ProjectState {
        std::vector<std::size_t> named;  // entries (forms, user controls) its member lines name
        Membership membership = Membership::Unknown;
        check::NoCaseStringSet used;  // control files its members checked so far reference
    };

    std::string path(const Entry& e) const { return base_ + "/" + e.name; }

    // A path relative to the folder, as a project writes it, on the store.
    std::string memberPath(std::string_view member) {
        std::string at = base_;
        for (std::size_t i = 0; i <= member.size();) {
            const auto end = std::min(member.find_first_of("\\/", i), member.size());
            const auto part = member.substr(i, end - i);
            i = end + 1;
            if (part.empty() || part == ".") continue;
            at += "/" + nameInFolder(at, part);
        }
        return at;
    }

    // The entry of the folder that a part of a member's path names, in whatever letter case it
    // has there; the part as written when none matches or the folder cannot be listed.
    std::string nameInFolder(const std::string& folder, std::string_view part) {
        if (part == "..") return std::string(part);
        for (const auto& name : namesIn(folder))
            if (equalsNoCase(name, part)) return name;
        return std::string(part);
    }

    // A folder's names, listed once per check: every member in it asks for them.
    const std::vector<std::string>& namesIn(const std::string& folder) {
        const auto known = listings_.find(folder);
        if (known != listings_.end()) return known->second;
        std::vector<std::string> names;
        try {
            names = fs_.listFolder(folder);
        } catch (const FileError&) {}
        return listings_.emplace(folder, std::move(names)).first->second;
    }

    // The file's bytes, or the reason it cannot be read; remembers which.
    std::optional<std::string> read(std::size_t index, std::string* cause = nullptr) {
        auto& e = entries_[index];
        std::string why = whyNotReadable(fs_, path(e), Links::Followed);
        if (why.empty()) {
            try {
                std::string bytes = fs_.readFile(path(e));
                e.readable = Readable::Yes;
                return bytes;
            } catch (const FileError& error) {
                why = error.cause();
            } catch (const std::bad_alloc&) {
                why = "not enough memory to hold it";
            }
        }
        e.readable = Readable::No;
        if (cause) *cause = why;
        return std::nullopt;
    }

    bool readable(std::size_t index) {
        if (entries_[index].readable == Readable::Unknown) read(index);
        return entries_[index].readable == Readable::Yes;
    }

    void readProjects() {
        for (std::size_t i = 0; i < entries_.size(); ++i) {
            if (entries_[i].kind != FileKind::Project) continue;
            auto bytes = read(i);
            if (!bytes) continue;
            const TextFile text(std::move(*bytes));
            CheckedFile f;
            f.name = entries_[i].name;
            check::parseFile(text, FileKind::Project, f);
            projects_.push_back(check::summariseProject(f));
            ProjectState state;
            for (std::size_t j = 0; j < entries_.size(); ++j) {
                if (entries_[j].kind == FileKind::Project) continue;
                for (const auto& m : projects_.back().members)
                    if (equalsNoCase(m, entries_[j].name)) {
                        state.named.push_back(j);
                        break;
                    }
            }
            states_.push_back(std::move(state));
        }
    }

    ProjectState& stateOf(const ProjectSummary& project) {
        return states_[static_cast<std::size_t>(&project - projects_.data())];
    }

    // A project owns the readable forms and user controls its member lines name; all of them when
    // it names none of those (a project whose member lines point elsewhere still owns this folder).
    void resolveMembership(ProjectState& p) {
        if (p.membership != Membership::Unknown) return;
        p.membership = Membership::All;
        for (auto j : p.named)
            if (readable(j)) {
                p.membership = Membership::Named;
                return;
            }
    }

    // Whether the entry may belong to the project, short of knowing it readable.
    bool mayBeMember(ProjectState& p, std::size_t index) {
        if (entries_[index].kind == FileKind::Project || entries_[index].readable == Readable::No) return false;
        if (std::binary_search(p.named.begin(), p.named.end(), index)) return true;
        resolveMembership(p);
        return p.membership == Membership::All;
    }

    bool isMember(ProjectState& p, std::size_t index) { return mayBeMember(p, index) && readable(index); }

    // Before a project's own check: what its members after it in name order reference, read
    // ahead only as far as a control file it lists is still unaccounted for.
    void readAheadFor(std::size_t p) {
        auto& state = states_[p];
        const auto pending = [&] {
            for (const auto& r : projects_[p].references)
                if (check::looksLikeSuiteName(r.file) && !state.used.count(r.file)) return true;
            return false;
        };
        for (std::size_t i = current_ + 1; i < entries_.size() && pending(); ++i) {
            if (!mayBeMember(state, i)) continue;
            forEachHeaderReference(i,
                                   [&](const check::ReferenceLine& r, const TextFile&) { state.used.emplace(r.file); });
        }
    }

    // Reads a form or user control (when it can be read) and hands each of its header's
    // reference lines to `use`.
    template <typename Use>
    void forEachHeaderReference(std::size_t index, Use&& use) {
        auto bytes = read(index);
        if (!bytes) return;
        const TextFile text(std::move(*bytes));
        CheckedFile f;
        f.name = entries_[index].name;
        check::parseHeaderReferences(text, f);
        for (const auto& r : f.references) use(r, text);
    }

    void visitFile(const Entry& entry, check::FileVisitor& visitor) {
        std::string cause;
        auto bytes = read(current_, &cause);
        if (!bytes) {
            if (tooLargeToRead(fs_, fs_.entryInfo(path(entry))))
                visitor.tooLarge(entry.name, cause);
            else
                visitor.unreadable(entry.name, cause);
            return;
        }
        const TextFile text(std::move(*bytes));
        CheckedFile f;
        f.name = entry.name;
        check::parseFile(text, entry.kind, f);
        visitor.visit(f, text, *this);
        if (entry.kind == FileKind::Project) return;
        for (std::size_t p = 0; p < projects_.size(); ++p)
            if (isMember(states_[p], current_))
                for (const auto& r : f.references) states_[p].used.emplace(r.file);
    }

    FileReader& fs_;
    const std::string base_;
    std::vector<Entry> entries_;  // the files the check reads, in name order
    std::vector<ProjectSummary> projects_;
    std::vector<ProjectState> states_;                          // beside projects_
    std::map<std::string, std::vector<std::string>> listings_;  // folders members lie in, by path
    std::size_t current_ = 0;                                   // the entry being checked
};

// Runs every check on each file and hands its findings to the sink.
class CheckVisitor final : public check::FileVisitor {
  public:
    explicit CheckVisitor(FindingSink& sink) : sink_(sink), detail_(sink.detail()) {}

    void visit(const CheckedFile& file, const TextFile&, check::FolderContext& folder) override {
        check::FileFindings findings(file.name, detail_);
        for (const auto& c : kChecks) c.run(file, folder, findings);
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

namespace check {

void visitFolder(FileReader& fs, const std::string& folderPath, FileVisitor& visitor) {
    std::string base = withoutTrailingSlash(folderPath);
    auto names = fs.listFolder(base);
    sortInListingOrder(names);
    std::vector<Entry> entries;
    for (auto& name : names) {
        if (const auto kind = fileKindOfName(name)) entries.push_back({std::move(name), *kind});
    }
    FolderRun run(fs, std::move(base), std::move(entries));
    run.run(visitor);
}

}  // namespace check

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

std::size_t countAboveNotes(const std::vector<Finding>& findings) {
    return static_cast<std::size_t>(
        std::count_if(findings.begin(), findings.end(), [](const Finding& f) { return f.severity != Severity::Note; }));
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
