#include "dialog/log_display.h"

#include "platform/qt/message_loop.h"

namespace dialog {

namespace {
QString FromEngine(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}
}  // namespace

void LogDisplay::clearLog() { m_c.List1->Clear(); }

void LogDisplay::appendLog(std::string_view line, tavkonv40::LogLineKind) {
    m_c.List1->AddItem(FromEngine(line));
    m_c.List1->SetListIndex(m_c.List1->ListCount() - 1);
}

void LogDisplay::yield() { platform_qt::YieldOnce(); }

void LogDisplay::setStatus(std::string_view text) {
    m_c.lbl5->setText(FromEngine(text));
    // The run empties the label at its end and repaints it at once.
    if (text.empty()) m_c.lbl5->repaint();
}

}  // namespace dialog
