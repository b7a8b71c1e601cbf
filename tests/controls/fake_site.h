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

    // ---- the text box: an inner editor ----
    // Keeps what it is told; Type() is what a user's key does to a native editor.
    struct Editor : InnerEditor {
        InnerEditorListener& listener;
        std::u16string text, tip;
        Selection selection;
        int maxLength = 32767, fontPixels = 0;  // a native editor's own limit
        bool readOnly = false, enabled = true, focus = false;
        gdi::RECT rect;
        explicit Editor(InnerEditorListener& l) : listener(l) {}
        std::u16string Text() const override { return text; }
        void SetText(const std::u16string& t) override {
            text = t;
            selection = {static_cast<int>(t.size()), 0};
        }
        void SetMaxLength(int units) override { maxLength = units; }
        Selection GetSelection() const override { return selection; }
        void SetSelection(int start, int length) override { selection = {start, length}; }
        void ReplaceSelection(const std::u16string& t) override {
            text.replace(static_cast<std::size_t>(selection.start), static_cast<std::size_t>(selection.length), t);
            selection = {selection.start + static_cast<int>(t.size()), 0};
        }
        void SetReadOnly(bool on) override { readOnly = on; }
        void SetEnabled(bool on) override { enabled = on; }
        void SetFont(const gdi::Font& f) override { fontPixels = f.pixelSize; }
        // A line is three pixels higher than the font's pixel size.
        gdi::SIZE TextExtent(const std::u16string& t) const override {
            return gdi::SIZE{7 * static_cast<int>(t.size()), fontPixels + 3};
        }
        void SetColours(gdi::COLORREF, gdi::COLORREF) override {}
        void SetRect(const gdi::RECT& r) override { rect = r; }
        void TakeFocus() override { focus = true; }
        void SetToolTip(const std::u16string& t) override { tip = t; }
        void Type(char16_t c, int key) {
            listener.EditorMessage(winmsg::WM_KEYDOWN, static_cast<winmsg::WPARAM>(key), 0, 0);
            listener.EditorMessage(winmsg::WM_CHAR, c, 0, 0);
            ReplaceSelection(std::u16string(1, c));
            listener.EditorChanged();
            listener.EditorMessage(winmsg::WM_KEYUP, static_cast<winmsg::WPARAM>(key), 0, 0);
        }
    };
    Editor* editor = nullptr;  // the last one made
    std::unique_ptr<InnerEditor> MakeInnerEditor(InnerEditorListener& listener) override {
        auto made = std::make_unique<Editor>(listener);
        editor = made.get();
        return made;
    }

    // ---- the list box: its scroll bar's window, the font's line, the wheel ----
    // The child's size is its site's; a line is 13 pixels, its ink 9 above and 3 below the baseline.
    struct Child : ChildWindow {
        FakeSite& site;
        gdi::RECT bounds;
        bool visible = false;
        explicit Child(FakeSite& s) : site(s) {}
        ControlSite& Site() override { return site; }
        void Host(UserControl*) override {}
        void SetBounds(const gdi::RECT& r) override { bounds = r, site.size = {r.Right - r.Left, r.Bottom - r.Top}; }
        void SetVisible(bool on) override { visible = on; }
        bool IsVisible() const override { return visible; }
    };
    std::unique_ptr<FakeSite> childSite;  // the last child window's
    Child* child = nullptr;
    int wheelLines = 3;
    std::unique_ptr<ChildWindow> MakeChildWindow() override {
        childSite = std::make_unique<FakeSite>();
        return std::unique_ptr<Child>(child = new Child(*childSite));
    }
    FontLine MeasureLine(const gdi::Font&) const override { return FontLine{13, 10, 3, 9, 3}; }
    int WheelScrollLines() const override { return wheelLines; }

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
