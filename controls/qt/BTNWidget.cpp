#include "controls/qt/BTNWidget.h"

#include "controls/MsgBox.h"
#include "controls/control_input.h"
#include "controls/suite/qt/gdi_qt.h"

#include <QMessageBox>
#include <QMouseEvent>

namespace {

// The property messages of a button, as a modal Qt message box over the button.
int ShowQtMessageBox(const MsgBox::Request& r) {
    QMessageBox box(gdi::qt::Widget(r.parent));
    box.setWindowTitle(gdi::qt::ToQString(r.title));
    box.setText(gdi::qt::ToQString(r.prompt));
    switch (r.icon()) {
        case MsgBox::vbCritical: box.setIcon(QMessageBox::Critical); break;
        case MsgBox::vbQuestion: box.setIcon(QMessageBox::Question); break;
        case MsgBox::vbExclamation: box.setIcon(QMessageBox::Warning); break;
        case MsgBox::vbInformation: box.setIcon(QMessageBox::Information); break;
        default: break;
    }
    switch (r.style & 0x0F) {
        case MsgBox::vbOKCancel: box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel); break;
        case MsgBox::vbYesNo: box.setStandardButtons(QMessageBox::Yes | QMessageBox::No); break;
        default: box.setStandardButtons(QMessageBox::Ok); break;
    }
    switch (box.exec()) {
        case QMessageBox::Cancel: return MsgBox::vbCancel;
        case QMessageBox::Yes: return MsgBox::vbYes;
        case QMessageBox::No: return MsgBox::vbNo;
        default: return MsgBox::vbOK;
    }
}

}  // namespace

BTNWidget::BTNWidget(QWidget* parent, const QtAmbient& ambient) : HostedWidget(parent, ambient) {
    static const bool boxInstalled = (MsgBox::SetSystemBox(ShowQtMessageBox), true);
    (void)boxInstalled;
    auto& e = Control().events;
    e.Click = [this] { emit Click(); };
    e.KeyDown = [this](int code, int shift) { emit KeyDown(code, shift); };
    e.KeyPress = [this](int ascii) { emit KeyPress(ascii); };
    e.KeyUp = [this](int code, int shift) { emit KeyUp(code, shift); };
    e.MouseDown = [this](int b, int s, int x, int y) { emit MouseDown(b, s, x, y); };
    e.MouseUp = [this](int b, int s, int x, int y) { emit MouseUp(b, s, x, y); };
    e.DropDown = [this](int b, int s, int x, int y) { emit DropDown(b, s, x, y); };
    e.DropUp = [this](int b, int s, int x, int y) { emit DropUp(b, s, x, y); };
    e.QuerySkin = [this](long number, SkinMapInfo& skin, SkinSource& source) { emit QuerySkin(number, skin, source); };
    e.QueryLayout = [this](SkinButtonLayoutInfo& layout) { emit QueryLayout(layout); };
    Control().PropertyChanged = [this](const char* name) { emit PropertyChanged(QString::fromLatin1(name)); };
}

QRect BTNWidget::BodyRect() const { return gdi::qt::ToQRect(Control().BodyRect()); }

void BTNWidget::SetMousePointer(int pointer, const gdi::Image& icon) {
    control_input::ApplyMousePointer(*this, pointer, icon.IsNull() ? QImage() : gdi::qt::ToQImage(icon),
                                     Qt::PointingHandCursor);
}

void BTNWidget::mousePressEvent(QMouseEvent* e) { e->accept(); }
void BTNWidget::mouseReleaseEvent(QMouseEvent* e) { e->accept(); }
void BTNWidget::mouseDoubleClickEvent(QMouseEvent* e) { e->accept(); }
