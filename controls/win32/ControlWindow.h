// ControlWindow: the Win32 host of a control written against ControlSite.
//
// A child window of one window class ("tavKonv40Control") that implements
// the site with the system's calls (window timers, capture, the cursor,
// focus, EnableWindow, SetWindowTextW) and hands the control its messages:
// the ones it subclasses through the system's own subclassing
// (SetWindowSubclass / DefSubclassProc), a paint message between BeginPaint
// and EndPaint; keys, focus, enabling, showing, size and move always.
// HostedWindow<C> (HostedWindows.h) owns a control and hosts it.
//
// The control works in logical units; the window's size, its shape, the mouse's points and the
// places it is given are converted to and from the window's device pixels here.
//
// The window's shape is the control's region (SetWindowRgn); its tool tip a
// tool tip control made when there first is a text; its mouse pointer a
// system cursor set on WM_SETCURSOR; what lies behind a see-through control
// is what the parent paints of itself (WM_ERASEBKGND and WM_PRINTCLIENT).
#pragma once

#include "controls/UserControl.h"

#include <vector>

struct HWND__;  // the system's window handle is HWND__*

class ControlWindow : public ControlSite {
  public:
    ~ControlWindow() override;
    ControlWindow(const ControlWindow&) = delete;
    ControlWindow& operator=(const ControlWindow&) = delete;

    HWND__* Handle() const { return m_window; }
    UserControl* HostedControl() const { return m_control; }
    // The tool tip control, nullptr until there is a tip to show.
    HWND__* ToolTipWindow() const { return m_toolTipWindow; }

    // ---- ControlSite ----------------------------------------------------------------------
    gdi::HWND Window() override;
    gdi::SIZE ClientSize() const override;
    void Invalidate() override;
    void SetWindowRegion(gdi::HRGN region) override;
    bool PaintBackgroundBehind(gdi::HDC dc) override;
    void MakeSeeThrough() override;
    void SetText(const std::u16string& text) override;
    void SetFont(const gdi::Font& font) override;
    void SetEnabled(bool on) override;
    void SetToolTip(const std::u16string& text) override;
    // Shows `text` as the tool tip of the whole of `window` (none when empty), through
    // `toolTipWindow`, made at the first text and destroyed by its owner.
    static void ShowToolTip(HWND__* window, HWND__*& toolTipWindow, const std::u16string& text);
    void SetMousePointer(int pointer, const gdi::Image& icon) override;
    void SetCapture(bool on) override;
    bool HasCapture() const override;
    gdi::POINT CursorPos() const override;
    bool IsMouseOver() const override;
    bool HasFocus() const override;
    void TakeFocus() override;
    int ShiftState() const override;
    void SetTimer(std::uintptr_t id, int milliseconds) override;
    void KillTimer(std::uintptr_t id) override;
    bool IsTimerRunning(std::uintptr_t id) const override;
    void Subclass(const std::vector<winmsg::UINT>& messages) override;
    void ForEachSibling(const std::function<void(LateBound&)>& visit) override;

    // ---- the text box: an inner editor, the window's size ----
    std::unique_ptr<InnerEditor> MakeInnerEditor(InnerEditorListener& listener) override;

    // Called by the window procedures only.
    winmsg::LRESULT Deliver(winmsg::UINT message, winmsg::WPARAM wParam, winmsg::LPARAM lParam);
    bool Subclasses(winmsg::UINT message) const;
    // Sets the cursor for WM_SETCURSOR; false leaves it to the window's class.
    bool ShowMousePointer() const;

  protected:
    // Creates the child window of `parent` over `at` (client coordinates in logical units: the
    // window takes the parent's device pixels for them, gdi::DeviceScale).
    ControlWindow(HWND__* parent, const gdi::RECT& at);
    void Bind(UserControl* control) { m_control = control; }

  private:
    HWND__* m_window = nullptr;
    UserControl* m_control = nullptr;
    std::vector<winmsg::UINT> m_subclassed;
    std::vector<std::uintptr_t> m_timers;
    HWND__* m_toolTipWindow = nullptr;
    int m_mousePointer = 0;

    // ---- the command button: access keys, default / cancel, the form's controls, size ----
  public:
    void SetAccessKeys(const std::u16string& keys) override;
    void ForEachFormControl(const std::function<void(LateBound&)>& visit) override;
    void Resize(gdi::SIZE size) override;
    // Makes the control its form's Default (Enter) or Cancel (Escape) control through its extender.
    void SetDefault(bool on);
    void SetCancel(bool on);
    // Hands a key pressed in `from`'s form to the control that takes it: Alt +
    // an access key (WM_SYSCHAR), Enter or Escape (WM_KEYDOWN) to the Default
    // or Cancel control.  False when no enabled, visible control takes it.
    static bool RouteFormKey(HWND__* from, winmsg::UINT message, winmsg::WPARAM key);

  private:
    std::u16string m_accessKeys;
    // ---- windows that never take the focus (the scroll bars) ----
  public:
    bool RefusesFocus() const { return m_refusesFocus; }

  protected:
    // From now on a click leaves the focus where it is and tabbing passes the window by.
    void RefuseFocus();

  private:
    bool m_refusesFocus = false;

    // ---- the list box: its scroll bar's window, the font's line, the wheel ----
  public:
    std::unique_ptr<ChildWindow> MakeChildWindow() override;
    FontLine MeasureLine(const gdi::Font& font) const override;
    int WheelScrollLines() const override;
};
