// The host's store of a control's persisted properties.
//
// Every property is read and written with the same default: writing a value
// equal to its default removes the key, so only changed values are stored,
// and reading a missing key gives the default back.  A stored value comes
// back in the type of the default when it converts (every integer, enum and
// truth value into another); otherwise the default is returned.
//
// Values are the platform-free kinds below.  A property type maps to one
// of them through BagValue<T>; a host's own types (a toolkit's strings,
// fonts, images) add their BagValue specialisations next to the host.
#pragma once

#include "controls/suite/gdi.h"

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>
#include <variant>
#include <vector>

// A stored picture: nothing, a bitmap (drawn without its mask colour) or an
// icon (drawn with its own transparency).
struct StoredPicture {
    enum class Type { None, Bitmap, Icon };
    Type type = Type::None;
    gdi::Image image;
    friend bool operator==(const StoredPicture&, const StoredPicture&) = default;
};

using PropertyValue =
    std::variant<std::monostate, bool, std::int64_t, std::u16string, gdi::Font, gdi::Image, StoredPicture>;

// How a property type is kept in the bag: To gives the stored value, From the
// property back (empty when the stored value does not convert).
template <class T, class = void>
struct BagValue {
    static PropertyValue To(const T& v) { return v; }
    static std::optional<T> From(const PropertyValue& v) {
        if (const T* t = std::get_if<T>(&v)) return *t;
        return std::nullopt;
    }
};

template <class T>
struct BagValue<T, std::enable_if_t<std::is_integral_v<T> || std::is_enum_v<T>>> {
    static PropertyValue To(const T& v) {
        if constexpr (std::is_same_v<T, bool>)
            return v;
        else
            return static_cast<std::int64_t>(v);
    }
    static std::optional<T> From(const PropertyValue& v) {
        std::int64_t n = 0;
        if (const auto* b = std::get_if<bool>(&v))
            n = *b ? 1 : 0;
        else if (const auto* i = std::get_if<std::int64_t>(&v))
            n = *i;
        else
            return std::nullopt;
        if constexpr (std::is_same_v<T, bool>)
            return n != 0;
        else
            return static_cast<T>(n);
    }
};

class PropertyBag {
  public:
    // The stored value of `name`, or null.
    const PropertyValue* ReadProperty(std::string_view name) const;
    // Stores `value` as it is (no default: it is kept whatever it is).
    void WriteProperty(std::string_view name, PropertyValue value);

    template <typename T>
    T Read(std::string_view name, const T& defaultValue) const {
        const PropertyValue* stored = ReadProperty(name);
        if (stored == nullptr) return defaultValue;
        return BagValue<T>::From(*stored).value_or(defaultValue);
    }
    template <typename T>
    void Write(std::string_view name, const T& value, const T& defaultValue) {
        if (value == defaultValue)
            m_values.erase(std::string(name));
        else
            WriteProperty(name, BagValue<T>::To(value));
    }

    bool Contains(std::string_view name) const { return ReadProperty(name) != nullptr; }
    std::vector<std::string> Keys() const;  // in name order
    int Count() const { return static_cast<int>(m_values.size()); }
    void Clear() { m_values.clear(); }

  private:
    std::map<std::string, PropertyValue, std::less<>> m_values;
};
