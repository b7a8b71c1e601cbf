// Stand-in for the skinned command button until controls/BTN lands: the same
// names for what the dialog uses (caption, enabled state, Click, QuerySkin,
// QueryLayout, ApplyCustomSkin, ApplyCustomLayout), drawn from the same skin.
#pragma once

#include "UserControl.h"
#include "clsSkin.h"

class BTN : public UserControl {
    Q_OBJECT
public:
    explicit BTN(QWidget* parent = nullptr, Ambient ambient = {});
    ~BTN() override;

    QString Caption() const { return m_caption; }
    void SetCaption(const QString& caption);
    bool Enabled() const { return m_enabled; }
    void SetEnabled(bool on);
    void SetFont(const QFont& font);

    void ApplyCustomSkin();
    void ApplyDefaultSkin();
    void ApplyCustomLayout();
    void Refresh() { update(); }

    void InitProperties() override {}
    void ReadProperties(const PropertyBag&) override {}
    void WriteProperties(PropertyBag&) const override {}

signals:
    void Click();
    void QuerySkin(long ResNumber, SkinMapInfo& Skin, SkinSource& Source);
    void QueryLayout(SkinButtonLayoutInfo& Layout);

protected:
    void paintEvent(QPaintEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void enterEvent(QEnterEvent* e) override;
    void leaveEvent(QEvent* e) override;

private:
    int BodyFrame() const;

    QString m_caption;
    bool m_enabled = true;
    bool m_pressed = false;
    bool m_hover = false;
    bool m_customLayout = false;
    SkinButtonLayoutInfo m_layout;
    SkinMapInfo m_body;
};
