// The Win32 backend's objects behind gdi's handles, shared by its files (after
// windows.h, which each of them includes after gdi.h).
#pragma once

#include "controls/suite/handle_table.h"
#include "controls/suite/win32/gdi_win32.h"

#include <cstdint>

namespace gdi::win32::objects {

struct BitmapObject {
    ::HBITMAP native = nullptr;
    std::uint32_t* bits = nullptr;
    int width = 0;  // device pixels
    int height = 0;
    double scale = 1.0;  // device pixels per logical unit
};

struct DcObject {
    ::HDC native = nullptr;
    ::HWND window = nullptr;           // a window DC's window
    HGDIOBJ originalBitmap = nullptr;  // what a memory DC came with
    HGDIOBJ originalFont = nullptr;
    ::HFONT font = nullptr;  // the font SelectFont made
    Font selectedFont;       // what it was made from, for text at device pixels
    HBITMAP selected = 0;
    double scale = 1.0;  // the world transform gdi set: its bitmap's or its window's scale
};

struct RegionObject {
    ::HRGN native = nullptr;
};

inline detail::HandleTable<DcObject, BitmapObject, RegionObject>& table() {
    static detail::HandleTable<DcObject, BitmapObject, RegionObject> t;
    return t;
}

inline BitmapObject makeDib(int width, int height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    ::HBITMAP bitmap = ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bitmap == nullptr) return {};
    return BitmapObject{bitmap, static_cast<std::uint32_t*>(bits), width, height};
}

// The bitmap a memory DC draws into, nullptr for a window DC or an empty one.
inline BitmapObject* selectedBitmap(HDC dc) {
    auto* d = table().get<DcObject>(dc);
    return d != nullptr && d->window == nullptr ? table().get<BitmapObject>(d->selected) : nullptr;
}

// A DC that can be drawn on: a window DC, or a memory DC with a bitmap.
inline ::HDC drawable(HDC dc) {
    auto* d = table().get<DcObject>(dc);
    if (d == nullptr || (d->window == nullptr && selectedBitmap(dc) == nullptr)) return nullptr;
    return d->native;
}

}  // namespace gdi::win32::objects
