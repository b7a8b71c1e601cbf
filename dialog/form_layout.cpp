#include "dialog/form_layout.h"

#include "dialog/form_arrangement.h"
#include "dialog/form_geometry.h"
#include "dialog/form_render.h"

#include <QCursor>
#include <QGuiApplication>
#include <QScreen>
#include <QWindow>

#include <algorithm>
#include <cmath>

namespace dialog {

using namespace geometry;

namespace {

TextHeightForWidth ExplanationHeight(const FormView& f) {
    return [&f](int width) {
        int text = 0;
        for (const QLabel* label : f.explanation) text = std::max(text, label->heightForWidth(width));
        return text;
    };
}

QWidget* ShownPanel(FormView& f, Panel shown) { return f.c.CTRLContainer[static_cast<std::size_t>(shown)]; }

}  // namespace

QSize MinimumFormSize(const FormView& f) { return {MinimumFormWidth(), MinimumFormHeight(ExplanationHeight(f))}; }

void PlaceWindow(FormView& f) {
    QScreen* screen = QGuiApplication::screenAt(QCursor::pos());
    if (screen == nullptr) screen = f.window.screen();
    QRect area = screen->availableGeometry();
    // At a fractional scale the area and the frame reach us rounded to whole logical pixels, each
    // perhaps up: keep one logical pixel in hand so that the framed window's last device row
    // still lies on the screen.
    const qreal ratio = screen->devicePixelRatio();
    if (ratio != std::floor(ratio)) area.adjust(0, 0, -1, -1);
    // Until a window manager has framed the window its frame counts as nothing; it reports the
    // frame through onFrameChanged, and the window is placed again.
    const QWindow* handle = f.window.windowHandle();
    const QMargins frame = handle != nullptr ? handle->frameMargins() : QMargins();
    const QSize minimum = f.window.minimumSize();
    const WindowPlacement p =
        PlaceFormWindow({area.x(), area.y(), area.width(), area.height()}, frame.left() + frame.right(),
                        frame.top() + frame.bottom(), minimum.width(), minimum.height());
    f.window.resize(p.clientWidth, p.clientHeight);
    f.window.move(p.x, p.y);
}

void LayoutForm(FormView& f) {
    const FormArrangement a = ArrangeForm(f.window.width(), f.window.height(), ExplanationHeight(f));
    FormControls& c = f.c;
    c.lbl4->setGeometry(ToQRect(a.title));
    c.XPTabCtrl->setGeometry(ToQRect(a.tabFrame));  // its resize lays the frame out
    for (std::size_t i = 0; i < 2; ++i) {
        f.footer[i]->setGeometry(ToQRect(a.footer));
        f.explanation[i]->setGeometry(ToQRect(a.inFooter.explanation));
    }
    auto placeCommands = [&](Command selectAll, Command clearAll, Command setAll) {
        c.cmd[selectAll]->setGeometry(ToQRect(a.inFooter.selectAll));
        c.cmd[clearAll]->setGeometry(ToQRect(a.inFooter.clearAll));
        c.cmd[setAll]->setGeometry(ToQRect(a.inFooter.setAll));
    };
    placeCommands(cmdSelectAllSuite, cmdClearAllSuite, cmdSetAllSuite);
    placeCommands(cmdSelectAllMicrosoft, cmdClearAllMicrosoft, cmdSetAllMicrosoft);
    f.group->setGeometry(ToQRect(a.group));
    c.lbl2->setGeometry(ToQRect(a.folderLabel));
    c.txtPath->setGeometry(ToQRect(a.folderBox));
    c.cmd[cmdBrowse]->setGeometry(ToQRect(a.browse));
    c.List1->setGeometry(ToQRect(a.log));
    c.lbl5->setGeometry(ToQRect(a.status));
    for (std::size_t i = 0; i < a.bottomCommands.size(); ++i) c.cmd[i]->setGeometry(ToQRect(a.bottomCommands[i]));
}

void LayoutPanelFrame(FormView& f, Panel shown) {
    FormControls& c = f.c;
    const PanelFrameArrangement a = ArrangePanelFrame({0, 0, c.XPTabCtrl->width(), c.XPTabCtrl->height()});
    c.TabHeader->setGeometry(ToQRect(a.tabHeader));
    f.panelBody->setGeometry(ToQRect(a.body));
    c.tabTitle->setGeometry(ToQRect(a.panelTitle));
    c.VS->setGeometry(ToQRect(a.scrollBar));
    for (QWidget* panel : c.CTRLContainer) panel->resize(a.panelWidth, panel->height());
    LayoutPanels(f, shown);
}

int PanelSpace(const FormView& f) { return std::max(0, f.panelBody->height() - f.c.tabTitle->height()); }

PanelScroll LayoutPanels(FormView& f, Panel shown) {
    const PanelScroll s = RenderPanelScroll(f.c.VS->Control(), shown, PanelSpace(f));
    ScrollPanel(f, shown);
    return s;
}

void ScrollPanel(FormView& f, Panel shown) {
    QWidget* panel = ShownPanel(f, shown);
    panel->move(panel->x(), PanelTop(f.c.VS->Control().Value()));
}

void ResetPanels(FormView& f) {
    for (QWidget* panel : f.c.CTRLContainer) panel->move(panel->x(), kTabTitleHeight);
    f.c.VS->Control().SetValue(0);
}

}  // namespace dialog
