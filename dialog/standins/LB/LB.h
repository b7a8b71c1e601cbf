// Stand-in for the skinned list box until controls/LB lands: AddItem, Clear,
// ListCount, ListIndex (selecting scrolls the item into view), ItemText,
// TopIndex and the wheel, under the control's names.
#pragma once

#include "UserControl.h"

#include <QStringList>

class QScrollBar;

class LB : public UserControl {
    Q_OBJECT
public:
    explicit LB(QWidget* parent = nullptr, Ambient ambient = {});

    void AddItem(const QString& item);
    void Clear();
    long ListCount() const { return static_cast<long>(m_items.size()); }
    long ListIndex() const { return m_listIndex; }
    void SetListIndex(long index);
    long TopIndex() const { return m_topIndex; }
    QString ItemText(long index) const { return m_items.value(static_cast<qsizetype>(index)); }
    void SetFont(const QFont& font);
    void Refresh() { update(); }

    void InitProperties() override {}
    void ReadProperties(const PropertyBag&) override {}
    void WriteProperties(PropertyBag&) const override {}

signals:
    void ListIndexChange();

protected:
    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void wheelEvent(QWheelEvent* e) override;

private:
    int ItemHeight() const;
    int ItemsVisible() const;
    void UpdateScrollBar();

    QStringList m_items;
    long m_listIndex = -1;
    long m_topIndex = 0;
    QScrollBar* m_bar;
};
