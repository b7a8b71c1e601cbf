#include "dialog/win32/surface_window.h"

#include "controls/suite/memory_dc.h"
#include "controls/suite/win32/gdi_win32.h"

#include <windowsx.h>

#include <cmath>

namespace dialog::win32 {

namespace {

constexpr const wchar_t* kWindowClass = L"tavKonv40.FormSurface";

HINSTANCE ThisModule() {
    HMODULE module = nullptr;
    ::GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                         reinterpret_cast<LPCWSTR>(&ThisModule), &module);
    return module;
}

// Copies device pixels as they are: a world transform either DC carries for gdi's logical
// units is set aside for the copy.
void CopyDevicePixels(HDC target, HDC source, int width, int height) {
    const int savedTarget = ::SaveDC(target), savedSource = ::SaveDC(source);
    for (HDC dc : {target, source})
        if (::GetGraphicsMode(dc) == GM_ADVANCED) ::ModifyWorldTransform(dc, nullptr, MWT_IDENTITY);
    ::BitBlt(target, 0, 0, width, height, source, 0, 0, SRCCOPY);
    ::RestoreDC(source, savedSource);
    ::RestoreDC(target, savedTarget);
}

void PrintParentUnder(HWND window, HDC native) {
    HWND parent = ::GetParent(window);
    if (parent == nullptr) return;
    POINT origin{0, 0};
    ::MapWindowPoints(window, parent, &origin, 1);
    const int saved = ::SaveDC(native);
    ::SetViewportOrgEx(native, -origin.x, -origin.y, nullptr);
    ::SendMessageW(parent, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(native), PRF_CLIENT);
    ::RestoreDC(native, saved);
}

}  // namespace

double Scale(HWND window) { return gdi::DeviceScale(gdi::win32::Window(window)); }

Box DeviceBox(const Box& logical, double scale) {
    const gdi::RECT r = gdi::win32::ToDevice(gdi::RECT{logical.x, logical.y, logical.right(), logical.bottom()}, scale);
    return {r.Left, r.Top, r.Right - r.Left, r.Bottom - r.Top};
}

Box LogicalClient(HWND window) {
    RECT r{};
    ::GetClientRect(window, &r);
    const double scale = Scale(window);
    return {0, 0, gdi::win32::ToLogical(r.right, scale), gdi::win32::ToLogical(r.bottom, scale)};
}

void PlaceWindow(HWND window, const Box& logical) {
    if (window == nullptr) return;
    const Box b = DeviceBox(logical, Scale(window));
    ::SetWindowPos(window, nullptr, b.x, b.y, b.width, b.height, SWP_NOZORDER | SWP_NOACTIVATE);
}

// The surface covers every device pixel of the client area (its logical size rounded up).
void PaintComposed(HWND window, HDC target, Underneath underneath, const std::function<void(gdi::HDC)>& paint) {
    RECT client{};
    ::GetClientRect(window, &client);
    const double scale = Scale(window);
    const auto cover = [scale](LONG device) { return static_cast<int>(std::ceil(device / scale)); };
    tavSCls40::MemoryDC surface;
    if (!paint || !surface.Create(gdi::win32::Window(window), cover(client.right), cover(client.bottom), 0)) return;
    HDC native = gdi::win32::NativeDC(surface.hDC());
    if (underneath == Underneath::Parent) PrintParentUnder(window, native);
    paint(surface.hDC());
    CopyDevicePixels(target, native, client.right, client.bottom);
}

SurfaceWindow::SurfaceWindow(HWND parent, const wchar_t* name, Holds holds, Underneath underneath)
    : m_underneath(underneath) {
    const HINSTANCE module = ThisModule();
    WNDCLASSEXW known{};
    known.cbSize = sizeof known;
    if (!::GetClassInfoExW(module, kWindowClass, &known)) {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = WindowProc;
        wc.hInstance = module;
        wc.hCursor = ::LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW, shared
        wc.lpszClassName = kWindowClass;
        ::RegisterClassExW(&wc);
    }
    const DWORD exStyle = holds == Holds::Controls ? WS_EX_CONTROLPARENT : 0;
    ::CreateWindowExW(exStyle, kWindowClass, name, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, 0, 0, 0,
                      0, parent, nullptr, module, this);
}

SurfaceWindow::~SurfaceWindow() {
    if (m_window == nullptr) return;
    ::SetWindowLongPtrW(m_window, GWLP_USERDATA, 0);
    ::DestroyWindow(m_window);
}

void SurfaceWindow::Place(const Box& at) const { PlaceWindow(m_window, at); }

Box SurfaceWindow::Area() const { return LogicalClient(m_window); }

void SurfaceWindow::UnregisterWindowClass(HINSTANCE module) { ::UnregisterClassW(kWindowClass, module); }

LRESULT CALLBACK SurfaceWindow::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* creating = static_cast<SurfaceWindow*>(reinterpret_cast<const CREATESTRUCTW*>(lParam)->lpCreateParams);
        creating->m_window = window;
        ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(creating));
    }
    auto* surface = reinterpret_cast<SurfaceWindow*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
    return surface != nullptr ? surface->OnMessage(message, wParam, lParam)
                              : ::DefWindowProcW(window, message, wParam, lParam);
}

LRESULT SurfaceWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_ERASEBKGND: return 1;  // the paint covers every pixel
        case WM_PAINT: {
            PAINTSTRUCT ps;
            HDC dc = ::BeginPaint(m_window, &ps);
            PaintComposed(m_window, dc, m_underneath, onPaint);
            ::EndPaint(m_window, &ps);
            return 0;
        }
        case WM_PRINTCLIENT: PaintComposed(m_window, reinterpret_cast<HDC>(wParam), m_underneath, onPaint); return 0;
        case WM_LBUTTONDOWN:
            if (!onMouseDown) break;
            if (::GetWindowLongW(m_window, GWL_STYLE) & WS_TABSTOP) ::SetFocus(m_window);
            onMouseDown(gdi::win32::ToLogical(GET_X_LPARAM(lParam), Scale(m_window)),
                        gdi::win32::ToLogical(GET_Y_LPARAM(lParam), Scale(m_window)));
            return 0;
        case WM_KEYDOWN:
            if (!onKeyDown) break;
            onKeyDown(wParam);
            return 0;
        case WM_GETDLGCODE: return onKeyDown ? DLGC_WANTARROWS : 0;
        case WM_SETFOCUS:
        case WM_KILLFOCUS: ::InvalidateRect(m_window, nullptr, FALSE); break;  // the focus shows in its painting
        case WM_SIZE:
            if (onResize) onResize();
            break;
        default: break;
    }
    return ::DefWindowProcW(m_window, message, wParam, lParam);
}

}  // namespace dialog::win32
