#include "dialog/form_view.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QWindow>
#include <QWheelEvent>

namespace dialog {

void FormWidget::paintEvent(QPaintEvent*) {
    if (onPaint) onPaint();
}

void FormWidget::mousePressEvent(QMouseEvent* e) {
    if (onMouseDown) onMouseDown(e);
}

void FormWidget::keyPressEvent(QKeyEvent* e) {
    if (onKeyDown)
        onKeyDown(e);
    else
        QWidget::keyPressEvent(e);
}

void FormWidget::resizeEvent(QResizeEvent*) {
    if (onResize) onResize();
}

void FormWidget::wheelEvent(QWheelEvent* e) {
    if (onWheel)
        onWheel(e);
    else
        e->ignore();
}

bool WheelForwarder::eventFilter(QObject* watched, QEvent* e) {
    if (e->type() != QEvent::Wheel || !onWheel) return QObject::eventFilter(watched, e);
    onWheel(static_cast<QWheelEvent*>(e));
    return true;
}

void FormWindow::reject() {
    if (!mayClose || mayClose()) QDialog::reject();
}

void FormWindow::paintEvent(QPaintEvent*) {
    if (onPaint) onPaint();
}

void FormWindow::resizeEvent(QResizeEvent*) {
    if (onResize) onResize();
}

void FormWindow::closeEvent(QCloseEvent* e) {
    if (mayClose && !mayClose())
        e->ignore();
    else
        QDialog::closeEvent(e);
}

bool FormWindow::event(QEvent* e) {
    if (e->type() == QEvent::WindowActivate && onActivate) onActivate();
    if (e->type() == QEvent::Move && windowHandle() != nullptr && windowHandle()->frameMargins() != m_frame) {
        m_frame = windowHandle()->frameMargins();
        if (onFrameChanged) onFrameChanged();
    }
    return QDialog::event(e);
}

}  // namespace dialog
