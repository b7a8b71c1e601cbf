#include "controls/win32/ScrollBarWindows.h"

VSCWindow::VSCWindow(HWND__* parent, const gdi::RECT& at, Ambient ambient)
    : ControlWindow(parent, at), m_control(*this, std::move(ambient)) {
    RefuseFocus();
    Bind(&m_control);
}

VSCWindow::~VSCWindow() { Bind(nullptr); }
