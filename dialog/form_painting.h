// The Qt form's surfaces: each widget paints the shared surfaces (form_surfaces.h) through a
// gdi window DC of its own while it handles its paint event.
#pragma once

#include "dialog/form_view.h"

namespace dialog {

void PaintForm(const FormView& f);
void PaintTabHeader(const FormView& f, Panel selected);
void PaintTabTitle(const FormView& f);
void PaintPanelFrame(const FormView& f, const QWidget& frame);
void PaintPanelBackground(const FormView& f, const QWidget& panel);
void PaintFolderGroup(const FormView& f);

}  // namespace dialog
