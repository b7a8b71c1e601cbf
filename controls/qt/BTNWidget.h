// BTNWidget: the Qt host of the command button.  It owns its BTN, hosts it
// through HostedWidget and re-emits its events as Qt signals.  GroupID,
// Grouped and TogglePressed are Qt properties too, so a group rule that walks
// its container late-bound reaches the button (setting TogglePressed that way
// forces the toggle state, as the core's late-bound TogglePressed does).
#pragma once

#include "controls/BTN.h"
#include "controls/qt/HostedWidget.h"

class BTNWidget : public HostedWidget<ControlWidget, BTN> {
    Q_OBJECT
    Q_PROPERTY(short GroupID READ GroupID)
    Q_PROPERTY(bool Grouped READ Grouped)
    Q_PROPERTY(bool TogglePressed READ TogglePressed WRITE ForceTogglePressed)
  public:
    explicit BTNWidget(QWidget* parent = nullptr, const QtAmbient& ambient = {});

    short GroupID() const { return Control().GroupID(); }
    bool Grouped() const { return Control().Grouped(); }
    bool TogglePressed() const { return Control().TogglePressed(); }
    void ForceTogglePressed(bool on) { Control().SetFlagProperty("TogglePressed", on); }
    // The body of the button, in the widget's coordinates.
    QRect BodyRect() const;

    // A custom MousePointer without a picture shows the pointing hand.
    void SetMousePointer(int pointer, const gdi::Image& icon) override;

  signals:
    void Click();
    void KeyDown(int KeyCode, int Shift);
    void KeyPress(int KeyAscii);
    void KeyUp(int KeyCode, int Shift);
    void MouseDown(int Button, int Shift, int X, int Y);
    void MouseUp(int Button, int Shift, int X, int Y);
    void DropDown(int Button, int Shift, int X, int Y);
    void DropUp(int Button, int Shift, int X, int Y);
    void QuerySkin(long ResNumber, SkinMapInfo& Skin, SkinSource& Source);
    void QueryLayout(SkinButtonLayoutInfo& Layout);
    // A property changed and should be saved.
    void PropertyChanged(const QString& name);

  protected:
    // The button's mouse buttons stay its own (they reach the control as
    // subclassed messages): none goes on to its container.
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
};
