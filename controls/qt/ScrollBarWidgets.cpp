#include "controls/qt/ScrollBarWidgets.h"

VSCWidget::VSCWidget(QWidget* parent, const QtAmbient& ambient) : HostedWidget(parent, ambient) {
    VSC& c = Control();
    c.Change = [this] { emit Change(); };
    c.Scroll = [this] { emit Scroll(); };
    c.BarMouseUp = [this] { emit BarMouseUp(); };
    c.QuerySkin = [this](long number, SkinMapInfo& skin, SkinSource& source) { emit QuerySkin(number, skin, source); };
    c.PropertyChanged = [this](const char* name) { emit PropertyChanged(QString::fromLatin1(name)); };
}
