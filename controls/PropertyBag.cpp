#include "controls/PropertyBag.h"

QVariant PropertyBag::ReadProperty(const QString& name, const QVariant& defaultValue) const {
    auto it = m_values.constFind(name);
    if (it == m_values.constEnd()) return defaultValue;
    // A stored value comes back in the type of the default when it converts.
    if (defaultValue.isValid() && it->metaType() != defaultValue.metaType()) {
        QVariant converted = *it;
        if (converted.convert(defaultValue.metaType())) return converted;
    }
    return *it;
}

void PropertyBag::WriteProperty(const QString& name, const QVariant& value, const QVariant& defaultValue) {
    if (defaultValue.isValid() && value == defaultValue) {
        m_values.remove(name);
        return;
    }
    m_values.insert(name, value);
}
