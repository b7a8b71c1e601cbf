#include "dialog/frmProps.h"

#include "dialog/control_skins.h"
#include "dialog/form_build.h"
#include "dialog/form_geometry.h"
#include "dialog/form_layout.h"
#include "dialog/form_painting.h"
#include "dialog/form_render.h"
#include "dialog/form_wiring.h"
#include "dialog/form_view.h"
#include "dialog/init_conversion.h"
#include "dialog/log_display.h"
#include "controls/suite/qt/gdi_qt.h"
#include "controls/suite/tavMFC40.h"

#include "engine/code_declarations.h"
#include "platform/disk_file_system.h"
#include "engine/microsoft_controls.h"

#include "platform/regional_clock.h"
#include "platform/qt/folder_chooser.h"
#include "platform/qt/settings.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>

using namespace dialog;
using tavkonv40::kMicrosoftOptionCount;

namespace {

std::size_t At(int i) { return static_cast<std::size_t>(i); }

}  // namespace

frmProps::frmProps() = default;

frmProps::~frmProps() {
    if (m_form) Form_Unload();
}

// ---- public methods ------------------------------------------------------------------------------

std::int16_t frmProps::InitConversion() {
    EnsureLoaded();
    m_form->skins.loadFormPieces();
    m_form->window.exec();
    if (m_form) Form_Unload();
    return InitConversionResult(m_model);
}

void frmProps::CheckEVENTSForUpdate(const std::string& path) { RunStep(path, tavkonv40::CheckEVENTSForUpdate); }

void frmProps::CheckFRMVBBODYForUpdate(const std::string& path) { RunStep(path, tavkonv40::CheckFRMVBBODYForUpdate); }

void frmProps::RunStep(const std::string& path, void (*step)(tavkonv40::StepContext&)) {
    EnsureLoaded();
    tavkonv40::DiskFileSystem fs;
    tavkonv40::RegionalClock clock;
    m_model.runStep(RunServices{fs, *m_display, clock}, path, step);
}

// ---- load and unload --------------------------------------------------------------------------------

void frmProps::EnsureLoaded() {
    if (!m_form) Form_Load();
}

void frmProps::Form_Load() {
    m_form = std::make_unique<FormView>();
    FormView& f = *m_form;
    BuildForm(f);
    m_display = std::make_unique<LogDisplay>(f.c);
    m_bitmapFolder = platform_qt::ReadBitmapsPath();
    f.window.setMinimumSize(MinimumFormSize(f));
    PlaceWindow(f);
    m_shownPanel = Panel::Suite;
    m_model.loadDefaults();

    f.skins.load(m_bitmapFolder);
    WireForm();
    f.skins.apply(f.c);
    for (int i = 0; i < kMicrosoftOptionCount; ++i) SetTag(f.c.chkVBProp[At(i)], m_model.microsoftSlot(i));

    m_model.setOnChange([this] { Render(); });
    Render();
    Form_Resize();
}

void frmProps::Form_Unload() {
    m_model.setOnChange({});
    m_form->skins.release();
    m_display.reset();
    m_form.reset();
}

// ---- wiring ------------------------------------------------------------------------------------------

void frmProps::WireForm() {
    FormView& f = *m_form;
    FormControls& c = f.c;
    FormWindow& w = f.window;
    const FormSkins& skins = f.skins;
    w.onPaint = [this] { PaintForm(*m_form); };
    w.onResize = [this] { Form_Resize(); };
    w.onActivate = [this] { LayoutPanels(*m_form, m_shownPanel); };
    w.mayClose = [this] { return !m_model.running(); };
    w.onFrameChanged = [this] { PlaceWindow(*m_form); };

    auto* tabCtrl = static_cast<FormWidget*>(c.XPTabCtrl);
    tabCtrl->onPaint = [this, tabCtrl] { PaintPanelFrame(*m_form, *tabCtrl); };
    tabCtrl->onResize = [this] { LayoutPanelFrame(*m_form, m_shownPanel); };
    auto* header = static_cast<FormWidget*>(c.TabHeader);
    header->onPaint = [this] { PaintTabHeader(*m_form, m_shownPanel); };
    header->onMouseDown = [this](QMouseEvent* e) { TabHeader_MouseDown(e); };
    header->onKeyDown = [this](QKeyEvent* e) { TabHeader_KeyDown(e); };
    static_cast<FormWidget*>(c.tabTitle)->onPaint = [this] { PaintTabTitle(*m_form); };
    for (FormWidget* panel : f.panels) {
        panel->onPaint = [this, panel] { PaintPanelBackground(*m_form, *panel); };
        panel->onWheel = [this](QWheelEvent* e) { Panel_Wheel(e); };
    }
    f.panelBody->onWheel = [this](QWheelEvent* e) { Panel_Wheel(e); };
    f.rowWheel.onWheel = [this](QWheelEvent* e) { Panel_Wheel(e); };
    for (QWidget* panel : c.CTRLContainer)
        for (QWidget* row : panel->findChildren<QWidget*>()) row->installEventFilter(&f.rowWheel);
    QObject::connect(qApp, &QApplication::focusChanged, &w, [this](QWidget*, QWidget* now) { Panel_FocusIn(now); });
    f.group->onPaint = [this] { PaintFolderGroup(*m_form); };

    QObject::connect(c.VS, &VSCWidget::Change, &w, [this] { VS_Change(); });
    QObject::connect(c.VS, &VSCWidget::Scroll, &w, [this] { VS_Change(); });
    QObject::connect(c.VS, &VSCWidget::QuerySkin, &w,
                     [&skins](long n, SkinMapInfo& s, SkinSource& src) { skins.answerScroll(n, s, src); });
    QObject::connect(c.txtPath, &txtWidget::QuerySkin, &w,
                     [&skins](long, SkinMapInfo& s, SkinSource& src) { skins.answerText(s, src); });
    for (BTNWidget* b : c.cmd) {
        QObject::connect(b, &BTNWidget::QuerySkin, &w,
                         [&skins](long, SkinMapInfo& s, SkinSource& src) { skins.answerCommand(s, src); });
        QObject::connect(b, &BTNWidget::QueryLayout, &w, [](SkinButtonLayoutInfo& l) { AnswerCommandLayout(l); });
    }
    const auto press = [this](Command command) { cmd_Click(command); };
    WireCommands(c.cmd, press);
    WireFolderBox(
        c.txtPath->Control(), m_rendering,
        [this](const std::u16string& text) { m_model.setFolder(gdi::qt::ToQString(text).toStdString()); }, press);
    WireOptionRows();
}

void frmProps::WireOptionRows() {
    FormControls& c = m_form->c;
    FormWindow& w = m_form->window;
    const FormSkins& skins = m_form->skins;
    using Answer = void (FormSkins::*)(SkinMapInfo&, SkinSource&) const;
    const auto skin = [&w, &skins](const auto& hosts, Answer answer) {
        for (GlyphControlWidget* host : hosts)
            QObject::connect(host, &GlyphControlWidget::QuerySkin, &w,
                             [&skins, answer](long, SkinMapInfo& s, SkinSource& src) { (skins.*answer)(s, src); });
    };
    skin(c.chkProp, &FormSkins::answerCheck);
    skin(c.chkVBProp, &FormSkins::answerCheck);
    for (const auto* options : {&c.chkPropTo40, &c.chkPropTo4L}) skin(*options, &FormSkins::answerOption);
    for (const auto* options : {&c.chkVBPropTo40, &c.chkVBPropTo4L}) skin(*options, &FormSkins::answerOption);
    dialog::WireOptionRows(c, m_model, m_rendering);
}

// ---- rendering the model --------------------------------------------------------------------------------

void frmProps::Render() {
    if (!m_form || m_rendering) return;
    m_rendering = true;
    RenderOptionRows();
    RenderCommands();
    RenderFolder();
    RenderPanel();
    m_rendering = false;
}

void frmProps::RenderOptionRows() { dialog::RenderOptionRows(m_form->c, m_model); }

void frmProps::RenderCommands() { dialog::RenderCommands(m_form->c.cmd, m_model); }

void frmProps::RenderFolder() {
    RenderFolderBox(m_form->c.txtPath->Control(), gdi::qt::Text(QString::fromStdString(m_model.folder())), m_model);
}

void frmProps::RenderPanel() {
    FormView& f = *m_form;
    const Panel panel = m_model.selectedPanel();
    f.c.Label1_0->setText(QString::fromLatin1(DialogModel::panelName(panel)));
    if (panel == m_shownPanel && !f.c.CTRLContainer[At(static_cast<int>(panel))]->isHidden()) return;
    m_shownPanel = panel;
    // A row or command that has the focus must not hand it on as it goes out of sight: the next
    // widget in the chain is the folder box, which would take it with its text selected. The
    // header the user clicked takes it, as a tab does.
    const std::size_t shown = At(static_cast<int>(panel)), hidden = At(1 - static_cast<int>(panel));
    if (QWidget* focused = QApplication::focusWidget();
        focused != nullptr &&
        (f.c.CTRLContainer[hidden]->isAncestorOf(focused) || f.footer[hidden]->isAncestorOf(focused)))
        f.c.TabHeader->setFocus(Qt::MouseFocusReason);
    for (std::size_t i = 0; i < 2; ++i) {
        f.c.CTRLContainer[i]->setVisible(i == shown);
        f.footer[i]->setVisible(i == shown);
    }
    f.c.TabHeader->update();
    LayoutPanels(f, panel);
}

// ---- events ------------------------------------------------------------------------------------------------

void frmProps::cmd_Click(Command command) {
    switch (m_model.press(command)) {
        case CommandEffect::StartRun: Start(); break;
        case CommandEffect::CloseDialog: m_form->window.accept(); break;
        case CommandEffect::ChooseFolder: BrowseFolder(); break;
        case CommandEffect::None: break;
    }
}

void frmProps::Start() {
    tavkonv40::DiskFileSystem fs;
    tavkonv40::RegionalClock clock;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    try {
        m_model.start(RunServices{fs, *m_display, clock});
    } catch (...) {
        QApplication::restoreOverrideCursor();
        throw;
    }
    QApplication::restoreOverrideCursor();
}

void frmProps::BrowseFolder() {
    const QString chosen =
        platform_qt::BrowseForFolder(&m_form->window, QString::fromLatin1(DialogModel::folderChooserText()),
                                     QString::fromStdString(m_model.folder()));
    if (!chosen.isEmpty()) m_model.setFolder(chosen.toStdString());
}

// A press anywhere on the strip puts both panels back at the top, whichever tab it chose.
void frmProps::TabHeader_MouseDown(QMouseEvent* e) {
    if (e->button() == Qt::LeftButton) PressTabHeader(e->position().x());
}

void frmProps::TabHeader_KeyDown(QKeyEvent* e) {
    if (const auto x = TabHeaderKeyPress(tavMFC40::KeyCodeFromQt(e->key())))
        PressTabHeader(*x);
    else
        e->ignore();
}

void frmProps::PressTabHeader(double x) {
    ResetPanels(*m_form);
    m_model.pressTabHeader(x);
    LayoutPanels(*m_form, m_shownPanel);
}

void frmProps::Panel_Wheel(QWheelEvent* e) {
    if (WheelPanelScroll(m_form->c.VS->Control(), m_shownPanel, PanelSpace(*m_form), e->angleDelta().y())) VS_Change();
    e->accept();
}

// The option row the keyboard reaches is scrolled into sight.
void frmProps::Panel_FocusIn(QWidget* focused) {
    if (!m_form) return;  // the focus also moves while the form's widgets are being destroyed
    FormView& f = *m_form;
    QWidget* panel = f.c.CTRLContainer[At(static_cast<int>(m_shownPanel))];
    if (focused == nullptr || !panel->isAncestorOf(focused)) return;
    const int top = focused->mapTo(panel, QPoint(0, 0)).y();
    if (ScrollPanelToShow(f.c.VS->Control(), m_shownPanel, PanelSpace(f), top, top + focused->height())) VS_Change();
}

void frmProps::VS_Change() { ScrollPanel(*m_form, m_shownPanel); }

void frmProps::Form_Resize() {
    if (!m_form || !m_form->c.XPTabCtrl) return;
    LayoutForm(*m_form);
}
