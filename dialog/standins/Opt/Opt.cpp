#include "Opt.h"

#include "../standin_skin.h"
#include "modSkinConstants.h"

#include <QMouseEvent>
#include <QPainter>

Opt::Opt(QWidget* parent, Ambient ambient) : UserControl(parent, std::move(ambient)) {
    setFont(AmbientProperties().Font);
    ApplyDefaultSkin();
}

Opt::~Opt() { clsSkin::ReleasePiece(m_glyph); }

void Opt::SetCaption(const QString& caption) {
    m_caption = caption;
    update();
}

void Opt::SetValue(bool on) {
    m_value = on;
    if (on && m_grouped) ClearGroup();
    update();
}

void Opt::SetEnabled(bool on) {
    m_enabled = on;
    setEnabled(on);
    update();
}

void Opt::ApplyCustomSkin() {
    standin::LoadPiece(m_glyph, modSkinConstants::resOptionButton, 12,
                       [this](long n, SkinMapInfo& s, SkinSource& src) { emit QuerySkin(n, s, src); });
    update();
}

void Opt::ApplyDefaultSkin() {
    standin::LoadPiece(m_glyph, modSkinConstants::resOptionButton, 12, {});
    update();
}

void Opt::ClearGroup() {
    if (parentWidget() == nullptr) return;
    for (Opt* other : parentWidget()->findChildren<Opt*>(Qt::FindDirectChildrenOnly))
        if (other != this && other->m_groupID == m_groupID && other->m_value) other->SetValue(false);
}

bool Opt::OtherGroupMemberPresent() const {
    if (parentWidget() == nullptr) return false;
    for (const Opt* other : parentWidget()->findChildren<Opt*>(Qt::FindDirectChildrenOnly))
        if (other != this && other->m_groupID == m_groupID) return true;
    return false;
}

void Opt::paintEvent(QPaintEvent*) {
    const int frame = standin::GlyphFrame(m_value, m_enabled, m_hover, m_pressed);
    standin::PaintComposed(this, [&](gdi::HDC dc) {
        clsSkin::DrawPieceFrame(dc, m_glyph, frame, 0, height() / 2 - 13 / 2);
    });
    if (m_caption.isEmpty()) return;
    QPainter p(this);
    p.setPen(m_enabled ? QColor(20, 24, 32) : QColor(140, 146, 156));
    p.drawText(rect().adjusted(13 + 4, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter, m_caption);
}

void Opt::mousePressEvent(QMouseEvent*) {
    m_pressed = true;
    update();
}

void Opt::mouseReleaseEvent(QMouseEvent* e) {
    if (!m_pressed) return;
    m_pressed = false;
    bool becameOn = false;
    if (rect().contains(e->position().toPoint())) {
        // A grouped button that is on stays on while its group has another member.
        if (!(m_grouped && m_value && OtherGroupMemberPresent())) {
            m_value = !m_value;
            becameOn = m_value;
        }
        if (m_grouped && m_value) ClearGroup();
    }
    update();
    if (becameOn && e->button() == Qt::LeftButton) emit Click();
}

void Opt::enterEvent(QEnterEvent*) {
    m_hover = true;
    update();
}

void Opt::leaveEvent(QEvent*) {
    m_hover = false;
    update();
}
