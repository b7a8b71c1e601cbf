#include "controls/suite/qt/transparent_background.h"

#include "controls/suite/qt/gdi_qt.h"

#include <QPainter>
#include <QWidget>

#include <vector>

namespace tavGFX40 {

bool gfxGetTransBG(gdi::HDC dc, QWidget* window) {
    const QImage* surface = gdi::qt::DcImage(dc);
    if (surface == nullptr || window == nullptr || window->parentWidget() == nullptr) return false;
    // Rendering an ancestor must not draw this window again: only each
    // ancestor's own background and painting are taken (no children), from
    // the top-level window down to the parent, so a parent that paints
    // nothing itself shows what its own parent paints.
    static bool busy = false;
    if (busy) return false;
    busy = true;
    // At the surface's device pixels, so what lies behind is as sharp as the control.
    const qreal ratio = surface->devicePixelRatio();
    QImage behind(window->size() * ratio, QImage::Format_ARGB32);
    behind.setDevicePixelRatio(ratio);
    behind.fill(Qt::transparent);
    std::vector<QWidget*> ancestors;
    for (QWidget* w = window->parentWidget(); w != nullptr; w = w->isWindow() ? nullptr : w->parentWidget())
        ancestors.push_back(w);
    for (auto it = ancestors.rbegin(); it != ancestors.rend(); ++it) {
        // A widget's palette fills it only when it is a window or fills its
        // own background; otherwise what its ancestors painted stays.
        QWidget* ancestor = *it;
        const bool fills = ancestor->isWindow() || ancestor->autoFillBackground();
        const QRect area(window->mapTo(ancestor, QPoint(0, 0)), window->size());
        ancestor->render(&behind, QPoint(), QRegion(area),
                         fills ? QWidget::DrawWindowBackground : QWidget::RenderFlags());
    }
    busy = false;
    // Rendering may have replaced the surface behind the handle; look it up again.
    QImage* target = gdi::qt::DcImage(dc);
    if (target == nullptr || target->isNull()) return false;
    QPainter p(target);
    p.drawImage(0, 0, behind);
    return true;
}

}  // namespace tavGFX40
