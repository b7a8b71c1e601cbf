// A small GIF writer: one frame, a global colour table of up to 256 colours,
// no transparency.
//
// The image data is LZW-coded with literal codes only and a clear code often
// enough that the code width stays at 9 bits.  That gives files a little
// larger than the pixels themselves, but every GIF reader decodes them, and
// the writer stays short enough to check by eye.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

#include <optional>

namespace gif_writer {

// The GIF bytes of `image` (alpha ignored), or nullopt when it has more than
// 256 distinct colours or is empty.
std::optional<QByteArray> Encode(const QImage& image);

// Encodes and writes the file; false on too many colours or a write error.
bool Save(const QImage& image, const QString& path);

}  // namespace gif_writer
