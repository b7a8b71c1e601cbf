#include "controls/button_layout.h"

#include <algorithm>

namespace button_layout {

namespace {

gdi::RECT centredIn(const gdi::RECT& box, gdi::SIZE size) {
    return Box(box.Left + (Width(box) - size.cx) / 2, box.Top + (Height(box) - size.cy) / 2, size.cx, size.cy);
}

bool isVertical(int position) { return position == picAbove || position == picBelow; }
bool pictureFirst(int position) { return position == picAbove || position == picLeft; }

// The picture at its edge of the area; the caption centred in what is left.
Layout pictureAtEdge(const gdi::RECT& area, gdi::SIZE pic, int position) {
    Layout out;
    gdi::RECT rest = area;
    const bool first = pictureFirst(position);
    if (isVertical(position)) {
        const int y = first ? area.Top : area.Bottom - pic.cy;
        out.picture = Box(area.Left + (Width(area) - pic.cx) / 2, y, pic.cx, pic.cy);
        if (first)
            rest.Top = out.picture.Bottom + kGap;
        else
            rest.Bottom = out.picture.Top - kGap;
    } else {
        const int x = first ? area.Left : area.Right - pic.cx;
        out.picture = Box(x, area.Top + (Height(area) - pic.cy) / 2, pic.cx, pic.cy);
        if (first)
            rest.Left = out.picture.Right + kGap;
        else
            rest.Right = out.picture.Left - kGap;
    }
    out.caption = rest;
    return out;
}

// Picture and caption as one block centred in the area, each centred across it.
Layout asBlock(const gdi::RECT& area, gdi::SIZE text, gdi::SIZE pic, int position) {
    Layout out;
    const bool first = pictureFirst(position);
    if (isVertical(position)) {
        const int top = area.Top + (Height(area) - (pic.cy + kGap + text.cy)) / 2;
        const int picTop = first ? top : top + text.cy + kGap;
        const int capTop = first ? top + pic.cy + kGap : top;
        out.picture = Box(area.Left + (Width(area) - pic.cx) / 2, picTop, pic.cx, pic.cy);
        out.caption = Box(area.Left + (Width(area) - text.cx) / 2, capTop, text.cx, text.cy);
    } else {
        const int left = area.Left + (Width(area) - (pic.cx + kGap + text.cx)) / 2;
        const int picLeft = first ? left : left + text.cx + kGap;
        const int capLeft = first ? left + pic.cx + kGap : left;
        out.picture = Box(picLeft, area.Top + (Height(area) - pic.cy) / 2, pic.cx, pic.cy);
        out.caption = Box(capLeft, area.Top + (Height(area) - text.cy) / 2, text.cx, text.cy);
    }
    return out;
}

}  // namespace

gdi::RECT DrawingArea(gdi::SIZE button, int dropWidth, const std::optional<Insets>& drawingSpace) {
    const int w = button.cx, h = button.cy;
    const Insets in = drawingSpace.value_or(Insets{kInset, kInset, kInset + dropWidth, kInset});
    const int r = w - in.right, b = h - in.bottom;
    const int l = std::min(in.left, r), t = std::min(in.top, b);
    return gdi::RECT{l, t, r, b};
}

Layout layoutButton(const gdi::RECT& area, gdi::SIZE text, bool hasCaption, gdi::SIZE picture, int position,
                    Arrangement arrangement) {
    if (IsEmpty(picture)) return Layout{{}, area};
    if (!hasCaption) return Layout{centredIn(area, picture), {}};
    if (position < picAbove || position > picBelow) return {};
    if (arrangement == Arrangement::PictureAtEdge) return pictureAtEdge(area, picture, position);
    return asBlock(area, text, picture, position);
}

gdi::SIZE ContentExtent(gdi::SIZE text, gdi::SIZE picture, int position) {
    if (IsEmpty(picture)) return text;
    if (IsEmpty(text)) return picture;
    if (isVertical(position)) return gdi::SIZE{std::max(picture.cx, text.cx), picture.cy + kGap + text.cy};
    return gdi::SIZE{picture.cx + kGap + text.cx, std::max(picture.cy, text.cy)};
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
