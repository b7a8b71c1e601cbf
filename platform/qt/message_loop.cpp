#include "platform/qt/message_loop.h"

#include <QCoreApplication>

namespace platform_qt {

void YieldOnce() { QCoreApplication::processEvents(QEventLoop::AllEvents); }

}  // namespace platform_qt
