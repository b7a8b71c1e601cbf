// HostedWidget<Base, C>: a Qt host widget (Base: ControlWidget or a class over it) that owns its
// control C and hosts it.  Each control's widget derives from one and adds only its Qt
// signals (and Qt properties); whether the widget takes the focus is the control's
// (UserControl::kFocus).
#pragma once

#include "controls/qt/ControlWidget.h"
#include "controls/qt/QtAmbient.h"

template <class Base, class C>
class HostedWidget : public Base {
  public:
    C& Control() { return m_control; }
    const C& Control() const { return m_control; }

  protected:
    HostedWidget(QWidget* parent, const QtAmbient& ambient)
        : Base(parent), m_control(*this, ControlWidget::PortableAmbient(ambient)) {
        if constexpr (C::kFocus == UserControl::Focus::Refused) this->setFocusPolicy(Qt::NoFocus);
        this->Bind(m_control);
    }

  private:
    C m_control;
};
