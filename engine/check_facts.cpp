#include "engine/check_facts.h"

#include <new>

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

void FolderFacts::fileFinished(const std::string& path, const TextFile& text, const EntryInfo& stamp) {
    const std::string_view name = fileNameOf(path);
    const auto kind = fileKindOfName(name);
    if (!kind) return;
    try {
        check::CheckedFile f;
        f.name = name;
        check::parseFile(text, *kind, f);
        check::FileFindings own(name, FindingDetail::CountsOnly);
        check::checkOwnLines(f, own);
        FileFacts facts{*kind, stamp, own.counts(), {}, {}, {}};
        for (const auto& r : f.references) facts.references.push_back({r.line, std::string(r.file)});
        for (const auto& m : f.members) facts.members.push_back({m.line, std::string(m.path)});
        for (const auto& p : f.pages) facts.pages.push_back({p.line, std::string(p.path)});
        files_.insert_or_assign(std::string(name), std::move(facts));
    } catch (const std::bad_alloc&) {
        files_.erase(std::string(name));  // the check reads this file instead
    }
}

const FileFacts* FolderFacts::current(std::string_view name, const EntryInfo& now) const {
    const auto it = files_.find(name);
    if (it == files_.end() || now.type != EntryType::RegularFile || now.type != it->second.stamp.type ||
        !sameContentStamp(now, it->second.stamp))
        return nullptr;
    return &it->second;
}

}  // namespace tavkonv40
