// control_input: what every skinned control does alike with the host's
// input: the character code a key press delivers and the mouse pointer a
// stored MousePointer setting stands for.
#pragma once

#include <QImage>
#include <QString>
#include <QWidget>

namespace control_input {

// The character code a key press delivers, or -1 when it gives none.
int KeyAsciiOf(const QString& text);

// Applies a stored mouse pointer: 0 the default arrow, 99 the custom `icon`
// (`customShape` without one), other numbers the host's standard cursors.
void ApplyMousePointer(QWidget& widget, int mousePointer, const QImage& icon,
                       Qt::CursorShape customShape = Qt::ArrowCursor);

}  // namespace control_input
