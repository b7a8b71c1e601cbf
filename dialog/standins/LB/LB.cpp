#include "LB.h"

#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>

#include <algorithm>

namespace {
constexpr int kBorder = 1;
constexpr int kBarWidth = 13;
}  // namespace

LB::LB(QWidget* parent, Ambient ambient) : UserControl(parent, std::move(ambient)), m_bar(new QScrollBar(Qt::Vertical, this)) {
    setFont(AmbientProperties().Font);
    m_bar->hide();
    connect(m_bar, &QScrollBar::valueChanged, this, [this](int v) {
        m_topIndex = v;
        update();
    });
}

int LB::ItemHeight() const { return fontMetrics().height() + 2; }
int LB::ItemsVisible() const { return std::max(1, (height() - 2 * kBorder) / ItemHeight()); }

void LB::AddItem(const QString& item) {
    m_items.push_back(item);
    UpdateScrollBar();
    update();
}

void LB::Clear() {
    m_items.clear();
    m_listIndex = -1;
    m_topIndex = 0;
    UpdateScrollBar();
    update();
}

void LB::SetListIndex(long index) {
    m_listIndex = (index >= 0 && index < ListCount()) ? index : -1;
    if (m_listIndex >= 0) {
        if (m_listIndex < m_topIndex) m_topIndex = m_listIndex;
        else if (m_listIndex >= m_topIndex + ItemsVisible()) m_topIndex = m_listIndex - ItemsVisible() + 1;
        m_bar->setValue(static_cast<int>(m_topIndex));
    }
    update();
    emit ListIndexChange();
}

void LB::SetFont(const QFont& font) {
    setFont(font);
    UpdateScrollBar();
}

void LB::UpdateScrollBar() {
    const int max = std::max(0, static_cast<int>(ListCount()) - ItemsVisible());
    m_bar->setRange(0, max);
    m_bar->setPageStep(ItemsVisible());
    m_bar->setVisible(max > 0);
    m_topIndex = std::min<long>(m_topIndex, max);
}

void LB::resizeEvent(QResizeEvent*) {
    m_bar->setGeometry(width() - kBorder - kBarWidth, kBorder, kBarWidth, height() - 2 * kBorder);
    UpdateScrollBar();
}

void LB::wheelEvent(QWheelEvent* e) {
    const int lines = -e->angleDelta().y() / 120 * 3;
    m_bar->setValue(m_bar->value() + (lines == 0 ? (e->angleDelta().y() > 0 ? -1 : 1) : lines));
}

void LB::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    p.setPen(QColor(122, 138, 160));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
    const int h = ItemHeight();
    const int textRight = width() - kBorder - (m_bar->isVisible() ? kBarWidth : 0);
    for (long i = m_topIndex, y = kBorder; i < ListCount() && y + h <= height(); ++i, y += h) {
        const QRect row(kBorder, static_cast<int>(y), textRight - kBorder, h);
        if (i == m_listIndex) {
            p.fillRect(row, QColor(206, 224, 248));
            p.setPen(QColor(90, 140, 210));
            p.drawRect(row.adjusted(1, 0, -2, -1));
        }
        p.setPen(QColor(24, 30, 40));
        p.drawText(row.adjusted(4, 0, -2, 0), Qt::AlignLeft | Qt::AlignVCenter, m_items[static_cast<qsizetype>(i)]);
    }
}
