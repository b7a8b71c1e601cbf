#include "controls/win32/BTNWindow.h"

#include "controls/MsgBox.h"
#include "controls/suite/win32/gdi_win32.h"

#include <windows.h>

#include <string>

namespace {

int ShowSystemMessageBox(const MsgBox::Request& r) {
    const std::wstring prompt(r.prompt.begin(), r.prompt.end()), title(r.title.begin(), r.title.end());
    const UINT type = static_cast<UINT>(r.style & 0x7F);  // the same bits as MB_OKCANCEL, MB_ICONWARNING, ...
    return ::MessageBoxW(gdi::win32::Native(r.parent), prompt.c_str(), title.c_str(), type);
}

}  // namespace

BTNWindow::BTNWindow(HWND__* parent, const gdi::RECT& at, Ambient ambient)
    : ControlWindow(parent, at), m_control(*this, std::move(ambient)) {
    static const bool boxInstalled = (MsgBox::SetSystemBox(ShowSystemMessageBox), true);
    (void)boxInstalled;
    Bind(&m_control);
}

BTNWindow::~BTNWindow() { Bind(nullptr); }
