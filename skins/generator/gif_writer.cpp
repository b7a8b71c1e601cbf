#include "skins/generator/gif_writer.h"

#include <QFile>
#include <QHash>

#include <vector>

namespace gif_writer {

namespace {

constexpr int kMinCodeSize = 8;  // 8-bit pixel indices
constexpr int kClearCode = 1 << kMinCodeSize;
constexpr int kEndCode = kClearCode + 1;
constexpr int kCodeWidth = kMinCodeSize + 1;
// Each literal after the first adds a table entry in the reader; clearing
// after this many keeps the next entry below 512, so the width never grows.
constexpr int kLiteralsPerClear = 250;

void PutWord(QByteArray& out, int v) {
    out.append(static_cast<char>(v & 0xFF));
    out.append(static_cast<char>((v >> 8) & 0xFF));
}

// Packs codes least significant bit first into 255-byte sub-blocks.
class CodeStream {
  public:
    void put(int code) {
        m_bits |= static_cast<quint32>(code) << m_count;
        m_count += kCodeWidth;
        while (m_count >= 8) {
            m_bytes.push_back(static_cast<char>(m_bits & 0xFF));
            m_bits >>= 8;
            m_count -= 8;
        }
    }
    void flushInto(QByteArray& out) {
        if (m_count > 0) m_bytes.push_back(static_cast<char>(m_bits & 0xFF));
        m_bits = 0;
        m_count = 0;
        for (std::size_t i = 0; i < m_bytes.size(); i += 255) {
            const std::size_t n = std::min<std::size_t>(255, m_bytes.size() - i);
            out.append(static_cast<char>(n));
            out.append(m_bytes.data() + i, static_cast<qsizetype>(n));
        }
        out.append('\0');  // block terminator
    }

  private:
    std::vector<char> m_bytes;
    quint32 m_bits = 0;
    int m_count = 0;
};

}  // namespace

std::optional<QByteArray> Encode(const QImage& source) {
    if (source.isNull()) return std::nullopt;
    const QImage image = source.convertToFormat(QImage::Format_RGB32);
    const int w = image.width(), h = image.height();

    QHash<QRgb, int> indexOf;
    std::vector<QRgb> palette;
    std::vector<quint8> pixels;
    pixels.reserve(static_cast<std::size_t>(w) * h);
    for (int y = 0; y < h; ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < w; ++x) {
            const QRgb c = line[x] & 0xFFFFFF;
            auto it = indexOf.constFind(c);
            if (it == indexOf.constEnd()) {
                if (palette.size() == 256) return std::nullopt;
                it = indexOf.insert(c, static_cast<int>(palette.size()));
                palette.push_back(c);
            }
            pixels.push_back(static_cast<quint8>(*it));
        }
    }

    QByteArray out("GIF89a");
    PutWord(out, w);
    PutWord(out, h);
    out.append(static_cast<char>(0xF7));  // global table, 8 bits of colour resolution, 256 entries
    out.append('\0');                     // background colour index
    out.append('\0');                     // no aspect ratio
    for (int i = 0; i < 256; ++i) {
        const QRgb c = i < static_cast<int>(palette.size()) ? palette[static_cast<std::size_t>(i)] : 0;
        out.append(static_cast<char>(qRed(c)));
        out.append(static_cast<char>(qGreen(c)));
        out.append(static_cast<char>(qBlue(c)));
    }

    out.append(',');  // image descriptor
    PutWord(out, 0);
    PutWord(out, 0);
    PutWord(out, w);
    PutWord(out, h);
    out.append('\0');  // no local table, not interlaced

    out.append(static_cast<char>(kMinCodeSize));
    CodeStream codes;
    int sinceClear = kLiteralsPerClear;
    for (const quint8 p : pixels) {
        if (sinceClear == kLiteralsPerClear) {
            codes.put(kClearCode);
            sinceClear = 0;
        }
        codes.put(p);
        ++sinceClear;
    }
    codes.put(kEndCode);
    codes.flushInto(out);

    out.append(';');  // trailer
    return out;
}

bool Save(const QImage& image, const QString& path) {
    const auto bytes = Encode(image);
    if (!bytes) return false;
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) return false;
    return file.write(*bytes) == bytes->size();
}

}  // namespace gif_writer
