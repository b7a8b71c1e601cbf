#include "controls/suite/winmsg.h"

#include <QHash>
#include <QObject>
#include <QWidget>

namespace winmsg {
namespace {

// window -> (window-timer id -> Qt timer id)
using TimerMap = QHash<std::uintptr_t, int>;

QHash<QWidget*, TimerMap>& timers() {
    static QHash<QWidget*, TimerMap> t;
    return t;
}

void forgetOnDestroy(QWidget* window) {
    // Only one connection per window: it is made when its first timer starts.
    QObject::connect(window, &QObject::destroyed, [window] { timers().remove(window); });
}

}  // namespace

bool SetTimer(HWND window, std::uintptr_t id, int milliseconds) {
    if (window == nullptr || id == 0) return false;
    auto& all = timers();
    if (!all.contains(window)) forgetOnDestroy(window);
    TimerMap& mine = all[window];
    if (auto it = mine.find(id); it != mine.end()) window->killTimer(it.value());
    const int qtId = window->startTimer(milliseconds);
    if (qtId == 0) return false;
    mine.insert(id, qtId);
    return true;
}

bool KillTimer(HWND window, std::uintptr_t id) {
    auto all = timers().find(window);
    if (all == timers().end()) return false;
    auto it = all->find(id);
    if (it == all->end()) return false;
    window->killTimer(it.value());
    all->erase(it);
    return true;
}

bool IsTimerRunning(HWND window, std::uintptr_t id) {
    auto all = timers().constFind(window);
    return all != timers().constEnd() && all->contains(id);
}

std::uintptr_t TimerIdFor(HWND window, int qtTimerId) {
    auto all = timers().constFind(window);
    if (all == timers().constEnd()) return 0;
    for (auto it = all->cbegin(); it != all->cend(); ++it) {
        if (it.value() == qtTimerId) return it.key();
    }
    return 0;
}

}  // namespace winmsg
