// tavSCls40's off-screen drawing surface (the subclassing itself is in
// tavSCls40.h, with the host).
#pragma once

#include "controls/suite/gdi.h"

namespace tavSCls40 {

// An off-screen surface the size of a control: the control composes its whole
// picture into hDC() and copies it to the window in one BitBlt.  The DC and
// its bitmap are released when the MemoryDC is destroyed or re-created.
class MemoryDC {
  public:
    MemoryDC() = default;
    ~MemoryDC();
    MemoryDC(const MemoryDC&) = delete;
    MemoryDC& operator=(const MemoryDC&) = delete;

    // Makes a width x height surface filled with `background` (COLORREF).
    // Returns false (and hDC() is 0) for an empty size.
    bool Create(int width, int height, gdi::COLORREF background);
    // The same for a picture that goes onto `window`: width x height logical
    // units at the window's device pixels (gdi::CreateCompatibleBitmap).
    bool Create(gdi::HWND window, int width, int height, gdi::COLORREF background);
    // Makes a surface holding a copy of `picture`; false for an empty one.
    bool Create(const gdi::Image& picture);
    gdi::HDC hDC() const { return m_dc; }

  private:
    void release();
    bool select(gdi::HBITMAP bitmap);
    gdi::HDC m_dc = 0;
    gdi::HBITMAP m_bitmap = 0;
    gdi::HBITMAP m_previous = 0;
};

}  // namespace tavSCls40
