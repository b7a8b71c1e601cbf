#include "controls/list_rows.h"

#include <algorithm>
#include <cstdlib>

namespace list_rows {

long Page::end() const { return std::min(count, top + itemsVisible); }

gdi::RECT Page::itemRect(long index) const {
    if (index < top || index >= end()) return {};
    const int rowTop = area.Top + static_cast<int>(index - top) * itemHeight + itemOffset.y;
    return gdi::RECT{area.Left + itemOffset.x, rowTop, area.Right + itemOffset.x, rowTop + itemHeight};
}

long Page::itemAt(gdi::POINT point) const {
    const bool inside = point.x >= area.Left && point.x < area.Right && point.y >= area.Top && point.y < area.Bottom;
    if (!inside || itemHeight <= 0) return -1;
    const long index = top + (point.y - area.Top) / itemHeight;
    return index < end() ? index : -1;
}

long ItemsVisible(int innerHeight, int itemHeight) { return itemHeight > 0 ? innerHeight / itemHeight : 0; }

long TopShowing(long top, long index, long itemsVisible) {
    if (index < top) return index;
    if (index > top + itemsVisible - 1) return index - itemsVisible + 1;
    return top;
}

long KeyTarget(int keyCode, long index, long count, long page) {
    switch (keyCode) {
        case vbKeyPageUp: return std::max(0L, index - page);
        case vbKeyPageDown: return std::min(count - 1, index + page);
        case vbKeyEnd: return count - 1;
        case vbKeyHome: return 0;
        case vbKeyUp: return index > 0 ? index - 1 : index;
        case vbKeyDown: return index < count - 1 ? index + 1 : index;
        default: return index;
    }
}

long WheelTop(long top, int delta, int linesPerNotch, long maxTop) {
    long lines = static_cast<long>(delta / 120) * linesPerNotch;
    if (lines == 0) lines = delta > 0 ? 1 : delta < 0 ? -1 : 0;
    if (delta < 0) return std::min(maxTop, top + std::labs(lines));
    return std::max(0L, top - std::labs(lines));
}

int DragStepInterval(int y, int innerHeight) {
    if (y < 0) return std::max(40, 500 + 20 * y);
    return std::max(40, 500 - 20 * (y - innerHeight - 1));
}

RowDrawing DrawRow(const gdi::RECT& row, const LineMetrics& line, int boxOffset, int boxBorderWidth) {
    const int h = row.Bottom - row.Top;
    const int ink = line.inkAbove + line.inkBelow;
    const int vertical = std::clamp((h - 2 * boxBorderWidth - ink) / 2, 0, std::max(0, boxOffset));
    const gdi::RECT box{row.Left + boxOffset, row.Top + vertical, row.Right - boxOffset, row.Bottom - vertical};
    // The text's line is centred in the row; its ink is centred between the
    // outline's horizontal edges instead.
    const int baseline = row.Top + (h - (line.ascent + line.descent)) / 2 + line.ascent;
    const int inside = h - 2 * (vertical + boxBorderWidth);
    const int inkTop = row.Top + vertical + boxBorderWidth + (inside - ink) / 2;
    return RowDrawing{box, inkTop - (baseline - line.inkAbove)};
}

}  // namespace list_rows
