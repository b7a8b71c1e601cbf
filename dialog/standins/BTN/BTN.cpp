#include "BTN.h"

#include "../standin_skin.h"
#include "modSkinConstants.h"

#include <QMouseEvent>
#include <QPainter>

BTN::BTN(QWidget* parent, Ambient ambient) : UserControl(parent, std::move(ambient)) {
    setFont(AmbientProperties().Font);
    ApplyDefaultSkin();
}

BTN::~BTN() { clsSkin::ReleasePiece(m_body); }

void BTN::SetCaption(const QString& caption) {
    m_caption = caption;
    update();
}

void BTN::SetEnabled(bool on) {
    m_enabled = on;
    setEnabled(on);
    if (!on) m_pressed = m_hover = false;
    update();
}

void BTN::SetFont(const QFont& font) {
    setFont(font);
    update();
}

void BTN::ApplyCustomSkin() {
    standin::LoadPiece(m_body, modSkinConstants::resButtonStyle1, 8,
                       [this](long n, SkinMapInfo& s, SkinSource& src) { emit QuerySkin(n, s, src); });
    update();
}

void BTN::ApplyDefaultSkin() {
    standin::LoadPiece(m_body, modSkinConstants::resButtonStyle1, 8, {});
    update();
}

void BTN::ApplyCustomLayout() {
    emit QueryLayout(m_layout);
    m_customLayout = true;
    update();
}

int BTN::BodyFrame() const {
    if (!m_enabled) return 3;
    if (m_pressed && m_hover) return 6;
    return m_hover ? 1 : 0;
}

void BTN::paintEvent(QPaintEvent*) {
    standin::PaintComposed(this, [this](gdi::HDC dc) {
        clsSkin::DrawPiece(dc, m_body, BodyFrame(), 0, 0, width(), height());
    });
    QRect area = rect().adjusted(4, 4, -4, -4);
    if (m_customLayout)
        area = QRect(QPoint(m_layout.DrawingSpace.Left, m_layout.DrawingSpace.Top),
                     QPoint(width() - m_layout.DrawingSpace.Right - 1, height() - m_layout.DrawingSpace.Bottom - 1));
    QPainter p(this);
    p.setPen(m_enabled ? QColor(30, 36, 48) : QColor(150, 156, 166));
    p.drawText(area.translated(m_pressed && m_hover ? 1 : 0, m_pressed && m_hover ? 1 : 0),
               Qt::AlignCenter | Qt::TextShowMnemonic, m_caption);
}

void BTN::mousePressEvent(QMouseEvent* e) {
    if (e->button() != Qt::LeftButton) return;
    m_pressed = true;
    m_hover = rect().contains(e->position().toPoint());
    update();
}

void BTN::mouseReleaseEvent(QMouseEvent* e) {
    if (e->button() != Qt::LeftButton || !m_pressed) return;
    m_pressed = false;
    const bool over = rect().contains(e->position().toPoint());
    update();
    if (over) emit Click();
}

void BTN::enterEvent(QEnterEvent*) {
    m_hover = true;
    update();
}

void BTN::leaveEvent(QEvent*) {
    m_hover = false;
    update();
}
