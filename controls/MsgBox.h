// Message boxes, behind a seam.
//
// Controls tell the developer about property conflicts with MsgBox::Show.  By
// default the window system's message box appears (each host installs it,
// SetSystemBox; without one the answer is OK at once); a test or a batch host
// installs a handler (ScopedHandler) that records the request and answers at
// once, so nothing ever blocks.
#pragma once

#include "controls/suite/gdi.h"

#include <functional>
#include <string>

namespace MsgBox {

// Style bits, as the host's MsgBox function takes them.
enum Style : int {
    vbOKOnly = 0,
    vbOKCancel = 1,
    vbYesNo = 4,
    vbCritical = 16,
    vbQuestion = 32,
    vbExclamation = 48,
    vbInformation = 64,
};
enum Result : int { vbOK = 1, vbCancel = 2, vbYes = 6, vbNo = 7 };

struct Request {
    gdi::HWND parent = nullptr;
    std::u16string prompt;
    int style = vbOKOnly;
    std::u16string title;
    int icon() const { return style & 0x70; }
};

using Handler = std::function<int(const Request&)>;

// Shows the message (or hands it to the installed handler) and returns the answer.
int Show(gdi::HWND parent, const std::u16string& prompt, int style, const std::u16string& title);

// The window system's message box, shown when no handler is installed.
void SetSystemBox(Handler box);

// Installs `handler` (an empty one restores the real message box) and returns
// the previous one.
Handler SetHandler(Handler handler);

// Installs a handler for its lifetime.
class ScopedHandler {
  public:
    explicit ScopedHandler(Handler handler) : m_previous(SetHandler(std::move(handler))) {}
    ~ScopedHandler() { SetHandler(std::move(m_previous)); }
    ScopedHandler(const ScopedHandler&) = delete;
    ScopedHandler& operator=(const ScopedHandler&) = delete;

  private:
    Handler m_previous;
};

}  // namespace MsgBox
