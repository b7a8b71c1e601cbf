#include "controls/qt/GlyphWidgets.h"

void GlyphControlWidget::Relay(GlyphControlBase& control) {
    auto& e = control.events;
    e.Click = [this] { emit Click(); };
    e.MouseDown = [this](int b, int s, int x, int y) { emit MouseDown(b, s, x, y); };
    e.MouseMove = [this](int b, int s, int x, int y) { emit MouseMove(b, s, x, y); };
    e.MouseUp = [this](int b, int s, int x, int y) { emit MouseUp(b, s, x, y); };
    e.KeyDown = [this](int code, int shift) { emit KeyDown(code, shift); };
    e.KeyPress = [this](int ascii) { emit KeyPress(ascii); };
    e.KeyUp = [this](int code, int shift) { emit KeyUp(code, shift); };
    e.QuerySkin = [this](long number, SkinMapInfo& skin, SkinSource& source) { emit QuerySkin(number, skin, source); };
    control.PropertyChanged = [this](const char* name) { emit PropertyChanged(QString::fromLatin1(name)); };
}

CHKBOXWidget::CHKBOXWidget(QWidget* parent, const QtAmbient& ambient) : HostedWidget(parent, ambient) {
    Relay(Control());
}

OptWidget::OptWidget(QWidget* parent, const QtAmbient& ambient) : HostedWidget(parent, ambient) {
    Relay(Control());
    Control().BeforeValueChanged = [this](bool& newValue, bool& cancel) { emit BeforeValueChanged(newValue, cancel); };
}
