// frmProps on Win32: the dialog object the COM library keeps, and the form it shows.
//
// The object lives as long as the library keeps it; its form (the window) is loaded when
// InitConversion shows it and unloaded when it is closed (its close box, Alt+F4, the system
// menu), so every opening starts from the model's defaults while the model remembers whether a
// run was cancelled. The form renders the model and forwards every click to it, as the Qt form
// does; its surfaces are the shared ones (form_surfaces.h), its windows in form_windows.h.
#pragma once

#include "dialog/dialog_model.h"
#include "dialog/win32/folder_chooser.h"

#include <windows.h>

#include <cstdint>
#include <memory>

namespace dialog::win32 {

inline constexpr const wchar_t* kFormCaption = L"Nexaria Version 4.0 GUID Conversion Utility";

class HostWindowDisabled;
class RunDisplay;
struct FormWindows;

class frmProps {
  public:
    // `module` is the library the window class belongs to.
    explicit frmProps(HINSTANCE module);
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

    // The folder chooser "..." opens (the shell's unless a test gives another).
    void SetFolderChooser(FolderChooser chooser) { m_chooseFolder = std::move(chooser); }

  private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void Form_Load();
    void Form_Unload();
    void WireForm();
    void Render();
    void RenderFolder();
    void RenderPanel();
    void PressTabHeader(double x);
    void Panel_Wheel(int angleDelta);
    void Panel_FocusIn(HWND focused);
    void Form_Resize();
    void cmd_Click(Command command);
    void Start();
    void BrowseFolder();
    void RepaintStatus();

    HINSTANCE m_module;
    HWND m_window = nullptr;
    HWND m_lastFocus = nullptr;            // the control that had the focus when the form was last deactivated
    HostWindowDisabled* m_host = nullptr;  // while the form shows
    DialogModel m_model;
    std::unique_ptr<FormWindows> m_form;  // while the form is loaded
    Panel m_shownPanel = Panel::Suite;
    bool m_rendering = false;  // the form is being set from the model: its events are echoes
    std::unique_ptr<RunDisplay> m_display;
    FolderChooser m_chooseFolder = ShellFolderChooser;
};

}  // namespace dialog::win32
