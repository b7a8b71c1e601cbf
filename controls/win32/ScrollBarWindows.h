// The Win32 host of the stand-alone scroll bar (VSCWindow): owns its control
// and hosts it in a ControlWindow that never takes the focus, as the bars
// never have.  (The list box's own bar lives in a child window the list asks
// its site for: ControlSite::MakeChildWindow.)
#pragma once

#include "controls/VSC.h"
#include "controls/win32/ControlWindow.h"

class VSCWindow : public ControlWindow {
  public:
    VSCWindow(HWND__* parent, const gdi::RECT& at, Ambient ambient = {});
    ~VSCWindow() override;
    VSC& Control() { return m_control; }

  private:
    VSC m_control;
};
