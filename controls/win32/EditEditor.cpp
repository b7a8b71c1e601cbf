// windows.h comes after the controls' headers: its macros share names with
// their window messages and gdi's calls, so this file uses the system's names
// from here on.
#include "controls/win32/EditEditor.h"
#include "controls/suite/win32/gdi_win32.h"
#include "controls/win32/ControlWindow.h"

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <cmath>
#include <string>

namespace {

constexpr UINT_PTR kSubclassId = 1;

std::wstring Wide(const std::u16string& text) { return std::wstring(text.begin(), text.end()); }

int ShiftNow() {
    const auto down = [](int key) { return (::GetKeyState(key) & 0x8000) != 0; };
    return (down(VK_SHIFT) ? winmsg::vbShiftMask : 0) | (down(VK_CONTROL) ? winmsg::vbCtrlMask : 0) |
           (down(VK_MENU) ? winmsg::vbAltMask : 0);
}

// The EDIT's input, reported before the EDIT acts on it (a key's events come
// before the change it makes).
LRESULT CALLBACK EditProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR data) {
    switch (message) {
        case WM_KEYDOWN:
        case WM_CHAR:
        case WM_KEYUP:
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
        case WM_MOUSEMOVE:
        case WM_LBUTTONUP:
        case WM_RBUTTONUP:
        case WM_MBUTTONUP:
        case WM_LBUTTONDBLCLK:
        case WM_RBUTTONDBLCLK:
        case WM_MBUTTONDBLCLK:
            reinterpret_cast<EditEditor*>(data)->Listener().EditorMessage(message, wParam, lParam, ShiftNow());
            break;
        default: break;
    }
    return ::DefSubclassProc(window, message, wParam, lParam);
}

// What the EDIT asks of or tells its parent.
LRESULT CALLBACK ParentProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR data) {
    auto* editor = reinterpret_cast<EditEditor*>(data);
    if (reinterpret_cast<HWND>(lParam) == editor->Handle()) {
        if (message == WM_CTLCOLOREDIT || message == WM_CTLCOLORSTATIC) {
            if (HBRUSH brush = editor->Colour(reinterpret_cast<void*>(wParam))) return reinterpret_cast<LRESULT>(brush);
        } else if (message == WM_COMMAND && HIWORD(wParam) == EN_CHANGE) {
            editor->Listener().EditorChanged();
            return 0;
        }
    }
    return ::DefSubclassProc(window, message, wParam, lParam);
}

}  // namespace

EditEditor::EditEditor(HWND__* parent, InnerEditorListener& listener) : m_parent(parent), m_listener(listener) {
    m_edit = ::CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, 0, 0, 0, 0, parent, nullptr,
                               ::GetModuleHandleW(nullptr), nullptr);
    if (m_edit == nullptr) return;
    SetColours(m_text, m_back);
    ::SetWindowSubclass(m_edit, EditProc, kSubclassId, reinterpret_cast<DWORD_PTR>(this));
    ::SetWindowSubclass(m_parent, ParentProc, kSubclassId, reinterpret_cast<DWORD_PTR>(this));
}

// Nothing is reported while the EDIT goes: the subclassing ends first.
EditEditor::~EditEditor() {
    if (m_edit != nullptr) {
        ::RemoveWindowSubclass(m_parent, ParentProc, kSubclassId);
        ::RemoveWindowSubclass(m_edit, EditProc, kSubclassId);
        ::DestroyWindow(m_edit);
    }
    if (m_toolTip != nullptr) ::DestroyWindow(m_toolTip);
    if (m_font != nullptr) ::DeleteObject(m_font);
    if (m_brush != nullptr) ::DeleteObject(m_brush);
}

std::u16string EditEditor::Text() const {
    const int length = ::GetWindowTextLengthW(m_edit);
    std::wstring buffer(static_cast<std::size_t>(length) + 1, L'\0');
    const int got = ::GetWindowTextW(m_edit, buffer.data(), length + 1);
    return std::u16string(buffer.begin(), buffer.begin() + std::max(got, 0));
}

void EditEditor::SetText(const std::u16string& text) { ::SetWindowTextW(m_edit, Wide(text).c_str()); }

void EditEditor::SetMaxLength(int units) { ::SendMessageW(m_edit, EM_SETLIMITTEXT, static_cast<WPARAM>(units), 0); }

EditEditor::Selection EditEditor::GetSelection() const {
    DWORD start = 0, end = 0;
    ::SendMessageW(m_edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return Selection{static_cast<int>(start), static_cast<int>(end - start)};
}

void EditEditor::SetSelection(int start, int length) {
    ::SendMessageW(m_edit, EM_SETSEL, static_cast<WPARAM>(start), static_cast<LPARAM>(start + length));
}

void EditEditor::ReplaceSelection(const std::u16string& text) {
    const std::wstring wide = Wide(text);
    ::SendMessageW(m_edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(wide.c_str()));
}

void EditEditor::SetReadOnly(bool on) { ::SendMessageW(m_edit, EM_SETREADONLY, on ? TRUE : FALSE, 0); }
void EditEditor::SetEnabled(bool on) { ::EnableWindow(m_edit, on ? TRUE : FALSE); }

// The same font the control's drawing selects (gdi's SelectFont), at the window's device pixels.
void EditEditor::SetFont(const gdi::Font& font) {
    const int dpi = static_cast<int>(std::lround(96 * gdi::DeviceScale(gdi::win32::Window(m_edit))));
    HFONT made = gdi::win32::MakeNativeFont(font, dpi);
    if (made == nullptr) return;
    ::SendMessageW(m_edit, WM_SETFONT, reinterpret_cast<WPARAM>(made), TRUE);
    if (m_font != nullptr) ::DeleteObject(m_font);
    m_font = made;
}

gdi::SIZE EditEditor::TextExtent(const std::u16string& text) const {
    HDC dc = ::GetDC(m_edit);
    if (dc == nullptr) return {};
    HGDIOBJ previous = m_font != nullptr ? ::SelectObject(dc, m_font) : nullptr;
    const std::wstring wide = Wide(text);
    ::SIZE size{};
    ::GetTextExtentPoint32W(dc, wide.c_str(), static_cast<int>(wide.size()), &size);
    if (previous != nullptr) ::SelectObject(dc, previous);
    ::ReleaseDC(m_edit, dc);
    const double scale = gdi::DeviceScale(gdi::win32::Window(m_edit));
    return gdi::SIZE{gdi::win32::ToLogical(size.cx, scale), gdi::win32::ToLogical(size.cy, scale)};
}

void EditEditor::SetColours(gdi::COLORREF text, gdi::COLORREF back) {
    m_text = text;
    m_back = back;
    if (m_brush != nullptr) ::DeleteObject(m_brush);
    m_brush = ::CreateSolidBrush(back);
    ::InvalidateRect(m_edit, nullptr, TRUE);
}

// A disabled EDIT keeps the system's colours.
HBRUSH__* EditEditor::Colour(void* dc) const {
    if (!::IsWindowEnabled(m_edit) || m_brush == nullptr) return nullptr;
    ::SetTextColor(static_cast<HDC>(dc), m_text);
    ::SetBkColor(static_cast<HDC>(dc), m_back);
    return m_brush;
}

void EditEditor::SetRect(const gdi::RECT& logical) {
    const gdi::RECT r = gdi::win32::ToDevice(logical, gdi::DeviceScale(gdi::win32::Window(m_edit)));
    ::MoveWindow(m_edit, r.Left, r.Top, r.Right - r.Left, r.Bottom - r.Top, TRUE);
}

void EditEditor::TakeFocus() { ::SetFocus(m_edit); }

void EditEditor::SetToolTip(const std::u16string& text) { ControlWindow::ShowToolTip(m_edit, m_toolTip, text); }
