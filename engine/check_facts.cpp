#include "engine/check_facts.h"

#include <exception>
#include <system_error>

#include "engine/check_model.h"
#include "engine/text_util.h"

namespace tavkonv40 {

check::CheckedFile FileFacts::skeleton(std::string_view name) const {
    check::CheckedFile f;
    f.name = name;
    f.kind = kind;
    for (const auto& r : references) f.references.push_back({r.line, r.text, {}});
    for (const auto& m : members) f.members.push_back({m.line, m.text});
    for (const auto& p : pages) f.pages.push_back({p.line, p.text});
    return f;
}

void FolderFacts::fileFinished(const std::string& path, std::unique_ptr<TextFile> text, const EntryInfo& stamp) {
    Finished file{path, std::move(text), stamp};
    if (!worker_.joinable()) {
        try {
            worker_ = std::thread(&FolderFacts::work, this);
        } catch (const std::system_error&) {
            take(file);  // no thread to be had: the run waits for the facts instead
            return;
        }
    }
    std::unique_lock lock(mutex_);
    moved_.wait(lock, [&] { return !waiting_; });
    waiting_ = std::move(file);
    moved_.notify_all();
}

void FolderFacts::work() {
    for (;;) {
        std::unique_lock lock(mutex_);
        moved_.wait(lock, [&] { return waiting_ || ended_; });
        if (!waiting_) return;
        Finished file = std::move(*waiting_);
        waiting_.reset();
        moved_.notify_all();
        lock.unlock();
        take(file);
    }
}

void FolderFacts::take(Finished& file) {
    const std::string_view name = fileNameOf(file.path);
    const auto kind = fileKindOfName(name);
    if (!kind) return;
    try {
        // The last step hands on no line table: the lines as written are found here.
        if (file.text->changed()) file.text = TextFile::continueFrom(std::move(file.text));
        check::CheckedFile f;
        f.name = name;
        check::parseFile(*file.text, *kind, f);
        check::FileFindings own(name, FindingDetail::CountsOnly);
        check::checkOwnLines(f, own);
        FileFacts facts{*kind, file.stamp, own.counts(), {}, {}, {}};
        for (const auto& r : f.references) facts.references.push_back({r.line, std::string(r.file)});
        for (const auto& m : f.members) facts.members.push_back({m.line, std::string(m.path)});
        for (const auto& p : f.pages) facts.pages.push_back({p.line, std::string(p.path)});
        const std::lock_guard lock(mutex_);
        files_.insert_or_assign(std::string(name), std::move(facts));
    } catch (const std::exception&) {
        // No facts (not enough memory for them, say): the check reads this file instead.
    }
}

void FolderFacts::settle() {
    {
        const std::lock_guard lock(mutex_);
        ended_ = true;
        moved_.notify_all();
    }
    if (worker_.joinable()) worker_.join();
}

const FileFacts* FolderFacts::current(std::string_view name, const EntryInfo& now) const {
    const auto it = files_.find(name);
    if (it == files_.end() || now.type != EntryType::RegularFile || now.type != it->second.stamp.type ||
        !sameContentStamp(now, it->second.stamp))
        return nullptr;
    return &it->second;
}

}  // namespace tavkonv40
