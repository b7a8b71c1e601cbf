#include "controls/qt/txtWidget.h"

#include "controls/suite/qt/gdi_qt.h"

#include <QLineEdit>

txtWidget::txtWidget(QWidget* parent, const QtAmbient& ambient) : HostedWidget(parent, ambient) {
    Editor()->setObjectName(QStringLiteral("txtText"));
    auto& e = Control().events;
    e.Click = [this] { emit Click(); };
    e.Change = [this] { emit Change(); };
    e.KeyDown = [this](int code, int shift) { emit KeyDown(code, shift); };
    e.KeyPress = [this](int ascii) { emit KeyPress(ascii); };
    e.KeyUp = [this](int code, int shift) { emit KeyUp(code, shift); };
    e.QuerySkin = [this](long number, SkinMapInfo& skin, SkinSource& source) { emit QuerySkin(number, skin, source); };
    Control().PropertyChanged = [this](const char* name) { emit PropertyChanged(QString::fromLatin1(name)); };
}

QLineEdit* txtWidget::Editor() const { return findChild<QLineEdit*>(QString(), Qt::FindDirectChildrenOnly); }
QString txtWidget::Text() const { return gdi::qt::ToQString(Control().Text()); }
void txtWidget::SetText(const QString& text) { Control().SetText(gdi::qt::Text(text)); }
