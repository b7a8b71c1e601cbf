// Stand-in for the skinned text box until controls/txt lands: Text, Change,
// QuerySkin, ApplyCustomSkin and hWndToolTip (the inner editing box) under the
// control's names.
#pragma once

#include "UserControl.h"
#include "clsSkin.h"

class QLineEdit;

class txt : public UserControl {
    Q_OBJECT
public:
    explicit txt(QWidget* parent = nullptr, Ambient ambient = {});
    ~txt() override;

    QString Text() const;
    void SetText(const QString& text);
    void SetFont(const QFont& font);
    QWidget* hWndToolTip() const;

    void ApplyCustomSkin();
    void Refresh() { update(); }

    void InitProperties() override {}
    void ReadProperties(const PropertyBag&) override {}
    void WriteProperties(PropertyBag&) const override {}

signals:
    void Change();
    void QuerySkin(long ResNumber, SkinMapInfo& Skin, SkinSource& Source);

protected:
    bool eventFilter(QObject* watched, QEvent* e) override;
    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;

private:
    static constexpr int kFrames = 4;  // normal, hover, focus, disabled
    QLineEdit* m_inner;
    bool m_hover = false;
    SkinMapInfo m_frame;
};
