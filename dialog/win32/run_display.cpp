#include "dialog/win32/run_display.h"

#include "dialog/log_list.h"
#include "dialog/win32/message_loop.h"
#include "platform/windows_text.h"

namespace dialog::win32 {

void RunDisplay::appendLog(std::string_view line, tavkonv40::LogLineKind) {
    const std::wstring wide = tavkonv40::windows::widen(std::string(line));
    AppendLogLine(m_log, std::u16string(wide.begin(), wide.end()));
}

void RunDisplay::yield() { YieldOnce(); }

void RunDisplay::setStatus(std::string_view text) {
    m_status = text;
    if (m_statusChanged) m_statusChanged();
}

}  // namespace dialog::win32
