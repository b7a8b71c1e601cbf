#include "controls/control_input.h"

#include "controls/suite/tavMFC40.h"

#include <QCursor>
#include <QPixmap>

namespace control_input {

int KeyAsciiOf(const QString& text) {
    if (text.isEmpty() || text.at(0).unicode() > 255) return -1;
    return text.at(0).unicode();
}

void ApplyMousePointer(QWidget& widget, int mousePointer, const QImage& icon, Qt::CursorShape customShape) {
    if (mousePointer == 0)
        widget.unsetCursor();
    else if (mousePointer == 99 && !icon.isNull())
        widget.setCursor(QCursor(QPixmap::fromImage(icon)));
    else if (mousePointer == 99)
        widget.setCursor(customShape);
    else if (const auto shape = tavMFC40::StandardCursor(mousePointer))
        widget.setCursor(*shape);
    else
        widget.unsetCursor();
}

}  // namespace control_input
