// The form's own surfaces, painted the same on every window system through gdi: the window's
// gradient with the logo and the status strip, the tab header with its captions and focus mark,
// the panel title, the panel frame and the option panels' background, the folder group's frame.
// Each call paints one window (or picture box) whose client area is `area`, at (0, 0); where a
// picture is missing a plain colour stands in.
#pragma once

#include "dialog/dialog_model.h"
#include "dialog/form_arrangement.h"
#include "dialog/skin_files.h"

#include "controls/suite/gdi.h"

#include <functional>

namespace dialog {

// The pictures the surfaces are made of; those with the skins' "not drawn" colour (black) come
// with it turned transparent.
struct FormPictures {
    gdi::Image tabTitle, tabHeaderBG, panelBackground;       // opaque
    gdi::Image transBG, tabBG, tabHeaderConv, panels, logo;  // masked
    gdi::Image statusStrip;                                  // masked; the frame behind the status line
};

// The form's pictures from its skin files (`picture` gives each one, a null image when missing).
// The status line's frame is the text box's skin as a read-only box shows it (its last frame),
// or the built-in button skin's raised face when that skin is missing.
FormPictures FormPicturesFrom(const std::function<gdi::Image(SkinFile)>& picture);

// The window: `status` is where the status line lies in it.
void PaintFormSurface(gdi::HDC dc, const FormPictures& p, const Box& area, const Box& status);
// The tab strip; `font` is the strip's, its captions' weight follows the selection.
enum class HeaderFocus { Away, Here };
void PaintTabHeaderSurface(gdi::HDC dc, const FormPictures& p, const Box& area, Panel selected, HeaderFocus focus,
                           gdi::Font font);
void PaintTabTitleSurface(gdi::HDC dc, const FormPictures& p, const Box& area);
void PaintPanelSurface(gdi::HDC dc, const FormPictures& p, const Box& area);
void PaintPanelFrameSurface(gdi::HDC dc, const FormPictures& p, const Box& area);
void PaintFolderGroupSurface(gdi::HDC dc, const FormPictures& p, const Box& area);

}  // namespace dialog
