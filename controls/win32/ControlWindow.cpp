// windows.h comes after the controls' headers: its macros share names with
// their window messages and gdi's calls, so this file uses the system's names
// from here on.
#include "controls/win32/ControlWindow.h"

#include "controls/suite/win32/gdi_win32.h"
#include "controls/win32/EditEditor.h"

#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <cwctype>
#include <string>
#include <string_view>

namespace {

constexpr wchar_t kClassName[] = L"tavKonv40Control";
constexpr UINT_PTR kSubclassId = 1;

ControlWindow* HostOf(HWND window) {
    return reinterpret_cast<ControlWindow*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
}

bool IsControlWindow(HWND window) {
    wchar_t name[32] = {};
    return ::GetClassNameW(window, name, 32) > 0 && std::wstring_view(name) == kClassName;
}

LRESULT PaintBetweenBeginAndEnd(ControlWindow& host, HWND window, WPARAM wParam, LPARAM lParam) {
    PAINTSTRUCT ps;
    ::BeginPaint(window, &ps);
    const LRESULT result = host.Deliver(WM_PAINT, wParam, lParam);
    ::EndPaint(window, &ps);
    return result;
}

// The control speaks logical units: a mouse message's point is taken off the
// window's device pixels.
LPARAM ForControl(HWND window, UINT message, LPARAM lParam) {
    if (message < WM_MOUSEFIRST || message > WM_MBUTTONDBLCLK) return lParam;
    const double scale = gdi::DeviceScale(gdi::win32::Window(window));
    if (scale == 1.0) return lParam;
    return MAKELPARAM(gdi::win32::ToLogical(static_cast<short>(LOWORD(lParam)), scale),
                      gdi::win32::ToLogical(static_cast<short>(HIWORD(lParam)), scale));
}

LRESULT CALLBACK SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR data) {
    auto* host = reinterpret_cast<ControlWindow*>(data);
    UserControl* control = host->HostedControl();
    if (control == nullptr || !host->Subclasses(message)) return ::DefSubclassProc(window, message, wParam, lParam);
    const LPARAM logical = ForControl(window, message, lParam);
    if (control->MsgResponse(message) == MessageResponse::Consume)
        return message == WM_PAINT ? PaintBetweenBeginAndEnd(*host, window, wParam, lParam)
                                   : host->Deliver(message, wParam, logical);
    host->Deliver(message, wParam, logical);
    return ::DefSubclassProc(window, message, wParam, lParam);
}

LRESULT CALLBACK ClassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    ControlWindow* host = HostOf(window);
    if (host == nullptr) return ::DefWindowProcW(window, message, wParam, lParam);
    if ((message == WM_SYSCHAR || message == WM_KEYDOWN) && ControlWindow::RouteFormKey(window, message, wParam))
        return 0;
    switch (message) {
        case WM_PAINT: return PaintBetweenBeginAndEnd(*host, window, wParam, lParam);
        case WM_ERASEBKGND: return 1;  // the control paints every pixel
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
            if (!host->RefusesFocus()) ::SetFocus(window);
            break;
        case WM_GETDLGCODE: return DLGC_WANTCHARS;
        case WM_SETCURSOR:
            if (LOWORD(lParam) == HTCLIENT && host->ShowMousePointer()) return TRUE;
            break;
        case WM_KEYDOWN:
        case WM_KEYUP:
        case WM_CHAR:
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
        case WM_ENABLE:
        case WM_SHOWWINDOW:
        case WM_SIZE:
        case WM_MOVE: host->Deliver(message, wParam, lParam); break;
        default: break;
    }
    return ::DefWindowProcW(window, message, wParam, lParam);
}

// The module that holds this code (the DLL when the controls are in one), which the window
// class belongs to: a class of the host program's module would outlive an unloaded library and
// point at a procedure that is gone.
HINSTANCE CodeModule() {
    HMODULE module = nullptr;
    ::GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                         reinterpret_cast<LPCWSTR>(&ClassProc), &module);
    return module;
}

// Registered at the first window, removed as the module unloads (its statics are destroyed).
struct WindowClass {
    bool registered = false;
    WindowClass() {
        WNDCLASSW wc{};
        wc.style = CS_DBLCLKS;
        wc.lpfnWndProc = ClassProc;
        wc.hInstance = CodeModule();
        wc.hCursor = ::LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW, shared
        wc.lpszClassName = kClassName;
        registered = ::RegisterClassW(&wc) != 0;
    }
    ~WindowClass() {
        if (registered) ::UnregisterClassW(kClassName, CodeModule());
    }
};

void RegisterClassOnce() { static const WindowClass windowClass; }

std::wstring Wide(const std::u16string& text) { return std::wstring(text.begin(), text.end()); }

// The system cursor of a standard MousePointer number (1..15), 0 for none.
// A custom picture (99) is not made into a cursor here: the arrow stands in.
int SystemCursorId(int pointer) {
    static constexpr int ids[] = {0,     32512, 32515, 32513, 32641, 32646, 32643, 32645,
                                  32642, 32644, 32516, 32514, 32648, 32650, 32651, 32646};
    if (pointer == 99) return 32512;
    return pointer > 0 && pointer < 16 ? ids[pointer] : 0;
}

HWND MakeToolTipWindow(HWND owner) {
    static const bool ready = [] {
        INITCOMMONCONTROLSEX classes{sizeof(INITCOMMONCONTROLSEX), ICC_BAR_CLASSES};
        return ::InitCommonControlsEx(&classes) != FALSE;
    }();
    (void)ready;
    return ::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                             CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr, CodeModule(),
                             nullptr);
}

}  // namespace

ControlWindow::ControlWindow(HWND__* parent, const gdi::RECT& logical) {
    RegisterClassOnce();
    const gdi::RECT at = gdi::win32::ToDevice(logical, gdi::DeviceScale(gdi::win32::Window(parent)));
    m_window = ::CreateWindowExW(0, kClassName, L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP, at.Left, at.Top,
                                 at.Right - at.Left, at.Bottom - at.Top, parent, nullptr, CodeModule(), nullptr);
    if (m_window != nullptr) ::SetWindowLongPtrW(m_window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

ControlWindow::~ControlWindow() {
    if (m_window == nullptr) return;
    ::RemoveWindowSubclass(m_window, SubclassProc, kSubclassId);
    ::SetWindowLongPtrW(m_window, GWLP_USERDATA, 0);
    if (m_toolTipWindow != nullptr) ::DestroyWindow(m_toolTipWindow);
    ::DestroyWindow(m_window);
}

winmsg::LRESULT ControlWindow::Deliver(winmsg::UINT message, winmsg::WPARAM wParam, winmsg::LPARAM lParam) {
    return m_control != nullptr ? m_control->WindowProc(message, wParam, lParam) : 0;
}

bool ControlWindow::Subclasses(winmsg::UINT message) const {
    return std::find(m_subclassed.begin(), m_subclassed.end(), message) != m_subclassed.end();
}

bool ControlWindow::ShowMousePointer() const {
    const int id = SystemCursorId(m_mousePointer);
    if (id == 0) return false;
    HCURSOR cursor = ::LoadCursorW(nullptr, MAKEINTRESOURCEW(id));
    // The icon cursor (4) is gone from newer systems: the arrow stands in.
    ::SetCursor(cursor != nullptr ? cursor : ::LoadCursorW(nullptr, MAKEINTRESOURCEW(32512)));
    return true;
}

// ---- ControlSite ----------------------------------------------------------------------------------

gdi::HWND ControlWindow::Window() { return gdi::win32::Window(m_window); }

gdi::SIZE ControlWindow::ClientSize() const {
    RECT r{};
    ::GetClientRect(m_window, &r);
    const double scale = gdi::DeviceScale(gdi::win32::Window(m_window));
    return gdi::SIZE{gdi::win32::ToLogical(r.right - r.left, scale), gdi::win32::ToLogical(r.bottom - r.top, scale)};
}

void ControlWindow::Invalidate() { ::InvalidateRect(m_window, nullptr, FALSE); }

// The system owns a region it is given and frees it with the window or its
// next region; gdi frees its own: the window gets a copy.
void ControlWindow::SetWindowRegion(gdi::HRGN region) {
    HRGN copy = gdi::win32::DeviceRegion(region, gdi::DeviceScale(gdi::win32::Window(m_window)));
    ::SetWindowRgn(m_window, copy, TRUE);
    if (region != 0) gdi::DeleteRegion(region);
}

// The parent paints itself, background first, into `dc` with the origin moved
// so that the control's rectangle of the parent lands on it.  Sibling windows
// under the control are not drawn; a parent that answers neither message
// leaves the BackColor the control filled `dc` with.  (Wine answers both for
// its own windows: a class brush erases, and a dialog, a static or a button
// paints its face colour.)
bool ControlWindow::PaintBackgroundBehind(gdi::HDC dc) {
    HDC native = gdi::win32::NativeDC(dc);
    HWND parent = ::GetParent(m_window);
    if (native == nullptr || parent == nullptr) return false;
    POINT origin{0, 0};
    ::MapWindowPoints(m_window, parent, &origin, 1);
    const int saved = ::SaveDC(native);
    ::SetViewportOrgEx(native, -origin.x, -origin.y, nullptr);
    ::SendMessageW(parent, WM_ERASEBKGND, reinterpret_cast<WPARAM>(native), 0);
    ::SendMessageW(parent, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(native), PRF_CLIENT);
    ::RestoreDC(native, saved);
    return true;
}

// The window never erases itself (WM_ERASEBKGND above): a see-through control
// already paints what lies behind it through PaintBackgroundBehind.
void ControlWindow::MakeSeeThrough() {}
void ControlWindow::SetText(const std::u16string& text) { ::SetWindowTextW(m_window, Wide(text).c_str()); }
void ControlWindow::SetFont(const gdi::Font&) {}  // the control selects its font itself when it draws
void ControlWindow::SetEnabled(bool on) { ::EnableWindow(m_window, on ? TRUE : FALSE); }
// One tool, the whole window, which the tool tip control watches itself
// (TTF_SUBCLASS); sizeof(TTTOOLINFOW) would be refused by older common controls.
void ControlWindow::SetToolTip(const std::u16string& text) { ShowToolTip(m_window, m_toolTipWindow, text); }

void ControlWindow::ShowToolTip(HWND__* window, HWND__*& toolTipWindow, const std::u16string& text) {
    if (toolTipWindow == nullptr && !text.empty()) toolTipWindow = MakeToolTipWindow(window);
    if (toolTipWindow == nullptr) return;
    std::wstring tip = Wide(text);
    TTTOOLINFOW tool{};
    tool.cbSize = TTTOOLINFOW_V2_SIZE;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = window;
    tool.uId = reinterpret_cast<UINT_PTR>(window);
    tool.lpszText = tip.data();
    ::SendMessageW(toolTipWindow, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    if (!text.empty()) ::SendMessageW(toolTipWindow, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

void ControlWindow::SetMousePointer(int pointer, const gdi::Image&) {
    m_mousePointer = pointer;
    if (IsMouseOver() && !ShowMousePointer()) ::SetCursor(::LoadCursorW(nullptr, MAKEINTRESOURCEW(32512)));
}

void ControlWindow::SetCapture(bool on) {
    if (on)
        ::SetCapture(m_window);
    else if (::GetCapture() == m_window)
        ::ReleaseCapture();
}

bool ControlWindow::HasCapture() const { return ::GetCapture() == m_window; }

gdi::POINT ControlWindow::CursorPos() const {
    POINT p{};
    ::GetCursorPos(&p);
    ::ScreenToClient(m_window, &p);
    const double scale = gdi::DeviceScale(gdi::win32::Window(m_window));
    return gdi::POINT{gdi::win32::ToLogical(p.x, scale), gdi::win32::ToLogical(p.y, scale)};
}

bool ControlWindow::IsMouseOver() const {
    POINT p{};
    ::GetCursorPos(&p);
    return ::IsWindowVisible(m_window) && ::WindowFromPoint(p) == m_window;
}

bool ControlWindow::HasFocus() const { return ::GetFocus() == m_window; }
void ControlWindow::TakeFocus() { ::SetFocus(m_window); }

int ControlWindow::ShiftState() const {
    const auto down = [](int key) { return (::GetKeyState(key) & 0x8000) != 0; };
    return (down(VK_SHIFT) ? winmsg::vbShiftMask : 0) | (down(VK_CONTROL) ? winmsg::vbCtrlMask : 0) |
           (down(VK_MENU) ? winmsg::vbAltMask : 0);
}

void ControlWindow::SetTimer(std::uintptr_t id, int milliseconds) {
    if (::SetTimer(m_window, id, static_cast<UINT>(milliseconds), nullptr) != 0 && !IsTimerRunning(id))
        m_timers.push_back(id);
}

void ControlWindow::KillTimer(std::uintptr_t id) {
    ::KillTimer(m_window, id);
    m_timers.erase(std::remove(m_timers.begin(), m_timers.end(), id), m_timers.end());
}

bool ControlWindow::IsTimerRunning(std::uintptr_t id) const {
    return std::find(m_timers.begin(), m_timers.end(), id) != m_timers.end();
}

void ControlWindow::Subclass(const std::vector<winmsg::UINT>& messages) {
    m_subclassed = messages;
    if (messages.empty())
        ::RemoveWindowSubclass(m_window, SubclassProc, kSubclassId);
    else
        ::SetWindowSubclass(m_window, SubclassProc, kSubclassId, reinterpret_cast<DWORD_PTR>(this));
}

void ControlWindow::ForEachSibling(const std::function<void(LateBound&)>& visit) {
    for (HWND other = ::GetWindow(::GetParent(m_window), GW_CHILD); other != nullptr;
         other = ::GetWindow(other, GW_HWNDNEXT)) {
        ControlWindow* host = other != m_window && IsControlWindow(other) ? HostOf(other) : nullptr;
        if (host != nullptr && host->m_control != nullptr) visit(*host->m_control);
    }
}

// ---- the text box: an inner editor ----

std::unique_ptr<InnerEditor> ControlWindow::MakeInnerEditor(InnerEditorListener& listener) {
    return std::make_unique<EditEditor>(m_window, listener);
}

// ---- windows that never take the focus (the scroll bars) ----

void ControlWindow::RefuseFocus() {
    m_refusesFocus = true;
    ::SetWindowLongPtrW(m_window, GWL_STYLE, ::GetWindowLongPtrW(m_window, GWL_STYLE) & ~LONG_PTR{WS_TABSTOP});
}

// ---- the command button: access keys, default / cancel, the form's controls, size -----------------

namespace {

using ControlVisit = std::function<void(ControlWindow&)>;

BOOL CALLBACK VisitControlWindow(HWND child, LPARAM data) {
    if (ControlWindow* host = IsControlWindow(child) ? HostOf(child) : nullptr)
        (*reinterpret_cast<const ControlVisit*>(data))(*host);
    return TRUE;
}

// Visits every control window of `window`'s form (its top-level window), at any depth.
void ForEachControlWindow(HWND window, const ControlVisit& visit) {
    ::EnumChildWindows(::GetAncestor(window, GA_ROOT), VisitControlWindow, reinterpret_cast<LPARAM>(&visit));
}

}  // namespace

void ControlWindow::SetAccessKeys(const std::u16string& keys) { m_accessKeys = keys; }

bool ControlWindow::RouteFormKey(HWND__* from, winmsg::UINT message, winmsg::WPARAM key) {
    const auto takes = [&](ControlWindow& host) {
        const Extender& extender = host.m_control->ExtenderProperties();
        if (message == WM_SYSCHAR)
            return host.m_accessKeys.find(static_cast<char16_t>(std::towlower(static_cast<wint_t>(key)))) !=
                   std::u16string::npos;
        return (key == VK_RETURN && extender.Default.value_or(false)) || (key == VK_ESCAPE && extender.Cancel);
    };
    ControlWindow* target = nullptr;
    ForEachControlWindow(from, [&](ControlWindow& host) {
        if (target == nullptr && host.m_control != nullptr && ::IsWindowEnabled(host.m_window) &&
            ::IsWindowVisible(host.m_window) && takes(host))
            target = &host;
    });
    if (target == nullptr) return false;
    const char16_t handed = message == WM_SYSCHAR ? static_cast<char16_t>(std::towlower(static_cast<wint_t>(key)))
                            : key == VK_RETURN    ? u'\r'
                                                  : u'\x1b';
    target->m_control->AccessKeyPress(handed);
    return true;
}

void ControlWindow::SetDefault(bool on) {
    if (m_control == nullptr) return;
    m_control->ExtenderProperties().Default = on;
    m_control->SetAmbient(m_control->AmbientProperties());
    Invalidate();
}

void ControlWindow::SetCancel(bool on) {
    if (m_control != nullptr) m_control->ExtenderProperties().Cancel = on;
}

void ControlWindow::ForEachFormControl(const std::function<void(LateBound&)>& visit) {
    ForEachControlWindow(m_window, [&](ControlWindow& host) {
        if (&host != this && host.m_control != nullptr) visit(*host.m_control);
    });
}

void ControlWindow::Resize(gdi::SIZE size) {
    const double scale = gdi::DeviceScale(gdi::win32::Window(m_window));
    ::SetWindowPos(m_window, nullptr, 0, 0, gdi::win32::ToDevice(size.cx, scale), gdi::win32::ToDevice(size.cy, scale),
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// ---- the list box: its scroll bar's window, the font's line, the wheel ----

namespace {

class ChildControlWindow : public ControlWindow, public ControlSite::ChildWindow {
  public:
    explicit ChildControlWindow(HWND parent) : ControlWindow(parent, gdi::RECT{0, 0, 0, 0}) {
        RefuseFocus();
        ::ShowWindow(Handle(), SW_HIDE);
    }
    ~ChildControlWindow() override { Bind(nullptr); }
    ControlSite& Site() override { return *this; }
    void Host(UserControl* control) override { Bind(control); }
    void SetBounds(const gdi::RECT& logical) override {
        const gdi::RECT r = gdi::win32::ToDevice(logical, gdi::DeviceScale(gdi::win32::Window(Handle())));
        ::SetWindowPos(Handle(), nullptr, r.Left, r.Top, r.Right - r.Left, r.Bottom - r.Top,
                       SWP_NOZORDER | SWP_NOACTIVATE);
    }
    void SetVisible(bool on) override { ::ShowWindow(Handle(), on ? SW_SHOWNA : SW_HIDE); }
    bool IsVisible() const override { return (::GetWindowLongPtrW(Handle(), GWL_STYLE) & WS_VISIBLE) != 0; }
};

}  // namespace

// The control paints its whole client area: the child's part is left to the child.
std::unique_ptr<ControlSite::ChildWindow> ControlWindow::MakeChildWindow() {
    ::SetWindowLongPtrW(m_window, GWL_STYLE, ::GetWindowLongPtrW(m_window, GWL_STYLE) | LONG_PTR{WS_CLIPCHILDREN});
    return std::make_unique<ChildControlWindow>(m_window);
}

// The ink of a usual line is taken as the font's cell without its internal
// leading above the baseline and its whole descent below.
ControlSite::FontLine ControlWindow::MeasureLine(const gdi::Font& font) const {
    const gdi::HDC dc = gdi::CreateCompatibleDC();
    gdi::SelectFont(dc, font);
    TEXTMETRICW metrics{};
    ::GetTextMetricsW(gdi::win32::NativeDC(dc), &metrics);
    gdi::DeleteDC(dc);
    const int ascent = static_cast<int>(metrics.tmAscent), descent = static_cast<int>(metrics.tmDescent);
    return FontLine{ascent + descent, ascent, descent, ascent - static_cast<int>(metrics.tmInternalLeading), descent};
}

int ControlWindow::WheelScrollLines() const {
    UINT lines = 3;
    ::SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
    return static_cast<int>(lines);
}
