// Where the Qt host meets gdi: conversions between gdi's platform-free types
// and Qt's, and the Qt surfaces behind gdi's handles for the host's own use.
#pragma once

#include "controls/suite/gdi.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <QRect>
#include <QRegion>
#include <QString>

class QWidget;

namespace gdi::qt {

inline HWND Window(QWidget* widget) { return reinterpret_cast<HWND>(widget); }
inline QWidget* Widget(HWND window) { return reinterpret_cast<QWidget*>(window); }

inline std::u16string Text(const QString& text) { return text.toStdU16String(); }
inline QString ToQString(const std::u16string& text) { return QString::fromStdU16String(text); }

inline RECT ToRECT(const QRect& r) { return RECT{r.left(), r.top(), r.left() + r.width(), r.top() + r.height()}; }
inline QRect ToQRect(const RECT& r) { return QRect(r.Left, r.Top, r.Right - r.Left, r.Bottom - r.Top); }

inline QColor ToQColor(COLORREF c) { return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF); }

Image FromQImage(const QImage& image);
QImage ToQImage(const Image& image);

Font FontOf(const QFont& font);
QFont ToQFont(const Font& font);

// The image a memory DC draws into (nullptr for a window DC or stale handle).
QImage* DcImage(HDC dc);
const QRegion* RegionOf(HRGN region);

}  // namespace gdi::qt
