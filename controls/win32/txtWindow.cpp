#include "controls/win32/txtWindow.h"

txtWindow::txtWindow(HWND__* parent, const gdi::RECT& at, Ambient ambient)
    : ControlWindow(parent, at), m_control(*this, std::move(ambient)) {
    Bind(&m_control);
}

txtWindow::~txtWindow() { Bind(nullptr); }
