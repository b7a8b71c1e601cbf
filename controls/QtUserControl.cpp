#include "controls/QtUserControl.h"

QtUserControl::QtUserControl(QWidget* parent, QtAmbient ambient) : QWidget(parent), m_ambient(std::move(ambient)) {}

void QtUserControl::SetAmbient(const ::QtAmbient& ambient) {
    m_ambient = ambient;
    AmbientChanged();
}
