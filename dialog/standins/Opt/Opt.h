// Stand-in for the skinned option button until controls/Opt lands: caption,
// Value, Enabled, Grouped, GroupID, Click, QuerySkin and ApplyCustomSkin under
// the control's names, with the control's group rule.
#pragma once

#include "UserControl.h"
#include "clsSkin.h"

class Opt : public UserControl {
    Q_OBJECT
public:
    explicit Opt(QWidget* parent = nullptr, Ambient ambient = {});
    ~Opt() override;

    QString Caption() const { return m_caption; }
    void SetCaption(const QString& caption);
    bool Value() const { return m_value; }
    void SetValue(bool on);
    bool Enabled() const { return m_enabled; }
    void SetEnabled(bool on);
    bool Grouped() const { return m_grouped; }
    void SetGrouped(bool on) { m_grouped = on; }
    short GroupID() const { return m_groupID; }
    void SetGroupID(short id) { m_groupID = id; }

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
    void ClearGroup();
    bool OtherGroupMemberPresent() const;

    QString m_caption;
    bool m_value = false;
    bool m_enabled = true;
    bool m_grouped = false;
    short m_groupID = 0;
    bool m_pressed = false;
    bool m_hover = false;
    SkinMapInfo m_glyph;
};
