#include "controls/PropertyBag.h"

const PropertyValue* PropertyBag::ReadProperty(std::string_view name) const {
    const auto it = m_values.find(name);
    return it == m_values.end() ? nullptr : &it->second;
}

void PropertyBag::WriteProperty(std::string_view name, PropertyValue value) {
    m_values.insert_or_assign(std::string(name), std::move(value));
}

std::vector<std::string> PropertyBag::Keys() const {
    std::vector<std::string> keys;
    for (const auto& [name, value] : m_values) keys.push_back(name);
    return keys;
}
