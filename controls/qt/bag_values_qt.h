// The Qt host's property types in the property bag: strings as UTF-16,
// fonts as gdi::Font, images as gdi::Image.
#pragma once

#include "controls/PropertyBag.h"
#include "controls/suite/qt/gdi_qt.h"

template <>
struct BagValue<QString> {
    static PropertyValue To(const QString& v) { return gdi::qt::Text(v); }
    static std::optional<QString> From(const PropertyValue& v) {
        if (const auto* s = std::get_if<std::u16string>(&v)) return gdi::qt::ToQString(*s);
        return std::nullopt;
    }
};

template <>
struct BagValue<QFont> {
    static PropertyValue To(const QFont& v) { return gdi::qt::FontOf(v); }
    static std::optional<QFont> From(const PropertyValue& v) {
        if (const auto* f = std::get_if<gdi::Font>(&v)) return gdi::qt::ToQFont(*f);
        return std::nullopt;
    }
};

template <>
struct BagValue<QImage> {
    static PropertyValue To(const QImage& v) { return gdi::qt::FromQImage(v); }
    static std::optional<QImage> From(const PropertyValue& v) {
        if (const auto* i = std::get_if<gdi::Image>(&v)) return i->IsNull() ? QImage() : gdi::qt::ToQImage(*i);
        return std::nullopt;
    }
};
