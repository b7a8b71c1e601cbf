// The Win32 form as a view of the model: its windows wired to the model, rendered from it and
// painted with the shared surfaces, as the Qt form does.
#include "dialog/form_geometry.h"
#include "dialog/form_labels.h"
#include "dialog/form_render.h"
#include "dialog/form_wiring.h"
// The controls' headers (in form_windows.h) come before windows.h.
#include "dialog/win32/form_windows.h"
#include "controls/suite/win32/gdi_win32.h"
#include "dialog/win32/frmProps.h"
#include "dialog/win32/run_display.h"

#include "platform/windows_text.h"

namespace dialog::win32 {

using namespace geometry;

namespace {

std::size_t At(int i) { return static_cast<std::size_t>(i); }

void PaintColumnHeadings(gdi::HDC dc, int columnX) {
    const auto headings = ArrangeColumnHeadings(columnX);
    PaintLabel(dc, Label::Plain, u"40", headings[0], Win32FormFont());
    PaintLabel(dc, Label::Plain, u"40L", headings[1], Win32FormFont());
}

Box Inside(const Box& outer, const Box& inner) {
    return {outer.x + inner.x, outer.y + inner.y, inner.width, inner.height};
}

}  // namespace

void frmProps::WireForm() {
    FormWindows& w = *m_form;
    w.paintForm = [this](gdi::HDC dc) {
        const FormArrangement& a = m_form->arrangement;
        PaintFormSurface(dc, m_form->pictures, LogicalClient(m_window), a.status);
        const gdi::Font font = Win32FormFont();
        PaintLabel(dc, Label::Title, u"Conversion Utility", a.title, font);
        PaintLabel(dc, Label::Explanation, Latin1(DialogModel::panelExplanation(m_shownPanel)),
                   Inside(a.footer, a.inFooter.explanation), font);
        const std::wstring status = tavkonv40::windows::widen(m_display->status());
        PaintLabel(dc, Label::Status, std::u16string(status.begin(), status.end()), a.status, font);
    };
    w.XPTabCtrl->onPaint = [this](gdi::HDC dc) {
        PaintPanelFrameSurface(dc, m_form->pictures, m_form->XPTabCtrl->Area());
    };
    w.TabHeader->onPaint = [this](gdi::HDC dc) {
        const HeaderFocus focus = ::GetFocus() == m_form->TabHeader->Handle() ? HeaderFocus::Here : HeaderFocus::Away;
        PaintTabHeaderSurface(dc, m_form->pictures, m_form->TabHeader->Area(), m_shownPanel, focus, Win32FormFont());
    };
    // A press anywhere on the strip puts both panels back at the top, whichever tab it chose.
    w.TabHeader->onMouseDown = [this](int x, int) { PressTabHeader(x); };
    w.TabHeader->onKeyDown = [this](WPARAM key) {
        if (const auto x = TabHeaderKeyPress(static_cast<int>(key))) PressTabHeader(*x);
    };
    w.tabTitle->onPaint = [this](gdi::HDC dc) {
        const Box area = m_form->tabTitle->Area();
        PaintTabTitleSurface(dc, m_form->pictures, area);
        PaintLabel(dc, Label::PanelTitle, Latin1(DialogModel::panelName(m_model.selectedPanel())),
                   {34, 0, 400, area.height}, Win32FormFont());
    };
    w.panelBody->onPaint = [this](gdi::HDC dc) { PaintPanelSurface(dc, m_form->pictures, m_form->panelBody->Area()); };
    for (int i = 0; i < 2; ++i) {
        w.CTRLContainer[At(i)]->onPaint = [this, i](gdi::HDC dc) {
            PaintPanelSurface(dc, m_form->pictures, m_form->CTRLContainer[At(i)]->Area());
            if (i == 0)
                for (int x : SuiteColumnXs()) PaintColumnHeadings(dc, x);
            else
                PaintColumnHeadings(dc, MicrosoftColumnX());
        };
    }
    w.group->onPaint = [this](gdi::HDC dc) {
        PaintFolderGroupSurface(dc, m_form->pictures, m_form->group->Area());
        PaintLabel(dc, Label::Plain, u"Current Folder", m_form->arrangement.folderLabel, Win32FormFont());
    };
    w.VS->Control().Change = [this] { ScrollPanel(*m_form, m_shownPanel); };
    w.VS->Control().Scroll = [this] { ScrollPanel(*m_form, m_shownPanel); };
    WireOptionRows(w, m_model, m_rendering);
    const auto press = [this](Command command) { cmd_Click(command); };
    WireCommands(w.cmd, press);
    WireFolderBox(
        w.txtPath->Control(), m_rendering,
        [this](const std::u16string& text) {
            m_model.setFolder(tavkonv40::windows::narrow(std::wstring(text.begin(), text.end())));
        },
        press);
}

void frmProps::Render() {
    if (!m_form || m_rendering) return;
    m_rendering = true;
    RenderOptionRows(*m_form, m_model);
    RenderCommands(m_form->cmd, m_model);
    RenderFolder();
    RenderPanel();
    m_rendering = false;
}

void frmProps::RenderFolder() {
    const std::wstring folder = tavkonv40::windows::widen(m_model.folder());
    RenderFolderBox(m_form->txtPath->Control(), std::u16string(folder.begin(), folder.end()), m_model);
}

void frmProps::RenderPanel() {
    FormWindows& w = *m_form;
    const Panel panel = m_model.selectedPanel();
    const bool shownAlready = ::IsWindowVisible(w.CTRLContainer[At(static_cast<int>(panel))]->Handle()) != FALSE;
    if (panel == m_shownPanel && shownAlready) return;
    m_shownPanel = panel;
    // A row or command that has the focus must not hand it on as it goes out of sight: the
    // header takes it.
    const HWND hidden = w.CTRLContainer[At(1 - static_cast<int>(panel))]->Handle();
    const HWND focused = ::GetFocus();
    bool focusHidden = focused != nullptr && ::IsChild(hidden, focused);
    for (int index = 0; index < kCommandCount; ++index)
        if (const auto owner = DialogModel::commandPanel(static_cast<Command>(index)); owner && *owner != panel)
            focusHidden = focusHidden || focused == w.cmd[At(index)]->Handle();
    if (focusHidden) ::SetFocus(w.TabHeader->Handle());
    for (int i = 0; i < 2; ++i)
        ::ShowWindow(w.CTRLContainer[At(i)]->Handle(), i == static_cast<int>(panel) ? SW_SHOWNA : SW_HIDE);
    for (int index = 0; index < kCommandCount; ++index)
        if (const auto owner = DialogModel::commandPanel(static_cast<Command>(index)))
            ::ShowWindow(w.cmd[At(index)]->Handle(), *owner == panel ? SW_SHOWNA : SW_HIDE);
    ::InvalidateRect(w.TabHeader->Handle(), nullptr, FALSE);
    ::InvalidateRect(w.tabTitle->Handle(), nullptr, FALSE);
    ::InvalidateRect(m_window, nullptr, FALSE);  // the explanation under the panel
    LayoutPanels(w, panel);
}

void frmProps::PressTabHeader(double x) {
    ResetPanels(*m_form);
    m_model.pressTabHeader(x);
    LayoutPanels(*m_form, m_shownPanel);
}

void frmProps::Panel_Wheel(int angleDelta) {
    if (WheelPanelScroll(m_form->VS->Control(), m_shownPanel, PanelSpace(*m_form), angleDelta))
        ScrollPanel(*m_form, m_shownPanel);
}

// The option row the keyboard (or a click) reaches is scrolled into sight.
void frmProps::Panel_FocusIn(HWND focused) {
    if (!m_form || focused == nullptr) return;
    const HWND panel = m_form->CTRLContainer[At(static_cast<int>(m_shownPanel))]->Handle();
    if (!::IsChild(panel, focused)) return;
    RECT row{};
    ::GetWindowRect(focused, &row);
    ::MapWindowPoints(nullptr, panel, reinterpret_cast<POINT*>(&row), 2);
    const double scale = Scale(panel);
    if (ScrollPanelToShow(m_form->VS->Control(), m_shownPanel, PanelSpace(*m_form),
                          gdi::win32::ToLogical(row.top, scale), gdi::win32::ToLogical(row.bottom, scale)))
        ScrollPanel(*m_form, m_shownPanel);
}

void frmProps::Form_Resize() {
    if (!m_form) return;
    const Box client = LogicalClient(m_window);
    ArrangeFormWindows(*m_form, client.width, client.height);
    LayoutPanels(*m_form, m_shownPanel);
    ::InvalidateRect(m_window, nullptr, FALSE);
}

}  // namespace dialog::win32
