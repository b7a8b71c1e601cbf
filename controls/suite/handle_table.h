// The table behind gdi's integer handles, shared by every backend: each
// backend stores its own kinds of object (DC, bitmap, region, in that order,
// so that the variant's index is the ObjectKind).
#pragma once

#include "controls/suite/gdi.h"

#include <unordered_map>
#include <variant>

namespace gdi::detail {

// The controls run on the UI thread only, like the window system they stand
// in for, so the table needs no lock.
template <typename Dc, typename Bitmap, typename Region>
struct HandleTable {
    using Object = std::variant<Dc, Bitmap, Region>;
    std::unordered_map<Handle, Object> objects;
    Handle next = 0x100;

    Handle add(Object o) {
        Handle h = next++;
        if (next <= 0) next = 0x100;  // wrapped: handles stay positive
        objects.emplace(h, std::move(o));
        return h;
    }
    template <typename T>
    T* get(Handle h) {
        auto it = objects.find(h);
        if (it == objects.end()) return nullptr;
        return std::get_if<T>(&it->second);
    }
    template <typename T>
    bool erase(Handle h) {
        auto it = objects.find(h);
        if (it == objects.end() || !std::holds_alternative<T>(it->second)) return false;
        objects.erase(it);
        return true;
    }
    std::size_t count(ObjectKind kind) const {
        std::size_t n = 0;
        for (const auto& entry : objects)
            if (static_cast<std::size_t>(kind) == entry.second.index()) ++n;
        return n;
    }
};

}  // namespace gdi::detail
