// clsPropPage: the library's public class.  A host creates it and calls
// InitConversion, which opens the conversion dialog modally.
//
// The one dialog object behind it is created on first use and kept for the
// life of the library, so what it remembers (whether a run was cancelled)
// outlives one opening of the dialog.
#pragma once

#include <cstdint>

#define TAVKONV40_EXPORT __attribute__((visibility("default")))

class TAVKONV40_EXPORT clsPropPage {
  public:
    // Opens the dialog; returns -1 when a run was cancelled while the dialog
    // object existed, else 0.  Needs a QApplication.
    std::int16_t InitConversion();
};

// For hosts that load the library by name: creates the class and calls
// InitConversion (a QApplication is created when the host has none).
extern "C" TAVKONV40_EXPORT std::int16_t tavKonv40_InitConversion(void);
