#include "dialog/win32/message_loop.h"

#include <cstdint>

namespace dialog::win32 {

namespace {

// Dispatches one message; false for WM_QUIT, which is posted again for the host.
bool Dispatch(const MSG& msg) {
    if (msg.message == WM_QUIT) {
        ::PostQuitMessage(static_cast<int>(msg.wParam));
        return false;
    }
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
    return true;
}

}  // namespace

void RunModalLoop(HWND window, const std::function<void(HWND focused)>& focusMoved) {
    MSG msg;
    HWND focus = ::GetFocus();
    while (::IsWindow(window)) {
        // 0 is WM_QUIT, -1 an invalid argument (none is passed): both end the loop.
        const BOOL got = ::GetMessageW(&msg, nullptr, 0, 0);
        if (got == -1) return;
        // Tab and the arrow keys move the focus through the form's controls in its Tab order.
        if (msg.message == WM_QUIT || !::IsDialogMessageW(window, &msg))
            if (!Dispatch(msg)) return;
        if (const HWND now = ::GetFocus(); now != focus) {
            focus = now;
            if (focusMoved && ::IsWindow(window)) focusMoved(now);
        }
    }
}

void YieldOnce() {
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (!Dispatch(msg)) return;
    }
}

HostWindowDisabled::HostWindowDisabled() : m_host(::GetActiveWindow()) {
    // A window that was disabled already stays as its owner left it.
    if (m_host != nullptr && !::IsWindowEnabled(m_host)) m_host = nullptr;
    if (m_host != nullptr) ::EnableWindow(m_host, FALSE);
}

void HostWindowDisabled::enable() {
    if (m_host != nullptr && ::IsWindow(m_host)) ::EnableWindow(m_host, TRUE);
}

void HostWindowDisabled::restore() {
    enable();
    if (m_host != nullptr && ::IsWindow(m_host)) ::SetActiveWindow(m_host);
    m_host = nullptr;
}

namespace {

// SetThreadDpiAwarenessContext, where the system has it; a context is a handle.
using SetAwareness = void*(WINAPI*)(void*);
SetAwareness SetThreadAwareness() {
    static const auto set = reinterpret_cast<SetAwareness>(reinterpret_cast<void (*)()>(
        ::GetProcAddress(::GetModuleHandleW(L"user32.dll"), "SetThreadDpiAwarenessContext")));
    return set;
}

}  // namespace

ScreenResolutionAware::ScreenResolutionAware() {
    constexpr std::intptr_t kSystemAware = -2;  // DPI_AWARENESS_CONTEXT_SYSTEM_AWARE
    if (const SetAwareness set = SetThreadAwareness()) m_previous = set(reinterpret_cast<void*>(kSystemAware));
}

ScreenResolutionAware::~ScreenResolutionAware() {
    if (m_previous != nullptr) SetThreadAwareness()(m_previous);
}

}  // namespace dialog::win32
