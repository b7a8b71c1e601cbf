#include "controls/qt/LBWidget.h"

LBWidget::LBWidget(QWidget* parent, const QtAmbient& ambient)
    : ControlWidget(parent), m_control(*this, PortableAmbient(ambient)) {
    Bind(m_control);
    m_control.Click = [this] { emit Click(); };
    m_control.DblClick = [this] { emit DblClick(); };
    m_control.ListIndexChange = [this] { emit ListIndexChange(); };
    m_control.TopIndexChange = [this] { emit TopIndexChange(); };
}

LBWidget::~LBWidget() = default;
