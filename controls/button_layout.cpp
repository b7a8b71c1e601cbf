#include "controls/button_layout.h"

#include <algorithm>

namespace button_layout {

namespace {

QRect centredIn(const QRect& box, QSize size) {
    return QRect(box.left() + (box.width() - size.width()) / 2, box.top() + (box.height() - size.height()) / 2,
                 size.width(), size.height());
}

bool isVertical(int position) { return position == picAbove || position == picBelow; }
bool pictureFirst(int position) { return position == picAbove || position == picLeft; }

// The picture at its edge of the area; the caption centred in what is left.
Layout pictureAtEdge(const QRect& area, QSize pic, int position) {
    Layout out;
    QRect rest = area;
    const bool first = pictureFirst(position);
    if (isVertical(position)) {
        const int y = first ? area.top() : area.bottom() + 1 - pic.height();
        out.picture = QRect(area.left() + (area.width() - pic.width()) / 2, y, pic.width(), pic.height());
        if (first)
            rest.setTop(out.picture.bottom() + 1 + kGap);
        else
            rest.setBottom(out.picture.top() - 1 - kGap);
    } else {
        const int x = first ? area.left() : area.right() + 1 - pic.width();
        out.picture = QRect(x, area.top() + (area.height() - pic.height()) / 2, pic.width(), pic.height());
        if (first)
            rest.setLeft(out.picture.right() + 1 + kGap);
        else
            rest.setRight(out.picture.left() - 1 - kGap);
    }
    out.caption = rest;
    return out;
}

// Picture and caption as one block centred in the area, each centred across it.
Layout asBlock(const QRect& area, QSize text, QSize pic, int position) {
    Layout out;
    const bool first = pictureFirst(position);
    if (isVertical(position)) {
        const int top = area.top() + (area.height() - (pic.height() + kGap + text.height())) / 2;
        const int picTop = first ? top : top + text.height() + kGap;
        const int capTop = first ? top + pic.height() + kGap : top;
        out.picture = QRect(area.left() + (area.width() - pic.width()) / 2, picTop, pic.width(), pic.height());
        out.caption = QRect(area.left() + (area.width() - text.width()) / 2, capTop, text.width(), text.height());
    } else {
        const int left = area.left() + (area.width() - (pic.width() + kGap + text.width())) / 2;
        const int picLeft = first ? left : left + text.width() + kGap;
        const int capLeft = first ? left + pic.width() + kGap : left;
        out.picture = QRect(picLeft, area.top() + (area.height() - pic.height()) / 2, pic.width(), pic.height());
        out.caption = QRect(capLeft, area.top() + (area.height() - text.height()) / 2, text.width(), text.height());
    }
    return out;
}

}  // namespace

QRect DrawingArea(QSize button, int dropWidth, const std::optional<Insets>& drawingSpace) {
    const int w = button.width(), h = button.height();
    const Insets in = drawingSpace.value_or(Insets{kInset, kInset, kInset + dropWidth, kInset});
    const int r = w - in.right, b = h - in.bottom;
    const int l = std::min(in.left, r), t = std::min(in.top, b);
    return QRect(l, t, r - l, b - t);
}

Layout layoutButton(const QRect& area, QSize text, bool hasCaption, QSize picture, int position,
                    Arrangement arrangement) {
    if (picture.isEmpty()) return Layout{{}, area};
    if (!hasCaption) return Layout{centredIn(area, picture), {}};
    if (position < picAbove || position > picBelow) return {};
    if (arrangement == Arrangement::PictureAtEdge) return pictureAtEdge(area, picture, position);
    return asBlock(area, text, picture, position);
}

QSize ContentExtent(QSize text, QSize picture, int position) {
    if (picture.isEmpty()) return text;
    if (text.isEmpty()) return picture;
    if (isVertical(position))
        return QSize(std::max(picture.width(), text.width()), picture.height() + kGap + text.height());
    return QSize(picture.width() + kGap + text.width(), std::max(picture.height(), text.height()));
}

int BodyFrame(int style, const State& s) {
    if (style == styleXP) {
        if (!s.enabled) return s.togglePressed ? 7 : 3;
        if (s.pressed && s.mouseOver) return 6;
        if (s.spaceDown) return 6;
        if (s.grouped && s.togglePressed) return s.mouseOver ? 5 : (s.focused ? 6 : 4);
        if (s.focused || s.isDefault) return s.mouseOver ? 1 : 2;
        return s.mouseOver ? 1 : 0;
    }
    if (style == styleClassic || style == styleFlat) {
        if (s.pressed && s.mouseOver) return 2;
        if (s.mouseOver) return s.togglePressed ? 5 : 1;
        if (s.togglePressed) return 4;
    }
    return 0;
}

int DropFrame(const State& s) {
    if ((s.pressed || s.dropPressed) && s.mouseOver) return 2;
    if (s.togglePressed) return s.mouseOver ? 5 : 4;
    return s.mouseOver ? 1 : 0;
}

}  // namespace button_layout
