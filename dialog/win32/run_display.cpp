#include "dialog/win32/run_display.h"

#include "dialog/win32/message_loop.h"

namespace dialog::win32 {

void RunDisplay::yield() { YieldOnce(); }

void RunDisplay::setStatus(std::string_view text) {
    m_status = text;
    if (m_statusChanged) m_statusChanged();
}

}  // namespace dialog::win32
