// txtWidget: the Qt host of the text box (txt).  It owns its control, hosts
// it through HostedWidget (its inner editor a QLineEdit, "txtText") and
// re-emits its events as Qt signals; Text is also offered as a QString.
#pragma once

#include "controls/qt/HostedWidget.h"
#include "controls/txt.h"

class QLineEdit;

class txtWidget : public HostedWidget<ControlWidget, txt> {
    Q_OBJECT
  public:
    explicit txtWidget(QWidget* parent = nullptr, const QtAmbient& ambient = {});
    // The editor the user types in.
    QLineEdit* Editor() const;
    QString Text() const;
    void SetText(const QString& text);

  signals:
    void Click();
    void Change();
    void KeyDown(int KeyCode, int Shift);
    void KeyPress(int KeyAscii);
    void KeyUp(int KeyCode, int Shift);
    void QuerySkin(long ResNumber, SkinMapInfo& Skin, SkinSource& Source);
    // A property changed and should be saved.
    void PropertyChanged(const QString& name);
};
