#include "controls/qt/ScrollBarWidgets.h"

VSCWidget::VSCWidget(QWidget* parent, const QtAmbient& ambient)
    : ScrollBarHostWidget(parent), m_control(*this, PortableAmbient(ambient)) {
    setFocusPolicy(Qt::NoFocus);
    Bind(m_control);
    m_control.Change = [this] { emit Change(); };
    m_control.Scroll = [this] { emit Scroll(); };
    m_control.BarMouseUp = [this] { emit BarMouseUp(); };
    m_control.QuerySkin = [this](long number, SkinMapInfo& skin, SkinSource& source) {
        emit QuerySkin(number, skin, source);
    };
    m_control.PropertyChanged = [this](const char* name) { emit PropertyChanged(QString::fromLatin1(name)); };
}

VSCWidget::~VSCWidget() = default;
