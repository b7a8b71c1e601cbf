#include "txt.h"

#include "../standin_skin.h"

#include <QEvent>
#include <QLineEdit>
#include <QPainter>

txt::txt(QWidget* parent, Ambient ambient) : UserControl(parent, std::move(ambient)), m_inner(new QLineEdit(this)) {
    m_inner->setFrame(false);
    m_inner->setFont(AmbientProperties().Font);
    m_inner->setAttribute(Qt::WA_Hover);
    m_inner->installEventFilter(this);
    connect(m_inner, &QLineEdit::textChanged, this, [this] { emit Change(); });
}

txt::~txt() { clsSkin::ReleasePiece(m_frame); }

QString txt::Text() const { return m_inner->text(); }
void txt::SetText(const QString& text) { m_inner->setText(text); }
QWidget* txt::hWndToolTip() const { return m_inner; }

void txt::SetFont(const QFont& font) {
    m_inner->setFont(font);
    resizeEvent(nullptr);
}

void txt::ApplyCustomSkin() {
    clsSkin::ReleasePiece(m_frame);
    m_frame = SkinMapInfo{};
    SkinSource source;
    emit QuerySkin(0, m_frame, source);
    if (m_frame.ImageName.isEmpty() || source.IsEmpty() || !clsSkin::LoadCustomPiece(m_frame, source, kFrames))
        m_frame = SkinMapInfo{};
    update();
}

bool txt::eventFilter(QObject* watched, QEvent* e) {
    if (watched == m_inner) {
        switch (e->type()) {
            case QEvent::HoverEnter: m_hover = true; update(); break;
            case QEvent::HoverLeave: m_hover = false; update(); break;
            case QEvent::FocusIn:
            case QEvent::FocusOut: update(); break;
            default: break;
        }
    }
    return UserControl::eventFilter(watched, e);
}

void txt::resizeEvent(QResizeEvent*) {
    const int innerHeight = m_inner->fontMetrics().height() + 2;
    m_inner->setGeometry(6, (height() - innerHeight) / 2, std::max(1, width() - 12), innerHeight);
}

void txt::paintEvent(QPaintEvent*) {
    const int frame = !isEnabled() ? 3 : m_inner->hasFocus() ? 2 : m_hover ? 1 : 0;
    if (m_frame.MemDC != 0) {
        standin::PaintComposed(this, [&](gdi::HDC dc) { clsSkin::DrawPiece(dc, m_frame, frame, 0, 0, width(), height()); });
        return;
    }
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    p.setPen(QColor(122, 138, 160));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
}
