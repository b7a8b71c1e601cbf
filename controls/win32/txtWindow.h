// txtWindow: the Win32 host of the text box (txt): a ControlWindow whose
// inner editor is an EDIT child window (EditEditor).
#pragma once

#include "controls/txt.h"
#include "controls/win32/ControlWindow.h"

class txtWindow : public ControlWindow {
  public:
    txtWindow(HWND__* parent, const gdi::RECT& at, Ambient ambient = {});
    ~txtWindow() override;
    txt& Control() { return m_control; }

  private:
    txt m_control;
};
