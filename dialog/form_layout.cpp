#include "dialog/form_layout.h"

#include "dialog/form_geometry.h"

#include <algorithm>

namespace dialog {

using namespace geometry;

namespace {

constexpr int kBottomMargin = 5;

int FooterHeight(const FormView& f, int width) {
    int text = 28;
    for (const QLabel* label : f.explanation) text = std::max(text, label->heightForWidth(width));
    return text + 4 + kCommandHeight;
}

// Everything below the panel frame, for a window of the given inner width.
int BelowPanelFrame(const FormView& f, int inner) {
    return kGap + FooterHeight(f, inner) + kGap + kGroupHeight + kGap + kBottomRowHeight + kBottomMargin;
}

void PlaceFooters(FormView& f, int y, int inner) {
    const int footerHeight = FooterHeight(f, inner);
    const int commandsTop = footerHeight - kCommandHeight;
    for (std::size_t i = 0; i < 2; ++i) {
        f.footer[i]->setGeometry(kMargin, y, inner, footerHeight);
        f.explanation[i]->setGeometry(2, 0, inner - 4, commandsTop - 4);
    }
    auto place = [&](Command selectAll, Command clearAll, Command setAll) {
        f.c.cmd[selectAll]->setGeometry(0, commandsTop, 100, kCommandHeight);
        f.c.cmd[clearAll]->setGeometry(106, commandsTop, 100, kCommandHeight);
        f.c.cmd[setAll]->setGeometry(inner - 130, commandsTop, 130, kCommandHeight);
    };
    place(cmdSelectAllSuite, cmdClearAllSuite, cmdSetAllSuite);
    place(cmdSelectAllMicrosoft, cmdClearAllMicrosoft, cmdSetAllMicrosoft);
}

void PlaceFolderGroup(FormView& f, int y, int inner) {
    FormControls& c = f.c;
    f.group->setGeometry(kMargin, y, inner, kGroupHeight);
    c.lbl2->setGeometry(12, 12, 96, 24);
    c.txtPath->setGeometry(108, 12, inner - 108 - 58, 24);
    c.cmd[cmdBrowse]->setGeometry(inner - 52, 12, 40, 24);
    c.List1->setGeometry(12, 42, inner - 24, kGroupHeight - 54);
}

void PlaceBottomRow(FormView& f, int y, int width) {
    const int inner = width - 2 * kMargin;
    f.c.lbl5->setGeometry(kMargin, y + 2, inner - 3 * 86 - 8, 22);
    for (int i = 0; i < 3; ++i)
        f.c.cmd[static_cast<std::size_t>(i)]->setGeometry(width - kMargin - (3 - i) * 86 + 6, y, 80, kBottomRowHeight);
}

QWidget* ShownPanel(FormView& f, Panel shown) { return f.c.CTRLContainer[static_cast<std::size_t>(shown)]; }

}  // namespace

QSize MinimumFormSize(const FormView& f) {
    const int width = kPanelContentWidth + kScrollWidth + 2 + 4 + 2 * kMargin;
    return {width, kTabCtrlTop + kMinTabCtrlHeight + BelowPanelFrame(f, width - 2 * kMargin)};
}

void LayoutForm(FormView& f) {
    const int w = f.window.width(), h = f.window.height();
    const int inner = w - 2 * kMargin;
    const int tabHeight = std::max(kMinTabCtrlHeight, h - kTabCtrlTop - BelowPanelFrame(f, inner));
    f.c.lbl4->setGeometry(78, 16, inner - 70, 40);
    f.c.XPTabCtrl->setGeometry(kMargin, kTabCtrlTop, inner, tabHeight);  // its resize lays the frame out
    int y = kTabCtrlTop + tabHeight + kGap;
    PlaceFooters(f, y, inner);
    y += f.footer[0]->height() + kGap;
    PlaceFolderGroup(f, y, inner);
    PlaceBottomRow(f, y + kGroupHeight + kGap, w);
}

void LayoutPanelFrame(FormView& f, Panel shown) {
    FormControls& c = f.c;
    const int h = c.XPTabCtrl->height(), w = c.XPTabCtrl->width();
    c.TabHeader->setGeometry(0, 0, w, kTabHeaderHeight);
    f.panelBody->setGeometry(2, kTabHeaderHeight, w - 4, h - kTabHeaderHeight - 2);
    c.tabTitle->setGeometry(0, 0, f.panelBody->width(), kTabTitleHeight);
    c.VS->setGeometry(w - 2 - kScrollWidth, kTabHeaderHeight + kTabTitleHeight, kScrollWidth, PanelSpace(f));
    const int panelWidth = std::max(kPanelContentWidth, f.panelBody->width() - kScrollWidth - 2);
    for (QWidget* panel : c.CTRLContainer) panel->resize(panelWidth, panel->height());
    LayoutPanels(f, shown);
}

int PanelSpace(const FormView& f) { return std::max(0, f.panelBody->height() - f.c.tabTitle->height()); }

int PanelRowPitch(Panel shown) { return shown == Panel::Suite ? kSuiteRowPitch : kMicrosoftRowPitch; }

PanelScroll LayoutPanels(FormView& f, Panel shown) {
    VSC* vs = f.c.VS;
    const PanelScroll s = ScrollFor(ShownPanel(f, shown)->height(), PanelSpace(f), vs->Value());
    // The range first: the page may not exceed it, and the value is kept inside it.
    vs->SetMax(s.max);
    vs->SetLargeChange(s.page);
    vs->SetSmallChange(PanelRowPitch(shown));
    vs->SetPixelsVisible(s.visible);
    if (vs->Enabled() != s.enabled) vs->SetEnabled(s.enabled);
    vs->SetValue(s.value);
    ScrollPanel(f, shown);
    return s;
}

void ScrollPanel(FormView& f, Panel shown) {
    QWidget* panel = ShownPanel(f, shown);
    panel->move(panel->x(), f.c.tabTitle->height() - static_cast<int>(f.c.VS->Value()));
}

void ResetPanels(FormView& f) {
    for (QWidget* panel : f.c.CTRLContainer) panel->move(panel->x(), kTabTitleHeight);
    f.c.VS->SetValue(0);
}

}  // namespace dialog
