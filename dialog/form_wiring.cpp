#include "dialog/form_wiring.h"

#include "dialog/form_geometry.h"

namespace dialog {

namespace {

constexpr int kKeyLeft = 37, kKeyRight = 39;

}  // namespace

void WireFolderBox(txt& box, const bool& rendering, std::function<void(const std::u16string&)> typed,
                   std::function<void(Command)> press) {
    Chain(box.events.Change, [&box, &rendering, typed = std::move(typed)] {
        if (!rendering) typed(box.Text());
    });
    Chain(box.events.KeyPress, [press = std::move(press)](int ascii) {
        if (ascii == '\r') press(cmdStart);
    });
}

std::optional<double> TabHeaderKeyPress(int keyCode) {
    if (keyCode == kKeyLeft) return geometry::kTabWidth / 2.0;
    if (keyCode == kKeyRight) return geometry::kTabWidth * 1.5;
    return std::nullopt;
}

}  // namespace dialog
