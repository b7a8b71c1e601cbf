// The Win32 form's child windows: the surfaces, the option rows' check boxes and option buttons,
// the option panel's scroll bar, the command buttons, the folder box and the log. Built and
// arranged from the shared arrangement (form_arrangement.h), Tab order (tab_order.h) and panel
// scrolling (form_render.h), as the Qt form is.
#pragma once

// The controls' headers come before windows.h, whose macros share names with their messages.
#include "controls/win32/HostedWindows.h"

#include "dialog/control_skins.h"
#include "dialog/dialog_model.h"
#include "dialog/form_arrangement.h"
#include "dialog/form_surfaces.h"
#include "dialog/win32/surface_window.h"

#include "engine/catalogue.h"

#include <array>
#include <functional>
#include <memory>

namespace dialog::win32 {

// The window ids a host finds the command buttons (kCommandId + the Command), the folder box and
// the log list by.
inline constexpr int kCommandId = 100;
inline constexpr int kFolderBoxId = 120;
inline constexpr int kLogListId = 121;

std::unique_ptr<BTNWindow> MakeCommandButton(HWND parent, Command command, const Ambient& ambient);
std::unique_ptr<txtWindow> MakeFolderBox(HWND parent, const Ambient& ambient);
std::unique_ptr<LBWindow> MakeLogList(HWND parent, const Ambient& ambient);
// The option panel's scroll bar: from 0, never taking the focus.
std::unique_ptr<VSCWindow> MakePanelScrollBar(HWND parent, const Ambient& ambient);

struct FormWindows {
    // Destroyed from the last member up: the controls, then the surfaces they lie in, then what
    // both paint with.
    FormArrangement arrangement;  // the last one placed
    PanelFrameArrangement panelFrame;
    FormPictures pictures;
    gdi::Image checkStrip, optionStrip;       // the rows' glyphs
    gdi::Image buttonStrip, textBorder;       // the command buttons' and the folder box's skins
    ScrollPictures scrollPictures;            // the panel's scroll bar's
    std::function<void(gdi::HDC)> paintForm;  // the form's own window

    std::unique_ptr<SurfaceWindow> XPTabCtrl, TabHeader, panelBody, tabTitle, group;
    std::array<std::unique_ptr<SurfaceWindow>, 2> CTRLContainer;

    std::array<std::unique_ptr<CHKBOXWindow>, tavkonv40::kFamilyCount> chkProp;                // by option index
    std::array<std::unique_ptr<OptWindow>, tavkonv40::kFamilyCount> chkPropTo40, chkPropTo4L;  // by option row
    std::array<std::unique_ptr<CHKBOXWindow>, tavkonv40::kMicrosoftOptionCount> chkVBProp;
    std::array<std::unique_ptr<OptWindow>, tavkonv40::kMicrosoftOptionCount> chkVBPropTo40, chkVBPropTo4L;

    std::array<std::unique_ptr<BTNWindow>, kCommandCount> cmd;
    std::unique_ptr<txtWindow> txtPath;
    std::unique_ptr<LBWindow> List1;
    std::unique_ptr<VSCWindow> VS;
};

// The form's font on this window system, how wide a caption is in it, and the height the taller
// panel explanation needs wrapped to `textWidth`.
gdi::Font Win32FormFont();
int CaptionWidth(const std::u16string& caption);
int ExplanationHeight(int textWidth);

// Makes every child window of `form`; the panels' rows at their places, the rest at nothing
// until ArrangeFormWindows.
void BuildFormWindows(FormWindows& w, HWND form, const Ambient& ambient);
// Lets the panels show through the rows (once the panels paint) and gives every control its
// picture of the form's skin (w's strips; a null one leaves the built-in skin).
void SkinControls(FormWindows& w);
// Places everything for a client area of width x height.
void ArrangeFormWindows(FormWindows& w, int width, int height);
// Sets the scroll bar for the `shown` panel and the space the arrangement gives it, then moves
// the panel to the bar's position.
void LayoutPanels(FormWindows& w, Panel shown);
// Moves the `shown` panel to the scroll bar's position.
void ScrollPanel(FormWindows& w, Panel shown);
// The height the shown panel has below the panel title.
int PanelSpace(const FormWindows& w);
// Both panels back at the top of the panel body.
void ResetPanels(FormWindows& w);

}  // namespace dialog::win32
