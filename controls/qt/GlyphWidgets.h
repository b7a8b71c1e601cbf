// The Qt hosts of the check box (CHKBOXWidget) and the option button
// (OptWidget): each owns its control, hosts it through HostedWidget and
// re-emits its events as Qt signals.  Value, GroupID and Grouped are Qt
// properties too, so an option button's group rule reaches its partners
// late-bound.
#pragma once

#include "controls/CHKBOX.h"
#include "controls/Opt.h"
#include "controls/qt/HostedWidget.h"

class GlyphControlWidget : public ControlWidget {
    Q_OBJECT
  signals:
    void Click();
    void MouseDown(int Button, int Shift, int X, int Y);
    void MouseMove(int Button, int Shift, int X, int Y);
    void MouseUp(int Button, int Shift, int X, int Y);
    void KeyDown(int KeyCode, int Shift);
    void KeyPress(int KeyAscii);
    void KeyUp(int KeyCode, int Shift);
    void QuerySkin(long ResNumber, SkinMapInfo& Skin, SkinSource& Source);
    // A property changed and should be saved.
    void PropertyChanged(const QString& name);

  protected:
    using ControlWidget::ControlWidget;
    // Relays the hosted control's events.
    void Relay(GlyphControlBase& control);
};

class CHKBOXWidget : public HostedWidget<GlyphControlWidget, CHKBOX> {
    Q_OBJECT
    Q_PROPERTY(bool Value READ Value WRITE SetValue)
  public:
    explicit CHKBOXWidget(QWidget* parent = nullptr, const QtAmbient& ambient = {});

    bool Value() const { return Control().Value(); }
    void SetValue(bool value) { Control().SetValue(value); }
};

class OptWidget : public HostedWidget<GlyphControlWidget, Opt> {
    Q_OBJECT
    Q_PROPERTY(short GroupID READ GroupID WRITE SetGroupID)
    Q_PROPERTY(bool Value READ Value WRITE SetValue)
    Q_PROPERTY(bool Grouped READ Grouped WRITE SetGrouped)
  public:
    explicit OptWidget(QWidget* parent = nullptr, const QtAmbient& ambient = {});

    short GroupID() const { return Control().GroupID(); }
    void SetGroupID(short id) { Control().SetGroupID(id); }
    bool Value() const { return Control().Value(); }
    void SetValue(bool value) { Control().SetValue(value); }
    bool Grouped() const { return Control().Grouped(); }
    void SetGrouped(bool on) { Control().SetGrouped(on); }

  signals:
    void BeforeValueChanged(bool& NewValue, bool& bCancel);
};
