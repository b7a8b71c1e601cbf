// Painting the form's own surfaces: the window's gradient with the logo and
// the status strip, the tab strip, the panel title, the panel frame and the
// option panels' background.
#pragma once

#include "dialog/form_view.h"

namespace dialog {

void PaintForm(const FormView& f, QPainter& p);
void PaintTabHeader(const FormView& f, Panel selected, QPainter& p);
void PaintTabTitle(const FormView& f, QPainter& p);
void PaintPanelFrame(const FormView& f, const QWidget& frame, QPainter& p);
void PaintPanelBackground(const FormView& f, const QWidget& panel, QPainter& p);
void PaintFolderGroup(const FormView& f, QPainter& p);

}  // namespace dialog
