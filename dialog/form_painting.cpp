#include "dialog/form_painting.h"

#include "dialog/form_geometry.h"

#include <qdrawutil.h>

namespace dialog {

using namespace geometry;

namespace {

const QColor kGradientTop(226, 232, 241);
const QColor kGradientBottom(205, 214, 228);
const QColor kPanelFace(240, 243, 248);

}  // namespace

void PaintForm(const FormView& f, QPainter& p) {
    const QRect r = f.window.rect();
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, kGradientTop);
    g.setColorAt(1, kGradientBottom);
    p.fillRect(r, g);
    if (!f.skins.logo.isNull()) p.drawPixmap(12, 8, f.skins.logo);
    if (!f.skins.statusStrip.isNull())
        qDrawBorderPixmap(&p, f.c.lbl5->geometry().adjusted(0, -2, 0, 2), QMargins(2, 2, 2, 2), f.skins.statusStrip);
}

void PaintTabHeader(const FormView& f, Panel selected, QPainter& p) {
    const QRect r = f.c.TabHeader->rect();
    const QPixmap& tabBG = f.skins.tabBG;
    if (!f.skins.tabHeaderBG.isNull())
        p.drawPixmap(r, f.skins.tabHeaderBG);
    else
        p.fillRect(r, QColor(206, 214, 228));
    for (const Panel tab : {Panel::Suite, Panel::Microsoft}) {
        const bool on = tab == selected;
        const QRect t(static_cast<int>(tab) * kTabWidth, 0, kTabWidth, r.height());
        if (!tabBG.isNull()) {
            const int frameHeight = tabBG.height() / 2;
            p.drawPixmap(t, tabBG, QRect(0, on ? 0 : frameHeight, tabBG.width(), frameHeight));
        } else {
            p.fillRect(t.adjusted(1, on ? 1 : 4, -1, 0), on ? QColor(250, 251, 253) : QColor(220, 226, 236));
        }
        QFont font = p.font();
        font.setBold(on);
        p.setFont(font);
        p.setPen(on ? QColor(20, 40, 80) : QColor(70, 80, 100));
        const QString caption = QString::fromLatin1(DialogModel::panelName(tab));
        const QRect text = t.adjusted(0, on ? 1 : 3, 0, 0);
        p.drawText(text, Qt::AlignCenter, caption);
        // The keyboard's place: a dotted rectangle round the selected tab's caption.
        if (on && f.c.TabHeader->hasFocus()) {
            QRect box = p.fontMetrics().boundingRect(text, Qt::AlignCenter, caption).adjusted(-3, -1, 3, 1);
            p.setPen(QPen(QColor(20, 40, 80), 1, Qt::DotLine));
            p.drawRect(box.adjusted(0, 0, -1, -1));
        }
    }
}

void PaintTabTitle(const FormView& f, QPainter& p) {
    const QRect r = f.c.tabTitle->rect();
    if (!f.skins.tabTitle.isNull())
        p.drawPixmap(r, f.skins.tabTitle);
    else
        p.fillRect(r, QColor(58, 98, 160));
    const QPixmap& icon = f.skins.tabHeaderConv;
    if (!icon.isNull()) p.drawPixmap(10, (r.height() - icon.height()) / 2, icon);
}

void PaintPanelBackground(const FormView& f, const QWidget& panel, QPainter& p) {
    if (!f.skins.panelBackground.isNull())
        p.drawTiledPixmap(panel.rect(), f.skins.panelBackground);
    else
        p.fillRect(panel.rect(), kPanelFace);
}

void PaintPanelFrame(const FormView& f, const QWidget& frame, QPainter& p) {
    PaintPanelBackground(f, frame, p);
    if (!f.skins.transBG.isNull())
        qDrawBorderPixmap(&p, frame.rect().adjusted(0, kTabHeaderHeight - 2, 0, 0), QMargins(8, 8, 8, 8),
                          f.skins.transBG);
}

void PaintFolderGroup(const FormView& f, QPainter& p) {
    if (!f.skins.panels.isNull()) qDrawBorderPixmap(&p, f.group->rect(), QMargins(10, 10, 10, 10), f.skins.panels);
}

}  // namespace dialog
