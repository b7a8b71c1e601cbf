#include "skins/generator/dialog_artwork.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <algorithm>
#include <cmath>

namespace dialog_artwork {

namespace {

// ---- palette ------------------------------------------------------------------
const QColor kPanel(233, 237, 243);  // panel face, also the matte of soft edges
const QColor kBorder(122, 138, 160);
const QColor kBorderDark(74, 92, 120);
const QColor kAquaTop(148, 196, 246);
const QColor kAquaBottom(40, 118, 214);
const QColor kAquaBorder(30, 84, 160);
const QColor kInk(44, 52, 66);
const QColor kDisabled(176, 184, 196);

struct Look {
    QColor top, bottom, border, ink;
};

// The four states most strips show: normal, hover, pressed, disabled.
const Look kLooks[4] = {
    {QColor(255, 255, 255), QColor(214, 222, 234), kBorder, kInk},
    {QColor(236, 246, 255), QColor(176, 210, 246), QColor(72, 128, 200), QColor(24, 80, 160)},
    {QColor(176, 200, 230), QColor(132, 164, 206), kBorderDark, QColor(20, 30, 50)},
    {QColor(242, 244, 247), QColor(230, 233, 238), kDisabled, kDisabled},
};

// Flattens a painted canvas: transparent pixels become the mask colour
// (black), soft edges are blended onto the panel face, and a visible pixel
// that would come out pure black is lifted by one step.
QImage Flatten(const QImage& canvas) {
    QImage out(canvas.size(), QImage::Format_RGB32);
    for (int y = 0; y < canvas.height(); ++y) {
        for (int x = 0; x < canvas.width(); ++x) {
            const QColor c = canvas.pixelColor(x, y);
            const double a = c.alphaF();
            if (a < 0.35) {
                out.setPixel(x, y, qRgb(0, 0, 0));
                continue;
            }
            auto mix = [a](int fg, int bg) { return static_cast<int>(std::lround(fg * a + bg * (1.0 - a))); };
            int r = mix(c.red(), kPanel.red()), g = mix(c.green(), kPanel.green()), b = mix(c.blue(), kPanel.blue());
            if (r == 0 && g == 0 && b == 0) r = g = b = 1;
            out.setPixel(x, y, qRgb(r, g, b));
        }
    }
    return out;
}

QImage Canvas(int w, int h) {
    QImage img(w, h, QImage::Format_ARGB32);
    img.fill(Qt::transparent);
    return img;
}

QLinearGradient Vertical(const QRectF& r, const QColor& top, const QColor& bottom) {
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, top);
    g.setColorAt(1, bottom);
    return g;
}

// A vertical strip of `frames` frames; paintFrame(painter, frame rect, k).
template <typename Fn>
QImage Strip(int w, int h, int frames, Fn&& paintFrame) {
    QImage canvas = Canvas(w, h * frames);
    QPainter p(&canvas);
    p.setRenderHint(QPainter::Antialiasing);
    for (int k = 0; k < frames; ++k) {
        p.save();
        paintFrame(p, QRectF(0, k * h, w, h), k);
        p.restore();
    }
    p.end();
    return Flatten(canvas);
}

// A single antialiased picture: paint(painter) over the whole canvas.
template <typename Fn>
QImage Picture(int w, int h, Fn&& paint) {
    return Strip(w, h, 1, [&paint](QPainter& p, QRectF, int) { paint(p); });
}

// ---- command buttons -------------------------------------------------------------
// Frames: 0 normal, 1 hover, 2 focused or default, 3 disabled, 4 toggled,
// 5 toggled and hovered, 6 pressed, 7 disabled and toggled.
QImage PaintMacButtons() {
    return Strip(48, 24, kButtonFrames, [](QPainter& p, QRectF r, int k) {
        struct B {
            QColor top, bottom, border;
            bool gloss;
        };
        const B looks[8] = {
            {QColor(255, 255, 255), QColor(218, 225, 236), kBorder, true},
            {QColor(240, 248, 255), QColor(190, 218, 248), QColor(82, 136, 206), true},
            {kAquaTop, kAquaBottom, kAquaBorder, true},
            {QColor(246, 247, 249), QColor(232, 235, 240), kDisabled, false},
            {QColor(120, 170, 228), QColor(36, 100, 190), kAquaBorder, false},
            {QColor(150, 196, 246), QColor(56, 124, 214), kAquaBorder, false},
            {QColor(96, 150, 214), QColor(28, 86, 170), QColor(20, 60, 120), false},
            {QColor(214, 222, 234), QColor(196, 206, 222), kDisabled, false},
        };
        const B& b = looks[k];
        const QRectF body = r.adjusted(0.5, 0.5, -0.5, -1.5);
        // soft shadow under the capsule
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(40, 60, 90, k == 3 || k == 7 ? 20 : 60));
        p.drawRoundedRect(body.translated(0, 1), 11, 11);
        p.setBrush(Vertical(body, b.top, b.bottom));
        p.setPen(QPen(b.border, 1));
        p.drawRoundedRect(body, 11, 11);
        if (b.gloss) {
            const QRectF shine = body.adjusted(4, 1.5, -4, -body.height() / 2);
            p.setPen(Qt::NoPen);
            p.setBrush(Vertical(shine, QColor(255, 255, 255, 200), QColor(255, 255, 255, 40)));
            p.drawRoundedRect(shine, 6, 6);
        }
    });
}

// ---- check box and option button glyphs --------------------------------------------
// Frames 0-3: off (normal, hover, pressed, disabled); 4-7 on; 8-11 repeat 0-3.
const Look& GlyphLook(int k) { return kLooks[k % 4]; }
bool GlyphOn(int k) { return k >= 4 && k < 8; }

QImage PaintCheck() {
    return Strip(13, 13, kGlyphFrames, [](QPainter& p, QRectF r, int k) {
        const Look& l = GlyphLook(k);
        const QRectF box = r.adjusted(0.5, 0.5, -0.5, -0.5);
        p.setPen(QPen(l.border, 1));
        p.setBrush(Vertical(box, l.top, l.bottom));
        p.drawRoundedRect(box, 2.5, 2.5);
        if (GlyphOn(k)) {
            QPainterPath tick;
            tick.moveTo(r.left() + 3, r.top() + 6.5);
            tick.lineTo(r.left() + 5.5, r.top() + 9.5);
            tick.lineTo(r.left() + 10, r.top() + 3);
            p.setPen(QPen(k == 7 ? kDisabled : kAquaBorder, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
            p.setBrush(Qt::NoBrush);
            p.drawPath(tick);
        }
    });
}

QImage PaintOption() {
    return Strip(13, 13, kGlyphFrames, [](QPainter& p, QRectF r, int k) {
        const Look& l = GlyphLook(k);
        const QRectF disc = r.adjusted(0.5, 0.5, -0.5, -0.5);
        p.setPen(QPen(l.border, 1));
        p.setBrush(Vertical(disc, l.top, l.bottom));
        p.drawEllipse(disc);
        if (GlyphOn(k)) {
            const QRectF dot = r.adjusted(3.5, 3.5, -3.5, -3.5);
            QRadialGradient g(dot.center() - QPointF(1, 1), 4);
            g.setColorAt(0, k == 7 ? kDisabled.lighter(110) : kAquaTop);
            g.setColorAt(1, k == 7 ? kDisabled : kAquaBottom);
            p.setPen(Qt::NoPen);
            p.setBrush(g);
            p.drawEllipse(dot);
        }
    });
}

// ---- folder box frame ------------------------------------------------------------------
QImage PaintTextBorder() {
    return Strip(20, 20, kTextBorderFrames, [](QPainter& p, QRectF r, int k) {
        const QColor border[4] = {kBorder, QColor(82, 136, 206), QColor(40, 110, 210), kDisabled};
        const QRectF box = r.adjusted(0.5, 0.5, -0.5, -0.5);
        p.setBrush(k == 3 ? QColor(244, 245, 247) : QColor(255, 255, 255));
        p.setPen(QPen(border[k], k == 2 ? 2 : 1));
        p.drawRoundedRect(k == 2 ? box.adjusted(0.5, 0.5, -0.5, -0.5) : box, 4, 4);
        p.setPen(QPen(QColor(0, 0, 0, 25), 1));
        p.drawLine(QPointF(r.left() + 3, r.top() + 1.5), QPointF(r.right() - 3, r.top() + 1.5));
    });
}

// ---- scroll bar pieces -------------------------------------------------------------------
// Arrow buttons and glyphs: four directions (up, down, left, right) of four
// states (normal, hover, pressed, disabled) each.
QImage PaintScrollButtons() {
    return Strip(17, 17, 16, [](QPainter& p, QRectF r, int k) {
        const Look& l = kLooks[k % 4];
        const QRectF b = r.adjusted(1.5, 1.5, -1.5, -1.5);
        p.setPen(QPen(l.border, 1));
        p.setBrush(Vertical(b, l.top, l.bottom));
        p.drawRoundedRect(b, 3, 3);
    });
}

QImage PaintScrollGlyph() {
    return Strip(9, 9, 16, [](QPainter& p, QRectF r, int k) {
        const Look& l = kLooks[k % 4];
        const QPointF c = r.center();
        QPolygonF tri;
        switch (k / 4) {
            case 0:
                tri << QPointF(c.x(), c.y() - 2.5) << QPointF(c.x() + 3.5, c.y() + 2)
                    << QPointF(c.x() - 3.5, c.y() + 2);
                break;
            case 1:
                tri << QPointF(c.x(), c.y() + 2.5) << QPointF(c.x() + 3.5, c.y() - 2)
                    << QPointF(c.x() - 3.5, c.y() - 2);
                break;
            case 2:
                tri << QPointF(c.x() - 2.5, c.y()) << QPointF(c.x() + 2, c.y() - 3.5)
                    << QPointF(c.x() + 2, c.y() + 3.5);
                break;
            default:
                tri << QPointF(c.x() + 2.5, c.y()) << QPointF(c.x() - 2, c.y() - 3.5)
                    << QPointF(c.x() - 2, c.y() + 3.5);
                break;
        }
        p.setPen(Qt::NoPen);
        p.setBrush(l.ink);
        p.drawPolygon(tri);
    });
}

QImage PaintScrollShaft() {
    return Strip(17, 17, 4, [](QPainter& p, QRectF r, int k) {
        const QColor face[4] = {QColor(222, 228, 237), QColor(212, 222, 236), QColor(196, 210, 230),
                                QColor(236, 238, 242)};
        p.fillRect(r, face[k]);
        p.setPen(QPen(QColor(186, 196, 212), 1));
        p.drawLine(QPointF(r.left() + 0.5, r.top()), QPointF(r.left() + 0.5, r.bottom()));
        p.setPen(QPen(QColor(250, 251, 253), 1));
        p.drawLine(QPointF(r.right() - 0.5, r.top()), QPointF(r.right() - 0.5, r.bottom()));
    });
}

QImage PaintScrollThumb() {
    return Strip(17, 22, 4, [](QPainter& p, QRectF r, int k) {
        const Look looks[4] = {
            {QColor(178, 206, 240), QColor(98, 150, 218), kAquaBorder, kInk},
            {QColor(196, 222, 250), QColor(118, 170, 236), kAquaBorder, kInk},
            {QColor(120, 166, 222), QColor(56, 110, 190), QColor(20, 60, 120), kInk},
            {QColor(226, 230, 236), QColor(206, 212, 222), kDisabled, kDisabled},
        };
        const Look& l = looks[k];
        QLinearGradient g(r.topLeft(), r.topRight());
        g.setColorAt(0, l.top);
        g.setColorAt(1, l.bottom);
        const QRectF b = r.adjusted(2.5, 1.5, -2.5, -1.5);
        p.setPen(QPen(l.border, 1));
        p.setBrush(g);
        p.drawRoundedRect(b, 5.5, 5.5);
    });
}

QImage PaintScrollThumbGlyph() {
    return Strip(8, 8, 4, [](QPainter& p, QRectF r, int k) {
        const QColor ink[4] = {QColor(236, 244, 255), QColor(255, 255, 255), QColor(210, 226, 246),
                               QColor(240, 242, 246)};
        p.setPen(QPen(ink[k], 1));
        for (int i = 0; i < 3; ++i) {
            const double y = r.top() + 1.5 + i * 2.5;
            p.drawLine(QPointF(r.left() + 1, y), QPointF(r.right() - 1, y));
        }
    });
}

// ---- panel frame, tab strip and title ---------------------------------------------------
constexpr int kStripWidth = 730;

QImage PaintTabTitle() {
    QImage canvas = Canvas(kStripWidth, 26);
    QPainter p(&canvas);
    QLinearGradient g(0, 0, 0, 26);
    g.setColorAt(0, QColor(92, 132, 188));
    g.setColorAt(0.5, QColor(58, 98, 160));
    g.setColorAt(1, QColor(44, 80, 138));
    p.fillRect(canvas.rect(), g);
    p.setPen(QColor(150, 186, 230));
    p.drawLine(0, 0, kStripWidth, 0);
    p.setPen(QColor(30, 56, 100));
    p.drawLine(0, 25, kStripWidth, 25);
    p.end();
    return Flatten(canvas);
}

QImage PaintTabHeaderBG() {
    QImage canvas = Canvas(kStripWidth, 26);
    QPainter p(&canvas);
    p.fillRect(canvas.rect(), Vertical(canvas.rect(), QColor(214, 222, 234), QColor(196, 206, 222)));
    p.setPen(kBorder);
    p.drawLine(0, 25, kStripWidth, 25);
    p.end();
    return Flatten(canvas);
}

// Frame 0: the selected tab, frame 1: a tab behind it.
QImage PaintTabBG() {
    return Strip(155, 26, kTabFrames, [](QPainter& p, QRectF r, int k) {
        QPainterPath tab;
        const QRectF t = r.adjusted(1.5, k == 0 ? 1.5 : 4.5, -1.5, 2);
        tab.addRoundedRect(t, 6, 6);
        p.setClipRect(r);
        p.setPen(QPen(k == 0 ? kBorderDark : kBorder, 1));
        p.setBrush(k == 0 ? Vertical(t, QColor(255, 255, 255), QColor(120, 160, 212))
                          : Vertical(t, QColor(236, 240, 246), QColor(206, 214, 228)));
        p.drawPath(tab);
    });
}

// The panel frame: a rounded border whose inside is left out.
QImage PaintTransBG() {
    return Picture(24, 24, [](QPainter& p) {
        p.setPen(QPen(kBorderDark, 1.2));
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(QRectF(0.5, 0.5, 23, 23), 6, 6);
        p.setPen(QPen(QColor(255, 255, 255, 200), 1));
        p.drawRoundedRect(QRectF(1.5, 1.5, 21, 21), 5, 5);
    });
}

// The conversion symbol shown beside the panel title: two turning arrows.
QImage PaintTabHeaderConv() {
    return Picture(18, 18, [](QPainter& p) {
        const QRectF ring(3, 3, 12, 12);
        p.setPen(QPen(QColor(255, 255, 255), 2.2, Qt::SolidLine, Qt::RoundCap));
        p.drawArc(ring, 30 * 16, 140 * 16);
        p.drawArc(ring, 210 * 16, 140 * 16);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 214, 90));
        p.drawPolygon(QPolygonF{QPointF(1, 8), QPointF(6, 8), QPointF(3.5, 11.5)});
        p.drawPolygon(QPolygonF{QPointF(17, 10), QPointF(12, 10), QPointF(14.5, 6.5)});
    });
}

// Background of the folder and log group: a white card with a soft border.
QImage PaintPanelsBG() {
    return Picture(32, 32, [](QPainter& p) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(40, 60, 90, 40));
        p.drawRoundedRect(QRectF(1, 2, 31, 30), 8, 8);
        p.setPen(QPen(kBorder, 1));
        p.setBrush(Vertical(QRectF(0, 0, 32, 32), QColor(252, 253, 255), QColor(240, 244, 250)));
        p.drawRoundedRect(QRectF(0.5, 0.5, 30.5, 30), 7, 7);
    });
}

QImage PaintLogo() {
    return Picture(56, 56, [](QPainter& p) {
        const QRectF badge(2, 2, 52, 52);
        QRadialGradient g(QPointF(20, 16), 48);
        g.setColorAt(0, QColor(160, 208, 255));
        g.setColorAt(0.6, QColor(44, 118, 212));
        g.setColorAt(1, QColor(20, 60, 128));
        p.setPen(QPen(QColor(16, 46, 100), 1.5));
        p.setBrush(g);
        p.drawRoundedRect(badge, 13, 13);
        // a stylised N made of three bars
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 255, 255));
        p.drawRoundedRect(QRectF(14, 14, 6, 28), 2, 2);
        p.drawRoundedRect(QRectF(36, 14, 6, 28), 2, 2);
        QPolygonF diagonal{QPointF(14, 14), QPointF(21, 14), QPointF(42, 42), QPointF(35, 42)};
        p.drawPolygon(diagonal);
        // gloss
        p.setBrush(Vertical(QRectF(6, 4, 44, 22), QColor(255, 255, 255, 120), QColor(255, 255, 255, 0)));
        p.drawRoundedRect(QRectF(6, 4, 44, 22), 10, 10);
    });
}

// Background of the option panels: a soft vertical wash with faint pinstripes,
// tiled; few enough colours for a GIF.
QImage PaintPanelBackground() {
    QImage img(64, 64, QImage::Format_RGB32);
    for (int y = 0; y < 64; ++y) {
        const double t = y / 63.0;
        const QColor base(static_cast<int>(244 - 8 * t), static_cast<int>(246 - 7 * t), static_cast<int>(250 - 5 * t));
        for (int x = 0; x < 64; ++x) {
            const bool stripe = ((x + y) % 8) == 0;
            img.setPixelColor(x, y, stripe ? base.darker(102) : base);
        }
    }
    return img;
}

}  // namespace

const std::vector<SkinPicture>& Pictures() {
    static const std::vector<SkinPicture> pictures = {
        {"TAB_Title.bmp", FileFormat::Bmp, PaintTabTitle, "title bar of the option panel"},
        {"TAB_HeaderBG.bmp", FileFormat::Bmp, PaintTabHeaderBG, "background of the tab strip"},
        {"TransBG.bmp", FileFormat::Bmp, PaintTransBG, "border of the panel frame"},
        {"TAB_BG.bmp", FileFormat::Bmp, PaintTabBG, "the two tab shapes"},
        {"TAB_Header_Conv.bmp", FileFormat::Bmp, PaintTabHeaderConv, "symbol beside the panel title"},
        {"CVPanelsBGT.bmp", FileFormat::Bmp, PaintPanelsBG, "background of the folder and log group"},
        {"CVLogo3.bmp", FileFormat::Bmp, PaintLogo, "the logo"},
        {"TextBorder.bmp", FileFormat::Bmp, PaintTextBorder, "frame of the folder box"},
        {"Check.bmp", FileFormat::Bmp, PaintCheck, "check box glyphs"},
        {"Option.bmp", FileFormat::Bmp, PaintOption, "option button glyphs"},
        {"TB_BG.gif", FileFormat::Gif, PaintPanelBackground, "background of the option panels"},
        {"MacButtons.bmp", FileFormat::Bmp, PaintMacButtons, "command buttons"},
        {"Scroll_Buttons.bmp", FileFormat::Bmp, PaintScrollButtons, "scroll bar arrow buttons"},
        {"Scroll_Glyph.bmp", FileFormat::Bmp, PaintScrollGlyph, "scroll bar arrows"},
        {"Scroll_Shaft.bmp", FileFormat::Bmp, PaintScrollShaft, "scroll bar track"},
        {"Scroll_Thumb.bmp", FileFormat::Bmp, PaintScrollThumb, "scroll bar thumb"},
        {"Scroll_ThumbGlyph.bmp", FileFormat::Bmp, PaintScrollThumbGlyph, "grip of the thumb"},
    };
    return pictures;
}

}  // namespace dialog_artwork
