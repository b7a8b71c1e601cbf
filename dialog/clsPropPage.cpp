#include "dialog/clsPropPage.h"

#include "dialog/frmProps.h"

#include <QApplication>

#include <cstdio>
#include <exception>

namespace {

// The dialog object: made on first use, never destroyed before the library.
frmProps& DialogObject() {
    static frmProps* dialog = new frmProps;  // outlives any static that might use it at exit
    return *dialog;
}

}  // namespace

std::int16_t clsPropPage::InitConversion() { return DialogObject().InitConversion(); }

extern "C" std::int16_t tavKonv40_InitConversion(void) {
    if (QApplication::instance() == nullptr) {
        static int argc = 1;
        static char name[] = "tavKonv40";
        static char* argv[] = {name, nullptr};
        static QApplication* app = new QApplication(argc, argv);
        (void)app;
    }
    // No C++ exception may cross into a C host: it is reported and the dialog counts as closed.
    try {
        clsPropPage page;
        return page.InitConversion();
    } catch (const std::exception& e) {
        std::fprintf(stderr, "tavKonv40: the conversion dialog failed: %s\n", e.what());
    } catch (...) {
        std::fprintf(stderr, "tavKonv40: the conversion dialog failed\n");
    }
    return 0;
}
