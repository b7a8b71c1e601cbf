#include "controls/MsgBox.h"

namespace MsgBox {
namespace {

Handler& current() {
    static Handler h;
    return h;
}

Handler& systemBox() {
    static Handler h;
    return h;
}

}  // namespace

int Show(gdi::HWND parent, const std::u16string& prompt, int style, const std::u16string& title) {
    const Request r{parent, prompt, style, title};
    if (current()) return current()(r);
    return systemBox() ? systemBox()(r) : int(vbOK);
}

Handler SetHandler(Handler handler) {
    Handler previous = std::move(current());
    current() = std::move(handler);
    return previous;
}

void SetSystemBox(Handler box) { systemBox() = std::move(box); }

}  // namespace MsgBox
