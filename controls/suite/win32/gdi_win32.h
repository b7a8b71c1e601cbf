// Where a Win32 host meets gdi: gdi's window handle is the system's own.
// (windows.h is not needed here: its macros would rename gdi's calls.)
#pragma once

#include "controls/suite/gdi.h"

struct HWND__;  // the system's window handle is HWND__*

namespace gdi::win32 {

inline HWND Window(HWND__* window) { return reinterpret_cast<HWND>(window); }
inline HWND__* Native(HWND window) { return reinterpret_cast<HWND__*>(window); }

}  // namespace gdi::win32
