#include "dialog/log_display.h"

#include "platform/qt/message_loop.h"

namespace dialog {

void LogDisplay::clearLog() { m_c.List1->Clear(); }

void LogDisplay::appendLog(std::string_view line, tavkonv40::LogLineKind) {
    m_c.List1->AddItem(QString::fromUtf8(line));
    m_c.List1->SetListIndex(m_c.List1->ListCount() - 1);
}

void LogDisplay::yield() { platform_qt::YieldOnce(); }

void LogDisplay::setStatus(std::string_view text) {
    m_c.lbl5->setText(QString::fromUtf8(text));
    // The run empties the label at its end and repaints it at once.
    if (text.empty()) m_c.lbl5->repaint();
}

}  // namespace dialog
