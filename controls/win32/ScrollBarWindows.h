// The Win32 hosts of the stand-alone scroll bar (VSCWindow) and of the list
// box's own scroll bar (LBVScrollWindow): each owns its control and hosts it
// in a ControlWindow that never takes the focus, as the bars never have.
#pragma once

#include "controls/LBVScroll.h"
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

class LBVScrollWindow : public ControlWindow {
  public:
    LBVScrollWindow(HWND__* parent, const gdi::RECT& at, Ambient ambient = {});
    ~LBVScrollWindow() override;
    LBVScroll& Control() { return m_control; }

  private:
    LBVScroll m_control;
};
