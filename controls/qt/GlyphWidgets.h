// The Qt hosts of the check box (CHKBOXWidget) and the option button
// (OptWidget): each owns its control, hosts it through ControlWidget and
// re-emits its events as Qt signals.  Value, GroupID and Grouped are Qt
// properties too, so an option button's group rule reaches its partners
// late-bound.
#pragma once

#include "controls/CHKBOX.h"
#include "controls/Opt.h"
#include "controls/qt/QtAmbient.h"
#include "controls/qt/ControlWidget.h"

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
    // Hosts `control` and relays its events.
    void Relay(GlyphControlBase& control);
};

class CHKBOXWidget : public GlyphControlWidget {
    Q_OBJECT
    Q_PROPERTY(bool Value READ Value WRITE SetValue)
  public:
    explicit CHKBOXWidget(QWidget* parent = nullptr, const QtAmbient& ambient = {});
    ~CHKBOXWidget() override;

    CHKBOX& Control() { return m_control; }
    const CHKBOX& Control() const { return m_control; }
    bool Value() const { return m_control.Value(); }
    void SetValue(bool value) { m_control.SetValue(value); }

  private:
    CHKBOX m_control;
};

class OptWidget : public GlyphControlWidget {
    Q_OBJECT
    Q_PROPERTY(short GroupID READ GroupID WRITE SetGroupID)
    Q_PROPERTY(bool Value READ Value WRITE SetValue)
    Q_PROPERTY(bool Grouped READ Grouped WRITE SetGrouped)
  public:
    explicit OptWidget(QWidget* parent = nullptr, const QtAmbient& ambient = {});
    ~OptWidget() override;

    Opt& Control() { return m_control; }
    const Opt& Control() const { return m_control; }
    short GroupID() const { return m_control.GroupID(); }
    void SetGroupID(short id) { m_control.SetGroupID(id); }
    bool Value() const { return m_control.Value(); }
    void SetValue(bool value) { m_control.SetValue(value); }
    bool Grouped() const { return m_control.Grouped(); }
    void SetGrouped(bool on) { m_control.SetGrouped(on); }

  signals:
    void BeforeValueChanged(bool& NewValue, bool& bCancel);

  private:
    Opt m_control;
};
