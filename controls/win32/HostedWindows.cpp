#include "controls/win32/HostedWindows.h"

#include "controls/MsgBox.h"
#include "controls/suite/win32/gdi_win32.h"

#include <windows.h>

#include <string>
#include <type_traits>

namespace {

int ShowSystemMessageBox(const MsgBox::Request& r) {
    const std::wstring prompt(r.prompt.begin(), r.prompt.end()), title(r.title.begin(), r.title.end());
    const UINT type = static_cast<UINT>(r.style & 0x7F);  // the same bits as MB_OKCANCEL, MB_ICONWARNING, ...
    return ::MessageBoxW(gdi::win32::Native(r.parent), prompt.c_str(), title.c_str(), type);
}

}  // namespace

template <class C>
HostedWindow<C>::HostedWindow(HWND__* parent, const gdi::RECT& at, Ambient ambient)
    : ControlWindow(parent, at), m_control(*this, std::move(ambient)) {
    if constexpr (std::is_same_v<C, BTN>) {
        static const bool boxInstalled = (MsgBox::SetSystemBox(ShowSystemMessageBox), true);
        (void)boxInstalled;
    }
    if constexpr (C::kFocus == UserControl::Focus::Refused) RefuseFocus();
    Bind(&m_control);
}

// No message reaches the control once its destruction has begun.
template <class C>
HostedWindow<C>::~HostedWindow() {
    Bind(nullptr);
}

template class HostedWindow<BTN>;
template class HostedWindow<CHKBOX>;
template class HostedWindow<Opt>;
template class HostedWindow<txt>;
template class HostedWindow<LB>;
template class HostedWindow<VSC>;
