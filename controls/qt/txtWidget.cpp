#include "controls/qt/txtWidget.h"

#include "controls/suite/qt/gdi_qt.h"

#include <QLineEdit>

txtWidget::txtWidget(QWidget* parent, const QtAmbient& ambient)
    : ControlWidget(parent), m_control(*this, PortableAmbient(ambient)) {
    Bind(m_control);
    Editor()->setObjectName(QStringLiteral("txtText"));
    auto& e = m_control.events;
    e.Click = [this] { emit Click(); };
    e.Change = [this] { emit Change(); };
    e.KeyDown = [this](int code, int shift) { emit KeyDown(code, shift); };
    e.KeyPress = [this](int ascii) { emit KeyPress(ascii); };
    e.KeyUp = [this](int code, int shift) { emit KeyUp(code, shift); };
    e.QuerySkin = [this](long number, SkinMapInfo& skin, SkinSource& source) { emit QuerySkin(number, skin, source); };
    m_control.PropertyChanged = [this](const char* name) { emit PropertyChanged(QString::fromLatin1(name)); };
}

txtWidget::~txtWidget() = default;

QLineEdit* txtWidget::Editor() const { return findChild<QLineEdit*>(QString(), Qt::FindDirectChildrenOnly); }
QString txtWidget::Text() const { return gdi::qt::ToQString(m_control.Text()); }
void txtWidget::SetText(const QString& text) { m_control.SetText(gdi::qt::Text(text)); }
