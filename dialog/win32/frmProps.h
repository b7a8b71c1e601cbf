// frmProps on Win32: the dialog object the COM library keeps, and the form it shows.
//
// The object lives as long as the library keeps it; its form (the window) is loaded when
// InitConversion shows it and unloaded when it is closed (its close box, Alt+F4, the system
// menu), so every opening starts from the model's defaults while the model remembers whether a
// run was cancelled. The form's controls and painting are to come; for now it is the window
// at the design size, with a plain background.
#pragma once

#include "dialog/dialog_model.h"

#include <windows.h>

#include <cstdint>

namespace dialog::win32 {

inline constexpr const wchar_t* kFormCaption = L"Nexaria Version 4.0 GUID Conversion Utility";

class HostWindowDisabled;

class frmProps {
  public:
    // `module` is the library the window class belongs to.
    explicit frmProps(HINSTANCE module) : m_module(module) {}
    ~frmProps();
    frmProps(const frmProps&) = delete;
    frmProps& operator=(const frmProps&) = delete;

    // Shows the form modally, with the host's active window disabled, and returns when the
    // form has been unloaded: -1 when a run of this object was cancelled, else 0. Throws
    // std::runtime_error saying why when the form cannot be shown (it is open already, or
    // the system refuses its window).
    std::int16_t InitConversion();

    // The form's window class is registered when the form is first shown; the library removes
    // it as it unloads, once no form of it is left.
    static void UnregisterWindowClass(HINSTANCE module);

  private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void Form_Load();
    void Form_Unload();

    HINSTANCE m_module;
    HWND m_window = nullptr;
    HostWindowDisabled* m_host = nullptr;  // while the form shows
    DialogModel m_model;
};

}  // namespace dialog::win32
