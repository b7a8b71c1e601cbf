#include "dialog/form_painting.h"

#include "dialog/form_surfaces.h"

#include "controls/suite/qt/gdi_qt.h"

namespace dialog {

namespace {

Box Area(const QWidget& w) { return {0, 0, w.width(), w.height()}; }

template <typename Paint>
void OnWindowDc(const QWidget& w, Paint paint) {
    const gdi::HWND window = gdi::qt::Window(const_cast<QWidget*>(&w));
    const gdi::HDC dc = gdi::GetDC(window);
    if (dc == 0) return;
    paint(dc);
    gdi::ReleaseDC(window, dc);
}

}  // namespace

void PaintForm(const FormView& f) {
    const QRect status = f.c.lbl5->geometry();
    OnWindowDc(f.window, [&](gdi::HDC dc) {
        PaintFormSurface(dc, f.skins.pictures, Area(f.window),
                         {status.x(), status.y(), status.width(), status.height()});
    });
}

void PaintTabHeader(const FormView& f, Panel selected) {
    const QWidget& header = *f.c.TabHeader;
    const HeaderFocus focus = header.hasFocus() ? HeaderFocus::Here : HeaderFocus::Away;
    OnWindowDc(header, [&](gdi::HDC dc) {
        PaintTabHeaderSurface(dc, f.skins.pictures, Area(header), selected, focus, gdi::qt::FontOf(header.font()));
    });
}

void PaintTabTitle(const FormView& f) {
    OnWindowDc(*f.c.tabTitle, [&](gdi::HDC dc) { PaintTabTitleSurface(dc, f.skins.pictures, Area(*f.c.tabTitle)); });
}

void PaintPanelBackground(const FormView& f, const QWidget& panel) {
    OnWindowDc(panel, [&](gdi::HDC dc) { PaintPanelSurface(dc, f.skins.pictures, Area(panel)); });
}

void PaintPanelFrame(const FormView& f, const QWidget& frame) {
    OnWindowDc(frame, [&](gdi::HDC dc) { PaintPanelFrameSurface(dc, f.skins.pictures, Area(frame)); });
}

void PaintFolderGroup(const FormView& f) {
    OnWindowDc(*f.group, [&](gdi::HDC dc) { PaintFolderGroupSurface(dc, f.skins.pictures, Area(*f.group)); });
}

}  // namespace dialog
