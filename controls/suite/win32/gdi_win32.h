// Where a Win32 host meets gdi: gdi's window handle is the system's own, and
// the system's objects behind gdi's DC and region handles, for the host's own
// calls.  (windows.h is not needed here: its macros would rename gdi's calls.)
#pragma once

#include "controls/suite/gdi.h"

struct HWND__;  // the system's window handle is HWND__*
struct HDC__;
struct HRGN__;
struct HFONT__;

namespace gdi::win32 {

inline HWND Window(HWND__* window) { return reinterpret_cast<HWND>(window); }
inline HWND__* Native(HWND window) { return reinterpret_cast<HWND__*>(window); }

// The system's DC behind `dc` (nullptr for a stale handle).  A caller that
// changes its state restores it before gdi draws on it again.
HDC__* NativeDC(HDC dc);
// The system's region behind `region` (nullptr for a stale handle); gdi still
// owns it: whoever must own one (SetWindowRgn) is given a copy.
HRGN__* NativeRegion(HRGN region);
// The system's font for `font` at `dpi` dots per inch (the caller deletes it);
// nullptr when the system refuses it.  gdi's SelectFont makes its fonts so.
HFONT__* MakeNativeFont(const Font& font, int dpi);

}  // namespace gdi::win32
