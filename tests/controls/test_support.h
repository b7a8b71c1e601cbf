// Helpers shared by the control tests.
#pragma once

#include "controls/qt/QtAmbient.h"

#include <QImage>
#include <QList>
#include <QWidget>

namespace test_support {

// Distinct, easily told apart colours for frame k.
inline QColor FrameColour(int k) {
    static const QList<QColor> c = {QColor(200, 0, 0),   QColor(0, 160, 0),   QColor(0, 0, 200),
                                    QColor(200, 200, 0), QColor(0, 200, 200), QColor(120, 0, 120),
                                    QColor(90, 60, 30),  QColor(250, 140, 0), QColor(40, 40, 40)};
    return c[k % c.size()];
}

// A strip of `frames` frames, frame k flat in FrameColour(k).
inline QImage FlatStrip(int frameWidth, int frameHeight, int frames) {
    QImage img(frameWidth, frameHeight * frames, QImage::Format_ARGB32);
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < frameWidth; ++x) img.setPixel(x, y, FrameColour(y / frameHeight).rgb());
    return img;
}

// The colour at (x, y) of the widget as it paints itself.
inline QColor PixelOf(QWidget& w, int x, int y) { return w.grab().toImage().pixelColor(x, y); }

// Run mode with a fixed font, for the list box and the scroll bars.
inline QtAmbient RunMode() {
    QtAmbient a;
    a.Mode = HostMode::Run;
    a.DisplayName = QStringLiteral("ctl");
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(12);
    a.Font = f;
    return a;
}

}  // namespace test_support
