// One pass over a folder's forms, user controls and projects, as the check and its fixes make
// it: the folder's context each file's checks may ask of, and the reading that serves it.
#include <algorithm>
#include <map>
#include <new>
#include <optional>

#include "engine/check_facts.h"
#include "engine/check_model.h"
#include "engine/text_file.h"
#include "engine/text_util.h"

namespace tavkonv40 {

namespace {

using check::CheckedFile;
using check::ProjectSummary;

enum class Readable : unsigned char { Unknown, Yes, No };

struct Entry {
    std::string name;
    FileKind kind;
    Readable readable = Readable::Unknown;
    bool factsLooked = false;
    const FileFacts* facts = nullptr;  // what the run that left it knows of it, while still true
};

// One check of a folder. The projects are read first, since every form needs their lists; then
// each file in name order is read, checked and let go. What a project's own check needs of files
// that come after it (whether they are readable, what they reference) is read ahead of them.
class FolderRun final : public check::FolderContext {
  public:
    FolderRun(FileReader& fs, std::string base, std::vector<Entry> entries, const FolderFacts* known)
        : fs_(fs), base_(std::move(base)), entries_(std::move(entries)), known_(known) {}

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

    // The facts of the file, when there are facts and they still describe it: then it is not read.
    const FileFacts* factsOf(std::size_t index) {
        auto& e = entries_[index];
        if (!known_ || e.factsLooked) return e.facts;
        e.factsLooked = true;
        e.facts = known_->current(e.name, fs_.entryInfo(path(e)));
        if (e.facts) e.readable = Readable::Yes;
        return e.facts;
    }

    bool readable(std::size_t index) {
        if (factsOf(index)) return true;
        if (entries_[index].readable == Readable::Unknown) read(index);
        return entries_[index].readable == Readable::Yes;
    }

    void readProjects() {
        for (std::size_t i = 0; i < entries_.size(); ++i) {
            if (entries_[i].kind != FileKind::Project) continue;
            auto summary = projectSummary(i);
            if (!summary) continue;
            projects_.push_back(std::move(*summary));
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

    std::optional<ProjectSummary> projectSummary(std::size_t index) {
        if (const auto* known = factsOf(index)) return check::summariseProject(known->skeleton(entries_[index].name));
        auto bytes = read(index);
        if (!bytes) return std::nullopt;
        const TextFile text(std::move(*bytes));
        CheckedFile f;
        f.name = entries_[index].name;
        check::parseFile(text, FileKind::Project, f);
        return check::summariseProject(f);
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
            if (const auto* known = factsOf(i)) {
                for (const auto& r : known->references) state.used.emplace(r.text);
                continue;
            }
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
        if (const auto* known = factsOf(current_)) {
            const CheckedFile skeleton = known->skeleton(entry.name);
            visitor.visitKnown(skeleton, known->ownLines, *this);
            noteReferences(skeleton);
            return;
        }
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
        noteReferences(f);
    }

    // What the file being checked references counts as used by the projects it belongs to.
    void noteReferences(const CheckedFile& f) {
        if (f.kind == FileKind::Project) return;
        for (std::size_t p = 0; p < projects_.size(); ++p)
            if (isMember(states_[p], current_))
                for (const auto& r : f.references) states_[p].used.emplace(r.file);
    }

    FileReader& fs_;
    const std::string base_;
    std::vector<Entry> entries_;  // the files the check reads, in name order
    const FolderFacts* known_;
    std::vector<ProjectSummary> projects_;
    std::vector<ProjectState> states_;                          // beside projects_
    std::map<std::string, std::vector<std::string>> listings_;  // folders members lie in, by path
    std::size_t current_ = 0;                                   // the entry being checked
};

}  // namespace

namespace check {

void visitFolder(FileReader& fs, const std::string& folderPath, FileVisitor& visitor) {
    visitFolder(fs, folderPath, visitor, nullptr);
}

void visitFolder(FileReader& fs, const std::string& folderPath, FileVisitor& visitor, const FolderFacts* known) {
    std::string base = withoutTrailingSlash(folderPath);
    auto names = fs.listFolder(base);
    sortInListingOrder(names);
    std::vector<Entry> entries;
    for (auto& name : names) {
        if (const auto kind = fileKindOfName(name)) entries.push_back({std::move(name), *kind});
    }
    FolderRun run(fs, std::move(base), std::move(entries), known);
    run.run(visitor);
}

}  // namespace check

}  // namespace tavkonv40
