// frmProps: the conversion dialog.
//
// One object lives for the life of the library (see clsPropPage).  Its form -
// the window and every control on it - is loaded when the dialog is opened
// and unloaded when it closes, so the options start from their defaults at
// every opening, while the object's model remembers whether a run was
// cancelled.  The form is a view: it renders the model (dialog_model.h) and
// forwards every click and keystroke to it.
//
// Exactly three public methods; everything else is the form's own business.
#pragma once

#include "dialog/dialog_model.h"

#include "engine/step_context.h"

#include <QString>

#include <cstdint>
#include <memory>
#include <string>

class QKeyEvent;
class QMouseEvent;
class QWheelEvent;
class QWidget;

namespace dialog {
struct FormView;
class LogDisplay;
}  // namespace dialog

class frmProps {
  public:
    frmProps();
    ~frmProps();
    frmProps(const frmProps&) = delete;
    frmProps& operator=(const frmProps&) = delete;

    // Opens the dialog modally and returns, when it has been closed, -1 when any
    // run of this object was cancelled, else 0.
    std::int16_t InitConversion();

    // The code-declaration and Microsoft-control steps for one file, with the
    // form's options (the form is loaded when it is not).
    void CheckEVENTSForUpdate(const std::string& path);
    void CheckFRMVBBODYForUpdate(const std::string& path);

  private:
    // lifecycle
    void EnsureLoaded();
    void Form_Load();
    void Form_Unload();
    void RunStep(const std::string& path, void (*step)(tavkonv40::StepContext&));

    // wiring and rendering
    void WireForm();
    void WireOptionRows();
    void Render();
    void RenderOptionRows();
    void RenderCommands();
    void RenderFolder();
    void RenderPanel();

    // events
    void cmd_Click(dialog::Command command);
    void Start();
    void BrowseFolder();
    void TabHeader_MouseDown(QMouseEvent* e);
    void TabHeader_KeyDown(QKeyEvent* e);
    void PressTabHeader(double x);
    void Panel_Wheel(QWheelEvent* e);
    void Panel_FocusIn(QWidget* focused);
    void VS_Change();
    void Form_Resize();

    QString m_bitmapFolder;
    dialog::DialogModel m_model;
    dialog::Panel m_shownPanel = dialog::Panel::Suite;
    bool m_rendering = false;  // the form is being set from the model: its events are echoes

    std::unique_ptr<dialog::FormView> m_form;
    std::unique_ptr<dialog::LogDisplay> m_display;
};
