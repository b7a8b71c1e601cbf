// A child window of the Win32 form whose painting and presses belong to the form: the panel
// frame, the tab header, the panel body (which clips the scrolling panels), the panel title, the
// option panels and the folder group. It composes its picture off-screen through gdi and copies
// it in one blit, both when it paints itself and when a see-through control in it asks for what
// lies behind it (WM_PRINTCLIENT); a surface with see-through parts has its parent print itself
// underneath first.
#pragma once

#include "dialog/form_arrangement.h"

#include "controls/suite/gdi.h"

#include <windows.h>

#include <functional>

namespace dialog::win32 {

enum class Underneath { Nothing, Parent };

// The form is arranged in logical units; its windows take `window`'s device pixels for them
// (gdi::DeviceScale), every edge rounded as the controls' own pictures are.
double Scale(HWND window);
Box DeviceBox(const Box& logical, double scale);
// `window`'s client area in logical units.
Box LogicalClient(HWND window);
// Places `window` over `logical` of its parent; nothing for no window.
void PlaceWindow(HWND window, const Box& logical);

// Paints `paint` through a client-sized off-screen surface onto `target` (a window's DC, or the
// DC a WM_PRINTCLIENT brings); with Underneath::Parent the parent's print goes under it.
void PaintComposed(HWND window, HDC target, Underneath underneath, const std::function<void(gdi::HDC)>& paint);

class SurfaceWindow {
  public:
    // `name` is the control's name on the form (the window's text); `holdsControls` lets the
    // keyboard's Tab reach the controls inside it.
    enum class Holds { Nothing, Controls };
    SurfaceWindow(HWND parent, const wchar_t* name, Holds holds, Underneath underneath = Underneath::Nothing);
    ~SurfaceWindow();
    SurfaceWindow(const SurfaceWindow&) = delete;
    SurfaceWindow& operator=(const SurfaceWindow&) = delete;

    HWND Handle() const { return m_window; }
    void Place(const Box& at) const;  // logical units, as Area() and the mouse's points
    Box Area() const;

    std::function<void(gdi::HDC)> onPaint;
    std::function<void(int x, int y)> onMouseDown;
    std::function<void(WPARAM key)> onKeyDown;
    std::function<void()> onResize;

    static void UnregisterWindowClass(HINSTANCE module);

  private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);

    HWND m_window = nullptr;
    Underneath m_underneath;
};

}  // namespace dialog::win32
