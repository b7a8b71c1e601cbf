#include "dialog/form_render.h"

#include "dialog/form_labels.h"

#include "controls/PropertyBag.h"

namespace dialog {

void InitRowCheck(CHKBOX& check, const std::u16string& caption) {
    check.InitProperties();
    check.SetCaption(caption);
}

void InitEditionOption(Opt& option, int row) {
    option.InitProperties();
    option.SetCaption({});
    option.SetGroupID(static_cast<short>(row));
    option.SetGrouped(true);
}

void RenderCommand(BTN& button, const DialogModel& m, Command command) {
    const std::u16string caption = Latin1(m.commandCaption(command));
    if (button.Caption() != caption) button.SetCaption(caption);
    SetEnabled(button, m.commandEnabled(command));
}

void RenderFolderBox(txt& box, const std::u16string& folder, const DialogModel& m) {
    if (box.Text() != folder) box.SetText(folder);
    const bool locked = !m.folderEditable();
    if (box.IsLocked() == locked) return;
    // Locked is a stored property the control takes only through its bag.
    PropertyBag bag;
    box.WriteProperties(bag);
    bag.Write<bool>("Locked", locked, false);
    box.ReadProperties(bag);
}

PanelScroll RenderPanelScroll(VSC& bar, Panel shown, int space) {
    const PanelScroll s = ScrollFor(PanelHeight(shown), space, bar.Value());
    // The range first: the page may not exceed it, and the value is kept inside it.
    bar.SetMax(s.max);
    bar.SetLargeChange(s.page);
    bar.SetSmallChange(PanelRowPitch(shown));
    bar.SetPixelsVisible(s.visible);
    SetEnabled(bar, s.enabled);
    bar.SetValue(s.value);
    return s;
}

namespace {

bool MoveBar(VSC& bar, long value) {
    if (value == bar.Value()) return false;
    bar.SetValue(value);
    return true;
}

}  // namespace

bool WheelPanelScroll(VSC& bar, Panel shown, int space, int angleDelta) {
    return MoveBar(bar,
                   WheelScroll(ScrollFor(PanelHeight(shown), space, bar.Value()), angleDelta, PanelRowPitch(shown)));
}

bool ScrollPanelToShow(VSC& bar, Panel shown, int space, int top, int bottom) {
    return MoveBar(bar, ScrollToShow(ScrollFor(PanelHeight(shown), space, bar.Value()), top, bottom, space));
}

}  // namespace dialog
