// Pictures made once for a key and kept while their total size stays within a budget; past it
// all are dropped together and made again as they are drawn. A skin is drawn again and again at
// one size (each control of a panel paints the panel's picture behind it), so what is kept is
// what is being drawn, without tracking age.
#pragma once

#include <cstddef>
#include <unordered_map>

namespace gdi {

template <typename Key, typename Picture, typename Hash>
class KeptPictures {
  public:
    explicit KeptPictures(std::size_t budget) : m_budget(budget) {}

    // The picture kept for `key`, else `make()`'s, kept and counted as `size(picture)`.
    template <typename Make, typename Size>
    Picture get(const Key& key, Make make, Size size) {
        if (const auto found = m_kept.find(key); found != m_kept.end()) return found->second;
        Picture made = make();
        const std::size_t cost = size(made);
        if (m_used + cost > m_budget) {
            m_kept.clear();
            m_used = 0;
        }
        m_used += cost;
        m_kept.emplace(key, made);
        return made;
    }

  private:
    std::unordered_map<Key, Picture, Hash> m_kept;
    std::size_t m_budget, m_used = 0;
};

}  // namespace gdi
