// BTNWindow: the Win32 host of the command button, a ControlWindow that owns
// its BTN.  Its property messages show as the system's message box.
#pragma once

#include "controls/BTN.h"
#include "controls/win32/ControlWindow.h"

class BTNWindow : public ControlWindow {
  public:
    BTNWindow(HWND__* parent, const gdi::RECT& at, Ambient ambient = {});
    ~BTNWindow() override;
    BTN& Control() { return m_control; }

  private:
    BTN m_control;
};
