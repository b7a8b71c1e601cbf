#include "controls/suite/tavGFX40.h"

#include <QPainter>
#include <QWidget>

#include <algorithm>
#include <array>
#include <vector>

namespace tavGFX40 {
namespace {

// The classic system colours, by index.  One fixed table keeps pictures the
// same on every desktop and in every test run.
constexpr std::array<COLORREF, 31> kSystemColours = {
    gdi::RGB(212, 208, 200),  //  0 scroll bar
    gdi::RGB(58, 110, 165),   //  1 desktop
    gdi::RGB(10, 36, 106),    //  2 active caption
    gdi::RGB(128, 128, 128),  //  3 inactive caption
    gdi::RGB(212, 208, 200),  //  4 menu
    gdi::RGB(255, 255, 255),  //  5 window
    gdi::RGB(0, 0, 0),        //  6 window frame
    gdi::RGB(0, 0, 0),        //  7 menu text
    gdi::RGB(0, 0, 0),        //  8 window text
    gdi::RGB(255, 255, 255),  //  9 caption text
    gdi::RGB(212, 208, 200),  // 10 active border
    gdi::RGB(212, 208, 200),  // 11 inactive border
    gdi::RGB(128, 128, 128),  // 12 application workspace
    gdi::RGB(10, 36, 106),    // 13 highlight
    gdi::RGB(255, 255, 255),  // 14 highlight text
    gdi::RGB(212, 208, 200),  // 15 button face
    gdi::RGB(128, 128, 128),  // 16 button shadow
    gdi::RGB(128, 128, 128),  // 17 grey text
    gdi::RGB(0, 0, 0),        // 18 button text
    gdi::RGB(212, 208, 200),  // 19 inactive caption text
    gdi::RGB(255, 255, 255),  // 20 button highlight
    gdi::RGB(64, 64, 64),     // 21 3D dark shadow
    gdi::RGB(212, 208, 200),  // 22 3D light
    gdi::RGB(0, 0, 0),        // 23 tooltip text
    gdi::RGB(255, 255, 225),  // 24 tooltip background
    gdi::RGB(181, 181, 181),  // 25 (unused)
    gdi::RGB(0, 0, 128),      // 26 hot-tracked item
    gdi::RGB(166, 202, 240),  // 27 active caption gradient
    gdi::RGB(192, 192, 192),  // 28 inactive caption gradient
    gdi::RGB(49, 106, 197),   // 29 menu highlight
    gdi::RGB(236, 233, 216),  // 30 menu bar
};

// Draws `piece` into `target`, stretched or tiled.
void fill(QPainter& p, const QImage& piece, const QRect& target, bool tile) {
    if (piece.isNull() || target.isEmpty()) return;
    if (!tile) {
        p.drawImage(target, piece);
        return;
    }
    p.save();
    p.setClipRect(target, Qt::IntersectClip);
    for (int y = target.top(); y <= target.bottom(); y += piece.height()) {
        for (int x = target.left(); x <= target.right(); x += piece.width()) p.drawImage(x, y, piece);
    }
    p.restore();
}

}  // namespace

COLORREF gfxTranslateColor(OLE_COLOR colour, std::uint32_t) {
    if (colour & 0x80000000u) {
        const std::uint32_t index = colour & 0x00FFFFFFu;
        return index < kSystemColours.size() ? kSystemColours[index] : 0;
    }
    return colour & 0x00FFFFFFu;
}

QImage MaskedImage(const QImage& source, COLORREF maskColour) {
    QImage img = source.convertToFormat(QImage::Format_ARGB32);
    if (maskColour > 0x00FFFFFFu) return img;  // "no mask colour" (-1 and the like)
    const QRgb mask = gdi::ToQColor(maskColour).rgb();
    for (int y = 0; y < img.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < img.width(); ++x) {
            if ((line[x] | 0xFF000000u) == mask && qAlpha(line[x]) == 255) line[x] = 0;
        }
    }
    return img;
}

bool gfxDrawSkin(HDC dst, HDC src, int frame, const RECT& m, int left, int top, int right, int bottom, int frameHeight,
                 int frameWidth, COLORREF maskColour, bool rgn1LeftTile, bool rgn2TopTile, bool rgn3RightTile,
                 bool rgn4BottomTile, std::int16_t rgn5Centre) {
    const QImage* strip = gdi::DcImage(src);
    if (strip == nullptr || frameHeight <= 0 || frameWidth <= 0 || frame < 0) return false;
    if (right <= left || bottom <= top) return false;
    const QRect frameRect(0, frame * frameHeight, std::min(frameWidth, strip->width()), frameHeight);
    if (!strip->rect().contains(frameRect)) return false;
    const QImage img = MaskedImage(strip->copy(frameRect), maskColour);

    const int fw = img.width(), fh = img.height();
    // Margins larger than the frame would make negative middles: clamp them.
    const int ml = std::clamp(m.Left, 0, fw), mr = std::clamp(m.Right, 0, fw - ml);
    const int mt = std::clamp(m.Top, 0, fh), mb = std::clamp(m.Bottom, 0, fh - mt);
    const int w = right - left, h = bottom - top;
    const int sx[3] = {0, ml, fw - mr}, sw[3] = {ml, fw - ml - mr, mr};
    const int sy[3] = {0, mt, fh - mb}, sh[3] = {mt, fh - mt - mb, mb};
    const int dx[3] = {left, left + ml, right - mr}, dw[3] = {ml, w - ml - mr, mr};
    const int dy[3] = {top, top + mt, bottom - mb}, dh[3] = {mt, h - mt - mb, mb};

    return gdi::WithPainter(dst, [&](QPainter& p) {
        p.setRenderHint(QPainter::SmoothPixmapTransform, false);
        for (int row = 0; row < 3; ++row) {
            for (int col = 0; col < 3; ++col) {
                if (sw[col] <= 0 || sh[row] <= 0 || dw[col] <= 0 || dh[row] <= 0) continue;
                bool tile = false;
                if (row == 1 && col == 1) {
                    if (rgn5Centre == CentreNone) continue;
                    tile = rgn5Centre == CentreTile;
                } else if (row == 1) {
                    tile = col == 0 ? rgn1LeftTile : rgn3RightTile;
                } else if (col == 1) {
                    tile = row == 0 ? rgn2TopTile : rgn4BottomTile;
                }
                const QImage piece = img.copy(sx[col], sy[row], sw[col], sh[row]);
                fill(p, piece, QRect(dx[col], dy[row], dw[col], dh[row]), tile);
            }
        }
    });
}

bool gfxDrawTransparentDC(HDC dst, HDC src, int x, int y, int width, int height, int, int, int srcX, int srcY,
                          int srcWidth, int srcHeight, COLORREF maskColour) {
    const QImage* source = gdi::DcImage(src);
    if (source == nullptr || width <= 0 || height <= 0 || srcWidth <= 0 || srcHeight <= 0) return false;
    const QImage part = MaskedImage(source->copy(srcX, srcY, srcWidth, srcHeight), maskColour);
    return gdi::WithPainter(dst, [&](QPainter& p) {
        p.setRenderHint(QPainter::SmoothPixmapTransform, false);
        p.drawImage(QRect(x, y, width, height), part);
    });
}

bool gfxDrawTransparentBitmap(HDC dst, const QImage& picture, int x, int y, COLORREF maskColour) {
    if (picture.isNull()) return false;
    const QImage img = MaskedImage(picture, maskColour);
    return gdi::WithPainter(dst, [&](QPainter& p) { p.drawImage(x, y, img); });
}

bool gfxDrawDisabledPicture(HDC dst, const QImage& picture, PictureKind kind, int x, int y, COLORREF maskColour) {
    if (picture.isNull()) return false;
    const QImage src = picture.convertToFormat(QImage::Format_ARGB32);
    const QImage masked = kind == PictureKind::Bitmap ? MaskedImage(src, maskColour) : src;
    auto shape = [&](QColor colour) {
        QImage out(src.size(), QImage::Format_ARGB32);
        out.fill(Qt::transparent);
        for (int yy = 0; yy < src.height(); ++yy) {
            for (int xx = 0; xx < src.width(); ++xx) {
                const QRgb px = masked.pixel(xx, yy);
                const bool inside = kind == PictureKind::Icon ? qAlpha(px) > 127 : qAlpha(px) > 0 && qGray(px) < 192;
                if (inside) out.setPixelColor(xx, yy, colour);
            }
        }
        return out;
    };
    const QImage light = shape(gdi::ToQColor(gfxTranslateColor(SystemColor(COLOR_BTNHIGHLIGHT))));
    const QImage dark = shape(gdi::ToQColor(gfxTranslateColor(SystemColor(COLOR_BTNSHADOW))));
    return gdi::WithPainter(dst, [&](QPainter& p) {
        p.drawImage(x + 1, y + 1, light);
        p.drawImage(x, y, dark);
    });
}

bool gfxDrawRect(HDC dc, const RECT& r, OLE_COLOR colour, int) {
    const QColor c = gdi::ToQColor(gfxTranslateColor(colour));
    return gdi::WithPainter(
        dc, [&](QPainter& p) { p.fillRect(QRect(r.Left, r.Top, r.Right - r.Left, r.Bottom - r.Top), c); });
}

bool gfxDrawRect2(HDC dc, int left, int top, int right, int bottom, OLE_COLOR colour) {
    if (right <= left || bottom <= top) return false;
    const QColor c = gdi::ToQColor(gfxTranslateColor(colour));
    return gdi::WithPainter(dc, [&](QPainter& p) {
        p.fillRect(QRect(left, top, right - left, 1), c);
        p.fillRect(QRect(left, bottom - 1, right - left, 1), c);
        p.fillRect(QRect(left, top, 1, bottom - top), c);
        p.fillRect(QRect(right - 1, top, 1, bottom - top), c);
    });
}

bool gfxDrawLine(HDC dc, int x1, int y1, int x2, int y2, OLE_COLOR colour) {
    const QColor c = gdi::ToQColor(gfxTranslateColor(colour));
    return gdi::WithPainter(dc, [&](QPainter& p) {
        if (x1 == x2 && y1 == y2) return;
        if (y1 == y2) {
            p.fillRect(QRect(std::min(x1, x2 + 1), y1, std::abs(x2 - x1), 1), c);
        } else if (x1 == x2) {
            p.fillRect(QRect(x1, std::min(y1, y2 + 1), 1, std::abs(y2 - y1)), c);
        } else {
            p.setPen(c);
            p.drawLine(x1, y1, x2, y2);
        }
    });
}

bool gfxGetTransBG(HDC dc, HWND window) {
    if (gdi::DcImage(dc) == nullptr || window == nullptr || window->parentWidget() == nullptr) return false;
    // Rendering an ancestor must not draw this window again: only each
    // ancestor's own background and painting are taken (no children), from
    // the top-level window down to the parent, so a parent that paints
    // nothing itself shows what its own parent paints.
    static bool busy = false;
    if (busy) return false;
    busy = true;
    QImage behind(window->size(), QImage::Format_ARGB32);
    behind.fill(Qt::transparent);
    std::vector<QWidget*> ancestors;
    for (QWidget* w = window->parentWidget(); w != nullptr; w = w->isWindow() ? nullptr : w->parentWidget())
        ancestors.push_back(w);
    for (auto it = ancestors.rbegin(); it != ancestors.rend(); ++it) {
        // A widget's palette fills it only when it is a window or fills its
        // own background; otherwise what its ancestors painted stays.
        QWidget* ancestor = *it;
        const bool fills = ancestor->isWindow() || ancestor->autoFillBackground();
        const QRect area(window->mapTo(ancestor, QPoint(0, 0)), window->size());
        ancestor->render(&behind, QPoint(), QRegion(area),
                         fills ? QWidget::DrawWindowBackground : QWidget::RenderFlags());
    }
    busy = false;
    // Rendering may have replaced the surface behind the handle; look it up again.
    QImage* target = gdi::DcImage(dc);
    if (target == nullptr || target->isNull()) return false;
    QPainter p(target);
    p.drawImage(0, 0, behind);
    return true;
}

}  // namespace tavGFX40
