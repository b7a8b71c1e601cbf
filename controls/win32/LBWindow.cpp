#include "controls/win32/LBWindow.h"

LBWindow::LBWindow(HWND__* parent, const gdi::RECT& at, Ambient ambient)
    : ControlWindow(parent, at), m_control(*this, std::move(ambient)) {
    Bind(&m_control);
}

LBWindow::~LBWindow() { Bind(nullptr); }
