// The Qt host of the stand-alone scroll bar (VSCWidget): owns its control,
// hosts it through HostedWidget and re-emits the bar's events as Qt signals
// for the dialog.  It never takes the keyboard focus, as the bars never have.
// (The list box's own bar lives in a child widget the list asks its site
// for: ControlSite::MakeChildWindow.)
#pragma once

#include "controls/VSC.h"
#include "controls/qt/HostedWidget.h"

// Qt already keeps the mouse with the widget a button went down on until the
// button goes up (its implicit grab), so the bar's hold on the mouse while
// pressed needs no grab of its own.
class ScrollBarHostWidget : public ControlWidget {
    Q_OBJECT
  public:
    void SetCapture(bool) override {}
    bool HasCapture() const override { return false; }

  protected:
    using ControlWidget::ControlWidget;
};

class VSCWidget : public HostedWidget<ScrollBarHostWidget, VSC> {
    Q_OBJECT
  public:
    explicit VSCWidget(QWidget* parent = nullptr, const QtAmbient& ambient = {});

  signals:
    void Change();
    void Scroll();
    void BarMouseUp();
    void QuerySkin(long ResNumber, SkinMapInfo& Skin, SkinSource& Source);
    // A property changed and should be saved.
    void PropertyChanged(const QString& name);
};
