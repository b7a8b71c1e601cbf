#include "controls/suite/memory_dc.h"

namespace tavSCls40 {

MemoryDC::~MemoryDC() { release(); }

void MemoryDC::release() {
    if (m_dc != 0) {
        gdi::SelectBitmap(m_dc, m_previous);
        gdi::DeleteDC(m_dc);
    }
    if (m_bitmap != 0) gdi::DeleteBitmap(m_bitmap);
    m_dc = m_bitmap = m_previous = 0;
}

bool MemoryDC::select(gdi::HBITMAP bitmap) {
    if (bitmap == 0) return false;
    m_bitmap = bitmap;
    m_dc = gdi::CreateCompatibleDC();
    m_previous = gdi::SelectBitmap(m_dc, m_bitmap);
    return true;
}

bool MemoryDC::Create(int width, int height, gdi::COLORREF background) {
    release();
    if (width <= 0 || height <= 0 || !select(gdi::CreateCompatibleBitmap(width, height))) return false;
    gdi::FillRect(m_dc, gdi::RECT{0, 0, width, height}, background);
    return true;
}

bool MemoryDC::Create(gdi::HWND window, int width, int height, gdi::COLORREF background) {
    release();
    if (width <= 0 || height <= 0 || !select(gdi::CreateCompatibleBitmap(window, width, height))) return false;
    gdi::FillRect(m_dc, gdi::RECT{0, 0, width, height}, background);
    return true;
}

bool MemoryDC::Create(const gdi::Image& picture) {
    release();
    return select(gdi::CreateBitmap(picture));
}

}  // namespace tavSCls40
