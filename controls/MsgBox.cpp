#include "controls/MsgBox.h"

#include <QMessageBox>

namespace MsgBox {
namespace {

Handler& current() {
    static Handler h;
    return h;
}

int showReal(const Request& r) {
    QMessageBox box(r.parent);
    box.setWindowTitle(r.title);
    box.setText(r.prompt);
    switch (r.icon()) {
        case vbCritical: box.setIcon(QMessageBox::Critical); break;
        case vbQuestion: box.setIcon(QMessageBox::Question); break;
        case vbExclamation: box.setIcon(QMessageBox::Warning); break;
        case vbInformation: box.setIcon(QMessageBox::Information); break;
        default: break;
    }
    switch (r.style & 0x0F) {
        case vbOKCancel: box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel); break;
        case vbYesNo: box.setStandardButtons(QMessageBox::Yes | QMessageBox::No); break;
        default: box.setStandardButtons(QMessageBox::Ok); break;
    }
    switch (box.exec()) {
        case QMessageBox::Cancel: return vbCancel;
        case QMessageBox::Yes: return vbYes;
        case QMessageBox::No: return vbNo;
        default: return vbOK;
    }
}

}  // namespace

int Show(QWidget* parent, const QString& prompt, int style, const QString& title) {
    const Request r{parent, prompt, style, title};
    return current() ? current()(r) : showReal(r);
}

Handler SetHandler(Handler handler) {
    Handler previous = std::move(current());
    current() = std::move(handler);
    return previous;
}

}  // namespace MsgBox
