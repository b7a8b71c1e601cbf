// Wiring the form's controls to the model, on either window system: what a click on an option
// row or a command button, typing or Enter in the folder box and an arrow key on the tab header
// tell the model. A host adds only how its own windows deliver these (signals, messages).
#pragma once

#include "dialog/dialog_model.h"

#include "controls/BTN.h"
#include "controls/txt.h"

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <type_traits>

namespace dialog {

// `handler` runs after what `slot` ran before (a host's own relay of the event, if any).
template <typename... Args>
void Chain(std::function<void(Args...)>& slot, std::type_identity_t<std::function<void(Args...)>> handler) {
    slot = [previous = std::move(slot), handler = std::move(handler)](Args... args) {
        if (previous) previous(args...);
        handler(args...);
    };
}

// The option rows drive the model: a check box's click ticks or clears its option, a row's
// edition button once chosen chooses its edition. Any mouse button chooses an option but only
// the left one raises Click, so the button's MouseUp is followed too. While `rendering` the form
// is being set from the model: its controls' events are echoes and tell the model nothing.
// `Form` holds the rows as RenderOptionRows reads them.
template <typename Form>
void WireOptionRows(Form& f, DialogModel& m, const bool& rendering) {
    const auto at = [](int i) { return static_cast<std::size_t>(i); };
    const auto check = [&rendering](auto& host, std::function<void(bool)> ticked) {
        auto& chk = host->Control();
        Chain(chk.events.Click, [&chk, &rendering, ticked] {
            if (!rendering) ticked(chk.Value());
        });
    };
    const auto option = [&rendering](auto& host, std::function<void()> chosen) {
        auto& opt = host->Control();
        const std::function<void()> follow = [&opt, &rendering, chosen] {
            if (!rendering && opt.Value()) chosen();
        };
        Chain(opt.events.Click, follow);
        Chain(opt.events.MouseUp, [follow](int, int, int, int) { follow(); });
    };
    using tavkonv40::Edition;
    for (int k = 0; k < tavkonv40::kFamilyCount; ++k)
        check(f.chkProp[at(k)], [&m, k](bool ticked) { m.setFamilyTicked(k, ticked); });
    for (int r = 0; r < tavkonv40::kFamilyCount; ++r) {
        option(f.chkPropTo40[at(r)], [&m, r] { m.chooseRowEdition(r, Edition::V40); });
        option(f.chkPropTo4L[at(r)], [&m, r] { m.chooseRowEdition(r, Edition::V40L); });
    }
    for (int i = 0; i < tavkonv40::kMicrosoftOptionCount; ++i) {
        check(f.chkVBProp[at(i)], [&m, i](bool ticked) { m.setMicrosoftTicked(i, ticked); });
        option(f.chkVBPropTo40[at(i)], [&m, i] { m.chooseMicrosoftEdition(i, Edition::V40); });
        option(f.chkVBPropTo4L[at(i)], [&m, i] { m.chooseMicrosoftEdition(i, Edition::V40L); });
    }
}

// Each command button presses its command (`buttons` by Command, each a host with Control()).
template <typename Buttons>
void WireCommands(Buttons& buttons, const std::function<void(Command)>& press) {
    for (int index = 0; index < kCommandCount; ++index)
        Chain(buttons[static_cast<std::size_t>(index)]->Control().events.Click,
              [press, index] { press(static_cast<Command>(index)); });
}

// What is typed in the folder box becomes the model's folder (`typed` gets the box's text, not
// while `rendering`); Enter in it presses Start (when Start is enabled, as a click would).
void WireFolderBox(txt& box, const bool& rendering, std::function<void(const std::u16string&)> typed,
                   std::function<void(Command)> press);

// The tab header with the focus: the arrow keys (key codes) choose a tab as a press at the x
// this gives would; other keys are not the header's.
std::optional<double> TabHeaderKeyPress(int keyCode);

}  // namespace dialog
