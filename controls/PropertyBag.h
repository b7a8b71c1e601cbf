// The host's store of a control's persisted properties.
//
// Every property is read and written with the same default: writing a value
// equal to its default removes the key, so only changed values are stored,
// and reading a missing key gives the default back.
#pragma once

#include <QMap>
#include <QString>
#include <QStringList>
#include <QVariant>

class PropertyBag {
  public:
    QVariant ReadProperty(const QString& name, const QVariant& defaultValue = {}) const;
    void WriteProperty(const QString& name, const QVariant& value, const QVariant& defaultValue = {});

    template <typename T>
    T Read(const QString& name, const T& defaultValue) const {
        return ReadProperty(name, QVariant::fromValue(defaultValue)).template value<T>();
    }
    template <typename T>
    void Write(const QString& name, const T& value, const T& defaultValue) {
        WriteProperty(name, QVariant::fromValue(value), QVariant::fromValue(defaultValue));
    }

    bool Contains(const QString& name) const { return m_values.contains(name); }
    QStringList Keys() const { return m_values.keys(); }
    int Count() const { return static_cast<int>(m_values.size()); }
    void Clear() { m_values.clear(); }

  private:
    QMap<QString, QVariant> m_values;
};
