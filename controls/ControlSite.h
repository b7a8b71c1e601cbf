// ControlSite: what a skinned control asks of the window that hosts it.
//
// A control's behaviour (its properties and their rules, its state under
// mouse, keys and timers, what it paints) is written once against this
// interface and the window messages of suite/window_messages.h.  Each window
// system gives it a host: a window that implements these calls and hands the
// control its messages (controls/qt/ over Qt widgets, controls/win32/ over
// the system's windows, a fake in the tests).
//
// Messages reach UserControl::WindowProc two ways:
//   - the ones the control subclasses (Subclass): mouse, paint, timer and
//     whatever else it names; the control's MsgResponse says whether its
//     handler replaces the window's own processing;
//   - always, in both modes: WM_KEYDOWN (bit 30 of lParam for a repeat),
//     WM_CHAR, WM_KEYUP, WM_SETFOCUS, WM_KILLFOCUS, WM_ENABLE (wParam 0 when
//     the window became disabled), WM_SHOWWINDOW (wParam 0 when hidden),
//     WM_SIZE, WM_MOVE, and WM_PAINT when the paint message is not subclassed.
#pragma once

#include "controls/InnerEditor.h"
#include "controls/suite/gdi.h"
#include "controls/suite/window_messages.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// A control seen late-bound, by property name, as a container's other
// controls see it (an option button's group rule reads GroupID and Value).
class LateBound {
  public:
    virtual ~LateBound() = default;
    // The property as a number (truth values as 0 / 1), empty when there is none.
    virtual std::optional<std::int64_t> NumberProperty(std::string_view name) const = 0;
    // Sets a truth-valued property; false when there is none.
    virtual bool SetFlagProperty(std::string_view name, bool value) = 0;
};

class ControlSite {
  public:
    virtual ~ControlSite() = default;

    // ---- the window ----------------------------------------------------------------------
    // What gdi::GetDC takes to paint on the window (during its paint message).
    virtual gdi::HWND Window() = 0;
    virtual gdi::SIZE ClientSize() const = 0;
    // Asks for a paint message soon (several requests make one).
    virtual void Invalidate() = 0;
    // The window's shape: `region` (the window owns it from now on) or 0 for
    // its whole rectangle.
    virtual void SetWindowRegion(gdi::HRGN region) = 0;
    // Paints what the control's container shows behind the control into the
    // client-sized memory DC `dc`; false when it cannot.
    virtual bool PaintBackgroundBehind(gdi::HDC dc) = 0;
    // From now on the window does not fill itself: what it leaves unpainted
    // shows its container.
    virtual void MakeSeeThrough() = 0;
    // The window's text (its title, as accessibility tools read it).
    virtual void SetText(const std::u16string& text) = 0;
    virtual void SetFont(const gdi::Font& font) = 0;
    virtual void SetEnabled(bool on) = 0;
    virtual void SetToolTip(const std::u16string& text) = 0;
    // The mouse pointer over the window: 0 the default arrow, 99 the custom
    // `icon` (the arrow without one), other numbers the standard cursors.
    virtual void SetMousePointer(int pointer, const gdi::Image& icon) = 0;

    // ---- input ---------------------------------------------------------------------------
    virtual void SetCapture(bool on) = 0;
    virtual bool HasCapture() const = 0;
    // The cursor, in the window's client coordinates.
    virtual gdi::POINT CursorPos() const = 0;
    // True when the cursor is over the visible window itself.
    virtual bool IsMouseOver() const = 0;
    virtual bool HasFocus() const = 0;
    virtual void TakeFocus() = 0;
    // The keyboard's shift state now (winmsg::vbShiftMask, vbCtrlMask, vbAltMask).
    virtual int ShiftState() const = 0;

    // ---- window timers: each tick comes back as WM_TIMER (wParam = id) -------------------------
    virtual void SetTimer(std::uintptr_t id, int milliseconds) = 0;
    virtual void KillTimer(std::uintptr_t id) = 0;
    virtual bool IsTimerRunning(std::uintptr_t id) const = 0;

    // ---- subclassing -----------------------------------------------------------------------
    // From now on `messages` reach the control's WindowProc (replacing an
    // earlier list; an empty list ends the subclassing).
    virtual void Subclass(const std::vector<winmsg::UINT>& messages) = 0;

    // ---- the container ---------------------------------------------------------------------
    // Visits the other controls of the control's container.
    virtual void ForEachSibling(const std::function<void(LateBound&)>& visit) = 0;

    // ---- the command button: access keys, default / cancel, the form's controls, size ----
    // From now on Alt + each of `keys` (lower case; empty for none) pressed
    // anywhere in the control's form reaches the control's AccessKeyPress.
    // So do Enter for the form's Default control and Escape for its Cancel
    // control (the extender's Default and Cancel, which the host sets).
    virtual void SetAccessKeys(const std::u16string& keys) = 0;
    // Visits every other control of the control's form, in whichever container.
    virtual void ForEachFormControl(const std::function<void(LateBound&)>& visit) = 0;
    // Resizes the window to `size`, its top-left corner kept; its WM_SIZE follows.
    virtual void Resize(gdi::SIZE size) = 0;

    // ---- the text box: an inner editor -------------------------------------------------------
    // The window system's own single-line editor as a child of the window
    // (controls/InnerEditor.h), reporting to `listener`; never null.
    virtual std::unique_ptr<InnerEditor> MakeInnerEditor(InnerEditorListener& listener) = 0;

    // ---- the list box: its scroll bar's window, the font's line, the wheel ----
    // A child window of the host's kind that hosts a control built on its
    // Site().  It never takes the focus.
    class ChildWindow {
      public:
        virtual ~ChildWindow() = default;
        virtual ControlSite& Site() = 0;
        // The control its messages go to; nullptr before that control goes.
        virtual void Host(class UserControl* control) = 0;
        // In the parent's client coordinates.
        virtual void SetBounds(const gdi::RECT& bounds) = 0;
        virtual void SetVisible(bool on) = 0;
        // Whether it shows when its parent does.
        virtual bool IsVisible() const = 0;
    };
    // A hidden child window of this window; never null.
    virtual std::unique_ptr<ChildWindow> MakeChildWindow() = 0;
    // A font's line as the window system draws it: its height, its ascent and
    // descent, and how far its ink usually reaches above and below the baseline.
    struct FontLine {
        int height = 0;
        int ascent = 0;
        int descent = 0;
        int inkAbove = 0;
        int inkBelow = 0;
    };
    virtual FontLine MeasureLine(const gdi::Font& font) const = 0;
    // The system's setting: lines a wheel notch scrolls.
    virtual int WheelScrollLines() const = 0;
};
