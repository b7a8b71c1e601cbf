// What InitConversion answers its host, whichever window system shows the dialog.
#pragma once

#include "dialog/dialog_model.h"

#include <cstdint>

namespace dialog {

// -1 (the host's True) when a run of this dialog object was cancelled, however many openings
// ago, else 0.
inline std::int16_t InitConversionResult(const DialogModel& model) {
    return model.cancelledOnce() ? std::int16_t{-1} : std::int16_t{0};
}

}  // namespace dialog
