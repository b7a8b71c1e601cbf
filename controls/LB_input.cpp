// LB: keyboard, mouse, wheel, the drag auto-scroll and the subclassed messages.
#include "controls/LB.h"

#include "controls/control_input.h"
#include "controls/modSkinConstants.h"
#include "controls/suite/tavMFC40.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>

#include <utility>

// ---- keyboard ---------------------------------------------------------------------------------------------

void LB::keyPressEvent(QKeyEvent* e) {
    if (!UserMode() || !m_enabled) return;
    SyncSize();
    const int code = tavMFC40::KeyCodeFromQt(e->key());
    if (ListCount() > 0 && m_listIndex != -1) {
        const long target = list_rows::KeyTarget(code, m_listIndex, ListCount(), m_itemsVisible);
        const bool moves = target != m_listIndex || code == list_rows::vbKeyPageUp ||
                           code == list_rows::vbKeyPageDown || code == list_rows::vbKeyEnd ||
                           code == list_rows::vbKeyHome;
        if (moves) SetListIndex(target);
    }
    emit KeyDown(code, tavMFC40::ShiftFromQt(e->modifiers()));
    if (const int ascii = control_input::KeyAsciiOf(e->text()); ascii > 0) emit KeyPress(ascii);
}

void LB::keyReleaseEvent(QKeyEvent* e) {
    if (!UserMode() || !m_enabled) return;
    emit KeyUp(tavMFC40::KeyCodeFromQt(e->key()), tavMFC40::ShiftFromQt(e->modifiers()));
}

// ---- mouse ------------------------------------------------------------------------------------------------

void LB::mousePressEvent(QMouseEvent* e) {
    if (!UserMode() || !m_enabled) return;
    m_buttonHeld = true;
    const QPoint p = e->position().toPoint();
    emit MouseDown(tavMFC40::ButtonsFromQt(e->button()), tavMFC40::ShiftFromQt(e->modifiers()), p.x(), p.y());
}

void LB::mouseReleaseEvent(QMouseEvent* e) {
    if (!UserMode() || !m_enabled) return;
    m_buttonHeld = false;
    StopDragScroll();
    const QPoint p = e->position().toPoint();
    emit MouseUp(tavMFC40::ButtonsFromQt(e->button()), tavMFC40::ShiftFromQt(e->modifiers()), p.x(), p.y());
    // A double click ends with MouseUp alone: its DblClick stands for the second Click.
    const bool endsDoubleClick = std::exchange(m_doubleClickHeld, false);
    if (e->button() == Qt::LeftButton && rect().contains(p) && m_listIndex != -1 && !endsDoubleClick) emit Click();
}

void LB::mouseDoubleClickEvent(QMouseEvent* e) {
    if (!UserMode() || !m_enabled) return;
    m_buttonHeld = true;
    m_doubleClickHeld = true;
    if (e->button() == Qt::LeftButton && m_listIndex != -1) emit DblClick();
}

void LB::mouseMoveEvent(QMouseEvent* e) {
    if (!UserMode() || !m_enabled) return;
    const QPoint p = e->position().toPoint();
    if (p.y() < 0 || p.y() >= height())
        emit MouseMove(tavMFC40::ButtonsFromQt(e->buttons()), tavMFC40::ShiftFromQt(e->modifiers()), p.x(), p.y());
    if (m_buttonHeld) DragAutoScroll(p.y());
}

void LB::wheelEvent(QWheelEvent* e) {
    // The subclassed WM_MOUSEWHEEL has scrolled already.  A list whose items
    // all fit leaves the wheel to what lies under it (a scrolling panel).
    if (ScrollBarShown())
        e->accept();
    else
        e->ignore();
}

void LB::hideEvent(QHideEvent*) {
    m_throttle.Flush(m_tick());
    StopDragScroll();
    winmsg::KillTimer(this, modSkinConstants::kHoverTimerId);
    m_hoverItem = -1;
}

// ---- drag auto-scroll -----------------------------------------------------------------------------------

int LB::DragStepInterval(int y) const { return list_rows::DragStepInterval(y, height()); }

void LB::DragAutoScroll(int y) {
    m_dragY = y;
    const bool outside = y < 0 || y >= height();
    if (!outside) {
        StopDragScroll();
        return;
    }
    if (winmsg::IsTimerRunning(this, kDragTimerId)) return;
    // The first step comes at once, the next ones per interval.
    m_lastDragStep = m_tick() - static_cast<std::uint32_t>(DragStepInterval(y));
    winmsg::SetTimer(this, kDragTimerId, kDragPollMs);
    DragTimerTick();
}

void LB::DragTimerTick() {
    if (!m_buttonHeld || (m_dragY >= 0 && m_dragY < height())) {
        StopDragScroll();
        return;
    }
    const std::uint32_t now = m_tick();
    if (now - m_lastDragStep < static_cast<std::uint32_t>(DragStepInterval(m_dragY))) return;
    m_lastDragStep = now;
    if (m_dragY < 0) {
        if (m_listIndex > 0) SetListIndex(m_listIndex - 1);
    } else if (m_listIndex < ListCount() - 1) {
        SetListIndex(m_listIndex + 1);
    }
}

void LB::StopDragScroll() { winmsg::KillTimer(this, kDragTimerId); }

// ---- subclassed messages ----------------------------------------------------------------------------------

void LB::AttachSubclassing() {
    if (!m_subclasser) m_subclasser = std::make_unique<tavSCls40::Subclasser>();
    m_subclasser->DetachAll(this);
    for (auto msg : {winmsg::WM_PAINT, winmsg::WM_TIMER, winmsg::WM_MOUSEMOVE, winmsg::WM_MOUSEWHEEL})
        m_subclasser->AttachMessage(this, this, msg);
}

tavSCls40::EMsgResponse LB::ISubclass_MsgResponse() {
    const auto msg = m_subclasser ? m_subclasser->CurrentMessage() : 0;
    return msg == winmsg::WM_PAINT ? tavSCls40::emrConsume : tavSCls40::emrPreprocess;
}

winmsg::LRESULT LB::ISubclass_WindowProc(winmsg::HWND, winmsg::UINT message, winmsg::WPARAM wParam,
                                         winmsg::LPARAM lParam) {
    switch (message) {
        case winmsg::WM_PAINT: PaintToWindow(); break;
        case winmsg::WM_MOUSEWHEEL:
            if (m_enabled) OnWheel(winmsg::UnpackWheel(wParam, lParam).delta);
            break;
        case winmsg::WM_MOUSEMOVE:
            OnHoverMove(QPoint(winmsg::GET_X_LPARAM(lParam), winmsg::GET_Y_LPARAM(lParam)));
            break;
        case winmsg::WM_TIMER:
            if (wParam == modSkinConstants::kHoverTimerId) {
                if (!rect().contains(mapFromGlobal(tavMFC40::GetCursorPos()))) {
                    winmsg::KillTimer(this, wParam);
                    m_hoverItem = -1;
                    Redraw();
                }
            } else if (wParam == kDragTimerId) {
                DragTimerTick();
            } else {
                m_throttle.OnTimer(wParam, m_tick());
            }
            break;
        default: break;
    }
    return 0;
}

void LB::OnHoverMove(QPoint p) {
    if (!winmsg::IsTimerRunning(this, modSkinConstants::kHoverTimerId))
        winmsg::SetTimer(this, modSkinConstants::kHoverTimerId, modSkinConstants::kHoverTimerMs);
    const long item = ItemAt(p);
    if (item != m_hoverItem) {
        m_hoverItem = item;
        if (m_hidden.HoverListEffect) Redraw();
    }
}

// Held within the scroll bar's range even while every item fits: the bar, hidden then, keeps a
// Max of 1 (a Max below Min becomes Min + 1), so a turn towards the user shows the list from its
// second item on, and a turn away brings the first back.
void LB::OnWheel(int delta) {
    SyncSize();
    if (delta == 0) return;
    ScrollTo(list_rows::WheelTop(TopIndex(), delta, m_wheelLines, Bar().Max()));
    Redraw();
}
