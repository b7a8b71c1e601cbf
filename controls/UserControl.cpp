#include "controls/UserControl.h"

UserControl::UserControl(QWidget* parent, Ambient ambient) : QWidget(parent), m_ambient(std::move(ambient)) {}

void UserControl::SetAmbient(const ::Ambient& ambient) {
    m_ambient = ambient;
    AmbientChanged();
}
