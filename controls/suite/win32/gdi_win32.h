// Where a Win32 host meets gdi: gdi's window handle is the system's own, and
// the system's objects behind gdi's DC and region handles, for the host's own
// calls.  (windows.h is not needed here: its macros would rename gdi's calls.)
#pragma once

#include "controls/suite/gdi.h"

#include <cmath>

struct HWND__;  // the system's window handle is HWND__*
struct HDC__;
struct HRGN__;
struct HFONT__;

namespace gdi::win32 {

inline HWND Window(HWND__* window) { return reinterpret_cast<HWND>(window); }
inline HWND__* Native(HWND window) { return reinterpret_cast<HWND__*>(window); }

// A logical coordinate or length on a window at `scale` (gdi::DeviceScale) in
// device pixels, and back: the one rounding every Win32 host places by.
inline int ToDevice(int logical, double scale) {
    return scale == 1.0 ? logical : static_cast<int>(std::lround(logical * scale));
}
inline int ToLogical(int device, double scale) {
    return scale == 1.0 ? device : static_cast<int>(std::lround(device / scale));
}
// A logical rectangle's device pixels: each edge rounded, so that neighbours meet.
inline RECT ToDevice(const RECT& r, double scale) {
    return RECT{ToDevice(r.Left, scale), ToDevice(r.Top, scale), ToDevice(r.Right, scale), ToDevice(r.Bottom, scale)};
}

// The system's DC behind `dc` (nullptr for a stale handle).  A caller that
// changes its state restores it before gdi draws on it again.
HDC__* NativeDC(HDC dc);
// The system's region behind `region` (nullptr for a stale handle); gdi still
// owns it: whoever must own one (SetWindowRgn) is given a copy.
HRGN__* NativeRegion(HRGN region);
// A new system region (the caller owns it) of `region`'s device pixels at
// `scale`; nullptr for a stale handle.
HRGN__* DeviceRegion(HRGN region, double scale);
// The system's font for `font` at `dpi` dots per inch (the caller deletes it);
// nullptr when the system refuses it.  gdi's SelectFont makes its fonts so.
HFONT__* MakeNativeFont(const Font& font, int dpi);

}  // namespace gdi::win32
