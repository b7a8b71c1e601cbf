// The Win32 host of the list box: owns the control and hosts it in a
// ControlWindow; the control's scroll bar lives in a child window of it.
#pragma once

#include "controls/LB.h"
#include "controls/win32/ControlWindow.h"

class LBWindow : public ControlWindow {
  public:
    LBWindow(HWND__* parent, const gdi::RECT& at, Ambient ambient = {});
    ~LBWindow() override;
    LB& Control() { return m_control; }

  private:
    LB m_control;
};
