// frmProps: the conversion dialog.
//
// One object lives for the life of the library (see clsPropPage).  Its form -
// the window and every control on it - is loaded when the dialog is opened
// and unloaded when it closes, so the options start from their defaults at
// every opening, while the object's own fields (the cancel flag among them)
// keep their values from one opening to the next.
//
// Exactly three public methods; everything else is the form's own business.
#pragma once

#include "form_controls.h"
#include "skin_set.h"

#include "step_context.h"

#include <QImage>
#include <QString>

#include <array>
#include <cstdint>
#include <memory>
#include <string>

class QMouseEvent;
class QPainter;

namespace dialog {
class DialogOptions;
class DialogRunHost;
}  // namespace dialog

class frmProps {
public:
    frmProps();
    ~frmProps();
    frmProps(const frmProps&) = delete;
    frmProps& operator=(const frmProps&) = delete;

    // Opens the dialog modally and returns, when it has been closed, the
    // cancel flag: -1 when a run was cancelled while this object existed, else 0.
    std::int16_t InitConversion();

    // The code-declaration and Microsoft-control steps for one file, with the
    // form's options (the form is loaded when it is not).
    void CheckEVENTSForUpdate(const std::string& path);
    void CheckFRMVBBODYForUpdate(const std::string& path);

private:
    struct Form;

    // lifecycle
    void EnsureLoaded();
    void Form_Load();
    void Form_Unload();
    void Form_Resize();
    void RunStep(const std::string& path, void (*step)(tavkonv40::StepContext&));

    // building the form
    void CreateControls();
    void CreateSuitePanel();
    void CreateMicrosoftPanel();
    Opt* CreateEditionOption(QWidget* panel, const char* array, int index, bool to40, const QRect& at);
    void CreateCommands();

    // skins
    void LoadSkinPictures();
    void ApplySkins();
    void OnQuerySkinCheck(SkinMapInfo& skin, SkinSource& source);
    void OnQuerySkinOption(SkinMapInfo& skin, SkinSource& source);
    void OnQuerySkinCommand(SkinMapInfo& skin, SkinSource& source);
    void OnQuerySkinText(SkinMapInfo& skin, SkinSource& source);
    void OnQuerySkinScroll(long resNumber, SkinMapInfo& skin, SkinSource& source);
    void OnQueryLayout(SkinButtonLayoutInfo& layout);
    void ReleaseFormResources();

    // option panels
    void chkProp_Click(int index);
    void chkVBProp_Click(int index);
    void SetAllSuite();
    void SetAllMicrosoft();

    // commands and displays
    void cmd_Click(int index);
    void Start();
    void BrowseFolder();
    void txtPath_Change();
    void TabHeader_MouseDown(QMouseEvent* e);
    void VS_Change();
    void XPTabCtrl_Resize();
    void LayoutPanels();
    void PaintForm(QPainter& p);
    void PaintTabHeader(QPainter& p);
    void PaintTabTitle(QPainter& p);
    void PaintPanelFrame(QPainter& p, QWidget* panel);

    // fields of the dialog object
    QString m_bitmapFolder;
    dialog::Panel m_selectedPanel = dialog::Panel::Suite;
    std::int16_t m_cancel = 0;
    tavkonv40::RunState m_runState;
    bool m_running = false;

    // pictures held while the form is loaded
    std::array<QImage, dialog::kSkinFileCount> m_pictures;
    std::array<QImage, 5> m_currentSkin;  // answers to the controls' skin requests

    std::unique_ptr<Form> m_form;
};
