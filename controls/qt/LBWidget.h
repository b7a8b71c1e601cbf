// The Qt host of the list box: owns the control, hosts it through
// ControlWidget (its scroll bar in a child widget the control asks for) and
// re-emits its events as Qt signals for the dialog.
#pragma once

#include "controls/LB.h"
#include "controls/qt/QtAmbient.h"
#include "controls/qt/ControlWidget.h"

class LBWidget : public ControlWidget {
    Q_OBJECT
  public:
    explicit LBWidget(QWidget* parent = nullptr, const QtAmbient& ambient = {});
    ~LBWidget() override;

    LB& Control() { return m_control; }
    const LB& Control() const { return m_control; }

  signals:
    void Click();
    void DblClick();
    void ListIndexChange();
    void TopIndexChange();

  private:
    LB m_control;
};
