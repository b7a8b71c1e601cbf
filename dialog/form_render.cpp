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

}  // namespace dialog
