// HostedWindow<C>: the Win32 host of one kind of control, a ControlWindow that owns its control
// and hosts it; every control has one (the aliases below).  What differs between them is the
// control's: a scroll bar's window refuses the focus because the control says so
// (UserControl::kFocus); a command button's property messages show as the system's message box.
// The list box's bar lives in a child window the list asks its site for
// (ControlSite::MakeChildWindow); the text box's editor is an EDIT child window (EditEditor).
#pragma once

#include "controls/BTN.h"
#include "controls/CHKBOX.h"
#include "controls/LB.h"
#include "controls/Opt.h"
#include "controls/VSC.h"
#include "controls/txt.h"
#include "controls/win32/ControlWindow.h"

template <class C>
class HostedWindow : public ControlWindow {
  public:
    HostedWindow(HWND__* parent, const gdi::RECT& at, Ambient ambient = {});
    ~HostedWindow() override;
    C& Control() { return m_control; }

  private:
    C m_control;
};

// Made once, in HostedWindows.cpp.
extern template class HostedWindow<BTN>;
extern template class HostedWindow<CHKBOX>;
extern template class HostedWindow<Opt>;
extern template class HostedWindow<txt>;
extern template class HostedWindow<LB>;
extern template class HostedWindow<VSC>;

using BTNWindow = HostedWindow<BTN>;
using CHKBOXWindow = HostedWindow<CHKBOX>;
using OptWindow = HostedWindow<Opt>;
using txtWindow = HostedWindow<txt>;
using LBWindow = HostedWindow<LB>;
using VSCWindow = HostedWindow<VSC>;
