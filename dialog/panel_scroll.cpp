#include "dialog/panel_scroll.h"

#include "dialog/form_geometry.h"

#include <algorithm>

namespace dialog {

using namespace geometry;

int PanelHeight(Panel shown) { return shown == Panel::Suite ? kSuitePanelHeight : kMicrosoftPanelHeight; }

int PanelRowPitch(Panel shown) { return shown == Panel::Suite ? kSuiteRowPitch : kMicrosoftRowPitch; }

int PanelTop(long value) { return kTabTitleHeight - static_cast<int>(value); }

PanelScroll ScrollFor(int content, int available, long value) {
    PanelScroll s;
    s.visible = std::max(available, 0);
    if (content <= available) return s;
    s.enabled = true;
    s.max = content - std::max(available, 0);
    s.page = std::clamp<long>(available, 1, s.max);
    s.value = std::clamp<long>(value, 0, s.max);
    return s;
}

long WheelScroll(const PanelScroll& scroll, int angleDelta, int rowPitch) {
    if (!scroll.enabled) return 0;
    constexpr int kNotch = 120, kRowsPerNotch = 3;
    const long step = -static_cast<long>(angleDelta) * kRowsPerNotch * rowPitch / kNotch;
    return std::clamp(scroll.value + step, 0L, scroll.max);
}

long ScrollToShow(const PanelScroll& scroll, int top, int bottom, int available) {
    if (!scroll.enabled) return 0;
    long value = scroll.value;
    if (bottom > value + available) value = bottom - available;
    if (top < value) value = top;
    return std::clamp(value, 0L, scroll.max);
}

}  // namespace dialog
