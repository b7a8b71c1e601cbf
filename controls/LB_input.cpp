// LB: keyboard, mouse, wheel, the drag auto-scroll and the window messages.
#include "controls/LB.h"

#include "controls/modSkinConstants.h"

#include <utility>

using namespace winmsg;

// ---- messages ---------------------------------------------------------------------------------------------

void LB::AttachSubclassing() {
    m_subclassed = true;
    Site().Subclass({WM_PAINT, WM_TIMER, WM_MOUSEMOVE, WM_MOUSEWHEEL, WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK,
                     WM_RBUTTONDOWN, WM_RBUTTONUP, WM_RBUTTONDBLCLK, WM_MBUTTONDOWN, WM_MBUTTONUP, WM_MBUTTONDBLCLK});
}

MessageResponse LB::MsgResponse(UINT message) {
    if (message == WM_PAINT) return MessageResponse::Consume;
    if (message == WM_MOUSEWHEEL && ScrollBarShown()) return MessageResponse::Consume;
    return MessageResponse::Preprocess;
}

LRESULT LB::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT: PaintToWindow(); break;
        case WM_SIZE: SizeHandling(); break;
        case WM_SETFOCUS:
        case WM_KILLFOCUS: Redraw(); break;
        case WM_SHOWWINDOW:
            if (wParam == 0) OnHidden();
            break;
        case WM_TIMER: OnTimer(wParam); break;
        case WM_MOUSEWHEEL:
            if (m_enabled) OnWheel(UnpackWheel(wParam, lParam).delta);
            break;
        case WM_MOUSEMOVE:
            OnHoverMove(gdi::POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
            OnMouseMove(MouseParametersOf(message, wParam, lParam));
            break;
        case WM_KEYDOWN:
            if (UserMode() && m_enabled) OnKeyDown(static_cast<int>(wParam));
            break;
        case WM_CHAR:
            if (UserMode() && m_enabled && wParam > 0 && KeyPress) KeyPress(static_cast<int>(wParam));
            break;
        case WM_KEYUP:
            if (UserMode() && m_enabled && KeyUp) KeyUp(static_cast<int>(wParam), Site().ShiftState());
            break;
        default:
            if (message >= WM_LBUTTONDOWN && message <= WM_MBUTTONDBLCLK)
                OnButton(message, MouseParametersOf(message, wParam, lParam));
            break;
    }
    return 0;
}

void LB::OnTimer(std::uintptr_t id) {
    if (id == modSkinConstants::kHoverTimerId) {
        const gdi::POINT p = Site().CursorPos();
        if (!ClientContains(p.x, p.y)) {
            Site().KillTimer(id);
            m_hoverItem = -1;
            ShowWholeText(-1);
            Redraw();
        }
    } else if (id == kDragTimerId) {
        DragTimerTick();
    } else {
        m_throttle.OnTimer(id, m_tick());
    }
}

void LB::OnHidden() {
    m_throttle.Flush(m_tick());
    StopDragScroll();
    Site().KillTimer(modSkinConstants::kHoverTimerId);
    m_hoverItem = -1;
}

// ---- keyboard ---------------------------------------------------------------------------------------------

void LB::OnKeyDown(int code) {
    SyncSize();
    if (ListCount() > 0 && m_listIndex != -1) {
        const long target = list_rows::KeyTarget(code, m_listIndex, ListCount(), m_itemsVisible);
        const bool moves = target != m_listIndex || code == list_rows::vbKeyPageUp ||
                           code == list_rows::vbKeyPageDown || code == list_rows::vbKeyEnd ||
                           code == list_rows::vbKeyHome;
        if (moves) SetListIndex(target);
    }
    if (KeyDown) KeyDown(code, Site().ShiftState());
}

// ---- mouse ------------------------------------------------------------------------------------------------

void LB::OnButton(UINT message, const MouseParameters& p) {
    if (!UserMode() || !m_enabled) return;
    const bool left = p.button == vbLeftButton;
    switch (message) {
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
            m_buttonHeld = true;
            if (MouseDown) MouseDown(p.button, p.shift, p.x, p.y);
            break;
        case WM_LBUTTONDBLCLK:
        case WM_RBUTTONDBLCLK:
        case WM_MBUTTONDBLCLK:
            m_buttonHeld = true;
            m_doubleClickHeld = true;
            if (left && m_listIndex != -1 && DblClick) DblClick();
            break;
        default: {
            m_buttonHeld = false;
            StopDragScroll();
            if (MouseUp) MouseUp(p.button, p.shift, p.x, p.y);
            // A double click ends with MouseUp alone: its DblClick stands for the second Click.
            const bool endsDoubleClick = std::exchange(m_doubleClickHeld, false);
            if (left && ClientContains(p.x, p.y) && m_listIndex != -1 && !endsDoubleClick && Click) Click();
            break;
        }
    }
}

void LB::OnMouseMove(const MouseParameters& p) {
    if (!UserMode() || !m_enabled) return;
    if ((p.y < 0 || p.y >= Site().ClientSize().cy) && MouseMove) MouseMove(p.button, p.shift, p.x, p.y);
    if (m_buttonHeld) DragAutoScroll(p.y);
}

void LB::OnHoverMove(gdi::POINT p) {
    if (!Site().IsTimerRunning(modSkinConstants::kHoverTimerId))
        Site().SetTimer(modSkinConstants::kHoverTimerId, modSkinConstants::kHoverTimerMs);
    const long item = ItemAt(p);
    if (item != m_hoverItem) {
        m_hoverItem = item;
        ShowWholeText(item);
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

// ---- drag auto-scroll -----------------------------------------------------------------------------------

int LB::DragStepInterval(int y) const { return list_rows::DragStepInterval(y, Site().ClientSize().cy); }

void LB::DragAutoScroll(int y) {
    m_dragY = y;
    const bool outside = y < 0 || y >= Site().ClientSize().cy;
    if (!outside) {
        StopDragScroll();
        return;
    }
    if (Site().IsTimerRunning(kDragTimerId)) return;
    // The first step comes at once, the next ones per interval.
    m_lastDragStep = m_tick() - static_cast<std::uint32_t>(DragStepInterval(y));
    Site().SetTimer(kDragTimerId, kDragPollMs);
    DragTimerTick();
}

void LB::DragTimerTick() {
    if (!m_buttonHeld || (m_dragY >= 0 && m_dragY < Site().ClientSize().cy)) {
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

void LB::StopDragScroll() { Site().KillTimer(kDragTimerId); }
