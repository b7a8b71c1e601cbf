#include "skins/generator/strip_artwork.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <array>
#include <functional>
#include <string>

namespace strip_artwork {
namespace {

// ---- palettes -------------------------------------------------------------

struct Palette {
    QColor border;  // outline of a rounded button
    QColor faceTop, faceBottom;
    QColor hoverRing;  // warm glow inside the outline while hovered
    QColor focusRing;  // cool ring for the focused / default button
    QColor pressedTop, pressedBottom;
    QColor toggledTop, toggledBottom;
    QColor flatHoverFace, flatHoverBorder;
    QColor flatPressedFace, flatToggledFace;
    QColor glyph;  // arrows, check marks
    QColor glyphAccent;
};

const std::array<Palette, tavResSrv40::kThemeCount> kPalettes = {{
    // blue
    {QColor(0, 60, 116), QColor(255, 255, 255), QColor(226, 223, 212), QColor(248, 179, 48), QColor(105, 145, 225),
     QColor(214, 208, 194), QColor(236, 234, 226), QColor(200, 214, 236), QColor(226, 234, 246), QColor(229, 241, 251),
     QColor(60, 127, 177), QColor(196, 222, 243), QColor(214, 230, 245), QColor(28, 42, 70), QColor(33, 97, 190)},
    // olive
    {QColor(55, 98, 6), QColor(255, 255, 248), QColor(226, 228, 206), QColor(232, 146, 40), QColor(143, 170, 84),
     QColor(210, 214, 186), QColor(234, 236, 220), QColor(206, 222, 170), QColor(232, 240, 210), QColor(236, 243, 222),
     QColor(98, 134, 40), QColor(214, 230, 180), QColor(224, 236, 200), QColor(40, 58, 16), QColor(86, 128, 24)},
    // silver
    {QColor(72, 76, 96), QColor(255, 255, 255), QColor(222, 222, 232), QColor(246, 186, 70), QColor(140, 146, 180),
     QColor(208, 208, 220), QColor(236, 236, 242), QColor(204, 206, 224), QColor(230, 231, 242), QColor(236, 237, 246),
     QColor(100, 104, 140), QColor(212, 214, 232), QColor(222, 223, 238), QColor(44, 46, 60), QColor(88, 94, 150)},
}};

const QColor kClassicFace(212, 208, 200);
const QColor kMask(255, 0, 255);

// The states a frame can show; each strip lists its frames in its own order.
enum class State { Normal, Hover, Pressed, Focused, Disabled, Toggled, ToggledHover, DisabledToggled };

// Frame orders of the button strips (frame index -> state).
constexpr std::array<State, 8> kStyle1Frames = {State::Normal,   State::Hover,          State::Focused,
                                                State::Disabled, State::Toggled,        State::ToggledHover,
                                                State::Pressed,  State::DisabledToggled};
constexpr std::array<State, 7> kFlatFrames = {State::Normal,  State::Hover,        State::Pressed, State::Disabled,
                                              State::Toggled, State::ToggledHover, State::Focused};

bool isPressedLook(State s) { return s == State::Pressed || s == State::Toggled || s == State::ToggledHover; }

// ---- flattening ----------------------------------------------------------------

// Opaque pixels stay, clear ones become the mask colour, the anti-aliased edge
// is blended with the classic face so that it never turns pink.
QRgb flatPixel(QRgb px) {
    const int a = qAlpha(px);
    if (a < 90) return kMask.rgb();
    auto mix = [a](int c, int bg) { return a >= 250 ? c : (c * a + bg * (255 - a)) / 255; };
    const QRgb result = qRgb(mix(qRed(px), kClassicFace.red()), mix(qGreen(px), kClassicFace.green()),
                             mix(qBlue(px), kClassicFace.blue()));
    return (result & 0xFFFFFF) == (kMask.rgb() & 0xFFFFFF) ? qRgb(254, 0, 255) : result;
}

QImage flatten(const QImage& canvas) {
    QImage out = canvas.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < out.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x) line[x] = flatPixel(line[x]);
    }
    return out;
}

// Paints every frame with `paintFrame(painter, frameRect, index)`.
QImage strip(const tavResSrv40::StaticResource& r, const std::function<void(QPainter&, QRectF, int)>& paintFrame) {
    QImage canvas(r.frameWidth, r.stripHeight(), QImage::Format_ARGB32);
    canvas.fill(Qt::transparent);
    QPainter p(&canvas);
    p.setRenderHint(QPainter::Antialiasing, true);
    for (int k = 0; k < r.frames; ++k) {
        p.save();
        const QRectF frame(0, k * r.frameHeight, r.frameWidth, r.frameHeight);
        p.setClipRect(frame);
        paintFrame(p, frame, k);
        p.restore();
    }
    p.end();
    return flatten(canvas);
}

// A vertical gradient whose middle band is flat, so that stretching the
// middle rows of a frame keeps the picture smooth.
QLinearGradient faceGradient(const QRectF& r, const QColor& top, const QColor& bottom, qreal edge = 0.42) {
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    const QColor mid = QColor::fromRgbF((top.redF() + bottom.redF() * 2) / 3, (top.greenF() + bottom.greenF() * 2) / 3,
                                        (top.blueF() + bottom.blueF() * 2) / 3);
    g.setColorAt(0.0, top);
    g.setColorAt(edge, mid);
    g.setColorAt(1.0 - edge, mid);
    g.setColorAt(1.0, bottom);
    return g;
}

QPainterPath rounded(const QRectF& r, qreal radius) {
    QPainterPath path;
    path.addRoundedRect(r, radius, radius);
    return path;
}

// ---- push buttons -------------------------------------------------------------------

// Style 1: rounded glossy button with a warm hover glow and a cool focus ring.
void paintStyle1(QPainter& p, QRectF f, State s, const Palette& pal) {
    const QRectF outer = f.adjusted(0.5, 0.5, -0.5, -0.5);
    const bool disabled = s == State::Disabled || s == State::DisabledToggled;
    QColor top = pal.faceTop, bottom = pal.faceBottom;
    if (isPressedLook(s)) {
        top = s == State::Pressed ? pal.pressedTop : pal.toggledTop;
        bottom = s == State::Pressed ? pal.pressedBottom : pal.toggledBottom;
    }
    if (s == State::Disabled) top = bottom = QColor(245, 244, 238);
    if (s == State::DisabledToggled) top = bottom = QColor(226, 225, 216);
    p.setPen(Qt::NoPen);
    p.setBrush(faceGradient(f, top, bottom));
    p.drawPath(rounded(outer, 3));

    QColor ring;
    if (s == State::Hover || s == State::ToggledHover) ring = pal.hoverRing;
    if (s == State::Focused) ring = pal.focusRing;
    if (ring.isValid()) {
        QPen pen(ring, 2);
        p.setPen(pen);
        p.setBrush(Qt::NoBrush);
        p.drawPath(rounded(f.adjusted(2, 2, -2, -2), 2));
    }
    if (isPressedLook(s)) {  // inner shadow along the top
        p.setPen(QPen(QColor(0, 0, 0, 40), 1));
        p.drawLine(QPointF(f.left() + 3, f.top() + 1.5), QPointF(f.right() - 3, f.top() + 1.5));
    }
    p.setPen(QPen(disabled ? QColor(201, 199, 186) : pal.border, 1));
    p.setBrush(Qt::NoBrush);
    p.drawPath(rounded(outer, 3));
}

enum class OpenSide { None, Right, Left };

// Style 2: flat button that lights up on hover.  `open` leaves one side without
// outline and corners, where the body meets the drop part.
void paintFlat(QPainter& p, QRectF f, State s, const Palette& pal, OpenSide open = OpenSide::None) {
    QRectF outer = f.adjusted(0.5, 0.5, -0.5, -0.5);
    if (open == OpenSide::Right) outer.setRight(outer.right() + 4);
    if (open == OpenSide::Left) outer.setLeft(outer.left() - 4);
    QColor face(246, 246, 246), face2(232, 232, 232), border(160, 160, 160);
    switch (s) {
        case State::Normal: break;
        case State::Focused: border = pal.flatHoverBorder; break;
        case State::Hover:
            face = face2 = pal.flatHoverFace;
            border = pal.flatHoverBorder;
            break;
        case State::Pressed:
            face = face2 = pal.flatPressedFace;
            border = pal.flatHoverBorder.darker(125);
            break;
        case State::Disabled:
            face = face2 = QColor(244, 244, 244);
            border = QColor(206, 206, 206);
            break;
        case State::DisabledToggled:
            face = face2 = QColor(226, 226, 226);
            border = QColor(200, 200, 200);
            break;
        case State::Toggled:
            face = face2 = pal.flatToggledFace;
            border = pal.flatHoverBorder;
            break;
        case State::ToggledHover:
            face = face2 = pal.flatPressedFace.lighter(104);
            border = pal.flatHoverBorder.darker(110);
            break;
    }
    p.setPen(Qt::NoPen);
    p.setBrush(faceGradient(f, face, face2, 0.2));
    p.drawPath(rounded(outer, 2.5));
    if (s == State::Hover || s == State::Focused) {  // bright inner line
        p.setPen(QPen(QColor(255, 255, 255, 170), 1));
        p.setBrush(Qt::NoBrush);
        p.drawPath(rounded(outer.adjusted(1, 1, -1, -1), 1.5));
    }
    p.setPen(QPen(border, 1));
    p.setBrush(Qt::NoBrush);
    p.drawPath(rounded(outer, 2.5));
    if (open == OpenSide::Left) {  // separator between body and drop part
        p.setPen(QPen(border, 1));
        p.drawLine(QPointF(f.left() + 0.5, f.top() + 3), QPointF(f.left() + 0.5, f.bottom() - 3));
    }
}

// Style 0: the classic bevelled button.
void paintClassic(QPainter& p, QRectF f, State s, const Palette& pal) {
    p.setRenderHint(QPainter::Antialiasing, false);
    const QRect r = f.toRect();
    QColor face = kClassicFace;
    if (s == State::Hover) face = QColor(226, 223, 216);
    if (s == State::Toggled) face = QColor(236, 234, 228);
    if (s == State::ToggledHover) face = QColor(244, 243, 239);
    if (s == State::Disabled) face = QColor(218, 215, 208);
    p.fillRect(r, face);
    const bool sunken = isPressedLook(s);
    QColor lightOuter(255, 255, 255), lightInner(232, 230, 224), darkInner(128, 128, 128), darkOuter(64, 64, 64);
    if (s == State::Disabled) darkInner = QColor(172, 170, 164), darkOuter = QColor(140, 140, 140);
    if (s == State::Hover) darkOuter = pal.focusRing.darker(160), lightInner = QColor(248, 247, 244);
    auto hline = [&](int x1, int x2, int y, const QColor& c) { p.fillRect(QRect(x1, y, x2 - x1 + 1, 1), c); };
    auto vline = [&](int x, int y1, int y2, const QColor& c) { p.fillRect(QRect(x, y1, 1, y2 - y1 + 1), c); };
    const int l = r.left(), t = r.top(), rr = r.right(), b = r.bottom();
    const QColor tlOuter = sunken ? darkOuter : lightOuter, tlInner = sunken ? darkInner : lightInner;
    const QColor brOuter = sunken ? lightOuter : darkOuter, brInner = sunken ? lightInner : darkInner;
    hline(l, rr, t, tlOuter);
    vline(l, t, b, tlOuter);
    hline(l + 1, rr - 1, t + 1, tlInner);
    vline(l + 1, t + 1, b - 1, tlInner);
    hline(l, rr, b, brOuter);
    vline(rr, t, b, brOuter);
    hline(l + 1, rr - 1, b - 1, brInner);
    vline(rr - 1, t + 1, b - 1, brInner);
    if (s == State::Focused) {  // default / focused: an extra dark frame
        p.setPen(QColor(0, 0, 0));
        p.setBrush(Qt::NoBrush);
        p.drawRect(r.adjusted(0, 0, -1, -1));
    }
}

// A 5 x 3 arrow pointing down.
void paintArrow(QPainter& p, QRectF f, int frame, const Palette& pal, bool classic) {
    const std::array<QColor, 7> colours = {pal.glyph,
                                           pal.glyphAccent,
                                           classic ? QColor(0, 0, 0) : pal.flatHoverBorder.darker(150),
                                           QColor(166, 166, 166),
                                           pal.glyph.lighter(140),
                                           pal.glyphAccent.darker(130),
                                           QColor(96, 96, 96)};
    p.setRenderHint(QPainter::Antialiasing, false);
    const QColor c = colours[static_cast<std::size_t>(frame) % colours.size()];
    const int x = static_cast<int>(f.left()), y = static_cast<int>(f.top());
    p.fillRect(QRect(x, y, 5, 1), c);
    p.fillRect(QRect(x + 1, y + 1, 3, 1), c);
    p.fillRect(QRect(x + 2, y + 2, 1, 1), c);
}

// ---- check box and option button glyphs ---------------------------------------------

// Frames 0-3: off (normal, hover, pressed, disabled); 4-7: on; 8-11: mixed.
void paintCheckOrOption(QPainter& p, QRectF f, int frame, const Palette& pal, bool round) {
    const int stateIndex = frame % 4;
    const int value = frame / 4;  // 0 off, 1 on, 2 mixed
    const bool disabled = stateIndex == 3;
    const QRectF box = f.adjusted(0.5, 0.5, -0.5, -0.5);
    QColor top(220, 220, 215), bottom(255, 255, 255);
    if (stateIndex == 1) top = QColor(255, 240, 207), bottom = QColor(255, 255, 250);
    if (stateIndex == 2) top = QColor(176, 176, 167), bottom = QColor(232, 232, 224);
    if (disabled) top = bottom = QColor(240, 240, 234);
    QLinearGradient g(box.topLeft(), box.bottomRight());
    g.setColorAt(0, top);
    g.setColorAt(1, bottom);
    p.setBrush(g);
    p.setPen(QPen(disabled ? QColor(202, 200, 187) : pal.border.lighter(115), 1));
    if (round)
        p.drawEllipse(box);
    else
        p.drawRect(box);
    if (stateIndex == 1) {
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(pal.hoverRing, 1.4));
        if (round)
            p.drawEllipse(box.adjusted(1.5, 1.5, -1.5, -1.5));
        else
            p.drawRect(box.adjusted(1.5, 1.5, -1.5, -1.5));
    }
    const QColor mark = disabled ? QColor(190, 190, 180) : (round ? pal.glyphAccent : QColor(33, 161, 33));
    if (value == 1) {
        if (round) {
            p.setPen(Qt::NoPen);
            p.setBrush(mark);
            p.drawEllipse(f.center(), 2.6, 2.6);
        } else {
            QPainterPath tick;
            tick.moveTo(f.left() + 3, f.top() + 6.5);
            tick.lineTo(f.left() + 5.5, f.top() + 9);
            tick.lineTo(f.left() + 10, f.top() + 3.5);
            p.setPen(QPen(mark, 1.8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
            p.setBrush(Qt::NoBrush);
            p.drawPath(tick);
        }
    } else if (value == 2) {
        p.setPen(Qt::NoPen);
        p.setBrush(mark);
        if (round)
            p.drawEllipse(f.center(), 1.5, 1.5);
        else
            p.drawRect(QRectF(f.left() + 3.5, f.top() + 3.5, 6, 6));
    }
}

// ---- scroll bar pieces -------------------------------------------------------------------

// Four states per piece: normal, hover, pressed, disabled.
QColor scrollFace(int state, const Palette& pal) {
    switch (state) {
        case 1: return pal.flatHoverFace;
        case 2: return pal.flatPressedFace;
        case 3: return QColor(238, 237, 229);
        default: return pal.toggledBottom;
    }
}

void paintScrollButton(QPainter& p, QRectF f, int frame, const Palette& pal) {
    const int state = frame % 4;
    const QRectF r = f.adjusted(0.5, 0.5, -0.5, -0.5);
    p.setPen(QPen(state == 3 ? QColor(210, 208, 200) : pal.flatHoverBorder.lighter(130), 1));
    // The light side faces the arrow's direction: up, down, left, right.
    const int dir = frame / 4;
    const QColor light = scrollFace(state, pal).lighter(112), dark = scrollFace(state, pal).darker(104);
    QLinearGradient g(dir < 2 ? QPointF(0, f.top()) : QPointF(f.left(), 0),
                      dir < 2 ? QPointF(0, f.bottom()) : QPointF(f.right(), 0));
    const bool reversed = dir == 1 || dir == 3;
    g.setColorAt(0, reversed ? dark : light);
    g.setColorAt(1, reversed ? light : dark);
    p.setBrush(g);
    p.drawPath(rounded(r, 2.5));
}

// Glyphs 0-3 up, 4-7 down, 8-11 left, 12-15 right, each in the four states.
void paintScrollGlyph(QPainter& p, QRectF f, int frame, const Palette& pal) {
    const int dir = frame / 4, state = frame % 4;
    const QColor c = state == 3   ? QColor(170, 170, 160)
                     : state == 1 ? pal.glyphAccent
                     : state == 2 ? pal.glyph.darker(140)
                                  : pal.glyph;
    const QPointF m = f.center();
    QPolygonF tri;
    switch (dir) {
        case 0:
            tri << QPointF(m.x() - 3.5, m.y() + 2) << QPointF(m.x() + 3.5, m.y() + 2) << QPointF(m.x(), m.y() - 2);
            break;
        case 1:
            tri << QPointF(m.x() - 3.5, m.y() - 2) << QPointF(m.x() + 3.5, m.y() - 2) << QPointF(m.x(), m.y() + 2);
            break;
        case 2:
            tri << QPointF(m.x() + 2, m.y() - 3.5) << QPointF(m.x() + 2, m.y() + 3.5) << QPointF(m.x() - 2, m.y());
            break;
        default:
            tri << QPointF(m.x() - 2, m.y() - 3.5) << QPointF(m.x() - 2, m.y() + 3.5) << QPointF(m.x() + 2, m.y());
            break;
    }
    p.setPen(QPen(c, 1));
    p.setBrush(c);
    p.drawPolygon(tri);
}

void paintShaft(QPainter& p, QRectF f, int state, const Palette& pal) {
    p.setRenderHint(QPainter::Antialiasing, false);
    QColor c = state == 1   ? QColor(246, 246, 240)
               : state == 2 ? pal.flatToggledFace
               : state == 3 ? QColor(244, 243, 238)
                            : QColor(240, 239, 232);
    p.fillRect(f, c);
    p.fillRect(QRectF(f.left(), f.top(), 1, f.height()), c.darker(110));
    p.fillRect(QRectF(f.left(), f.top(), f.width(), 1), c.darker(104));
}

void paintThumb(QPainter& p, QRectF f, int state, const Palette& pal) {
    const QRectF r = f.adjusted(0.5, 0.5, -0.5, -0.5);
    p.setPen(QPen(state == 3 ? QColor(210, 208, 200) : pal.flatHoverBorder, 1));
    QLinearGradient g(f.topLeft(), f.topRight());
    const QColor face = scrollFace(state, pal);
    g.setColorAt(0, face.lighter(110));
    g.setColorAt(1, face.darker(104));
    p.setBrush(g);
    p.drawPath(rounded(r, 3));
}

void paintGripper(QPainter& p, QRectF f, int state, const Palette& pal) {
    p.setRenderHint(QPainter::Antialiasing, false);
    const QColor c = state == 3   ? QColor(200, 200, 190)
                     : state == 1 ? pal.glyphAccent
                     : state == 2 ? pal.glyph
                                  : pal.flatHoverBorder;
    for (int i = 0; i < 4; ++i) {
        p.fillRect(QRectF(f.left() + 1, f.top() + 1 + 2 * i, 6, 1), c);
    }
}

}  // namespace

QImage PaintStrip(const tavResSrv40::StaticResource& r, int theme) {
    const Palette& pal = kPalettes[static_cast<std::size_t>(theme) % kPalettes.size()];
    switch (r.number) {
        case 1100: return strip(r, [&](QPainter& p, QRectF f, int k) { paintStyle1(p, f, kStyle1Frames[k], pal); });
        case 1496: return strip(r, [&](QPainter& p, QRectF f, int k) { paintFlat(p, f, kFlatFrames[k], pal); });
        case 1523:
            return strip(r,
                         [&](QPainter& p, QRectF f, int k) { paintFlat(p, f, kFlatFrames[k], pal, OpenSide::Right); });
        case 1517:
            return strip(r,
                         [&](QPainter& p, QRectF f, int k) { paintFlat(p, f, kFlatFrames[k], pal, OpenSide::Left); });
        case 1499:
        case 1526:
        case 1520: return strip(r, [&](QPainter& p, QRectF f, int k) { paintClassic(p, f, kFlatFrames[k], pal); });
        case 1511:
        case 1514: return strip(r, [&](QPainter& p, QRectF f, int k) { paintArrow(p, f, k, pal, r.number == 1514); });
        case 1001:
        case 1006:
            return strip(r, [&](QPainter& p, QRectF f, int k) { paintCheckOrOption(p, f, k, pal, r.number == 1006); });
        case 1367: return strip(r, [&](QPainter& p, QRectF f, int k) { paintScrollButton(p, f, k, pal); });
        case 1364: return strip(r, [&](QPainter& p, QRectF f, int k) { paintScrollGlyph(p, f, k, pal); });
        case 1379: return strip(r, [&](QPainter& p, QRectF f, int k) { paintShaft(p, f, k, pal); });
        case 1382: return strip(r, [&](QPainter& p, QRectF f, int k) { paintThumb(p, f, k, pal); });
        case 1385: return strip(r, [&](QPainter& p, QRectF f, int k) { paintGripper(p, f, k, pal); });
        default: return {};
    }
}

std::string FileName(int number, int theme) {
    return "res" + std::to_string(number) + "_theme" + std::to_string(theme) + ".bmp";
}

}  // namespace strip_artwork
