// txtWidget: the Qt host of the text box (txt).  It owns its control, hosts
// it through ControlWidget (whose inner editor is a QLineEdit, "txtText") and
// re-emits its events as Qt signals; Text is also offered as a QString.
#pragma once

#include "controls/qt/QtAmbient.h"
#include "controls/qt/ControlWidget.h"
#include "controls/txt.h"

class QLineEdit;

class txtWidget : public ControlWidget {
    Q_OBJECT
  public:
    explicit txtWidget(QWidget* parent = nullptr, const QtAmbient& ambient = {});
    ~txtWidget() override;

    txt& Control() { return m_control; }
    const txt& Control() const { return m_control; }
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

  private:
    txt m_control;
};
