// Stand-in for the skinned check box until controls/CHKBOX lands: caption,
// Value, Enabled, Click, QuerySkin and ApplyCustomSkin under the control's names.
#pragma once

#include "UserControl.h"
#include "clsSkin.h"

class CHKBOX : public UserControl {
    Q_OBJECT
public:
    explicit CHKBOX(QWidget* parent = nullptr, Ambient ambient = {});
    ~CHKBOX() override;

    QString Caption() const { return m_caption; }
    void SetCaption(const QString& caption);
    bool Value() const { return m_value; }
    void SetValue(bool on);  // no Click
    bool Enabled() const { return m_enabled; }
    void SetEnabled(bool on);
    void SetFont(const QFont& font);

    void ApplyCustomSkin();
    void ApplyDefaultSkin();
    void Refresh() { update(); }

    void InitProperties() override {}
    void ReadProperties(const PropertyBag&) override {}
    void WriteProperties(PropertyBag&) const override {}

signals:
    void Click();
    void QuerySkin(long ResNumber, SkinMapInfo& Skin, SkinSource& Source);

protected:
    void paintEvent(QPaintEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void enterEvent(QEnterEvent* e) override;
    void leaveEvent(QEvent* e) override;

private:
    QString m_caption;
    bool m_value = false;
    bool m_enabled = true;
    bool m_pressed = false;
    bool m_hover = false;
    SkinMapInfo m_glyph;
};
