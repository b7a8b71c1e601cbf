// The Qt host of the list box: owns the control, hosts it through
// HostedWidget (its scroll bar in a child widget the control asks for) and
// re-emits its events as Qt signals for the dialog.
#pragma once

#include "controls/LB.h"
#include "controls/qt/HostedWidget.h"

class LBWidget : public HostedWidget<ControlWidget, LB> {
    Q_OBJECT
  public:
    explicit LBWidget(QWidget* parent = nullptr, const QtAmbient& ambient = {});

  signals:
    void Click();
    void DblClick();
    void ListIndexChange();
    void TopIndexChange();
};
