#include "dialog/win32/form_windows.h"

#include "dialog/control_skins.h"
#include "dialog/form_geometry.h"
#include "dialog/form_labels.h"
#include "dialog/form_render.h"

#include "controls/suite/win32/gdi_win32.h"

#include "dialog/tab_order.h"

#include <algorithm>
#include <set>
#include <type_traits>

namespace dialog::win32 {

using namespace geometry;
using tavkonv40::kFamilyCount;

namespace {

std::size_t At(int i) { return static_cast<std::size_t>(i); }
gdi::RECT Rect(const Box& b) { return {b.x, b.y, b.right(), b.bottom()}; }

void Place(HWND window, const Box& b) { PlaceWindow(window, b); }
template <typename Control>
void Place(const std::unique_ptr<Control>& c, const Box& b) {
    if (c) Place(c->Handle(), b);
}

std::unique_ptr<CHKBOXWindow> MakeCheck(HWND panel, const Ambient& ambient, std::string_view caption, const Box& at) {
    auto chk = std::make_unique<CHKBOXWindow>(panel, Rect(at), ambient);
    InitRowCheck(chk->Control(), Latin1(caption));
    return chk;
}

// One of a row's two edition buttons, grouped with its pair by the row's index.
std::unique_ptr<OptWindow> MakeEditionOption(HWND panel, const Ambient& ambient, int index, const Box& at) {
    auto o = std::make_unique<OptWindow>(panel, Rect(at), ambient);
    InitEditionOption(o->Control(), index);
    return o;
}

void BuildRows(FormWindows& w, const Ambient& ambient) {
    const HWND suite = w.CTRLContainer[0]->Handle(), microsoft = w.CTRLContainer[1]->Handle();
    for (int row = 0; row < kFamilyCount; ++row) {
        const OptionRowArrangement at = ArrangeSuiteRow(row, 0);
        w.chkPropTo40[At(row)] = MakeEditionOption(suite, ambient, row, at.to40);
        w.chkPropTo4L[At(row)] = MakeEditionOption(suite, ambient, row, at.to4L);
    }
    for (const auto& family : tavkonv40::families())
        w.chkProp[At(family.optionIndex)] =
            MakeCheck(suite, ambient, family.caption,
                      ArrangeSuiteRow(family.optionRow, CaptionWidth(Latin1(family.caption))).check);
    for (const auto& option : tavkonv40::microsoftOptions()) {
        const OptionRowArrangement row = ArrangeMicrosoftRow(option.index, CaptionWidth(Latin1(option.caption)));
        w.chkVBProp[At(option.index)] = MakeCheck(microsoft, ambient, option.caption, row.check);
        w.chkVBPropTo40[At(option.index)] = MakeEditionOption(microsoft, ambient, option.index, row.to40);
        w.chkVBPropTo4L[At(option.index)] = MakeEditionOption(microsoft, ambient, option.index, row.to4L);
    }
}

// Every check box and option button of the rows, each as its control.
template <typename Fn>
void ForEachGlyph(FormWindows& w, Fn fn) {
    const auto each = [&fn](auto& windows) {
        for (auto& window : windows) fn(window->Control());
    };
    each(w.chkProp);
    each(w.chkVBProp);
    each(w.chkPropTo40);
    each(w.chkPropTo4L);
    each(w.chkVBPropTo40);
    each(w.chkVBPropTo4L);
}

// `control` asks for `picture` of `file` in its QuerySkin; the picture must outlive it.
template <typename Control>
void Skin(Control& control, SkinFile file, const gdi::Image& picture) {
    if (picture.IsNull()) return;  // the built-in skin stays
    control.events.QuerySkin = [file, &picture](long, SkinMapInfo& skin, SkinSource& source) {
        AnswerControlSkin(file, picture, skin, source);
    };
    control.ApplyCustomSkin();
}

// The system's Tab follows the windows' order among their siblings, going into a window that holds
// controls where that window stands among its own siblings: each stop, in the shared order, goes
// to the end of its parent's list, and so does each window holding it, the first time one of its
// stops comes (the strip's frame before the folder group, the rows' panel after the strip).
void ChainTabOrder(const FormWindows& w, HWND form) {
    ::SetWindowLongW(w.TabHeader->Handle(), GWL_STYLE, ::GetWindowLongW(w.TabHeader->Handle(), GWL_STYLE) | WS_TABSTOP);
    std::set<HWND> placed;
    for (const FocusStop& stop : TabOrder()) {
        HWND h = AtStop(w, stop, [](const auto& window) -> HWND { return window ? window->Handle() : nullptr; });
        for (; h != nullptr && h != form && placed.insert(h).second; h = ::GetParent(h))
            ::SetWindowPos(h, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
}

}  // namespace

std::unique_ptr<BTNWindow> MakeCommandButton(HWND parent, Command command, const Ambient& ambient) {
    auto b = std::make_unique<BTNWindow>(parent, gdi::RECT{0, 0, 0, 0}, ambient);
    ::SetWindowLongPtrW(b->Handle(), GWLP_ID, kCommandId + command);
    b->Control().InitProperties();
    return b;
}

std::unique_ptr<txtWindow> MakeFolderBox(HWND parent, const Ambient& ambient) {
    auto box = std::make_unique<txtWindow>(parent, gdi::RECT{0, 0, 0, 0}, ambient);
    ::SetWindowLongPtrW(box->Handle(), GWLP_ID, kFolderBoxId);
    box->Control().InitProperties();
    return box;
}
std::unique_ptr<LBWindow> MakeLogList(HWND parent, const Ambient& ambient) {
    auto list = std::make_unique<LBWindow>(parent, gdi::RECT{0, 0, 0, 0}, ambient);
    ::SetWindowLongPtrW(list->Handle(), GWLP_ID, kLogListId);
    list->Control().InitProperties();
    return list;
}
std::unique_ptr<VSCWindow> MakePanelScrollBar(HWND parent, const Ambient& ambient) {
    auto bar = std::make_unique<VSCWindow>(parent, gdi::RECT{0, 0, 0, 0}, ambient);
    bar->Control().InitProperties();
    bar->Control().SetMin(0);
    return bar;
}

gdi::Font Win32FormFont() { return FormFont(u"Tahoma"); }

int CaptionWidth(const std::u16string& caption) { return TextWidth(caption, Win32FormFont()); }

int ExplanationHeight(int textWidth) {
    int tallest = 0;
    for (const Panel p : {Panel::Suite, Panel::Microsoft}) {
        const int height = WrappedTextHeight(Latin1(DialogModel::panelExplanation(p)), textWidth, Win32FormFont());
        if (height > tallest) tallest = height;
    }
    return tallest;
}

void BuildFormWindows(FormWindows& w, HWND form, const Ambient& ambient) {
    using Holds = SurfaceWindow::Holds;
    w.XPTabCtrl = std::make_unique<SurfaceWindow>(form, L"XPTabCtrl", Holds::Controls);
    w.TabHeader = std::make_unique<SurfaceWindow>(w.XPTabCtrl->Handle(), L"TabHeader", Holds::Nothing);
    w.panelBody = std::make_unique<SurfaceWindow>(w.XPTabCtrl->Handle(), L"PanelBody", Holds::Controls);
    for (int i = 0; i < 2; ++i) {
        w.CTRLContainer[At(i)] = std::make_unique<SurfaceWindow>(
            w.panelBody->Handle(), i == 0 ? L"CTRLContainer_0" : L"CTRLContainer_1", Holds::Controls);
        w.CTRLContainer[At(i)]->Place(
            {0, kTabTitleHeight, kPanelContentWidth, i == 0 ? kSuitePanelHeight : kMicrosoftPanelHeight});
    }
    ::ShowWindow(w.CTRLContainer[1]->Handle(), SW_HIDE);  // the suite panel shows first
    w.tabTitle = std::make_unique<SurfaceWindow>(w.panelBody->Handle(), L"tabTitle", Holds::Nothing);
    w.group = std::make_unique<SurfaceWindow>(form, L"FolderGroup", Holds::Controls, Underneath::Parent);
    BuildRows(w, ambient);
    w.VS = MakePanelScrollBar(w.XPTabCtrl->Handle(), ambient);
    // Siblings made later lie under those made before: the bar goes over the panel body's edge,
    // the panel title over a panel scrolled up beneath it.
    ::SetWindowPos(w.VS->Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    ::SetWindowPos(w.tabTitle->Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    w.txtPath = MakeFolderBox(w.group->Handle(), ambient);
    w.List1 = MakeLogList(w.group->Handle(), ambient);
    for (int index = 0; index < kCommandCount; ++index) {
        const auto command = static_cast<Command>(index);
        // The option commands sit in the footer's place of the form (no footer window here),
        // shown with their panel; "..." in the folder group.
        w.cmd[At(index)] = MakeCommandButton(command == cmdBrowse ? w.group->Handle() : form, command, ambient);
        if (DialogModel::commandPanel(command) == Panel::Microsoft) ::ShowWindow(w.cmd[At(index)]->Handle(), SW_HIDE);
    }
    ChainTabOrder(w, form);
}

void ArrangeFormWindows(FormWindows& w, int width, int height) {
    const FormArrangement a = ArrangeForm(width, height, ExplanationHeight);
    w.arrangement = a;
    w.XPTabCtrl->Place(a.tabFrame);
    const PanelFrameArrangement frame = ArrangePanelFrame({0, 0, a.tabFrame.width, a.tabFrame.height});
    w.panelFrame = frame;
    w.TabHeader->Place(frame.tabHeader);
    w.panelBody->Place(frame.body);
    w.tabTitle->Place(frame.panelTitle);
    Place(w.VS, frame.scrollBar);
    for (const auto& panel : w.CTRLContainer) {
        RECT r{};
        ::GetWindowRect(panel->Handle(), &r);
        ::SetWindowPos(panel->Handle(), nullptr, 0, 0, gdi::win32::ToDevice(frame.panelWidth, Scale(panel->Handle())),
                       r.bottom - r.top, SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOMOVE);
    }
    const auto inFooter = [&](const Box& b) { return Box{a.footer.x + b.x, a.footer.y + b.y, b.width, b.height}; };
    for (const auto& [selectAll, clearAll, setAll] :
         {std::array{cmdSelectAllSuite, cmdClearAllSuite, cmdSetAllSuite},
          std::array{cmdSelectAllMicrosoft, cmdClearAllMicrosoft, cmdSetAllMicrosoft}}) {
        Place(w.cmd[At(selectAll)], inFooter(a.inFooter.selectAll));
        Place(w.cmd[At(clearAll)], inFooter(a.inFooter.clearAll));
        Place(w.cmd[At(setAll)], inFooter(a.inFooter.setAll));
    }
    w.group->Place(a.group);
    Place(w.txtPath, a.folderBox);
    Place(w.cmd[At(cmdBrowse)], a.browse);
    Place(w.List1, a.log);
    for (std::size_t i = 0; i < a.bottomCommands.size(); ++i) Place(w.cmd[i], a.bottomCommands[i]);
}

void SkinControls(FormWindows& w) {
    // The rows stand on the panel's picture: they let it show through, which they take in now
    // that the panel paints.
    ForEachGlyph(
        w, [](auto& control) { control.SetBackStyle(std::remove_reference_t<decltype(control)>::bsTransparent); });
    ForEachGlyph(w, [&w](auto& control) {
        if constexpr (std::is_same_v<std::remove_reference_t<decltype(control)>, CHKBOX>)
            Skin(control, SkinFile::Check, w.checkStrip);
        else
            Skin(control, SkinFile::Option, w.optionStrip);
    });
    for (auto& button : w.cmd) {
        Skin(button->Control(), SkinFile::MacButtons, w.buttonStrip);
        button->Control().events.QueryLayout = AnswerCommandLayout;
        button->Control().ApplyCustomLayout();
    }
    Skin(w.txtPath->Control(), SkinFile::TextBorder, w.textBorder);
    if (!w.scrollPictures[0].IsNull()) {
        w.VS->Control().QuerySkin = [&pictures = w.scrollPictures](long piece, SkinMapInfo& skin, SkinSource& source) {
            AnswerScrollSkin(piece, pictures, skin, source);
        };
        w.VS->Control().ApplyCustomSkin();
    }
}

int PanelSpace(const FormWindows& w) { return std::max(0, w.panelFrame.body.height - w.panelFrame.panelTitle.height); }

void LayoutPanels(FormWindows& w, Panel shown) {
    RenderPanelScroll(w.VS->Control(), shown, PanelSpace(w));
    ScrollPanel(w, shown);
}

void ScrollPanel(FormWindows& w, Panel shown) {
    const HWND panel = w.CTRLContainer[At(static_cast<int>(shown))]->Handle();
    ::SetWindowPos(panel, nullptr, 0, gdi::win32::ToDevice(PanelTop(w.VS->Control().Value()), Scale(panel)), 0, 0,
                   SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOSIZE);
}

void ResetPanels(FormWindows& w) {
    for (const auto& panel : w.CTRLContainer)
        ::SetWindowPos(panel->Handle(), nullptr, 0, gdi::win32::ToDevice(kTabTitleHeight, Scale(panel->Handle())), 0, 0,
                       SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOSIZE);
    w.VS->Control().SetValue(0);
}

}  // namespace dialog::win32
