#include "dialog/log_display.h"

#include "dialog/log_list.h"
#include "platform/qt/message_loop.h"

namespace dialog {

void LogDisplay::clearLog() { m_c.List1->Control().Clear(); }

void LogDisplay::appendLog(std::string_view line, tavkonv40::LogLineKind) {
    AppendLogLine(m_c.List1->Control(), QString::fromUtf8(line).toStdU16String());
}

void LogDisplay::yield() { platform_qt::YieldOnce(); }

void LogDisplay::setStatus(std::string_view text) {
    m_c.lbl5->setText(QString::fromUtf8(text));
    // The run empties the label at its end and repaints it at once.
    if (text.empty()) m_c.lbl5->repaint();
}

}  // namespace dialog
