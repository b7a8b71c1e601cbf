// A picture property value: nothing, a bitmap (drawn without its mask
// colour) or an icon (drawn with its own transparency).
#pragma once

#include <QImage>
#include <QMetaType>

struct StdPicture {
    enum class Type { None, Bitmap, Icon };
    Type type = Type::None;
    QImage image;

    static StdPicture Bitmap(const QImage& img) { return {img.isNull() ? Type::None : Type::Bitmap, img}; }
    static StdPicture Icon(const QImage& img) { return {img.isNull() ? Type::None : Type::Icon, img}; }
    bool IsEmpty() const { return type == Type::None || image.isNull(); }
    QSize Size() const { return IsEmpty() ? QSize() : image.size(); }
    friend bool operator==(const StdPicture& a, const StdPicture& b) { return a.type == b.type && a.image == b.image; }
};
Q_DECLARE_METATYPE(StdPicture)
