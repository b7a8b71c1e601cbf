#include "controls/UserControl.h"

UserControl::UserControl(ControlSite& site, Ambient ambient) : m_site(site), m_ambient(std::move(ambient)) {}

UserControl::~UserControl() = default;

void UserControl::SetAmbient(const ::Ambient& ambient) {
    m_ambient = ambient;
    AmbientChanged();
}

winmsg::MouseParameters UserControl::MouseParametersOf(winmsg::UINT message, winmsg::WPARAM wParam,
                                                       winmsg::LPARAM lParam) const {
    return winmsg::UnpackMouse(message, wParam, lParam, (m_site.ShiftState() & winmsg::vbAltMask) != 0);
}

gdi::RECT UserControl::ClientRect() const {
    const gdi::SIZE size = m_site.ClientSize();
    return gdi::RECT{0, 0, size.cx, size.cy};
}

bool UserControl::ClientContains(int x, int y) const {
    const gdi::RECT r = ClientRect();
    return x >= r.Left && x < r.Right && y >= r.Top && y < r.Bottom;
}
