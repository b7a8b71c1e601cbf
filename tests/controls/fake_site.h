// A ControlSite without a window system: it records what a control asks of
// its host and lets a test set what the host would report.
#pragma once

#include "controls/UserControl.h"

#include <algorithm>
#include <map>
#include <vector>

struct FakeSite : ControlSite {
    gdi::SIZE size{120, 21};
    gdi::POINT cursor{-100, -100};
    bool mouseOver = false;
    bool focus = false;
    bool capture = false;
    bool enabled = true;
    int shift = 0;
    int invalidations = 0;
    std::map<std::uintptr_t, int> timers;
    std::vector<winmsg::UINT> subclassed;
    std::vector<UserControl*> siblings;  // the container's other controls

    gdi::HWND Window() override { return nullptr; }
    gdi::SIZE ClientSize() const override { return size; }
    void Invalidate() override { ++invalidations; }
    void SetWindowRegion(gdi::HRGN region) override {
        if (region != 0) gdi::DeleteRegion(region);
    }
    bool PaintBackgroundBehind(gdi::HDC) override { return false; }
    void MakeSeeThrough() override {}
    void SetText(const std::u16string&) override {}
    void SetFont(const gdi::Font&) override {}
    void SetEnabled(bool on) override { enabled = on; }
    void SetToolTip(const std::u16string&) override {}
    void SetMousePointer(int, const gdi::Image&) override {}
    void SetCapture(bool on) override { capture = on; }
    bool HasCapture() const override { return capture; }
    gdi::POINT CursorPos() const override { return cursor; }
    bool IsMouseOver() const override { return mouseOver; }
    bool HasFocus() const override { return focus; }
    void TakeFocus() override { focus = true; }
    int ShiftState() const override { return shift; }
    void SetTimer(std::uintptr_t id, int ms) override { timers[id] = ms; }
    void KillTimer(std::uintptr_t id) override { timers.erase(id); }
    bool IsTimerRunning(std::uintptr_t id) const override { return timers.count(id) != 0; }
    void Subclass(const std::vector<winmsg::UINT>& messages) override { subclassed = messages; }
    void ForEachSibling(const std::function<void(LateBound&)>& visit) override {
        for (UserControl* c : siblings) visit(*c);
    }

    // ---- the command button: access keys, the form's controls, size ----
    std::u16string accessKeys;
    std::vector<UserControl*> formControls;  // the form's other controls
    void SetAccessKeys(const std::u16string& keys) override { accessKeys = keys; }
    void ForEachFormControl(const std::function<void(LateBound&)>& visit) override {
        for (UserControl* c : formControls) visit(*c);
    }
    void Resize(gdi::SIZE to) override { size = to; }

    // Hands `control` a message the way a host does: a subclassed one only
    // when the control asked for it; the others always.
    static bool Subclassable(winmsg::UINT m) {
        return m == winmsg::WM_PAINT || m == winmsg::WM_TIMER ||
               (m >= winmsg::WM_MOUSEMOVE && m <= winmsg::WM_MOUSEWHEEL);
    }
    void Send(UserControl& control, winmsg::UINT message, winmsg::WPARAM wParam = 0, winmsg::LPARAM lParam = 0) {
        if (Subclassable(message) && std::find(subclassed.begin(), subclassed.end(), message) == subclassed.end())
            return;
        control.WindowProc(message, wParam, lParam);
    }
    void Mouse(UserControl& control, winmsg::UINT message, int x, int y, winmsg::WPARAM flags = 0) {
        cursor = {x, y};
        mouseOver = x >= 0 && y >= 0 && x < size.cx && y < size.cy;
        Send(control, message, flags, winmsg::MAKELPARAM(x, y));
    }
};
