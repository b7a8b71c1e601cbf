#include "CHKBOX.h"

#include "../standin_skin.h"
#include "modSkinConstants.h"

#include <QMouseEvent>
#include <QPainter>

CHKBOX::CHKBOX(QWidget* parent, Ambient ambient) : UserControl(parent, std::move(ambient)) {
    setFont(AmbientProperties().Font);
    ApplyDefaultSkin();
}

CHKBOX::~CHKBOX() { clsSkin::ReleasePiece(m_glyph); }

void CHKBOX::SetCaption(const QString& caption) {
    m_caption = caption;
    update();
}

void CHKBOX::SetValue(bool on) {
    m_value = on;
    update();
}

void CHKBOX::SetEnabled(bool on) {
    m_enabled = on;
    setEnabled(on);
    update();
}

void CHKBOX::SetFont(const QFont& font) {
    setFont(font);
    update();
}

void CHKBOX::ApplyCustomSkin() {
    standin::LoadPiece(m_glyph, modSkinConstants::resCheckBox, 12,
                       [this](long n, SkinMapInfo& s, SkinSource& src) { emit QuerySkin(n, s, src); });
    update();
}

void CHKBOX::ApplyDefaultSkin() {
    standin::LoadPiece(m_glyph, modSkinConstants::resCheckBox, 12, {});
    update();
}

void CHKBOX::paintEvent(QPaintEvent*) {
    const int frame = standin::GlyphFrame(m_value, m_enabled, m_hover, m_pressed);
    standin::PaintComposed(this, [&](gdi::HDC dc) {
        clsSkin::DrawPieceFrame(dc, m_glyph, frame, 0, height() / 2 - 13 / 2);
    });
    QPainter p(this);
    p.setPen(m_enabled ? QColor(20, 24, 32) : QColor(140, 146, 156));
    p.drawText(rect().adjusted(13 + 4, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter, m_caption);
}

void CHKBOX::mousePressEvent(QMouseEvent* e) {
    if (e->button() != Qt::LeftButton) return;
    m_pressed = true;
    update();
}

void CHKBOX::mouseReleaseEvent(QMouseEvent* e) {
    if (e->button() != Qt::LeftButton || !m_pressed) return;
    m_pressed = false;
    if (rect().contains(e->position().toPoint())) {
        m_value = !m_value;
        update();
        emit Click();
    } else {
        update();
    }
}

void CHKBOX::enterEvent(QEnterEvent*) {
    m_hover = true;
    update();
}

void CHKBOX::leaveEvent(QEvent*) {
    m_hover = false;
    update();
}
