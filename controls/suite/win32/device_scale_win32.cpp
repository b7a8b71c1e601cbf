// The Win32 hosts' device pixels: how many a window has per logical unit, and
// a region of logical units on them.
#include "controls/suite/win32/gdi_win32.h"

#include <windows.h>

#include <vector>

namespace gdi {

// The window's own resolution where the system knows it per window (a host
// that declared itself aware of it), else the screen's; older systems lack
// the first call.
double DeviceScale(HWND window) {
    using DpiForWindow = UINT(WINAPI*)(::HWND);
    static const auto forWindow = reinterpret_cast<DpiForWindow>(
        reinterpret_cast<void (*)()>(::GetProcAddress(::GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
    UINT dpi = 0;
    if (forWindow != nullptr && window != 0) dpi = forWindow(win32::Native(window));
    if (dpi == 0) {
        ::HDC screen = ::GetDC(nullptr);
        dpi = screen != nullptr ? static_cast<UINT>(::GetDeviceCaps(screen, LOGPIXELSX)) : 96;
        if (screen != nullptr) ::ReleaseDC(nullptr, screen);
    }
    return dpi == 0 ? 1.0 : dpi / 96.0;
}

// Each of the region's rectangles at its device pixels, edges rounded as
// everything else is placed, so that rectangles that met still meet.
::HRGN win32::DeviceRegion(HRGN region, double scale) {
    ::HRGN shape = NativeRegion(region);
    if (shape == nullptr) return nullptr;
    const DWORD size = ::GetRegionData(shape, 0, nullptr);
    std::vector<unsigned char> bytes(size);
    auto* data = reinterpret_cast<RGNDATA*>(bytes.data());
    if (size == 0 || ::GetRegionData(shape, size, data) != size) return nullptr;
    const auto toDevice = [scale](::RECT& r) {
        const RECT d = ToDevice(RECT{r.left, r.top, r.right, r.bottom}, scale);
        r = ::RECT{d.Left, d.Top, d.Right, d.Bottom};
    };
    auto* rects = reinterpret_cast<::RECT*>(data->Buffer);
    for (DWORD i = 0; i < data->rdh.nCount; ++i) toDevice(rects[i]);
    toDevice(data->rdh.rcBound);
    return ::ExtCreateRegion(nullptr, size, data);
}

}  // namespace gdi
