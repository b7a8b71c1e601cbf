#include "controls/qt/LBWidget.h"

LBWidget::LBWidget(QWidget* parent, const QtAmbient& ambient) : HostedWidget(parent, ambient) {
    LB& c = Control();
    c.Click = [this] { emit Click(); };
    c.DblClick = [this] { emit DblClick(); };
    c.ListIndexChange = [this] { emit ListIndexChange(); };
    c.TopIndexChange = [this] { emit TopIndexChange(); };
}
