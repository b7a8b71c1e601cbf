// The host's ambient properties in Qt types, as a Qt form or the gallery holds them; each Qt host
// widget hands its control the platform-free Ambient made from them
// (ControlWidget::PortableAmbient).
#pragma once

#include "controls/UserControl.h"

#include <QFont>
#include <QString>

struct QtAmbient {
    HostMode Mode = HostMode::Run;
    QString DisplayName;  // the name the host gives this instance
    QFont Font;           // the host's font
    // Whether the host can list the form's controls (its parent-controls
    // list); when it cannot, controls fall back to their container's children.
    bool EnumeratesParentControls = true;
};
